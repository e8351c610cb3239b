#include "gui/picture_tools.h"

#include <QAction>
#include <QCoreApplication>

#include "gui/category_bar.h"
#include "platform/system/environment.h"
#include "tools/help_and_links.h"

namespace orvella {

PictureTools::PictureTools(const CategoryBar& bar, PictureActions actions,
                           std::function<bool()> german)
    : bar_(bar), actions_(actions), german_(std::move(german)) {}

SaveDialogTexts PictureTools::TranslatedSaveDialogTexts() {
    return {
        .title = QCoreApplication::translate("TOrvel", "Bild speichern unter...").toStdString(),
        .filter = QCoreApplication::translate("TOrvel", "Alle Dateien (*.*)|*.*").toStdString(),
    };
}

void PictureTools::Open() {
    if (const std::optional<std::string> path = bar_.FocusedPicture())
        actions_.OpenPicture(*path);
}

void PictureTools::SaveAs() {
    if (const std::optional<std::string> path = bar_.FocusedPicture())
        actions_.SavePictureAs(*path);
}

void PictureTools::Print() {
    if (const std::optional<std::string> path = bar_.FocusedPicture())
        actions_.PrintPicture(*path);
}

void PictureTools::Mail() {
    actions_.MailPictures(bar_.SelectedPictures());
}

void PictureTools::Help() {
    actions_.OpenWithShell(HelpPagePath(ExecutablePath(), german_()));
}

void PictureTools::Homepage() {
    actions_.OpenWithShell(HomepageAddress(german_()));
}

void PictureTools::WebLink(const QAction& item) {
    // "WebLink1" to "WebLink8", in the table's order.
    const int number = item.objectName().mid(QStringLiteral("WebLink").size()).toInt();
    if (number >= 1 && number <= static_cast<int>(kWebLinks.size()))
        actions_.OpenWithShell(std::string(kWebLinks[number - 1].address));
}

}  // namespace orvella
