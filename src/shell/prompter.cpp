#include "shell/prompter.h"

#include <optional>

namespace orvella {

Prompter::~Prompter() = default;

MessageResult ShowCatalogueMessage(Prompter& prompter, const MessageCatalogue& catalogue,
                                   std::string_view name, std::string_view argument) {
    const std::optional<MessageStyle> style = catalogue.Style(name);
    if (!style) {
        prompter.ShowMessage(std::string(name), catalogue.Text(kMsgCommonErrorCaption),
                             MessageStyle::Error);
        return MessageResult::No;
    }
    return prompter.ShowMessage(FillPlaceholder(catalogue.Text(name), argument),
                                catalogue.Caption(name), *style);
}

void ShowErrorText(Prompter& prompter, const MessageCatalogue& catalogue, const std::string& text) {
    prompter.ShowMessage(text, catalogue.Text(kSError), MessageStyle::Error);
}

}  // namespace orvella
