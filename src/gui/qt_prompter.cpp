#include "gui/qt_prompter.h"

#include <QMessageBox>

namespace orvella {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

MessageResult QtPrompter::ShowMessage(const std::string& text, const std::string& caption,
                                      MessageStyle style) {
    const bool yes_no = ButtonsOf(style) == MessageButtons::YesNo;
    QMessageBox box(ToQtIcon(IconOf(style)), QString::fromStdString(caption),
                    QString::fromStdString(text),
                    yes_no ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, owner_);
    box.setDefaultButton(yes_no ? QMessageBox::Yes : QMessageBox::Ok);
    const int pressed = box.exec();
    if (!yes_no)
        return MessageResult::Ok;
    return pressed == QMessageBox::Yes ? MessageResult::Yes : MessageResult::No;
}

}  // namespace orvella
