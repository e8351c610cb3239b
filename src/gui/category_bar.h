#pragma once

#include <QObject>
#include <QPixmap>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gui/file_type_icons.h"
#include "gui/menu_rules.h"
#include "gui/picture_list.h"
#include "library/category_store.h"

class QAction;
class QBoxLayout;
class QMenu;
class QPoint;
class QToolButton;

namespace orvella {

class MessageCatalogue;
class Prompter;
class TOutlookBar;

// What the category bar asks of the window around it.
struct CategoryBarHooks {
    // Lays out the picture area for the current list, before that list shows.
    std::function<void()> layout;
    // A category was made current: show its caption and count.
    std::function<void(const QString& caption)> selected;
    // The user moved the focus or the selection of the current list.
    std::function<void(TPictureList* list)> list_changed;
    std::function<void()> list_double_clicked;
    // The file drop target of every list but the summary's.
    TPictureList::DropTarget drop;
};

// The store's view in the main window: one bar button and one picture list per category,
// the category icons, and which category is current. It hears every change of the store.
class CategoryBar : public QObject, private CategoryObserver {
    Q_OBJECT

public:
    // The buttons go into `bar`, the lists into `lists`; the lists open `popup`, the
    // buttons `kat_popup`. `list_actions` work by their short-cuts while a list has the focus.
    CategoryBar(TOutlookBar& bar, QBoxLayout& lists, QMenu& popup, QMenu& kat_popup,
                std::vector<QAction*> list_actions, const MessageCatalogue& catalogue,
                Prompter& prompter, CategoryBarHooks hooks);

    // Shows `store` from now on, as its observer.
    void Attach(TCategoryStore& store);

    // Makes the category of `button` current.
    void SelectCategory(QToolButton* button);
    // Makes the 32 x 32 icon of the category being created (add) or replaces the icon at
    // `index`; returns the new image's position, or -1 when replacing.
    int LoadCategoryIcon(const std::string& icon_path, bool add, int index);
    // Shows the store's new name of category `index`, and its icon when one was chosen.
    void ShowChangedCategory(int index, const std::optional<std::string>& icon);
    // Sorts or unsorts every list.
    void SetSorted(bool sorted);

    // Runs a change of many pictures, reloading each changed list once at the end.
    void InBatch(const std::function<void()>& change);

    TPictureList* PictureList(int index) const;
    TPictureList* CurrentList() const;
    QToolButton* CategoryButton(int index) const;
    // What the menus' enabling rules look at: the current category, its list's focus and
    // selection, and the bar button last right-clicked.
    MenuState CurrentMenuState() const;
    // The path of the current list's focused picture; none without a focus.
    std::optional<std::string> FocusedPicture() const;
    // The paths of the current list's selected pictures, in list order.
    std::vector<std::string> SelectedPictures() const;
    // The index of the bar button the right mouse button was last pressed on.
    int KatPopupTag() const { return kat_popup_tag_; }
    const std::vector<QPixmap>& KatImageList() const { return kat_images_; }
    // The icon paths as the user gave them, by category.
    const std::vector<std::string>& IconFiles() const { return icon_files_; }

private:
    struct CategoryView {
        QToolButton* button = nullptr;
        TPictureList* list = nullptr;
    };

    // CategoryObserver
    void CategoryCreated(int index) override;
    void CategoriesFreed() override;
    void PicturesChanged(int index) override;
    void CategoryLimitReached() override;

    QToolButton* CreateButton(int index);
    TPictureList* CreateList(int index);
    void ReloadList(int index);
    void OpenKatPopup(int index, const QPoint& global_position);
    void ShowError(const std::string& text) const;

    TOutlookBar& bar_;
    QBoxLayout& lists_;
    QMenu& popup_;
    QMenu& kat_popup_;
    std::vector<QAction*> list_actions_;
    const MessageCatalogue& catalogue_;
    Prompter& prompter_;
    CategoryBarHooks hooks_;
    TCategoryStore* store_ = nullptr;
    FileTypeIcons file_icons_;
    std::vector<CategoryView> views_;
    std::vector<QPixmap> kat_images_;
    std::vector<std::string> icon_files_;
    // Lists whose pictures changed while a batch (the load) ran; reloaded once at its end.
    std::vector<int> changed_lists_;
    int batch_depth_ = 0;
    // Set while lists reload: the focus they lose then is no change the user made.
    bool adding_ = false;
    int kat_popup_tag_ = 0;
};

}  // namespace orvella
