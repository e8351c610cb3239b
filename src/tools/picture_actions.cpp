#include "tools/picture_actions.h"

#include "platform/files/file_copy.h"
#include "platform/system/desktop_shell.h"
#include "shell/file_chooser.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"

namespace orvella {

void PictureActions::ReportFailure(std::string_view message, const std::string& error_text) {
    prompter_.ShowMessage(catalogue_.Text(message) + " " + error_text, catalogue_.Caption(message),
                          catalogue_.Style(message).value_or(MessageStyle::Error));
}

void PictureActions::OpenPicture(const std::string& path) {
    if (const Status opened = shell_.Open(path); !opened)
        ReportFailure(kMsgEditImageFailure, opened.message());
}

void PictureActions::PrintPicture(const std::string& path) {
    if (const Status printed = shell_.Print(path); !printed)
        ReportFailure(kMsgPrintImageFailure, printed.message());
}

void PictureActions::SavePictureAs(const std::string& path) {
    SaveFileRequest request;
    request.title = save_texts_.title;
    request.filter = save_texts_.filter;
    request.file = path;
    request.preview = true;
    request.overwrite_prompt = false;
    const std::string chosen = files_.SaveFile(request);
    if (chosen.empty() || chosen == path)
        return;
    if (const Status copied = CopyFileToOther(path, chosen); !copied)
        ReportFailure(kMsgSavePicFailure, copied.message());
}

void PictureActions::MailPictures(const std::vector<std::string>& paths) {
    if (const Status mailed = shell_.Mail(paths); !mailed)
        ReportFailure(kMsgMailImageFailure, mailed.message());
}

void PictureActions::OpenWithShell(const std::string& target) {
    if (const Status opened = shell_.Open(target); !opened)
        ReportFailure(kMsgOpenWebsite, opened.message());
}

}  // namespace orvella
