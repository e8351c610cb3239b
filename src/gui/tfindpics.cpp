#include "gui/tfindpics.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QStatusBar>
#include <algorithm>
#include <cmath>

#include "gui/file_path_text.h"
#include "gui/found_pictures.h"
#include "gui/framed_button_style.h"
#include "library/category_store.h"
#include "platform/system/drives.h"
#include "settings/profile_target.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"
#include "ui_tfindpics.h"

namespace orvella {
namespace {

// The ratios come from a layout measured in whole pixels; the tolerance keeps a product
// that is a whole number in decimals (446 x 16/446) from rounding up past it in binary.
int CeilOf(int width, double ratio) {
    return static_cast<int>(std::ceil(width * ratio - 1e-9));
}

constexpr int kRootRole = Qt::UserRole;

}  // namespace

const std::vector<std::string>& TFindPics::TypeMasks(int index) {
    static const std::vector<std::string> masks[] = {
        {"*.bmp"}, {"*.jpg", "*.jpeg"}, {"*.gif"}, {"*.png"}, {"*.htm", "*.html"},
    };
    return masks[index];
}

TFindPics::TFindPics(TFindPicsServices services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      ui_(std::make_unique<Ui::TFindPics>()),
      services_(std::move(services)),
      find_file_(std::make_unique<TFindFile>(owner_)),
      placement_(*this, [this] { return isMinimized(); }) {
    ui_->setupUi(this);
    ui_->BtnStop->hide();
    for (QPushButton* button : {ui_->BtnFind, ui_->BtnStop, ui_->BtnClose})
        button->setStyleSheet(FramedButtonStyle());

    found_ = new TFoundPictures(this);
    ui_->LBPicsFound->setModel(found_);
    ui_->LBPicsFound->setContextMenuPolicy(Qt::PreventContextMenu);
    ui_->LBPicsFound->installEventFilter(this);
    ui_->LBPicsFound->viewport()->installEventFilter(this);
    ui_->GroupBox1->installEventFilter(this);
    ui_->Label4->installEventFilter(this);
    connect(found_, &TFoundPictures::Flushed, this, &TFindPics::ShowFoundCount);
    connect(found_, &QAbstractItemModel::modelReset, this, [this] { widest_path_ = 0; });

    busy_ = new QProgressBar(this);
    busy_->setRange(0, 0);  // no end known: the bar moves to and fro
    busy_->setTextVisible(false);
    busy_->setFixedWidth(120);
    busy_->hide();
    found_label_ = new QLabel(this);
    ui_->StatusBar->addWidget(busy_);
    ui_->StatusBar->addWidget(found_label_, 1);

    pics_found_popup_ = new QMenu(this);
    pics_found_popup_->setObjectName(QStringLiteral("PicsFoundPopup"));
    neue_kategorie1_ =
        pics_found_popup_->addAction(QCoreApplication::translate("TFindPics", "Neue Kategorie..."));
    neue_kategorie1_->setObjectName(QStringLiteral("NeueKategorie1"));
    pics_found_popup_->addSeparator()->setObjectName(QStringLiteral("N1"));
    connect(neue_kategorie1_, &QAction::triggered, this, &TFindPics::NeueKategorie1Click);

    connect(ui_->BtnFind, &QPushButton::clicked, this, &TFindPics::BtnFindClick);
    connect(ui_->BtnStop, &QPushButton::clicked, this, &TFindPics::BtnStopClick);
    connect(ui_->BtnClose, &QPushButton::clicked, this, &TFindPics::BtnCloseClick);

    find_file_->SetThreaded(true);
    (void)find_file_->SetFilename("*.*");  // a bare mask, always accepted
    find_file_->SetOnFound([this](TFindFile&, const std::string& folder, const TFileInfo& info) {
        FindFileFound(folder, info);
    });
    find_file_->SetOnComplete([this](TFindFile&) { FindFileComplete(); });

    FormCreate();
}

TFindPics::~TFindPics() {
    // The engine first: it stops a running search and delivers nothing more.
    find_file_.reset();
}

QListWidget* TFindPics::LBSearchPics() const {
    return ui_->LBSearchPics;
}
QListWidget* TFindPics::LogicalDrives() const {
    return ui_->LogicalDrives;
}
QListView* TFindPics::LBPicsFound() const {
    return ui_->LBPicsFound;
}
QCheckBox* TFindPics::CkbIgnoreExistingPic() const {
    return ui_->CkbIgnoreExistingPic;
}
QPushButton* TFindPics::BtnFind() const {
    return ui_->BtnFind;
}
QPushButton* TFindPics::BtnStop() const {
    return ui_->BtnStop;
}
QPushButton* TFindPics::BtnClose() const {
    return ui_->BtnClose;
}

QAction* TFindPics::TargetItem(int index) const {
    return index >= 0 && index < kMaxCategories ? target_items_[index] : nullptr;
}

void TFindPics::FormCreate() {
    // Centred on the main window, unless a stored placement says otherwise.
    if (QWidget* owner = parentWidget())
        move(owner->geometry().center() - rect().center());
    wall_storage4_ = std::make_unique<TFormStorage>(ProfileTarget(services_.form_file, "FindPics"));
    wall_storage4_->KeepPlacement(placement_);
    wall_storage4_->AddBool(
        {"CkbIgnoreExistingPic", "Checked"},
        [this] { return ui_->CkbIgnoreExistingPic->isChecked(); },
        [this](bool checked) { ui_->CkbIgnoreExistingPic->setChecked(checked); });
    const Result<RestoreOutcome> restored = wall_storage4_->Restore();
    if (!restored)
        services_.prompter.ShowMessage(restored.message(), services_.catalogue.Text(kSError),
                                       MessageStyle::Error);
    CategoriesChanged();
}

void TFindPics::CategoriesChanged() {
    for (QAction*& item : target_items_) {
        if (item != nullptr) {
            pics_found_popup_->removeAction(item);
            item->deleteLater();
            item = nullptr;
        }
    }
    const int count = services_.store.count();
    for (int i = 1; i < count && i < kMaxCategories; ++i)
        AddTargetItem(i);
}

void TFindPics::AddTargetItem(int index) {
    auto* item = new QAction(QString::fromStdString(services_.store.category(index).name),
                             pics_found_popup_);
    item->setObjectName(QStringLiteral("PopupItem_%1").arg(index));
    item->setProperty("Tag", index);
    connect(item, &QAction::triggered, this, [this, item] { AddToCategoryClick(item); });
    pics_found_popup_->addAction(item);
    target_items_[index] = item;
}

void TFindPics::FormShow() {
    if (ui_->LogicalDrives->count() > 0)
        return;  // filled at the first showing; a search keeps the drives it was given
    std::vector<std::string> roots;
    for (const Drive& drive : services_.drives.List()) {
        if (drive.type != DriveType::Fixed && drive.type != DriveType::Remote)
            continue;
        // The root as the system spells it: on this host case tells folders apart.
        auto* item = new QListWidgetItem(PathDisplayText(drive.label + " (" + drive.root + ")"),
                                         ui_->LogicalDrives);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setData(kRootRole, PathToQString(drive.root));
        roots.push_back(drive.root);
    }
    trash_ = TrashFolders::ForUser(roots, services_.environment);
}

void TFindPics::FormResize() {
    const int group = ui_->GroupBox1->width();
    const int width = CeilOf(group, 0.4327131112072696);
    const int left_types = CeilOf(group, 0.03587443946188341);
    const int left_drives = CeilOf(group, 0.5313496280552604);
    const auto place = [width](QWidget* widget, int left) {
        widget->setGeometry(left, widget->y(), width, widget->height());
    };
    place(ui_->LBSearchPics, left_types);
    place(ui_->Label1, left_types);
    place(ui_->LogicalDrives, left_drives);
    place(ui_->Label2, left_drives);
}

bool TFindPics::HasSearchSelection() const {
    const auto any_checked = [](const QListWidget* list) {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->checkState() == Qt::Checked)
                return true;
        return false;
    };
    return any_checked(ui_->LBSearchPics) && any_checked(ui_->LogicalDrives);
}

std::vector<std::string> TFindPics::CheckedRoots() const {
    std::vector<std::string> roots;
    for (int i = 0; i < ui_->LogicalDrives->count(); ++i) {
        const QListWidgetItem* item = ui_->LogicalDrives->item(i);
        if (item->checkState() == Qt::Checked)
            roots.push_back(PathFromQString(item->data(kRootRole).toString()));
    }
    return roots;
}

void TFindPics::BtnFindClick() {
    if (!HasSearchSelection()) {
        ShowCatalogueMessage(services_.prompter, services_.catalogue, kMsgNoSearchPics);
        return;
    }
    if (find_file_->Busy())
        return;
    found_->Clear();
    find_file_->ExcludeFiles().clear();
    find_file_->IncludeFiles().clear();
    (void)find_file_->SetFilename("*.*");
    found_count_ = 0;
    ShowFoundCount();

    const std::vector<std::string> roots = CheckedRoots();
    for (int type = 0; type < ui_->LBSearchPics->count(); ++type) {
        if (ui_->LBSearchPics->item(type)->checkState() != Qt::Checked)
            continue;
        for (const std::string& root : roots)
            for (const std::string& mask : TypeMasks(type))
                find_file_->IncludeFiles().push_back(root + mask);
    }
    if (ui_->CkbIgnoreExistingPic->isChecked() && services_.store.count() > 0) {
        const std::vector<std::string>& all = services_.store.category(0).pictures;
        find_file_->ExcludeFiles().insert(find_file_->ExcludeFiles().end(), all.begin(), all.end());
    }

    ui_->BtnStop->show();
    ui_->BtnFind->hide();
    busy_->show();
    find_file_->Execute();
}

void TFindPics::FindFileFound(const std::string& folder, const TFileInfo& info) {
    if (trash_.Contains(folder))
        return;
    std::string path = folder;
    if (path.empty() || path.back() != '/')
        path.push_back('/');
    path += info.name;
    QString shown = PathToQString(path);
    // Measured as each find comes, within the search's time-sliced deliveries: measured in
    // the list's batches instead, a batch of ten thousand finds held the window for 100 ms.
    widest_path_ =
        std::max(widest_path_, QFontMetrics(ui_->LBPicsFound->font()).horizontalAdvance(shown));
    found_->Add(std::move(shown));
    ++found_count_;
}

void TFindPics::FindFileComplete() {
    found_->Flush();
    SearchEnded();
}

void TFindPics::BtnStopClick() {
    find_file_->Abort();
    SearchEnded();
}

void TFindPics::SearchEnded() {
    ui_->BtnFind->show();
    ui_->BtnStop->hide();
    UpdateScrollWidth();
    busy_->hide();
    ShowFoundCount();
}

void TFindPics::ShowFoundCount() {
    found_label_->setText(QString::fromStdString(services_.catalogue.Text(kSFoundPics)) +
                          QStringLiteral(" %1").arg(found_count_));
}

void TFindPics::UpdateScrollWidth() {
    const QFontMetrics metrics(ui_->LBPicsFound->font());
    // A little room for the item's own margins, so the last letter is not cut.
    found_->SetItemSize(widest_path_ > 0 ? QSize(widest_path_ + 8, metrics.height() + 2) : QSize());
}

void TFindPics::BtnCloseClick() {
    close();
}

void TFindPics::Label4Click() {
    ui_->CkbIgnoreExistingPic->toggle();
}

void TFindPics::LBPicsFoundMouseDown(const QPoint& at) {
    if (found_->rowCount() > 0)
        pics_found_popup_->popup(at);
}

void TFindPics::LBPicsFoundMouseUp() {
    ShowFocusedInPreview();
}

bool TFindPics::LBPicsFoundKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_A && (modifiers & Qt::ControlModifier)) {
        ui_->LBPicsFound->selectAll();
        return true;
    }
    return false;
}

void TFindPics::LBPicsFoundKeyUp() {
    ShowFocusedInPreview();
}

void TFindPics::ShowFocusedInPreview() {
    const QModelIndex focus = ui_->LBPicsFound->currentIndex();
    if (found_->rowCount() == 0 || !focus.isValid() || !services_.show_in_preview)
        return;
    services_.show_in_preview(PathFromQString(found_->Path(focus.row())));
}

void TFindPics::AddToCategoryClick(QAction* item) {
    const int index = item->property("Tag").toInt();
    std::vector<int> rows;
    for (const QModelIndex& selected : ui_->LBPicsFound->selectionModel()->selectedIndexes())
        rows.push_back(selected.row());
    if (rows.empty())
        return;
    std::sort(rows.begin(), rows.end());
    std::vector<std::string> paths;
    paths.reserve(rows.size());
    for (int row : rows)
        paths.push_back(PathFromQString(found_->Path(row)));
    found_->RemoveRowsAt(rows);
    found_count_ -= static_cast<int>(rows.size());
    ShowFoundCount();
    if (services_.add_to_category)
        services_.add_to_category(index, paths);
}

void TFindPics::NeueKategorie1Click() {
    if (!services_.new_category || !services_.new_category())
        return;
    // The new category is the last one; past the limit no item can be made for it.
    CategoriesChanged();
}

void TFindPics::FormClose() {
    const Status stored = wall_storage4_->Save();
    if (!stored)
        services_.prompter.ShowMessage(stored.message(), services_.catalogue.Text(kSError),
                                       MessageStyle::Error);
    if (services_.closed)
        services_.closed();
}

void TFindPics::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TFindPics::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TFindPics::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

bool TFindPics::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->GroupBox1 && event->type() == QEvent::Resize) {
        FormResize();
    } else if (watched == ui_->Label4 && event->type() == QEvent::MouseButtonRelease) {
        Label4Click();
        return true;
    } else if (watched == ui_->LBPicsFound->viewport()) {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            // The right button opens the menu on the selection as it is.
            LBPicsFoundMouseDown(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease)
            LBPicsFoundMouseUp();
    } else if (watched == ui_->LBPicsFound) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (LBPicsFoundKeyDown(key->key(), key->modifiers()))
                return true;
        } else if (event->type() == QEvent::KeyRelease) {
            LBPicsFoundKeyUp();
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace orvella
