#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class QAction;

namespace orvella {

class MessageCatalogue;
class Prompter;
class Registry;
class TFormStorage;

struct LanguageMenuServices {
    Registry& registry;
    std::string program_file;  // the running program file, as the language entry names it
    const MessageCatalogue& catalogue;
    Prompter& prompter;
    // Ends the program the ordinary way, saving the main window's store.
    std::function<void()> close_main_window;
};

// The menu "Sprache": two items of one group, whose check marks are stored properties of the
// main window. A choice is recorded for the next start; the running language stays, unless
// the user lets the program restart at once.
class TLanguageMenu {
public:
    // The item of the language in force starts checked; the store may restore others.
    TLanguageMenu(QAction* deutsch, QAction* englisch, std::string_view language_in_force,
                  LanguageMenuServices services);

    void Deutsch1Click();
    void Englisch1Click();

    // The stored properties Deutsch1_Checked and Englisch1_Checked.
    bool GermanChecked() const { return german_checked_; }
    void SetGermanChecked(bool checked);
    bool EnglishChecked() const { return english_checked_; }
    void SetEnglishChecked(bool checked);

    // The marks as stored properties of the main window's form state.
    void KeepMarks(TFormStorage& storage);

    // Beside the program file: "orvella-restart".
    std::string RestartProgram() const;

private:
    // The marks are kept here, not read from the items: a click has toggled the item already
    // when the handler runs, and choosing the checked language must do nothing.
    void Choose(bool& chosen, bool& other, std::string_view code, std::uint32_t lang_id);
    void ShowMarks();

    QAction* deutsch_;
    QAction* englisch_;
    LanguageMenuServices services_;
    bool german_checked_;
    bool english_checked_;
};

}  // namespace orvella
