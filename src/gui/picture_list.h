#pragma once

#include <QAbstractListModel>
#include <QTreeView>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gui/file_type_icons.h"
#include "library/category_store.h"

class QMimeData;

namespace orvella {

// Shows one category's pictures straight from the store, in the store's order, so a row
// number is the same index the store, the random pick and the commands use.
class PictureListModel : public QAbstractListModel {
    Q_OBJECT

public:
    // The store's categories move when one is added, so the model asks for its category
    // by index each time rather than keeping a reference to it.
    PictureListModel(const TCategoryStore& store, int category, FileTypeIcons& icons,
                     QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetColumnCaption(const QString& caption) { caption_ = caption; }
    // The store changed the pictures; every row may mean something else now.
    void Reload();

private:
    const std::vector<std::string>& Pictures() const;

    FileTypeIcons& icons_;
    const TCategoryStore& store_;
    int category_;
    QString caption_;
};

// The picture list of one category: a one-column report view, several rows selectable,
// captions not editable.
class TPictureList : public QTreeView {
    Q_OBJECT

public:
    TPictureList(const TCategoryStore& store, int category, FileTypeIcons& icons,
                 const QString& column_caption, QWidget* parent);

    PictureListModel* pictures() const { return model_; }
    void SetSorted(bool sorted);
    // The selected rows, in ascending order.
    std::vector<int> SelectedRows() const;
    // -1 without a focused row.
    int FocusedRow() const;
    // More rows than the view shows at once, so its vertical scroll bar is needed.
    bool NeedsScrollBar() const;

    // The file drop target: while bound, local files dragged from a file manager may be
    // dropped here when `effect` allows it for the whole list; `drop` adds them.
    struct DropTarget {
        std::function<bool(const std::vector<std::string>&)> effect;
        std::function<void(const std::vector<std::string>&)> drop;
    };
    void BindDropTarget(DropTarget target);
    void WithdrawDropTarget();
    bool drop_target_bound() const { return static_cast<bool>(drop_target_.drop); }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The dragged files, or nothing when the drag holds anything but local files.
    std::optional<std::vector<std::string>> DraggedFiles(const QMimeData* data) const;
    bool Accepts(const QMimeData* data) const;
    // Takes a drag or drop this list accepts as a copy, and refuses any other.
    bool TakeAsCopy(QDropEvent* event) const;

    PictureListModel* model_;
    DropTarget drop_target_;
};

}  // namespace orvella
