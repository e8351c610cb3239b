#include "gui/found_pictures.h"

#include <algorithm>

#include "gui/file_path_text.h"

namespace orvella {

TFoundPictures::TFoundPictures(QObject* parent) : QAbstractListModel(parent) {
    flush_timer_.setSingleShot(true);
    flush_timer_.setInterval(kFlushIntervalMs);
    connect(&flush_timer_, &QTimer::timeout, this, &TFoundPictures::Flush);
}

void TFoundPictures::Add(QString path) {
    pending_.push_back(std::move(path));
    if (!flush_timer_.isActive())
        flush_timer_.start();
}

void TFoundPictures::Flush() {
    flush_timer_.stop();
    if (pending_.isEmpty())
        return;
    const int first = static_cast<int>(paths_.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(pending_.size()) - 1);
    paths_.append(pending_);
    pending_.clear();
    endInsertRows();
    emit Flushed();
}

void TFoundPictures::Clear() {
    flush_timer_.stop();
    beginResetModel();
    paths_.clear();
    pending_.clear();
    item_size_ = QSize();
    endResetModel();
}

void TFoundPictures::RemoveRowsAt(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // From the end, in runs, so the rows still to go keep their numbers.
    auto end = rows.end();
    while (end != rows.begin()) {
        auto begin = std::prev(end);
        while (begin != rows.begin() && *std::prev(begin) == *begin - 1)
            --begin;
        const int first = *begin;
        const int last = *std::prev(end);
        if (first >= 0 && last < static_cast<int>(paths_.size())) {
            beginRemoveRows(QModelIndex(), first, last);
            paths_.remove(first, last - first + 1);
            endRemoveRows();
        }
        end = begin;
    }
}

void TFoundPictures::SetItemSize(QSize size) {
    if (size == item_size_)
        return;
    item_size_ = size;
    emit layoutChanged();
}

int TFoundPictures::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(paths_.size());
}

QVariant TFoundPictures::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(paths_.size()))
        return {};
    // Kept with every byte of the path; shown with a stray byte read as Windows-1252.
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return PathDisplayText(PathFromQString(paths_.at(index.row())));
    if (role == Qt::SizeHintRole && item_size_.isValid())
        return item_size_;
    return {};
}

}  // namespace orvella
