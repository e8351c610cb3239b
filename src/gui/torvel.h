#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/widget_placement.h"
#include "library/category_store.h"
#include "settings/form_storage.h"
#include "settings/options_commit.h"
#include "shell/startup_sequence.h"
#include "wallpaper/wallpaper_settings.h"

class QAction;
class QTimer;

namespace Ui {
class TOrvel;
}

namespace orvella {

class Environment;
class MessageCatalogue;
class Prompter;
class ActiveDesktopSwitch;
class DesktopShell;
class FileChooser;
class TAddKatForm;
class TFindPics;
class TLanguageMenu;
class TOptions;
class TPictureList;
class TPreviewForm;
class WallpaperCommands;
class CategoryBar;
class FindPicsHost;
class RefreshListener;
class MainWindowCommands;
class MainWindowTray;
class CategoryCommands;
class PictureListCommands;
class StatusLine;
class PreviewLink;
class PictureTools;
struct Platform;
struct ShellIntegrationOutcome;

// What the main window is given from outside.
struct TOrvelServices {
    Platform& platform;
    const Environment& environment;
    const MessageCatalogue& catalogue;
    Prompter& prompter;
    WallpaperCommands& wallpaper;
    FileChooser& files;
    ActiveDesktopSwitch& active_desktop;
    // The desktop's other programs: the picture actions, help, homepage and web links.
    DesktopShell& shell;
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
// the menus, the status line and the tray icon. The bar, the tray and the command wiring
// are parts of their own; the window keeps the handlers.
class TOrvel : public QMainWindow, public MainWindowSettings, private StartupSteps {
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

    // Lays out the picture area: the frame, the panel and the current list's column.
    void BackPanelResize();
    // Sorts or unsorts every list, for the options dialog.
    void ApplyPictureSort(bool sorted);

    // The menus' enabling, run each time one opens.
    void Kategorien1Click();       // menu "Kategorien"
    void Hintergrundbild1Click();  // menu "Hintergrundbild"
    void PopupPopup();             // the picture lists' context menu
    void KatPopupPopup();          // the bar buttons' context menu

    // The category dialog, created after the main window and reused.
    void SetCategoryDialog(TAddKatForm* dialog);
    // The options dialog, created after the main window; it lives to the end.
    void SetOptionsDialog(TOptions* dialog) { options_dialog_ = dialog; }
    // "Optionen...": opens the options dialog.
    void SBOptionsClick();

    // Category editing, done by CategoryCommands. The dialog's result: QDialog::Accepted
    // only when a category was created or changed.
    // "Kategorie hinzufügen...": a new category through the category dialog.
    int AddKatClick();
    // "Kategorie bearbeiten...": from the bar buttons' menu the right-clicked category,
    // from the main menu the current one.
    int KatEditClick(QAction* sender);
    // "Kategorie löschen" of the bar buttons' menu: the right-clicked category.
    void KatDeleteClick();
    // "Kategorie löschen" of the main menu: the current category.
    void Kategorielschen1Click();
    // Deletes category `index` after the user confirmed it.
    void DeleteCategory(int index);

    // Picture list editing, done by PictureListCommands.
    // "Bilder hinzufügen...": pictures chosen in the file dialog join the current category.
    void SBAddClick();
    // "Bilder entfernen": the selected pictures leave the current category.
    void SBDelClick();
    // "Alle Bilder entfernen": the current category is emptied.
    void AlleBilderentfernen1Click();
    // Whether the dragged files may be dropped on the current list.
    bool DropFileTargetGetDropEffect(const std::vector<std::string>& files) const;
    // Files dropped on the current list join its category.
    void DropFileTargetDrop(const std::vector<std::string>& files);
    // "Bilder kopieren / verschieben...": the selection into another category.
    void CopyMovePicClick();

    // The desktop's other programs, through PictureTools.
    // "Bild öffnen/bearbeiten...": the focused picture in the desktop's program for it.
    void Bildffnen1Click();
    // "Bild speichern unter...": a copy of the focused picture under a chosen name.
    void Bildspeichernunter1Click();
    // "Bild drucken...": the focused picture on the default printer.
    void Bilddrucken1Click();
    // "Bilder per E-Mail senden..." (Ctrl+M): the selected pictures in a new mail.
    void BildperEMailsenden1Click();
    // "Hilfe" (F1): the help page of the checked language.
    void Hilfe2Click();
    // "Homepage...": the project's page in the checked language.
    void OrvellaHomepage1Click();
    // "Im Internet": the wallpaper site of the item clicked.
    void WebLinkClick(QAction* sender);

    // "Einstellungen speichern": writes the category store.
    void Speichern1Click();
    // "Beenden": closes the window, which ends the program.
    void Beenden1Click();
    // "Info...": the information box.
    void SBInfoClick();
    // "Diashow starten..." (F12): the current category as a full-screen slideshow.
    void Diashowstarten1Click();
    // "Neues zufälliges Hintergrundbild": a random picture of the current category.
    void NeuerZufallshintergrund1Click();
    // "Selektiertes Bild als Hintergrund": the first selected picture.
    void MarkiertesBildalsHintergund1Click();
    // "Icons transparent setzen": the desktop icon labels become transparent.
    void SBTransClick();
    // "Sternenfeld Hintergrund" > "Einfach": the simple starfield.
    void Einfach1Click();
    // "Sternenfeld Hintergrund" > "Bewegt": the moving starfield.
    void Difus1Click();
    // "Wiederherstellen" of the tray menu: the window comes back.
    void WiederherstellenClick();
    // The window was minimised: it goes to the tray.
    void ApplicationEventsMinimize();
    // The window came back from minimised: the tray icon goes.
    void ApplicationEventsRestore();
    // The refresh message of an outside program: its category is read again.
    void RefreshCategoryMessage();
    // Menu "Sprache": records the language for the next start and offers a restart.
    void Deutsch1Click();
    void Englisch1Click();

    // The disk search: one window at a time, freed by TimerCloseFind after it closed.
    // "Auf der Festplatte...": opens the search window, or brings it to the front.
    void AufderFestplatte1Click();
    // Frees the search window a moment after it closed.
    void TimerCloseFindTimer();
    // Files `paths` into category `index` and the first, as the search window asks.
    void FilePictures(int index, const std::vector<std::string>& paths);

    // The preview window, created after the main window; it lives to the end.
    void SetPreviewForm(TPreviewForm* preview);
    // "Vorschaubild anzeigen": shows or hides the preview window.
    void ShowPreviewClick();
    // Loads `path` into the preview window, shown or not.
    void ShowInPreview(const std::string& path);

    TCategoryStore& store() { return *store_; }
    // The change sound, kept by the form store as "OvlMediaP_FileName".
    const std::string& change_sound() const { return values_.change_sound; }
    // MainWindowSettings: what "[Wallpaper]" keeps for the options and the engine.
    const MainWindowValues& Values() const override { return values_; }
    Status SetValues(const MainWindowValues& values) override;
    void SetChangeSound(std::string file) override { values_.change_sound = std::move(file); }
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
    // The window tests look inside through this one door.
    friend class TOrvelTestAccess;

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

    void CreateParts();
    void CreateCommands();
    void ReportShellIntegration(const ShellIntegrationOutcome& outcome);
    // Nothing is focused any more: the file panel and, while it is on, the preview go blank.
    void ClearPictureShown();
    void FormShow();
    void FormClose();
    void CategorySelected(const QString& caption);
    void ShowCurrentCount();
    void PictureListChange(TPictureList* list);
    void ShowError(const std::string& text);
    std::string ProgramFile(const std::string& name) const;

    std::unique_ptr<Ui::TOrvel> ui_;
    TOrvelServices services_;
    std::vector<std::string> arguments_;
    std::unique_ptr<MainWindowCommands> commands_;
    std::unique_ptr<MainWindowTray> tray_;
    std::unique_ptr<CategoryBar> bar_;
    std::unique_ptr<StatusLine> status_line_;
    // Made at start-up; the command parts below read it through this member.
    std::unique_ptr<TCategoryStore> store_;
    std::unique_ptr<CategoryCommands> categories_;
    std::unique_ptr<PictureListCommands> pictures_;
    std::unique_ptr<PictureTools> tools_;
    // The "trans" switch's wait; a start that ends at once runs it before the end.
    QTimer* transparency_timer_ = nullptr;
    std::unique_ptr<TFormStorage> wall_storage_;
    std::unique_ptr<TLanguageMenu> language_menu_;
    WidgetPlacement placement_;
    RefreshListener* refresh_listener_ = nullptr;
    MainWindowValues values_;
    bool closed_ = false;
    TOptions* options_dialog_ = nullptr;
    PreviewLink* preview_ = nullptr;
    FindPicsHost* find_pics_ = nullptr;
};

}  // namespace orvella
