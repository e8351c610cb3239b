#include "gui/torvel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QWindowStateChangeEvent>
#include <iostream>

#include "gui/category_bar.h"
#include "gui/category_commands.h"
#include "gui/colours.h"
#include "gui/find_pics_host.h"
#include "gui/language_menu.h"
#include "gui/main_window_commands.h"
#include "gui/main_window_tray.h"
#include "gui/outlook_bar.h"
#include "gui/picture_list.h"
#include "gui/picture_list_commands.h"
#include "gui/picture_tools.h"
#include "gui/preview_link.h"
#include "gui/refresh_listener.h"
#include "gui/slideshow_start.h"
#include "gui/status_line.h"
#include "gui/toptions.h"
#include "gui/wallpaper_commands.h"
#include "platform/files/files.h"
#include "platform/host_platform.h"
#include "platform/system/environment.h"
#include "settings/language_lookup.h"
#include "settings/profile_target.h"
#include "settings/settings_table.h"
#include "settings/shell_integration.h"
#include "shell/file_chooser.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"
#include "ui_torvel.h"
#include "wallpaper/wallpaper_settings.h"

namespace orvella {

constexpr int kTransparencyDelayMs = 500;

TOrvel::TOrvel(TOrvelServices services, QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::TOrvel>()),
      services_(std::move(services)),
      placement_(*this, [this] { return tray_->in_tray() || isMinimized(); }) {
    ui_->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/orvella/images/orvella.png")));
    preview_ = new PreviewLink(*ui_->ShowPreview, this);
    status_line_ = std::make_unique<StatusLine>(*ui_->StatusBar, services_.catalogue,
                                                services_.language == kBuiltInLanguage);
    CreateParts();
    CreateCommands();
    ui_->BackPanel->installEventFilter(this);
    find_pics_ = new FindPicsHost(this);
    connect(this, &TOrvel::CategoriesChanged, find_pics_, &FindPicsHost::CategoriesChanged);
    refresh_listener_ = new RefreshListener([this] { RefreshCategoryMessage(); }, this);
}

TOrvel::~TOrvel() {
    // The search window first: its engine stops while the categories it reads still exist.
    delete find_pics_;
    // FormDestroy: the listener goes with the window, then the categories.
    refresh_listener_->Close();
    if (store_) {
        store_->FreeCategories();
        store_->SetObserver(nullptr);
    }
}

void TOrvel::CreateParts() {
    language_menu_ = std::make_unique<TLanguageMenu>(
        ui_->Deutsch1, ui_->Englisch1, services_.language,
        LanguageMenuServices{*services_.platform.registry, ExecutablePath(), services_.catalogue,
                             services_.prompter, [this] { close(); }});
    commands_ =
        std::make_unique<MainWindowCommands>(*this, [this] { return bar_->CurrentMenuState(); });
    tray_ = std::make_unique<MainWindowTray>(*this, services_.tray_available);
    bar_ = std::make_unique<CategoryBar>(
        *ui_->OutlookBar, *ui_->PanelListLayout, commands_->Popup(), commands_->KatPopup(),
        // Ins is the main menu's entry's: were the context menu's entry a list's too, Qt
        // would find two owners of the short-cut while a list has the focus and run neither.
        std::vector<QAction*>{ui_->Bilderlschen1}, services_.catalogue, services_.prompter,
        CategoryBarHooks{
            .layout = [this] { BackPanelResize(); },
            .selected = [this](const QString& caption) { CategorySelected(caption); },
            .list_changed = [this](TPictureList* list) { PictureListChange(list); },
            .list_double_clicked = [this] { MarkiertesBildalsHintergund1Click(); },
            .drop = {[this](const std::vector<std::string>& files) {
                         return DropFileTargetGetDropEffect(files);
                     },
                     [this](const std::vector<std::string>& files) { DropFileTargetDrop(files); }},
        });
}

void TOrvel::CreateCommands() {
    const auto show_error = [this](const std::string& text) { ShowError(text); };
    categories_ = std::make_unique<CategoryCommands>(
        store_, *bar_, services_.catalogue, services_.prompter, ProgramFile("Icons/StdImage.bmp"),
        CategoryCommandHooks{.changed =
                                 [this] {
                                     Speichern1Click();
                                     emit CategoriesChanged();
                                 },
                             .reload =
                                 [this] {
                                     LoadCategories();
                                     Speichern1Click();
                                     BackPanelResize();
                                 },
                             .show_error = show_error});
    pictures_ = std::make_unique<PictureListCommands>(
        store_, *bar_,
        PictureListServices{services_.files, services_.active_desktop, services_.catalogue,
                            services_.prompter, this},
        PictureListHooks{.save = [this] { Speichern1Click(); },
                         .layout = [this] { BackPanelResize(); },
                         .show_count = [this] { ShowCurrentCount(); },
                         .clear_shown = [this] { ClearPictureShown(); },
                         .show_error = show_error});
    tools_ = std::make_unique<PictureTools>(
        *bar_,
        PictureActions(services_.shell, services_.files, services_.catalogue, services_.prompter,
                       PictureTools::TranslatedSaveDialogTexts()),
        [this] { return language_menu_->GermanChecked(); });
}

// --- start-up -------------------------------------------------------------------------

StartupOutcome TOrvel::FormCreate(const std::vector<std::string>& arguments) {
    arguments_ = arguments;
    return RunFormCreate(arguments, *this);
}

void TOrvel::RegisterShellExtensions() {
    ReportShellIntegration(
        InstallShellIntegration(*services_.platform.registry, services_.platform.version,
                                services_.environment, services_.platform.paths.programs_dir));
}

void TOrvel::UnregisterShellExtensions() {
    ReportShellIntegration(RemoveShellIntegration(
        *services_.platform.registry, services_.platform.version, services_.environment));
}

void TOrvel::ReportShellIntegration(const ShellIntegrationOutcome& outcome) {
    if (!outcome.registry)
        ShowError(outcome.registry.message());
    for (const std::string& message : outcome.file_managers)
        std::cerr << "orvella: " << message << '\n';
}

void TOrvel::ShowSplash() {
    if (services_.show_splash)
        services_.show_splash();
}

void TOrvel::BindSystemImageList() {
    // The desktop's file-type icons are looked up per extension by file_icons_, on demand.
}

std::string TOrvel::ProgramFile(const std::string& name) const {
    return services_.platform.paths.program_dir + name;
}

void TOrvel::OpenCategoryStore() {
    store_ =
        std::make_unique<TCategoryStore>(CategoryFilePath(services_.platform.paths.program_dir),
                                         ProgramFile("Icons/StdImage.bmp"), services_.catalogue);
    bar_->Attach(*store_);
}

void TOrvel::SetFormStorageFile() {
    wall_storage_ = std::make_unique<TFormStorage>(
        WallpaperStore(SettingsFilePath(services_.platform.paths.program_dir)));
    TFormStorage& storage = *wall_storage_;
    storage.KeepPlacement(placement_);
    preview_->KeepMark(storage);
    language_menu_->KeepMarks(storage);
    BindMainWindowValues(storage, values_);
}

void TOrvel::PublishWindowHandle() {
    refresh_listener_->Publish(*services_.platform.registry, services_.environment);
}

void TOrvel::LoadCategories() {
    Status status;
    bar_->InBatch([&] { status = store_->LoadCategories(); });
    if (!status)
        ShowError(status.message());
    // A stored current category that named none shows no list until the user picks one.
    if (store_->ActiveCategoryRestored())
        bar_->SelectCategory(bar_->CategoryButton(store_->CurrentCategory()));
    emit CategoriesChanged();
}

void TOrvel::RestoreFormState() {
    Result<RestoreOutcome> restored = wall_storage_->Restore();
    if (!restored)
        ShowError(restored.message());
    ApplyPictureSort(values_.sort_pictures);
    // Wanted by "-wall" before the options dialog, which keeps it, exists.
    Result<Options> options =
        ReadStoredOptions(SettingsFilePath(services_.platform.paths.program_dir));
    if (!options)
        ShowError(options.message());
    else
        values_.picture_per_screen = options->picture_per_screen;
}

void TOrvel::SetRandomWallpaper() {
    // Without a store file there is nothing to pick from, and nothing changes.
    if (FileExists(store_->path()))
        services_.wallpaper.SetRandomWallpaper(*store_);
}

void TOrvel::ScheduleTransparency() {
    transparency_timer_ = new QTimer(this);
    transparency_timer_->setSingleShot(true);
    connect(transparency_timer_, &QTimer::timeout, this, &TOrvel::SBTransClick);
    transparency_timer_->start(kTransparencyDelayMs);
}

void TOrvel::GoToTray() {
    tray_->GoToTray();
}

void TOrvel::ShowAfterStartup() {
    if (tray_->in_tray() || isMinimized())
        return;
    if (placement_.restored_maximised())
        showMaximized();
    else
        show();
    preview_->ShowWithWindow();
}

void TOrvel::EndProgram() {
    // A start that ends at once ("close") still runs the transparency it was asked for.
    if (transparency_timer_ != nullptr && transparency_timer_->isActive()) {
        transparency_timer_->stop();
        SBTransClick();
    }
    FormClose();
    hide();
    tray_->HideIcon();
}

void TOrvel::BackPanelResize() {
    QWidget* back = ui_->BackPanel;
    QGroupBox* frame = ui_->FlatGroupBox;
    frame->resize(back->width() - 26, back->height() - 24);
    ui_->PanelList->resize(frame->width() - 31, frame->height() - 42);
    if (TPictureList* list = bar_->CurrentList()) {
        const int scroll_bar = list->NeedsScrollBar() ? 21 : 0;
        list->setColumnWidth(0, ui_->PanelList->width() - 5 - scroll_bar);
    }
}

void TOrvel::ApplyPictureSort(bool sorted) {
    store_->SetSorted(sorted);
    bar_->SetSorted(sorted);
}

void TOrvel::CategorySelected(const QString& caption) {
    ui_->FlatGroupBox->setTitle(caption);
    ShowCurrentCount();
    status_line_->ClearFile();
}

void TOrvel::ClearPictureShown() {
    status_line_->ClearFile();
    preview_->Clear();
}

void TOrvel::ShowCurrentCount() {
    status_line_->ShowCount(
        store_ ? static_cast<int>(store_->category(store_->CurrentCategory()).pictures.size()) : 0);
}

WallpaperSettings TOrvel::WallpaperSettingsNow() const {
    return WallpaperSettings{values_.wall_props, values_.calendar, values_.change_sound,
                             values_.picture_per_screen};
}

Status TOrvel::SetValues(const MainWindowValues& values) {
    values_ = values;
    ApplyPictureSort(values_.sort_pictures);
    // Written at once, so the values survive a program that does not get to close its window.
    return wall_storage_ ? wall_storage_->Save() : Status::Ok();
}

void TOrvel::PictureListChange(TPictureList* list) {
    const int row = list->FocusedRow();
    if (row < 0)
        return;
    const std::string& path = store_->category(store_->CurrentCategory()).pictures.at(row);
    preview_->ShowFocused(path);
    status_line_->ShowFile(path);
}

void TOrvel::RefreshCategoryMessage() {
    const Status status = store_->RefreshCategory();
    if (!status)
        ShowError(status.message());
    ShowCurrentCount();
    BackPanelResize();
    emit CategoriesChanged();
}

// --- menus ------------------------------------------------------------------------------

void TOrvel::Kategorien1Click() {
    commands_->Refresh(*ui_->Kategorien1);
}

void TOrvel::Hintergrundbild1Click() {
    commands_->Refresh(*ui_->Hintergrundbild1);
}

void TOrvel::PopupPopup() {
    commands_->Refresh(commands_->Popup());
}

void TOrvel::KatPopupPopup() {
    commands_->Refresh(commands_->KatPopup());
}

// --- category editing -------------------------------------------------------------------

void TOrvel::SetCategoryDialog(TAddKatForm* dialog) {
    categories_->SetDialog(dialog);
}

int TOrvel::AddKatClick() {
    return categories_->Add();
}

int TOrvel::KatEditClick(QAction* sender) {
    return categories_->Edit(sender == ui_->KatEdit ? bar_->KatPopupTag()
                                                    : store_->CurrentCategory());
}

void TOrvel::SBOptionsClick() {
    if (options_dialog_ != nullptr)
        options_dialog_->SBOptionsClick();
}

void TOrvel::KatDeleteClick() {
    categories_->Delete(bar_->KatPopupTag());
}

void TOrvel::Kategorielschen1Click() {
    categories_->Delete(store_->CurrentCategory());
}

void TOrvel::DeleteCategory(int index) {
    categories_->Delete(index);
}

// --- picture list editing ---------------------------------------------------------------

void TOrvel::SBAddClick() {
    pictures_->Add();
}

void TOrvel::SBDelClick() {
    pictures_->Remove();
}

void TOrvel::AlleBilderentfernen1Click() {
    pictures_->RemoveAll();
}

bool TOrvel::DropFileTargetGetDropEffect(const std::vector<std::string>& files) const {
    return PictureListCommands::Accepts(files);
}

void TOrvel::DropFileTargetDrop(const std::vector<std::string>& files) {
    pictures_->Drop(files);
}

void TOrvel::CopyMovePicClick() {
    pictures_->CopyMove();
}

// --- the desktop's other programs -------------------------------------------------------

void TOrvel::Bildffnen1Click() {
    tools_->Open();
}

void TOrvel::Bildspeichernunter1Click() {
    tools_->SaveAs();
}

void TOrvel::Bilddrucken1Click() {
    tools_->Print();
}

void TOrvel::BildperEMailsenden1Click() {
    tools_->Mail();
}

void TOrvel::Hilfe2Click() {
    tools_->Help();
}

void TOrvel::OrvellaHomepage1Click() {
    tools_->Homepage();
}

void TOrvel::WebLinkClick(QAction* sender) {
    tools_->WebLink(*sender);
}

// --- commands ---------------------------------------------------------------------------

void TOrvel::Speichern1Click() {
    const Status status = store_->SaveCategories();
    if (!status)
        ShowError(status.message());
}

void TOrvel::Beenden1Click() {
    close();
}

void TOrvel::Deutsch1Click() {
    language_menu_->Deutsch1Click();
}

void TOrvel::Englisch1Click() {
    language_menu_->Englisch1Click();
}

void TOrvel::SBInfoClick() {
    if (services_.show_info)
        services_.show_info();
}

void TOrvel::Diashowstarten1Click() {
    TSlideShowForm::Settings settings;
    if (options_dialog_ != nullptr) {
        settings.interval_seconds = options_dialog_->SlideshowSeconds();
        settings.back_colour = options_dialog_->SlideshowBackColour();
    }
    StartSlideshow(store_->category(store_->CurrentCategory()).pictures, settings,
                   services_.prompter, services_.catalogue, this);
}

void TOrvel::NeuerZufallshintergrund1Click() {
    services_.wallpaper.SetRandomWallpaper(*store_);
}

void TOrvel::MarkiertesBildalsHintergund1Click() {
    // With several pictures selected, the first of them.
    TPictureList* list = bar_->CurrentList();
    const std::vector<int> rows = list ? list->SelectedRows() : std::vector<int>{};
    if (!rows.empty())
        services_.wallpaper.SetSelectedWallpaper(
            store_->category(store_->CurrentCategory()).pictures.at(rows.front()));
}

void TOrvel::SBTransClick() {
    services_.wallpaper.SBTransClick();
}

void TOrvel::Einfach1Click() {
    services_.wallpaper.SetStarfieldWallpaper("Simple");
}

void TOrvel::Difus1Click() {
    services_.wallpaper.SetStarfieldWallpaper("Advanced");
}

void TOrvel::WiederherstellenClick() {
    tray_->ComeBack();
}

void TOrvel::ApplicationEventsMinimize() {
    tray_->Minimised();
}

void TOrvel::ApplicationEventsRestore() {
    tray_->Restored();
}

// --- disk search ------------------------------------------------------------------------

void TOrvel::AufderFestplatte1Click() {
    find_pics_->Open(
        TFindPicsServices{
            .catalogue = services_.catalogue,
            .prompter = services_.prompter,
            .drives = *services_.platform.drives,
            .environment = services_.environment,
            .store = *store_,
            .form_file = SettingsFilePath(services_.platform.paths.program_dir),
            .add_to_category =
                [this](int index, const std::vector<std::string>& paths) {
                    FilePictures(index, paths);
                },
            .new_category = [this] { return AddKatClick() == QDialog::Accepted; },
            .show_in_preview = [this](const std::string& path) { ShowInPreview(path); },
            .closed = {},
        },
        *this);
}

void TOrvel::TimerCloseFindTimer() {
    find_pics_->TimerCloseFindTimer();
}

void TOrvel::FilePictures(int index, const std::vector<std::string>& paths) {
    pictures_->File(index, paths);
}

// --- preview ----------------------------------------------------------------------------

void TOrvel::SetPreviewForm(TPreviewForm* preview) {
    preview_->SetForm(preview);
}

void TOrvel::ShowPreviewClick() {
    preview_->MenuClicked();
}

void TOrvel::ShowInPreview(const std::string& path) {
    preview_->Show(path);
}

// --- window events ----------------------------------------------------------------------

void TOrvel::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FormShow();
}

void TOrvel::FormShow() {
    if (services_.platform.version.IsWinXP()) {
        ui_->Iconstransparentsetzen1->setEnabled(false);
        ui_->Iconstransparentsetzen2->setEnabled(false);
    }
    ui_->OutlookBar->SetHeaderBackground(LightenColor(60, palette().color(QPalette::Highlight)));
    ShowCurrentCount();
    BackPanelResize();
}

void TOrvel::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
    tray_->HideIcon();
    QCoreApplication::quit();
}

void TOrvel::FormClose() {
    if (closed_ || !store_)
        return;
    closed_ = true;
    // The windows that close with the program write "ovl.dat" once, at the end of the list.
    DeferredProfileWrites settings_writes;
    // Going with the program is no choice of the user's: the check mark stays as it was.
    preview_->CloseForExit();
    find_pics_->Hide();
    for (const Status& step :
         {store_->SaveCategories(), wall_storage_->Save(), settings_writes.Finish()}) {
        if (!step)
            ShowError(step.message());
    }
}

void TOrvel::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    const bool was_minimised = change->oldState() & Qt::WindowMinimized;
    if (isMinimized() && !was_minimised)
        QTimer::singleShot(0, this, &TOrvel::ApplicationEventsMinimize);
    else if (!isMinimized() && was_minimised)
        ApplicationEventsRestore();
}

bool TOrvel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->BackPanel && event->type() == QEvent::Resize)
        BackPanelResize();
    return QMainWindow::eventFilter(watched, event);
}

void TOrvel::ShowError(const std::string& text) {
    ShowErrorText(services_.prompter, services_.catalogue, text);
}

}  // namespace orvella
