#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace orvella {

class ActiveDesktopSwitch;
class CategoryBar;
class FileChooser;
class MessageCatalogue;
class Prompter;
class TCategoryStore;

// What the picture list commands are given by the main window.
struct PictureListServices {
    FileChooser& files;
    ActiveDesktopSwitch& active_desktop;
    const MessageCatalogue& catalogue;
    Prompter& prompter;
    // The copy/move dialog is centred on it.
    QWidget* dialog_parent;
};

// What the picture list commands ask of the main window.
struct PictureListHooks {
    // "Einstellungen speichern".
    std::function<void()> save;
    // Lays out the picture area for the current list.
    std::function<void()> layout;
    // Shows the current category's picture count.
    std::function<void()> show_count;
    // Nothing is focused any more: the picture shown for the focus goes.
    std::function<void()> clear_shown;
    std::function<void(const std::string& text)> show_error;
};

// Adding pictures to the current category and removing them from it: through the file
// dialog, by dropping files on the list, from the search window, and copying or moving them
// into another category.
class PictureListCommands {
public:
    // `store` is the window's, made at start-up.
    PictureListCommands(const std::unique_ptr<TCategoryStore>& store, CategoryBar& bar,
                        PictureListServices services, PictureListHooks hooks);

    // Pictures chosen in the file dialog join the current category.
    void Add();
    // The selected pictures leave the current category, after the user confirmed it.
    void Remove();
    // The current category is emptied, after the user confirmed it.
    void RemoveAll();
    // Whether dragged `files` may be dropped on a list.
    static bool Accepts(const std::vector<std::string>& files);
    // Dropped `files` join the current category, unless it is the summary.
    void Drop(const std::vector<std::string>& files);
    // `paths` join category `index` and the summary.
    void File(int index, const std::vector<std::string>& paths);
    // The selected pictures are copied or moved into the category the user chooses; neither
    // the summary nor the current category is a target. Saved once at the end.
    void CopyMove();

private:
    void AddToCurrent(const std::vector<std::string>& files);
    void AfterChange();
    // After a copy or move: the focused picture, still or again, joins the selection, or
    // with none the picture shown for the focus goes.
    void KeepFocus(int row);

    const std::unique_ptr<TCategoryStore>& store_;
    CategoryBar& bar_;
    PictureListServices services_;
    PictureListHooks hooks_;
};

}  // namespace orvella
