#include "gui/slideshow_start.h"

#include "shell/message_catalogue.h"
#include "shell/prompter.h"

namespace orvella {

void StartSlideshow(const std::vector<std::string>& entries,
                    const TSlideShowForm::Settings& settings, Prompter& prompter,
                    const MessageCatalogue& catalogue, QWidget* owner) {
    if (entries.empty()) {
        ShowCatalogueMessage(prompter, catalogue, kMsgNoPicInList);
        return;
    }
    TSlideShowForm form(entries, settings, owner);
    form.Exec();
}

}  // namespace orvella
