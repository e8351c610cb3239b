#pragma once

#include <QAbstractListModel>
#include <QSize>
#include <QStringList>
#include <QTimer>
#include <vector>

namespace orvella {

// The found files of a disk search, in the order found. A search may find tens of
// thousands, each delivered on its own: they are gathered and shown in batches, at most one
// insertion per interval, so the list fills while the search runs and the window stays
// responsive.
class TFoundPictures : public QAbstractListModel {
    Q_OBJECT

public:
    static constexpr int kFlushIntervalMs = 100;

    explicit TFoundPictures(QObject* parent = nullptr);

    // Queues a find; it is shown at the next flush.
    void Add(QString path);
    // Shows everything queued now (before the list is worked on, and at a search's end).
    void Flush();
    void Clear();
    // Removes the rows (of the shown entries), in any order.
    void RemoveRowsAt(std::vector<int> rows);

    const QString& Path(int row) const { return paths_.at(row); }
    const QStringList& Paths() const { return paths_; }
    int PendingCount() const { return static_cast<int>(pending_.size()); }
    // The size every row claims, so the list scrolls to the end of the longest path; an
    // invalid size: the view's own measure.
    void SetItemSize(QSize size);
    QSize ItemSize() const { return item_size_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

signals:
    // After each batch has been inserted.
    void Flushed();

private:
    QStringList paths_;
    QStringList pending_;
    QTimer flush_timer_;
    QSize item_size_;
};

}  // namespace orvella
