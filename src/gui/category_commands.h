#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace orvella {

class CategoryBar;
class MessageCatalogue;
class Prompter;
class TAddKatForm;
class TCategoryStore;

// What the category commands ask of the main window.
struct CategoryCommandHooks {
    // A category was created or changed: the store is saved and the window's other parts
    // hear of it.
    std::function<void()> changed;
    // A category was deleted from the file: the categories are read again, saved and laid
    // out.
    std::function<void()> reload;
    std::function<void(const std::string& text)> show_error;
};

// Adding, editing and deleting categories through the category dialog.
class CategoryCommands {
public:
    // `store` is the window's, made at start-up; `default_icon` presets a new category's.
    CategoryCommands(const std::unique_ptr<TCategoryStore>& store, CategoryBar& bar,
                     const MessageCatalogue& catalogue, Prompter& prompter,
                     std::string default_icon, CategoryCommandHooks hooks);

    // The dialog lives from start-up to the end; OK runs this class's actions.
    void SetDialog(TAddKatForm* dialog);
    // The dialog's result: QDialog::Accepted only when a category was created or changed.
    int Add();
    int Edit(int index);
    // Deletes category `index` after the user confirmed it; the summary stays.
    void Delete(int index);

private:
    bool CreateFromDialog(const std::string& name, const std::string& icon);
    void ChangeFromDialog(int index, const std::string& name,
                          const std::optional<std::string>& icon);

    const std::unique_ptr<TCategoryStore>& store_;
    CategoryBar& bar_;
    const MessageCatalogue& catalogue_;
    Prompter& prompter_;
    std::string default_icon_;
    CategoryCommandHooks hooks_;
    TAddKatForm* dialog_ = nullptr;
};

}  // namespace orvella
