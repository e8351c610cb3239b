#include "wallpaper/desktop_problem_notice.h"

#include "shell/message_catalogue.h"
#include "shell/prompter.h"
#include "wallpaper/wallpaper_engine.h"

namespace orvella {

void DesktopProblemNotice::Tell(const Status& status) {
    if (status.ok())
        return;
    TWallpaperEngine::WarnOnStandardError(status);
    if (told_.insert(status.message()).second)
        prompter_.ShowMessage(status.message(), catalogue_.Text(kSError), MessageStyle::Warning);
}

}  // namespace orvella
