// The file managers' entry "Zu Orvella-Kategorie hinzufügen...":
//   orvella-add-to-category [--category=N] [--] FILE...
// asks for one of the categories of "ovlimg.dat" (or takes category N, for scripts), adds
// the pictures among the files to it, each once, names it in "RefreshCategorie" and sends
// the refresh message to the running Orvella, which shows them at once. When Orvella is
// not running, its next start shows them.
#include <unistd.h>

#include <QApplication>
#include <climits>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "gui/qt_prompter.h"
#include "gui/taddtocategoryform.h"
#include "library/category_additions.h"
#include "platform/profile/profile_file.h"
#include "settings/file_manager_actions.h"
#include "settings/settings_places.h"
#include "shell/non_interactive_prompter.h"

namespace {

constexpr std::string_view kCategoryOption = "--category=";

std::string WorkingFolder() {
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string();
}

// The category named on the command line before "--", if any.
std::optional<int> GivenCategory(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "--")
            break;
        if (argument.starts_with(kCategoryOption))
            return orvella::ParseProfileInteger(argument.substr(kCategoryOption.size()));
    }
    return std::nullopt;
}

std::optional<int> AskForCategory(const std::vector<orvella::CategoryChoice>& categories,
                                  int picture_count) {
    orvella::TAddToCategoryForm form(categories, picture_count);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.ChosenCategory();
}

int Tell(orvella::Prompter& prompter, const QString& text, orvella::MessageStyle style) {
    prompter.ShowMessage(text.toStdString(), "Orvella", style);
    return style == orvella::MessageStyle::Error ? 1 : 0;
}

int AddPictures(orvella::Prompter& prompter, const std::vector<std::string>& arguments,
                const std::vector<std::string>& pictures) {
    const orvella::ProcessEnvironment environment;
    const orvella::ProgramPaths paths =
        orvella::ResolvePaths(environment, orvella::ExecutablePath());
    const std::string store_path = orvella::CategoryFilePath(paths.program_dir);
    const orvella::Result<orvella::ProfileDocument> store = orvella::ProfileFile(store_path).Load();
    if (!store)
        return Tell(prompter, QString::fromStdString(store.message()),
                    orvella::MessageStyle::Error);
    const std::vector<orvella::CategoryChoice> categories = orvella::AddableCategories(*store);
    if (categories.empty()) {
        return Tell(prompter,
                    QApplication::translate("AddToCategory",
                                            "Orvella hat noch keine Kategorie für Bilder."),
                    orvella::MessageStyle::Warning);
    }
    std::optional<int> category = GivenCategory(arguments);
    if (!category)
        category = AskForCategory(categories, static_cast<int>(pictures.size()));
    if (!category)
        return 0;  // cancelled
    const orvella::Result<int> added =
        orvella::AddPicturesToStoreFile(store_path, *category, pictures);
    if (!added)
        return Tell(prompter, QString::fromStdString(added.message()),
                    orvella::MessageStyle::Error);
    // Without a running Orvella the pictures wait in the file for its next start.
    if (const std::optional<std::uint32_t> window = orvella::PublishedWindow(paths.registry_file)) {
        if (const orvella::Status sent = orvella::SendRefresh(environment, *window); !sent)
            std::cerr << "orvella-add-to-category: " << sent.message() << '\n';
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Orvella");
    QApplication::setApplicationDisplayName("Orvella");

    const orvella::ProcessEnvironment environment;
    orvella::QtPrompter qt_prompter;
    std::unique_ptr<orvella::Prompter> scripted = orvella::MakeNonInteractivePrompter(
        environment.Get("ORVELLA_NONINTERACTIVE").value_or(""), std::cerr);
    orvella::Prompter& prompter = scripted ? *scripted : qt_prompter;

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::vector<std::string> pictures =
        orvella::SelectedPictures(arguments, environment, WorkingFolder());
    if (pictures.empty()) {
        return Tell(
            prompter,
            QApplication::translate("AddToCategory", "Unter den gewählten Dateien ist kein Bild."),
            orvella::MessageStyle::Warning);
    }
    return AddPictures(prompter, arguments, pictures);
}
