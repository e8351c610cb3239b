#include "shell/message_style.h"

namespace orvella {

std::optional<MessageStyle> MessageStyleFromCode(int code) {
    switch (code) {
        case static_cast<int>(MessageStyle::Error):
        case static_cast<int>(MessageStyle::YesNoQuestion):
        case static_cast<int>(MessageStyle::Warning):
        case static_cast<int>(MessageStyle::Information):
        case static_cast<int>(MessageStyle::YesNoInformation):
            return static_cast<MessageStyle>(code);
        default:
            return std::nullopt;
    }
}

bool IsYesNoStyle(MessageStyle style) {
    return ButtonsOf(style) == MessageButtons::YesNo;
}

MessageButtons ButtonsOf(MessageStyle style) {
    switch (style) {
        case MessageStyle::YesNoQuestion:
        case MessageStyle::YesNoInformation:
            return MessageButtons::YesNo;
        case MessageStyle::Error:
        case MessageStyle::Warning:
        case MessageStyle::Information:
            break;
    }
    return MessageButtons::Ok;
}

MessageIcon IconOf(MessageStyle style) {
    switch (style) {
        case MessageStyle::Error:
            return MessageIcon::Error;
        case MessageStyle::YesNoQuestion:
            return MessageIcon::Question;
        case MessageStyle::Warning:
            return MessageIcon::Warning;
        case MessageStyle::Information:
        case MessageStyle::YesNoInformation:
            break;
    }
    return MessageIcon::Information;
}

bool GoesOn(MessageResult result) {
    return result == MessageResult::Yes;
}

}  // namespace orvella
