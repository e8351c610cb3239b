#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/qt_owner_thread.h"
#include "gui/widget_placement.h"
#include "settings/form_storage.h"
#include "tools/find_file.h"
#include "tools/trash_folders.h"

class QAction;
class QCheckBox;
class QListView;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QLabel;

namespace Ui {
class TFindPics;
}

namespace orvella {

class Drives;
class Environment;
class MessageCatalogue;
class Prompter;
class TCategoryStore;
class TFoundPictures;

// What the search window is given by the main window.
struct TFindPicsServices {
    const MessageCatalogue& catalogue;
    Prompter& prompter;
    const Drives& drives;
    const Environment& environment;
    // The categories, read for the target items and the pictures to ignore.
    const TCategoryStore& store;
    // "ovl.dat", the main window's form-state file.
    std::string form_file;
    // Files the pictures into category `index` (and the first), saves and refits the main
    // window's list.
    std::function<void(int index, const std::vector<std::string>& paths)> add_to_category;
    // Runs the category dialog for a new category; true when one was created.
    std::function<bool()> new_category;
    std::function<void(const std::string& path)> show_in_preview;
    // The window was closed; the main window frees it a little later.
    std::function<void()> closed;
};

// The disk search for pictures: the user ticks types and drives, watches the finds arrive
// while a worker walks the drives, and files them into categories by right click.
class TFindPics : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMaxCategories = 30;

    explicit TFindPics(TFindPicsServices services, QWidget* parent = nullptr);
    ~TFindPics() override;

    void FormCreate();
    void FormShow();
    void FormResize();
    void FormClose();
    void BtnFindClick();
    void BtnStopClick();
    void BtnCloseClick();
    void Label4Click();
    void FindFileFound(const std::string& folder, const TFileInfo& info);
    void FindFileComplete();
    void NeueKategorie1Click();
    void AddToCategoryClick(QAction* item);
    void UpdateScrollWidth();
    // Rebuilds the target items from the categories, after they changed in the main window.
    void CategoriesChanged();

    // True when at least one type and one drive are ticked.
    bool HasSearchSelection() const;

    QListWidget* LBSearchPics() const;
    QListWidget* LogicalDrives() const;
    QListView* LBPicsFound() const;
    QCheckBox* CkbIgnoreExistingPic() const;
    QPushButton* BtnFind() const;
    QPushButton* BtnStop() const;
    QPushButton* BtnClose() const;
    QProgressBar* BusyIndicator() const { return busy_; }
    QLabel* FoundLabel() const { return found_label_; }
    QMenu* PicsFoundPopup() const { return pics_found_popup_; }
    QAction* NeueKategorie1() const { return neue_kategorie1_; }
    QAction* TargetItem(int index) const;
    TFoundPictures& found() const { return *found_; }
    TFindFile& FindFile() { return *find_file_; }
    int FoundCount() const { return found_count_; }
    const TrashFolders& trash() const { return trash_; }

    // The masks of type `index` of LBSearchPics.
    static const std::vector<std::string>& TypeMasks(int index);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LBPicsFoundMouseDown(const QPoint& at);
    void LBPicsFoundMouseUp();
    bool LBPicsFoundKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void LBPicsFoundKeyUp();
    void ShowFocusedInPreview();
    void AddTargetItem(int index);
    void ShowFoundCount();
    void SearchEnded();
    std::vector<std::string> CheckedRoots() const;

    std::unique_ptr<Ui::TFindPics> ui_;
    TFindPicsServices services_;
    // The worker's way into this thread; declared before the engine, which goes first.
    QtOwnerThread owner_;
    std::unique_ptr<TFindFile> find_file_;
    WidgetPlacement placement_;
    std::unique_ptr<TFormStorage> wall_storage4_;
    TFoundPictures* found_ = nullptr;
    TrashFolders trash_;
    QProgressBar* busy_ = nullptr;
    QLabel* found_label_ = nullptr;
    QMenu* pics_found_popup_ = nullptr;
    QAction* neue_kategorie1_ = nullptr;
    std::array<QAction*, kMaxCategories> target_items_{};
    int found_count_ = 0;
    int widest_path_ = 0;  // in pixels of the list's font, of every path found since the start
};

}  // namespace orvella
