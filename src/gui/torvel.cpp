#include "gui/torvel.h"

#include <unistd.h>

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHeaderView>
#include <QImageReader>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSocketNotifier>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QWindowStateChangeEvent>
#include <iostream>

#include "gui/colours.h"
#include "gui/menu_rules.h"
#include "gui/outlook_bar.h"
#include "gui/picture_list.h"
#include "gui/picture_status.h"
#include "gui/taddkatform.h"
#include "gui/tfindpics.h"
#include "gui/toptions.h"
#include "gui/tpreviewform.h"
#include "gui/wallpaper_commands.h"
#include "library/picture_commands.h"
#include "platform/files.h"
#include "platform/host_platform.h"
#include "settings/file_manager_actions.h"
#include "settings/shell_extension.h"
#include "shell/file_chooser.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"
#include "ui_torvel.h"

namespace orvella {
namespace {

constexpr const char* kSettingsKey = "Software\\Brenmark Software\\Orvella";
constexpr int kWallStorageVersion = 3;
constexpr int kTransparencyDelayMs = 500;
constexpr int kStatusCountWidth = 200;
constexpr int kCloseFindDelayMs = 1000;
constexpr const char* kDefaultImage = ":/orvella/images/default_image.png";

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

// A category icon: any picture Qt reads, drawn stretched onto 32 x 32.
std::optional<QPixmap> ReadIconPicture(const QString& path, QString& error) {
    QImageReader reader(path);
    QImage picture = reader.read();
    if (picture.isNull()) {
        error = reader.errorString();
        return std::nullopt;
    }
    const int size = TOutlookBar::kIconSize;
    return QPixmap::fromImage(
        picture.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace

TOrvel::TOrvel(TOrvelServices services, QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::TOrvel>()),
      services_(std::move(services)),
      placement_(*this, [this] { return in_tray_ || isMinimized(); }) {
    ui_->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/orvella/images/orvella.png")));

    status_count_ = new QLabel(this);
    status_count_->setAlignment(Qt::AlignCenter);
    status_count_->setFixedWidth(kStatusCountWidth);
    status_file_ = new QLabel(this);
    status_file_->setAlignment(Qt::AlignCenter);
    ui_->StatusBar->addWidget(status_count_);
    ui_->StatusBar->addWidget(status_file_, 1);

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

    BuildMenus();
    ConnectCommands();
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

QAction* TOrvel::Action(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name));
}

void TOrvel::BuildMenus() {
    auto language = new QActionGroup(this);
    language->addAction(ui_->Englisch1);
    language->addAction(ui_->Deutsch1);

    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("Popup"));
    popup_->addActions({ui_->MarkiertesBildalsHintergund2, ui_->DesktopIconstransparentsetzen1,
                        ui_->Bilderhinzufgen2, ui_->Bilderlschen1, ui_->AlleBilderlschen1,
                        ui_->Bilderkopierenverschieben2});
    popup_->addSeparator();
    popup_->addActions(
        {ui_->Bildffnen2, ui_->Bildspeichernunter2, ui_->Bilddrucken2, ui_->BildperEMailsenden2});
    popup_->addSeparator();
    popup_->addAction(ui_->Beenden2);
    popup_->setDefaultAction(ui_->MarkiertesBildalsHintergund2);

    kat_popup_ = new QMenu(this);
    kat_popup_->setObjectName(QStringLiteral("KatPopup"));
    kat_popup_->addActions({ui_->KatAdd, ui_->KatEdit, ui_->KatDelete});

    tray_pop_ = new QMenu(this);
    tray_pop_->setObjectName(QStringLiteral("TrayPop"));
    tray_pop_->addAction(ui_->Wiederherstellen);
    tray_pop_->addSeparator();
    tray_pop_->addActions({ui_->NeuesZufallsbild1, ui_->Iconstransparentsetzen2, ui_->Optionen2});
    tray_pop_->addSeparator();
    tray_pop_->addAction(ui_->Beenden3);
    tray_pop_->setDefaultAction(ui_->Wiederherstellen);

    tray_icon_ = new QSystemTrayIcon(windowIcon(), this);
    tray_icon_->setToolTip(QStringLiteral("Orvella 3.0"));
    tray_icon_->setContextMenu(tray_pop_);
    connect(tray_icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                QAction* entry = tray_pop_->defaultAction();
                if (reason == QSystemTrayIcon::DoubleClick && entry && entry->isEnabled())
                    entry->trigger();
            });

    connect(ui_->Kategorien1, &QMenu::aboutToShow, this, &TOrvel::Kategorien1Click);
    connect(ui_->Hintergrundbild1, &QMenu::aboutToShow, this, &TOrvel::Hintergrundbild1Click);
    connect(popup_, &QMenu::aboutToShow, this, &TOrvel::PopupPopup);
    connect(kat_popup_, &QMenu::aboutToShow, this, &TOrvel::KatPopupPopup);

    const QIcon theme_icons[] = {
        QIcon::fromTheme(QStringLiteral("folder-new"),
                         style()->standardIcon(QStyle::SP_FileDialogNewFolder)),
        QIcon::fromTheme(QStringLiteral("document-save"),
                         style()->standardIcon(QStyle::SP_DialogSaveButton)),
        QIcon::fromTheme(QStringLiteral("list-add"), style()->standardIcon(QStyle::SP_FileIcon)),
        QIcon::fromTheme(QStringLiteral("list-remove"),
                         style()->standardIcon(QStyle::SP_TrashIcon)),
        QIcon::fromTheme(QStringLiteral("preferences-desktop-wallpaper"),
                         style()->standardIcon(QStyle::SP_DesktopIcon)),
        QIcon::fromTheme(QStringLiteral("preferences-system"),
                         style()->standardIcon(QStyle::SP_FileDialogDetailedView)),
        QIcon::fromTheme(QStringLiteral("media-playback-start"),
                         style()->standardIcon(QStyle::SP_MediaPlay)),
        QIcon::fromTheme(QStringLiteral("edit-find"),
                         style()->standardIcon(QStyle::SP_FileDialogContentsView)),
        QIcon::fromTheme(QStringLiteral("help-contents"),
                         style()->standardIcon(QStyle::SP_DialogHelpButton)),
        QIcon::fromTheme(QStringLiteral("help-about"),
                         style()->standardIcon(QStyle::SP_MessageBoxInformation)),
    };
    QAction* const tool_buttons[] = {ui_->SBNewCat, ui_->TbSave,    ui_->SBAdd, ui_->SBDel,
                                     ui_->SBSet,    ui_->SBOptions, ui_->TbDia, ui_->TbSearchPics,
                                     ui_->TbHelp,   ui_->TbInfo};
    for (std::size_t i = 0; i < std::size(tool_buttons); ++i)
        tool_buttons[i]->setIcon(theme_icons[i]);
}

void TOrvel::ConnectCommands() {
    const auto bind = [this](QAction* action, void (TOrvel::*handler)()) {
        connect(action, &QAction::triggered, this, handler);
    };
    bind(ui_->TbSave, &TOrvel::Speichern1Click);
    bind(ui_->Speichern1, &TOrvel::Speichern1Click);
    bind(ui_->Beenden1, &TOrvel::Beenden1Click);
    bind(ui_->Beenden3, &TOrvel::Beenden1Click);
    bind(ui_->TbInfo, &TOrvel::SBInfoClick);
    bind(ui_->Info1, &TOrvel::SBInfoClick);
    bind(ui_->Wiederherstellen, &TOrvel::WiederherstellenClick);
    bind(ui_->TbSearchPics, &TOrvel::AufderFestplatte1Click);
    bind(ui_->ShowPreview, &TOrvel::ShowPreviewClick);
    bind(ui_->AufderFestplatte1, &TOrvel::AufderFestplatte1Click);
    for (QAction* action : {ui_->SBNewCat, ui_->Kategoriehinzufgen1, ui_->KatAdd})
        connect(action, &QAction::triggered, this, [this] { AddKatClick(); });
    for (QAction* action : {ui_->Kategoriebearbeiten1, ui_->KatEdit})
        connect(action, &QAction::triggered, this, [this, action] { KatEditClick(action); });
    bind(ui_->KatDelete, &TOrvel::KatDeleteClick);
    bind(ui_->Kategorielschen1, &TOrvel::Kategorielschen1Click);
    for (QAction* action : {ui_->SBOptions, ui_->Optionen1, ui_->Optionen2})
        bind(action, &TOrvel::SBOptionsClick);
    for (QAction* action : {ui_->SBAdd, ui_->Bilderhinzufgen1, ui_->Bilderhinzufgen2})
        bind(action, &TOrvel::SBAddClick);
    for (QAction* action : {ui_->SBDel, ui_->Bilderentfernen1, ui_->Bilderlschen1})
        bind(action, &TOrvel::SBDelClick);
    for (QAction* action : {ui_->AlleBilderentfernen1, ui_->AlleBilderlschen1})
        bind(action, &TOrvel::AlleBilderentfernen1Click);

    const bool wallpaper = services_.wallpaper.available();
    for (QAction* action : {ui_->SBSet, ui_->NeuerZufallshintergrund1, ui_->NeuesZufallsbild1})
        wallpaper ? bind(action, &TOrvel::NeuerZufallshintergrund1Click)
                  : commands_to_come_.push_back(action);
    for (QAction* action : {ui_->MarkiertesBildalsHintergund1, ui_->MarkiertesBildalsHintergund2})
        wallpaper ? bind(action, &TOrvel::MarkiertesBildalsHintergund1Click)
                  : commands_to_come_.push_back(action);
    for (QAction* action : {ui_->Iconstransparentsetzen1, ui_->Iconstransparentsetzen2,
                            ui_->DesktopIconstransparentsetzen1})
        wallpaper ? bind(action, &TOrvel::SBTransClick) : commands_to_come_.push_back(action);
    wallpaper ? bind(ui_->Einfach1, &TOrvel::Einfach1Click)
              : commands_to_come_.push_back(ui_->Einfach1);
    wallpaper ? bind(ui_->Difus1, &TOrvel::Difus1Click) : commands_to_come_.push_back(ui_->Difus1);

    // Commands whose windows and operations come with later work: present, and disabled
    // until their handler exists.
    for (QAction* action : {ui_->Bilderkopierenverschieben1,
                            ui_->Bilderkopierenverschieben2,
                            ui_->Bildffnen1,
                            ui_->Bildffnen2,
                            ui_->Bildspeichernunter1,
                            ui_->Bildspeichernunter2,
                            ui_->Bilddrucken1,
                            ui_->Bilddrucken2,
                            ui_->BildperEMailsenden1,
                            ui_->BildperEMailsenden2,
                            ui_->TbDia,
                            ui_->Diashowstarten1,
                            ui_->Englisch1,
                            ui_->Deutsch1,
                            ui_->TbHelp,
                            ui_->Hilfe2,
                            ui_->OrvellaHomepage1,
                            ui_->WebLink1,
                            ui_->WebLink2,
                            ui_->WebLink3,
                            ui_->WebLink4,
                            ui_->WebLink5,
                            ui_->WebLink6,
                            ui_->WebLink7,
                            ui_->WebLink8}) {
        commands_to_come_.push_back(action);
    }
    for (QAction* action : commands_to_come_)
        action->setEnabled(false);
    // The picture lists' "Beenden" has no command.
    ui_->Beenden2->setEnabled(false);
}

void TOrvel::Enable(QAction* action, bool rule) {
    const bool to_come = std::find(commands_to_come_.begin(), commands_to_come_.end(), action) !=
                         commands_to_come_.end();
    action->setEnabled(rule && !to_come);
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
            break;  // the extensions after a failed one stay as they are
        }
    }
    // On Linux the menus that file managers read take the place of the hive's handler.
    const FileManagerEntry entry{.program = services_.platform.paths.programs_dir +
                                            std::string(kAddToCategoryProgram)};
    for (const std::string& message :
         InstallFileManagerEntries(FileManagerFoldersOf(services_.environment), entry)) {
        std::cerr << "orvella: " << message << '\n';
    }
}

void TOrvel::UnregisterShellExtensions() {
    for (std::string_view extension : kShellExtensionTypes) {
        const Status status = UnregisterShellExtension(*services_.platform.registry,
                                                       services_.platform.version, extension);
        if (!status) {
            ShowError(status.message());
            break;
        }
    }
    for (const std::string& message :
         RemoveFileManagerEntries(FileManagerFoldersOf(services_.environment))) {
        std::cerr << "orvella: " << message << '\n';
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
    store_ = std::make_unique<TCategoryStore>(ProgramFile("ovlimg.dat"),
                                              ProgramFile("Icons/StdImage.bmp"),
                                              services_.catalogue, services_.prompter);
    store_->SetObserver(this);
}

void TOrvel::SetFormStorageFile() {
    wall_storage_ =
        std::make_unique<TFormStorage>(ProfileTarget(ProgramFile("ovl.dat"), "Wallpaper"));
    TFormStorage& storage = *wall_storage_;
    storage.SetVersion(kWallStorageVersion);
    storage.KeepPlacement(placement_);
    const auto check_mark = [&storage](QAction* action, const char* component) {
        storage.AddBool(
            {component, "Checked"}, [action] { return action->isChecked(); },
            [action](bool checked) { action->setChecked(checked); });
    };
    check_mark(ui_->ShowPreview, "ShowPreview");
    check_mark(ui_->Deutsch1, "Deutsch1");
    check_mark(ui_->Englisch1, "Englisch1");
    storage.AddString(
        {"OvlMediaP", "FileName"}, [this] { return change_sound_; },
        [this](const std::string& file) { change_sound_ = file; });
    storage.AddValue("LVSort", "0");
    storage.AddValue("CalActivated", "0");
    storage.AddValue("Weekstart", "0");
    storage.AddValue("WeekstartNr", "0");
    storage.AddValue("WallProps", "0");
    storage.AddValue("OldScrSaver", "");
}

void TOrvel::PublishWindowHandle() {
    // The process id: unique among running programs, and the last instance started wins.
    window_handle_ = static_cast<std::uint32_t>(::getpid());
    if (std::optional<RegistryKey> key = RegistryKey::Open(
            *services_.platform.registry, RegistryRoot::CurrentUser, kSettingsKey, true)) {
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

void TOrvel::InBatch(const std::function<void()>& change) {
    ++batch_depth_;
    change();
    --batch_depth_;
    if (batch_depth_ > 0)
        return;
    adding_ = true;  // a reload moves the focus; that is no change the user made
    for (int index : changed_lists_)
        if (TPictureList* list = PictureList(index))
            list->pictures()->Reload();
    adding_ = false;
    changed_lists_.clear();
}

void TOrvel::LoadCategories() {
    Status status;
    InBatch([&] { status = store_->LoadCategories(); });
    if (!status)
        ShowError(status.message());
    SelectCategory(CategoryButton(store_->CurrentCategory()));
    emit CategoriesChanged();
}

void TOrvel::RestoreFormState() {
    Result<RestoreOutcome> restored = wall_storage_->Restore();
    if (!restored)
        ShowError(restored.message());
    const std::optional<std::string> sorted = wall_storage_->Value("LVSort");
    ApplyPictureSort(sorted && ParseProfileInteger(*sorted).value_or(0) != 0);
}

void TOrvel::SetRandomWallpaper() {
    // Without a store file there is nothing to pick from, and nothing changes.
    if (FileExists(store_->path()) && services_.wallpaper.available())
        services_.wallpaper.SetRandomWallpaper(*store_);
}

void TOrvel::ScheduleTransparency() {
    if (!services_.wallpaper.available())
        return;
    QTimer::singleShot(kTransparencyDelayMs, this, [this] { services_.wallpaper.SBTransClick(); });
}

void TOrvel::GoToTray() {
    if (services_.tray_available && services_.tray_available()) {
        in_tray_ = true;
        hide();
        tray_icon_->show();
    } else {
        // No tray to come back from: the task bar keeps the way back.
        showMinimized();
    }
}

void TOrvel::ShowAfterStartup() {
    if (in_tray_ || isMinimized())
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
    tray_icon_->hide();
}

// --- the store's view -------------------------------------------------------------------

void TOrvel::CategoryCreated(int index) {
    const Category& category = store_->category(index);
    const QString name = FromStd(category.name);

    auto* outlook = ui_->OutlookBar;
    QToolButton* button = outlook->CreateButton(QStringLiteral("CatBtn%1").arg(index));
    const int image = LoadCategoryIcon(category.icon, true, index);
    icon_files_.push_back(category.icon);
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QToolButton::clicked, this, [this, button] { SelectCategory(button); });
    connect(
        button, &QToolButton::customContextMenuRequested, this,
        [this, index, button](const QPoint& at) { OpenKatPopup(index, button->mapToGlobal(at)); });
    button->setText(name);
    if (image >= 0)
        button->setIcon(QIcon(kat_images_[image]));

    auto* list = new TPictureList(
        *store_, index, file_icons_,
        QStringLiteral("     ") + FromStd(services_.catalogue.Text(kSColumn)), ui_->PanelList);
    list->setObjectName(QStringLiteral("ListViewCatBtn%1").arg(index));
    list->setProperty("Tag", index);
    list->SetSorted(store_->sorted());
    list->hide();
    ui_->PanelListLayout->addWidget(list);
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, list] { PictureListChange(list); });
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, list] { PictureListChange(list); });
    connect(list, &QTreeView::doubleClicked, this, [this] {
        if (services_.wallpaper.available())
            MarkiertesBildalsHintergund1Click();
    });
    connect(list, &QWidget::customContextMenuRequested, this,
            [this, list](const QPoint& at) { popup_->exec(list->viewport()->mapToGlobal(at)); });
    // Del and Ins of the context menu work while the list has the focus.
    for (QAction* action : {ui_->Bilderhinzufgen2, ui_->Bilderlschen1}) {
        list->addAction(action);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }

    if (static_cast<int>(views_.size()) <= index)
        views_.resize(index + 1);
    views_[index] = CategoryView{button, list};
}

void TOrvel::CategoriesFreed() {
    // A command of a button's own menu may be what freed the categories, so the widgets go
    // once control is back in the event loop.
    for (CategoryView& view : views_) {
        for (QWidget* widget :
             {static_cast<QWidget*>(view.button), static_cast<QWidget*>(view.list)}) {
            widget->hide();
            widget->setObjectName(QString());
            widget->deleteLater();
        }
    }
    views_.clear();
    kat_images_.clear();
    icon_files_.clear();
}

void TOrvel::PicturesChanged(int index) {
    if (batch_depth_ > 0) {
        if (std::find(changed_lists_.begin(), changed_lists_.end(), index) == changed_lists_.end())
            changed_lists_.push_back(index);
        return;
    }
    adding_ = true;  // a reload moves the focus; that is no change the user made
    if (TPictureList* list = PictureList(index))
        list->pictures()->Reload();
    adding_ = false;
}

void TOrvel::CurrentCategoryChanged(int /*index*/) {}

TPictureList* TOrvel::PictureList(int index) const {
    if (index < 0 || index >= static_cast<int>(views_.size()))
        return nullptr;
    return views_[index].list;
}

TPictureList* TOrvel::CurrentList() const {
    return store_ ? PictureList(store_->CurrentCategory()) : nullptr;
}

QToolButton* TOrvel::CategoryButton(int index) const {
    if (index < 0 || index >= static_cast<int>(views_.size()))
        return nullptr;
    return views_[index].button;
}

int TOrvel::LoadCategoryIcon(const std::string& icon_path, bool add, int index) {
    int result = -1;
    const auto place = [&](QPixmap image) {
        if (add) {
            kat_images_.push_back(std::move(image));
            result = static_cast<int>(kat_images_.size()) - 1;
        } else if (index >= 0 && index < static_cast<int>(kat_images_.size())) {
            kat_images_[index] = std::move(image);
        }
    };
    const auto default_image = [&] {
        QString error;
        if (std::optional<QPixmap> image =
                ReadIconPicture(QString::fromLatin1(kDefaultImage), error))
            place(std::move(*image));
        else
            ShowError(error.toStdString());
    };

    const std::string name =
        index >= 0 && index < store_->count() ? store_->category(index).name : std::string();
    if (FileExists(icon_path)) {
        QString error;
        if (std::optional<QPixmap> image = ReadIconPicture(FromStd(icon_path), error)) {
            place(std::move(*image));
        } else {
            ShowError(error.toStdString());
            if (add)
                default_image();
        }
    } else {
        ShowCatalogueMessage(services_.prompter, services_.catalogue, kMsgImageNotFound, name);
        default_image();
    }
    return result;
}

void TOrvel::SelectCategory(QToolButton* button) {
    if (button == nullptr || !store_)
        return;
    int index = -1;
    for (std::size_t i = 0; i < views_.size(); ++i)
        if (views_[i].button == button)
            index = static_cast<int>(i);
    if (index < 0)
        return;

    if (TPictureList* old_list = CurrentList())
        old_list->hide();
    store_->SetCurrentCategory(index);
    TPictureList* list = views_[index].list;
    BackPanelResize();
    list->show();
    // Nothing can be dropped on the summary: the drop target follows the other lists.
    for (const CategoryView& view : views_)
        view.list->WithdrawDropTarget();
    if (index >= 1) {
        list->BindDropTarget({
            [this](const std::vector<std::string>& files) {
                return DropFileTargetGetDropEffect(files);
            },
            [this](const std::vector<std::string>& files) { DropFileTargetDrop(files); },
        });
    }
    button->setChecked(true);
    ui_->FlatGroupBox->setTitle(button->text());
    ShowCurrentCount();
    status_file_->clear();
}

void TOrvel::BackPanelResize() {
    QWidget* back = ui_->BackPanel;
    QGroupBox* frame = ui_->FlatGroupBox;
    frame->resize(back->width() - 26, back->height() - 24);
    ui_->PanelList->resize(frame->width() - 31, frame->height() - 42);
    if (TPictureList* list = CurrentList()) {
        const int scroll_bar = list->NeedsScrollBar() ? 21 : 0;
        list->setColumnWidth(0, ui_->PanelList->width() - 5 - scroll_bar);
    }
}

void TOrvel::ApplyPictureSort(bool sorted) {
    store_->SetSorted(sorted);
    for (const CategoryView& view : views_)
        view.list->SetSorted(sorted);
}

void TOrvel::ShowCurrentCount() {
    const int count =
        store_ ? static_cast<int>(store_->category(store_->CurrentCategory()).pictures.size()) : 0;
    status_count_->setText(PictureCountText(services_.catalogue, count));
}

WallpaperSettings TOrvel::WallpaperSettingsNow() const {
    WallpaperSettings settings;
    if (wall_storage_) {
        const auto integer = [this](const char* name) {
            const std::optional<std::string> text = wall_storage_->Value(name);
            return text ? ParseProfileInteger(*text).value_or(0) : 0;
        };
        settings.wall_props = integer("WallProps");
        settings.cal_activated = integer("CalActivated");
    }
    settings.change_sound = change_sound_;
    return settings;
}

QString TOrvel::StatusText(int panel) const {
    return panel == 0 ? status_count_->text() : status_file_->text();
}

void TOrvel::PictureListChange(TPictureList* list) {
    if (adding_ || list != CurrentList())
        return;
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

ListState TOrvel::CurrentListState() const {
    ListState state;
    if (store_)
        state.current_category = store_->CurrentCategory();
    if (TPictureList* list = CurrentList()) {
        state.has_focused = list->FocusedRow() >= 0;
        state.has_selected = !list->SelectedRows().empty();
    }
    return state;
}

void TOrvel::Kategorien1Click() {
    const CategoriesMenuRules rules = CategoriesMenu(CurrentListState());
    Enable(ui_->Kategoriebearbeiten1, rules.edit_category);
    Enable(ui_->Kategorielschen1, rules.delete_category);
    if (rules.remove_pictures)
        Enable(ui_->Bilderentfernen1, *rules.remove_pictures);
    Enable(ui_->Bilderkopierenverschieben1, rules.copy_move);
    Enable(ui_->AlleBilderentfernen1, rules.remove_all);
}

void TOrvel::Hintergrundbild1Click() {
    const PictureMenuRules rules = PictureMenu(CurrentListState());
    for (QAction* action : {ui_->MarkiertesBildalsHintergund1, ui_->Bildffnen1,
                            ui_->Bildspeichernunter1, ui_->Bilddrucken1})
        Enable(action, rules.set_selected);
    Enable(ui_->BildperEMailsenden1, rules.mail);
}

void TOrvel::PopupPopup() {
    const PictureMenuRules rules = PictureMenu(CurrentListState());
    for (QAction* action : {ui_->MarkiertesBildalsHintergund2, ui_->Bildffnen2,
                            ui_->Bildspeichernunter2, ui_->Bilddrucken2})
        Enable(action, rules.set_selected);
    Enable(ui_->Bilderlschen1, rules.remove);
    Enable(ui_->BildperEMailsenden2, rules.mail);
    Enable(ui_->Bilderkopierenverschieben2, rules.copy_move);
}

void TOrvel::KatPopupPopup() {
    Enable(ui_->KatEdit, KatPopupEditable(kat_popup_tag_));
    Enable(ui_->KatDelete, KatPopupEditable(kat_popup_tag_));
}

void TOrvel::OpenKatPopup(int index, const QPoint& global_position) {
    kat_popup_tag_ = index;
    kat_popup_->exec(global_position);
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
    const int index = sender == ui_->KatEdit ? kat_popup_tag_ : store_->CurrentCategory();
    if (category_dialog_ == nullptr || index <= 0 || index >= store_->count())
        return QDialog::Rejected;
    category_dialog_->PrepareEdit(index, store_->category(index).name, icon_files_.at(index));
    return category_dialog_->exec();
}

bool TOrvel::CreateCategoryFromDialog(const std::string& name, const std::string& icon) {
    if (!store_->CreateCategory(store_->count(), icon, name))
        return false;
    SelectCategory(CategoryButton(store_->count() - 1));
    Speichern1Click();
    emit CategoriesChanged();
    return true;
}

void TOrvel::ChangeCategoryFromDialog(int index, const std::string& name,
                                      const std::optional<std::string>& icon) {
    store_->RenameCategory(index, name);
    views_.at(index).button->setText(FromStd(name));
    if (icon) {
        icon_files_.at(index) = *icon;
        store_->SetCategoryIcon(index, *icon);
        LoadCategoryIcon(*icon, false, index);
        views_[index].button->setIcon(QIcon(kat_images_.at(index)));
    }
    Speichern1Click();
    emit CategoriesChanged();
}

void TOrvel::SBOptionsClick() {
    if (options_dialog_ != nullptr)
        options_dialog_->SBOptionsClick();
}

void TOrvel::KatDeleteClick() {
    DeleteCategory(kat_popup_tag_);
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
    if (files.empty())
        return;
    InBatch([&] {
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
    TPictureList* list = CurrentList();
    const std::vector<int> rows = list->SelectedRows();
    InBatch([&] { store_->RemovePictures(index, rows); });
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
    InBatch([&] { status = store_->ClearCategory(store_->CurrentCategory(), true); });
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
    if (!DropFileTargetGetDropEffect(files) || store_->CurrentCategory() == 0)
        return;
    InBatch([&] {
        AddPicturesAsking(*store_, store_->CurrentCategory(), files, services_.active_desktop,
                          services_.catalogue, services_.prompter);
    });
    AfterPicturesChanged();
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
    TPictureList* list = CurrentList();
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
    showNormal();
    raise();
    activateWindow();
    ApplicationEventsRestore();
}

void TOrvel::ApplicationEventsMinimize() {
    if (services_.tray_available && services_.tray_available()) {
        in_tray_ = true;
        tray_icon_->show();
        hide();
    }
}

void TOrvel::ApplicationEventsRestore() {
    in_tray_ = false;
    tray_icon_->hide();
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
            .form_file = ProgramFile("ovl.dat"),
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

TFindPics* TOrvel::FindPicsWindow() const {
    return find_pics_window_.data();
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
    InBatch([&] {
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
    tray_icon_->hide();
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
    services_.prompter.ShowMessage(text, services_.catalogue.Text(kSError), MessageStyle::Error);
}

}  // namespace orvella
