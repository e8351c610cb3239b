#include "gui/picture_list.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

#include "gui/file_path_text.h"

namespace orvella {

PictureListModel::PictureListModel(const TCategoryStore& store, int category, FileTypeIcons& icons,
                                   QObject* parent)
    : QAbstractListModel(parent), icons_(icons), store_(store), category_(category) {}

const std::vector<std::string>& PictureListModel::Pictures() const {
    static const std::vector<std::string> kNone;
    return category_ < store_.count() ? store_.category(category_).pictures : kNone;
}

int PictureListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Pictures().size());
}

QVariant PictureListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const QString path = PathDisplayText(Pictures()[index.row()]);
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return path;
        case Qt::DecorationRole:
            return icons_.IconFor(path);
        default:
            return {};
    }
}

QVariant PictureListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return caption_;
    return {};
}

void PictureListModel::Reload() {
    beginResetModel();
    endResetModel();
}

TPictureList::TPictureList(const TCategoryStore& store, int category, FileTypeIcons& icons,
                           const QString& column_caption, QWidget* parent)
    : QTreeView(parent), model_(new PictureListModel(store, category, icons, this)) {
    model_->SetColumnCaption(column_caption);
    setModel(model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);  // keeps long lists cheap to lay out
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::CustomContextMenu);
    header()->setSectionsClickable(false);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
}

void TPictureList::SetSorted(bool sorted) {
    header()->setSortIndicatorShown(sorted);
    if (sorted)
        header()->setSortIndicator(0, Qt::AscendingOrder);
}

std::vector<int> TPictureList::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int TPictureList::FocusedRow() const {
    const QModelIndex current = selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool TPictureList::NeedsScrollBar() const {
    const int rows = model_->rowCount();
    if (rows == 0)
        return false;
    const int row_height = std::max(1, sizeHintForRow(0));
    return rows > viewport()->height() / row_height;
}

void TPictureList::BindDropTarget(DropTarget target) {
    drop_target_ = std::move(target);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
}

void TPictureList::WithdrawDropTarget() {
    drop_target_ = {};
    setAcceptDrops(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
}

std::optional<std::vector<std::string>> TPictureList::DraggedFiles(const QMimeData* data) const {
    if (data == nullptr || !data->hasUrls())
        return std::nullopt;
    std::vector<std::string> files;
    for (const QUrl& url : data->urls()) {
        // A web address or a remote share is no file to keep.
        std::optional<std::string> file = PathOfUrl(url);
        if (!file)
            return std::nullopt;
        files.push_back(std::move(*file));
    }
    return files;
}

bool TPictureList::Accepts(const QMimeData* data) const {
    if (!drop_target_bound())
        return false;
    const std::optional<std::vector<std::string>> files = DraggedFiles(data);
    return files && drop_target_.effect && drop_target_.effect(*files);
}

bool TPictureList::TakeAsCopy(QDropEvent* event) const {
    if (!Accepts(event->mimeData())) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

void TPictureList::dragEnterEvent(QDragEnterEvent* event) {
    TakeAsCopy(event);
}

void TPictureList::dragMoveEvent(QDragMoveEvent* event) {
    TakeAsCopy(event);
}

void TPictureList::dropEvent(QDropEvent* event) {
    if (TakeAsCopy(event))
        drop_target_.drop(*DraggedFiles(event->mimeData()));
}

}  // namespace orvella
