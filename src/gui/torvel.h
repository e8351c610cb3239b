#pragma once

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/file_type_icons.h"
#include "gui/menu_rules.h"
#include "gui/widget_placement.h"
#include "library/category_store.h"
#include "platform/window_message.h"
#include "settings/form_storage.h"
#include "shell/startup_sequence.h"
#include "wallpaper/wallpaper_settings.h"

class QAction;
class QLabel;
class QMenu;
class QSocketNotifier;
class QSystemTrayIcon;
class QTimer;
class QToolButton;

namespace Ui {
class TOrvel;
}

namespace orvella {

class Environment;
class MessageCatalogue;
class Prompter;
class ActiveDesktopSwitch;
class FileChooser;
class TAddKatForm;
class TFindPics;
class TLanguageMenu;
class TOptions;
class TPreviewForm;
class TPictureList;
class WallpaperCommands;
struct Platform;

// What the main window is given from outside.
struct TOrvelServices {
    Platform& platform;
    const Environment& environment;
    const MessageCatalogue& catalogue;
    Prompter& prompter;
    WallpaperCommands& wallpaper;
    FileChooser& files;
    ActiveDesktopSwitch& active_desktop;
    // Shows the splash modally; empty in tests.
    std::function<void()> show_splash;
    // Shows the information box modally, closed by a click; empty in tests.
    std::function<void()> show_info;
    // Whether the desktop has a tray to go to.
    std::function<bool()> tray_available;
    // The code of the interface language in force ("de" built in); its menu item is checked
    // at a first start.
    std::string language = "de";
};

// The main window: the category bar, the current category's picture list, the tool bar,
// the menus, the status line and the tray icon.
class TOrvel : public QMainWindow, private CategoryObserver, private StartupSteps {
    Q_OBJECT

public:
    explicit TOrvel(TOrvelServices services, QWidget* parent = nullptr);
    ~TOrvel() override;

    // Runs the creation steps for the command line (without the program name).
    StartupOutcome FormCreate(const std::vector<std::string>& arguments);
    // Shows the window after a start that keeps running, unless it went to the tray.
    void ShowAfterStartup();
    // The normal end: what closing the window does, also when the window was never shown.
    void EndProgram();

    // Makes the category of `button` current.
    void SelectCategory(QToolButton* button);
    void BackPanelResize();
    // Sorts or unsorts every list, for the options dialog.
    void ApplyPictureSort(bool sorted);
    // Makes the 32 x 32 icon of the category being created (add) or replaces the icon at
    // `index`; returns the new image's position, or -1 when replacing.
    int LoadCategoryIcon(const std::string& icon_path, bool add, int index);

    // The menus' enabling, run each time one opens.
    void Kategorien1Click();
    void Hintergrundbild1Click();
    void PopupPopup();
    void KatPopupPopup();

    // The category dialog, created after the main window and reused.
    void SetCategoryDialog(TAddKatForm* dialog);
    // The options dialog, created after the main window; it lives to the end.
    void SetOptionsDialog(TOptions* dialog) { options_dialog_ = dialog; }
    void SBOptionsClick();

    // Category editing. The dialog's result: QDialog::Accepted only when a category was
    // created or changed.
    int AddKatClick();
    // From the bar buttons' menu the right-clicked category, from the main menu the
    // current one.
    int KatEditClick(QAction* sender);
    void KatDeleteClick();
    void Kategorielschen1Click();
    void DeleteCategory(int index);

    // Picture list editing.
    void SBAddClick();
    void SBDelClick();
    void AlleBilderentfernen1Click();
    bool DropFileTargetGetDropEffect(const std::vector<std::string>& files) const;
    void DropFileTargetDrop(const std::vector<std::string>& files);

    // Handlers of the commands built so far.
    void Speichern1Click();
    void Beenden1Click();
    void SBInfoClick();
    void NeuerZufallshintergrund1Click();
    void MarkiertesBildalsHintergund1Click();
    void SBTransClick();
    void Einfach1Click();
    void Difus1Click();
    void WiederherstellenClick();
    void ApplicationEventsMinimize();
    void ApplicationEventsRestore();
    void RefreshCategoryMessage();
    // Menu "Sprache": records the language for the next start and offers a restart.
    void Deutsch1Click();
    void Englisch1Click();

    // The disk search: one window at a time, freed by TimerCloseFind after it closed.
    void AufderFestplatte1Click();
    void TimerCloseFindTimer();
    TFindPics* FindPicsWindow() const;
    QTimer* TimerCloseFind() const { return timer_close_find_; }
    // Files `paths` into category `index` and the first, as the search window asks.
    void FilePictures(int index, const std::vector<std::string>& paths);

    // The preview window, created after the main window; it lives to the end.
    void SetPreviewForm(TPreviewForm* preview);
    TPreviewForm* PreviewForm() const { return preview_form_; }
    void ShowPreviewClick();
    // Loads `path` into the preview window, shown or not.
    void ShowInPreview(const std::string& path);

    TCategoryStore& store() { return *store_; }
    TFormStorage& WallStorage() { return *wall_storage_; }
    TPictureList* PictureList(int index) const;
    TPictureList* CurrentList() const;
    QToolButton* CategoryButton(int index) const;
    QMenu* Popup() const { return popup_; }
    QMenu* KatPopup() const { return kat_popup_; }
    QMenu* TrayPop() const { return tray_pop_; }
    QSystemTrayIcon* TrayIcon() const { return tray_icon_; }
    int KatPopupTag() const { return kat_popup_tag_; }
    QString StatusText(int panel) const;
    const std::vector<QPixmap>& KatImageList() const { return kat_images_; }
    const std::vector<std::string>& IconFiles() const { return icon_files_; }
    bool in_tray() const { return in_tray_; }
    // The change sound, kept by the form store as "OvlMediaP_FileName".
    const std::string& change_sound() const { return change_sound_; }
    void SetChangeSound(std::string file) { change_sound_ = std::move(file); }
    std::uint32_t window_handle() const { return window_handle_; }
    QAction* Action(const char* name) const;
    // What the wallpaper engine reads at a change: the stored values and the change sound.
    WallpaperSettings WallpaperSettingsNow() const;

signals:
    // Categories were loaded, created, renamed or deleted.
    void CategoriesChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct CategoryView {
        QToolButton* button = nullptr;
        TPictureList* list = nullptr;
    };

    // StartupSteps
    void RegisterShellExtensions() override;
    void UnregisterShellExtensions() override;
    void ShowSplash() override;
    void BindSystemImageList() override;
    void OpenCategoryStore() override;
    void SetFormStorageFile() override;
    void PublishWindowHandle() override;
    void LoadCategories() override;
    void RestoreFormState() override;
    void SetRandomWallpaper() override;
    void ScheduleTransparency() override;
    void GoToTray() override;

    // CategoryObserver
    void CategoryCreated(int index) override;
    void CategoriesFreed() override;
    void PicturesChanged(int index) override;
    void CurrentCategoryChanged(int index) override;

    ListState CurrentListState() const;
    bool CreateCategoryFromDialog(const std::string& name, const std::string& icon);
    void ChangeCategoryFromDialog(int index, const std::string& name,
                                  const std::optional<std::string>& icon);
    // Runs a change of many pictures, reloading each changed list once at the end.
    void InBatch(const std::function<void()>& change);
    void AfterPicturesChanged();
    void FormShow();
    void FormClose();
    void BuildMenus();
    void ConnectCommands();
    void ShowCurrentCount();
    void PictureListChange(TPictureList* list);
    void OpenKatPopup(int index, const QPoint& global_position);
    void ShowError(const std::string& text);
    // Enables `action` by `rule` when its command is built; a command still to come stays
    // disabled.
    void Enable(QAction* action, bool rule);
    std::string ProgramFile(const std::string& name) const;

    std::unique_ptr<Ui::TOrvel> ui_;
    TOrvelServices services_;
    std::vector<std::string> arguments_;
    std::unique_ptr<TCategoryStore> store_;
    std::unique_ptr<TFormStorage> wall_storage_;
    std::unique_ptr<TLanguageMenu> language_menu_;
    WidgetPlacement placement_;
    std::optional<WindowMessageListener> listener_;
    QSocketNotifier* listener_notifier_ = nullptr;
    std::uint32_t window_handle_ = 0;
    FileTypeIcons file_icons_;
    std::vector<CategoryView> views_;
    std::vector<QPixmap> kat_images_;
    std::vector<std::string> icon_files_;
    std::string change_sound_;
    std::vector<QAction*> commands_to_come_;
    // Lists whose pictures changed while a batch (the load) ran; reloaded once at its end.
    std::vector<int> changed_lists_;
    int batch_depth_ = 0;
    bool adding_ = false;
    bool closed_ = false;
    bool in_tray_ = false;
    int kat_popup_tag_ = 0;
    TAddKatForm* category_dialog_ = nullptr;
    TOptions* options_dialog_ = nullptr;
    QMenu* popup_ = nullptr;
    QMenu* kat_popup_ = nullptr;
    QMenu* tray_pop_ = nullptr;
    QSystemTrayIcon* tray_icon_ = nullptr;
    QLabel* status_count_ = nullptr;
    QLabel* status_file_ = nullptr;
    QTimer* timer_close_find_ = nullptr;
    TPreviewForm* preview_form_ = nullptr;
    QPointer<TFindPics> find_pics_window_;
};

}  // namespace orvella
