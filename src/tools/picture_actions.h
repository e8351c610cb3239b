#pragma once

#include <string>
#include <vector>

namespace orvella {

class DesktopShell;
class FileChooser;
class MessageCatalogue;
class Prompter;

// The save dialog's title and filter; the German ones unless the interface's language has
// others.
struct SaveDialogTexts {
    std::string title = "Bild speichern unter...";
    std::string filter = "Alle Dateien (*.*)|*.*";
};

// The commands that hand a picture, a page or an address to the desktop's other programs.
// None of them changes the category store. A failure shows the command's catalogue message,
// a blank and the platform's text for it.
class PictureActions {
public:
    PictureActions(DesktopShell& shell, FileChooser& files, const MessageCatalogue& catalogue,
                   Prompter& prompter, SaveDialogTexts save_texts = {})
        : shell_(shell),
          files_(files),
          catalogue_(catalogue),
          prompter_(prompter),
          save_texts_(std::move(save_texts)) {}

    // In the program the desktop opens such files with, to view or edit it.
    void OpenPicture(const std::string& path);
    // On the default printer.
    void PrintPicture(const std::string& path);
    // Asks for a new name, preset to `path`, and copies the file there byte for byte; an
    // existing file is replaced without asking. A cancelled dialog or the same name does
    // nothing.
    void SavePictureAs(const std::string& path);
    // One new message of the mail program with `paths` attached, in this order.
    void MailPictures(const std::vector<std::string>& paths);
    // A help page, the homepage or a web site; a failure shows _MsgOpenWebsite.
    void OpenWithShell(const std::string& target);

private:
    void ReportFailure(std::string_view message, const std::string& error_text);

    DesktopShell& shell_;
    FileChooser& files_;
    const MessageCatalogue& catalogue_;
    Prompter& prompter_;
    SaveDialogTexts save_texts_;
};

}  // namespace orvella
