#include "gui/language_menu.h"

#include <QAction>
#include <iostream>

#include "platform/files/files.h"
#include "platform/system/process.h"
#include "settings/form_storage.h"
#include "settings/language_entry.h"
#include "settings/language_lookup.h"
#include "shell/prompter.h"

namespace orvella {
namespace {

constexpr std::string_view kEnglish = "en";
constexpr const char* kRestartProgramName = "orvella-restart";

}  // namespace

TLanguageMenu::TLanguageMenu(QAction* deutsch, QAction* englisch,
                             std::string_view language_in_force, LanguageMenuServices services)
    : deutsch_(deutsch),
      englisch_(englisch),
      services_(std::move(services)),
      german_checked_(language_in_force == kBuiltInLanguage),
      english_checked_(language_in_force == kEnglish) {
    ShowMarks();
}

void TLanguageMenu::Deutsch1Click() {
    Choose(german_checked_, english_checked_, kBuiltInLanguage, kLangIdGerman);
}

void TLanguageMenu::Englisch1Click() {
    Choose(english_checked_, german_checked_, kEnglish, kLangIdEnglish);
}

void TLanguageMenu::SetGermanChecked(bool checked) {
    german_checked_ = checked;
    ShowMarks();
}

void TLanguageMenu::SetEnglishChecked(bool checked) {
    english_checked_ = checked;
    ShowMarks();
}

std::string TLanguageMenu::RestartProgram() const {
    return ParentFolder(services_.program_file) + kRestartProgramName;
}

void TLanguageMenu::Choose(bool& chosen, bool& other, std::string_view code,
                           std::uint32_t lang_id) {
    if (chosen) {
        ShowMarks();  // undo the toggle of the click
        return;
    }
    chosen = true;
    other = false;
    ShowMarks();
    SetUiLanguage(services_.registry, services_.program_file, code, lang_id, services_.catalogue,
                  services_.prompter);
    if (!GoesOn(ShowCatalogueMessage(services_.prompter, services_.catalogue, kMsgLanguageChanged)))
        return;
    // Without the restart program the program still ends; the user starts it again.
    if (Result<pid_t> started = StartDetached({RestartProgram(), services_.program_file}); !started)
        std::cerr << "orvella: " << started.message() << '\n';
    services_.close_main_window();
}

void TLanguageMenu::ShowMarks() {
    deutsch_->setChecked(german_checked_);
    englisch_->setChecked(english_checked_);
}

void TLanguageMenu::KeepMarks(TFormStorage& storage) {
    storage.AddBool(
        {"Deutsch1", "Checked"}, [this] { return german_checked_; },
        [this](bool checked) { SetGermanChecked(checked); });
    storage.AddBool(
        {"Englisch1", "Checked"}, [this] { return english_checked_; },
        [this](bool checked) { SetEnglishChecked(checked); });
}

}  // namespace orvella
