#include "gui/torvel.h"

#include <unistd.h>

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QSocketNotifier>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QWindowStateChangeEvent>

#include "gui/category_bar.h"
#include "gui/colours.h"
#include "gui/main_window_commands.h"
#include "gui/main_window_tray.h"
#include "gui/outlook_bar.h"
#include "gui/picture_list.h"
#include "gui/picture_status.h"
#include "gui/taddkatform.h"
#include "gui/tfindpics.h"
#include "gui/toptions.h"
#include "gui/tpreviewform.h"
#include "gui/wallpaper_commands.h"
#include "library/picture_commands.h"
#include "platform/files/files.h"
#include "platform/host_platform.h"
#include "settings/settings_table.h"
#include "settings/shell_extension.h"
#include "shell/file_chooser.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"
#include "ui_torvel.h"

namespace orvella {
namespace {

constexpr int kTransparencyDelayMs = 500;
constexpr int kStatusCountWidth = 200;
constexpr int kCloseFindDelayMs = 1000;

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TOrvel::TOrvel(TOrvelServices services, QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::TOrvel>()),
      services_(std::move(services)),
      placement_(*this, [this] { return tray_->in_tray() || isMinimized(); }) {
    ui_->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/orvella/images/orvella.png")));
    CreateStatusLine();
    CreateParts();

    ui_->BackPanel->installEventFilter(this);
    QFont bold = ui_->FlatGroupBox->font();
    bold.setBold(true);
    ui_->FlatGroupBox->setFont(bold);
    // Only the caption is bold; the lists inside keep the normal font.
    QFont normal = ui_->PanelList->font();
    normal.setBold(false);
    ui_->PanelList->setFont(normal);

    timer_close_find_ = new QTimer(this);
    timer_close_find_->setObjectName(QStringLiteral("TimerCloseFind"));
    timer_close_find_->setInterval(kCloseFindDelayMs);
    connect(timer_close_find_, &QTimer::timeout, this, &TOrvel::TimerCloseFindTimer);
}

TOrvel::~TOrvel() {
    // The search window first: its engine stops while the categories it reads still exist.
    delete find_pics_window_.data();
    // FormDestroy: the listener goes with the window, then the categories.
    listener_notifier_ = nullptr;
    listener_.reset();
    if (store_) {
        store_->FreeCategories();
        store_->SetObserver(nullptr);
    }
}

void TOrvel::CreateStatusLine() {
    status_count_ = new QLabel(this);
    status_count_->setAlignment(Qt::AlignCenter);
    status_count_->setFixedWidth(kStatusCountWidth);
    status_file_ = new QLabel(this);
    status_file_->setAlignment(Qt::AlignCenter);
    ui_->StatusBar->addWidget(status_count_);
    ui_->StatusBar->addWidget(status_file_, 1);
}

void TOrvel::CreateParts() {
    commands_ = std::make_unique<MainWindowCommands>(*this, [this] { return CurrentMenuState(); });
    tray_ = std::make_unique<MainWindowTray>(*this, services_.tray_available);
    bar_ = std::make_unique<CategoryBar>(
        *ui_->OutlookBar, *ui_->PanelListLayout, commands_->Popup(), commands_->KatPopup(),
        std::vector<QAction*>{ui_->Bilderhinzufgen2, ui_->Bilderlschen1}, services_.catalogue,
        services_.prompter,
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

// --- start-up -------------------------------------------------------------------------

StartupOutcome TOrvel::FormCreate(const std::vector<std::string>& arguments) {
    arguments_ = arguments;
    return RunFormCreate(arguments, *this);
}

void TOrvel::RegisterShellExtensions() {
    for (std::string_view extension : kShellExtensionTypes) {
        const Status status = RegisterShellExtension(*services_.platform.registry,
                                                     services_.platform.version, extension);
        if (!status) {
            ShowError(status.message());
            return;  // the extensions after a failed one stay as they are
        }
    }
}

void TOrvel::UnregisterShellExtensions() {
    for (std::string_view extension : kShellExtensionTypes) {
        const Status status = UnregisterShellExtension(*services_.platform.registry,
                                                       services_.platform.version, extension);
        if (!status) {
            ShowError(status.message());
            return;
        }
    }
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
    const auto check_mark = [&storage](QAction* action, const char* component) {
        storage.AddBool(
            {component, "Checked"}, [action] { return action->isChecked(); },
            [action](bool checked) { action->setChecked(checked); });
    };
    check_mark(ui_->ShowPreview, "ShowPreview");
    check_mark(ui_->Deutsch1, "Deutsch1");
    check_mark(ui_->Englisch1, "Englisch1");
    BindMainWindowValues(storage, values_);
}

void TOrvel::PublishWindowHandle() {
    // The process id: unique among running programs, and the last instance started wins.
    window_handle_ = static_cast<std::uint32_t>(::getpid());
    if (std::optional<RegistryKey> key =
            RegistryKey::Open(*services_.platform.registry, RegistryRoot::CurrentUser,
                              std::string(kSettingsKey), true)) {
        key->WriteDword("WHandle", window_handle_);
    }
    Result<WindowMessageListener> listener =
        WindowMessageListener::Listen(WindowSocketPath(services_.environment, window_handle_));
    if (!listener) {
        // Outside programs cannot reach this window then; everything else works.
        qWarning("orvella: %s", listener.message().c_str());
        return;
    }
    listener_.emplace(std::move(*listener));
    listener_notifier_ = new QSocketNotifier(listener_->fd(), QSocketNotifier::Read, this);
    connect(listener_notifier_, &QSocketNotifier::activated, this, [this] {
        if (listener_ && listener_->Receive() == kWmRefreshCategory)
            RefreshCategoryMessage();
    });
}

void TOrvel::LoadCategories() {
    Status status;
    bar_->InBatch([&] { status = store_->LoadCategories(); });
    if (!status)
        ShowError(status.message());
    bar_->SelectCategory(bar_->CategoryButton(store_->CurrentCategory()));
    emit CategoriesChanged();
}

void TOrvel::RestoreFormState() {
    Result<RestoreOutcome> restored = wall_storage_->Restore();
    if (!restored)
        ShowError(restored.message());
    ApplyPictureSort(values_.sort_pictures);
}

void TOrvel::SetRandomWallpaper() {
    // Without a store file there is nothing to pick from, and nothing changes.
    if (FileExists(store_->path()))
        services_.wallpaper.SetRandomWallpaper(*store_);
}

void TOrvel::ScheduleTransparency() {
    QTimer::singleShot(kTransparencyDelayMs, this, [this] { services_.wallpaper.SBTransClick(); });
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
    if (preview_form_ != nullptr && ui_->ShowPreview->isChecked())
        preview_form_->show();
}

void TOrvel::EndProgram() {
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
    status_file_->clear();
}

void TOrvel::ShowCurrentCount() {
    const int count =
        store_ ? static_cast<int>(store_->category(store_->CurrentCategory()).pictures.size()) : 0;
    status_count_->setText(PictureCountText(services_.catalogue, count));
}

WallpaperSettings TOrvel::WallpaperSettingsNow() const {
    return WallpaperSettings{values_.wall_props, values_.calendar, values_.change_sound};
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
    if (ui_->ShowPreview->isChecked() && preview_form_ != nullptr)
        ShowInPreview(path);
    status_file_->setText(PictureFileText(services_.catalogue, FromStd(path)));
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

MenuState TOrvel::CurrentMenuState() const {
    MenuState state;
    if (store_)
        state.current_category = store_->CurrentCategory();
    if (TPictureList* list = bar_->CurrentList()) {
        state.has_focused = list->FocusedRow() >= 0;
        state.has_selected = !list->SelectedRows().empty();
    }
    state.kat_popup_tag = bar_->KatPopupTag();
    return state;
}

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
    category_dialog_ = dialog;
    dialog->SetActions({
        [this](const std::string& name, const std::string& icon) {
            return CreateCategoryFromDialog(name, icon);
        },
        [this](int index, const std::string& name, const std::optional<std::string>& icon) {
            ChangeCategoryFromDialog(index, name, icon);
        },
    });
}

int TOrvel::AddKatClick() {
    if (category_dialog_ == nullptr)
        return QDialog::Rejected;
    category_dialog_->PrepareNew(ProgramFile("Icons/StdImage.bmp"));
    return category_dialog_->exec();
}

int TOrvel::KatEditClick(QAction* sender) {
    const int index = sender == ui_->KatEdit ? bar_->KatPopupTag() : store_->CurrentCategory();
    if (category_dialog_ == nullptr || index <= 0 || index >= store_->count())
        return QDialog::Rejected;
    category_dialog_->PrepareEdit(index, store_->category(index).name, bar_->IconFiles().at(index));
    return category_dialog_->exec();
}

bool TOrvel::CreateCategoryFromDialog(const std::string& name, const std::string& icon) {
    if (!store_->CreateCategory(store_->count(), icon, name))
        return false;
    bar_->SelectCategory(bar_->CategoryButton(store_->count() - 1));
    Speichern1Click();
    emit CategoriesChanged();
    return true;
}

void TOrvel::ChangeCategoryFromDialog(int index, const std::string& name,
                                      const std::optional<std::string>& icon) {
    store_->RenameCategory(index, name);
    if (icon)
        store_->SetCategoryIcon(index, *icon);
    bar_->ShowChangedCategory(index, icon);
    Speichern1Click();
    emit CategoriesChanged();
}

void TOrvel::SBOptionsClick() {
    if (options_dialog_ != nullptr)
        options_dialog_->SBOptionsClick();
}

void TOrvel::KatDeleteClick() {
    DeleteCategory(bar_->KatPopupTag());
}

void TOrvel::Kategorielschen1Click() {
    DeleteCategory(store_->CurrentCategory());
}

void TOrvel::DeleteCategory(int index) {
    if (index <= 0 || index >= store_->count())
        return;  // the summary cannot be deleted
    if (ShowCatalogueMessage(services_.prompter, services_.catalogue, kMsgDeleteKatConfirm,
                             store_->category(index).name) != MessageResult::Yes)
        return;
    Status status = store_->SaveCategories(index);
    if (!status) {
        ShowError(status.message());
        return;  // the file still holds the category; leave the window as it is
    }
    store_->FreeCategories();
    LoadCategories();
    Speichern1Click();
    BackPanelResize();
}

// --- picture list editing ---------------------------------------------------------------

void TOrvel::AfterPicturesChanged() {
    Speichern1Click();
    BackPanelResize();
    ShowCurrentCount();
}

void TOrvel::SBAddClick() {
    if (store_->CurrentCategory() == 0) {
        ShowCatalogueMessage(services_.prompter, services_.catalogue, kMsgAddFalse);
        return;
    }
    OpenFileRequest request;
    request.title = "Bild suchen...";
    request.filter =
        "Bild-Dateien (*.bmp, *.jpg, *.jpeg, *.gif, *.png)|*.bmp;*.jpg;*.gif;*.jpeg;*.png|"
        "Html-Dateien (*.htm, *.html)|*.htm;*.html";
    request.multiple = true;
    request.preview = true;
    const std::vector<std::string> files = services_.files.OpenFiles(request);
    if (!files.empty())
        AddPicturesToCurrent(files);
}

void TOrvel::AddPicturesToCurrent(const std::vector<std::string>& files) {
    bar_->InBatch([&] {
        AddPicturesAsking(*store_, store_->CurrentCategory(), files, services_.active_desktop,
                          services_.catalogue, services_.prompter);
    });
    AfterPicturesChanged();
}

void TOrvel::SBDelClick() {
    const int index = store_->CurrentCategory();
    if (index == 0) {
        ShowCatalogueMessage(services_.prompter, services_.catalogue, kMsgDeleteFalse);
        return;
    }
    if (ShowCatalogueMessage(services_.prompter, services_.catalogue, kMsgConfirmDelete) !=
        MessageResult::Yes)
        return;
    TPictureList* list = bar_->CurrentList();
    const std::vector<int> rows = list->SelectedRows();
    bar_->InBatch([&] { store_->RemovePictures(index, rows); });
    ShowCurrentCount();
    // The picture that moved into the place of the first removed one takes the focus.
    const int count = list->pictures()->rowCount();
    if (!rows.empty() && count > 0) {
        const QModelIndex focus = list->pictures()->index(std::min(rows.front(), count - 1), 0);
        list->setCurrentIndex(focus);
        list->scrollTo(focus, QAbstractItemView::EnsureVisible);
    } else {
        status_file_->clear();
    }
    Speichern1Click();
}

void TOrvel::AlleBilderentfernen1Click() {
    if (ShowCatalogueMessage(services_.prompter, services_.catalogue, kMsgConfirmDeleteAll) !=
        MessageResult::Yes)
        return;
    Status status;
    bar_->InBatch([&] { status = store_->ClearCategory(store_->CurrentCategory(), true); });
    if (!status)
        ShowError(status.message());
    BackPanelResize();
    ShowCurrentCount();
    status_file_->clear();
}

bool TOrvel::DropFileTargetGetDropEffect(const std::vector<std::string>& files) const {
    return DropEffectFor(files) == DropEffect::Copy;
}

void TOrvel::DropFileTargetDrop(const std::vector<std::string>& files) {
    if (DropFileTargetGetDropEffect(files) && store_->CurrentCategory() != 0)
        AddPicturesToCurrent(files);
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

void TOrvel::SBInfoClick() {
    if (services_.show_info)
        services_.show_info();
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
    if (find_pics_window_ && find_pics_window_->isVisible()) {
        find_pics_window_->showNormal();
        find_pics_window_->raise();
        find_pics_window_->activateWindow();
        return;
    }
    // A window closed a moment ago and not yet freed goes now; a new search starts afresh.
    if (find_pics_window_) {
        timer_close_find_->stop();
        find_pics_window_->deleteLater();
        find_pics_window_ = nullptr;
    }
    auto* window = new TFindPics(
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
            .closed = [this] { timer_close_find_->start(); },
        },
        this);
    connect(this, &TOrvel::CategoriesChanged, window, &TFindPics::CategoriesChanged);
    find_pics_window_ = window;
    window->show();
}

void TOrvel::TimerCloseFindTimer() {
    timer_close_find_->stop();
    // Later, not now: the window may be in one of its own handlers (a message box open).
    if (find_pics_window_)
        find_pics_window_->deleteLater();
    find_pics_window_ = nullptr;
}

void TOrvel::FilePictures(int index, const std::vector<std::string>& paths) {
    if (index <= 0 || index >= store_->count())
        return;
    bar_->InBatch([&] {
        for (const std::string& path : paths)
            store_->AddPicture(index, path, true);
    });
    AfterPicturesChanged();
}

// --- preview ----------------------------------------------------------------------------

void TOrvel::SetPreviewForm(TPreviewForm* preview) {
    preview_form_ = preview;
    connect(preview, &TPreviewForm::ClosedByUser, this,
            [this] { ui_->ShowPreview->setChecked(false); });
    connect(preview, &QObject::destroyed, this, [this] { preview_form_ = nullptr; });
}

void TOrvel::ShowPreviewClick() {
    // The menu item has toggled its check mark already.
    if (preview_form_ == nullptr)
        return;
    if (ui_->ShowPreview->isChecked())
        preview_form_->show();
    else
        preview_form_->HideByMenu();
}

void TOrvel::ShowInPreview(const std::string& path) {
    if (preview_form_ != nullptr)
        preview_form_->ShowInPreview(path);
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
    // Going with the program is no choice of the user's: the check mark stays as it was.
    if (preview_form_ != nullptr)
        preview_form_->CloseForExit();
    if (find_pics_window_)
        find_pics_window_->hide();
    const Status saved = store_->SaveCategories();
    if (!saved)
        ShowError(saved.message());
    const Status stored = wall_storage_->Save();
    if (!stored)
        ShowError(stored.message());
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
