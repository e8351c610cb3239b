#include "gui/picture_list_commands.h"

#include <QCoreApplication>
#include <algorithm>

#include "gui/category_bar.h"
#include "gui/tcopymovepics.h"
#include "library/category_store.h"
#include "library/copy_move.h"
#include "library/picture_commands.h"
#include "shell/file_chooser.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"

namespace orvella {
namespace {

// Where the entry at `row` stands once the entries at `removed` (ascending) left the list;
// -1 when it left too or there was none.
int RowAfterRemoval(int row, const std::vector<int>& removed) {
    if (row < 0 || std::binary_search(removed.begin(), removed.end(), row))
        return -1;
    return row - static_cast<int>(std::lower_bound(removed.begin(), removed.end(), row) -
                                  removed.begin());
}

}  // namespace

PictureListCommands::PictureListCommands(const std::unique_ptr<TCategoryStore>& store,
                                         CategoryBar& bar, PictureListServices services,
                                         PictureListHooks hooks)
    : store_(store), bar_(bar), services_(services), hooks_(std::move(hooks)) {}

void PictureListCommands::AfterChange() {
    hooks_.save();
    hooks_.layout();
    hooks_.show_count();
}

void PictureListCommands::Add() {
    if (store_->CurrentCategory() == 0) {
        ShowCatalogueMessage(services_.prompter, services_.catalogue, kMsgAddFalse);
        return;
    }
    OpenFileRequest request;
    request.title = QCoreApplication::translate("TOrvel", "Bild suchen...").toStdString();
    request.filter = QCoreApplication::translate(
                         "TOrvel",
                         "Bild-Dateien (*.bmp, *.jpg, *.jpeg, *.gif, *.png)|*.bmp;*.jpg;*.gif;"
                         "*.jpeg;*.png|Html-Dateien (*.htm, *.html)|*.htm;*.html")
                         .toStdString();
    request.multiple = true;
    request.preview = true;
    const std::vector<std::string> files = services_.files.OpenFiles(request);
    if (!files.empty())
        AddToCurrent(files);
}

void PictureListCommands::AddToCurrent(const std::vector<std::string>& files) {
    bar_.InBatch([&] {
        AddPicturesAsking(*store_, store_->CurrentCategory(), files, services_.active_desktop,
                          services_.catalogue, services_.prompter);
    });
    AfterChange();
}

void PictureListCommands::Remove() {
    const int index = store_->CurrentCategory();
    if (index == 0) {
        ShowCatalogueMessage(services_.prompter, services_.catalogue, kMsgDeleteFalse);
        return;
    }
    if (ShowCatalogueMessage(services_.prompter, services_.catalogue, kMsgConfirmDelete) !=
        MessageResult::Yes)
        return;
    TPictureList* list = bar_.CurrentList();
    const std::vector<int> rows = list->SelectedRows();
    bar_.InBatch([&] { store_->RemovePictures(index, rows); });
    hooks_.show_count();
    // The picture that moved into the place of the first removed one takes the focus.
    const int count = list->pictures()->rowCount();
    if (!rows.empty() && count > 0) {
        const QModelIndex focus = list->pictures()->index(std::min(rows.front(), count - 1), 0);
        list->setCurrentIndex(focus);
        list->scrollTo(focus, QAbstractItemView::EnsureVisible);
    } else {
        hooks_.clear_shown();
    }
    hooks_.save();
}

void PictureListCommands::RemoveAll() {
    if (ShowCatalogueMessage(services_.prompter, services_.catalogue, kMsgConfirmDeleteAll) !=
        MessageResult::Yes)
        return;
    Status status;
    bar_.InBatch([&] { status = store_->ClearCategory(store_->CurrentCategory(), true); });
    if (!status)
        hooks_.show_error(status.message());
    hooks_.layout();
    hooks_.show_count();
    hooks_.clear_shown();
}

bool PictureListCommands::Accepts(const std::vector<std::string>& files) {
    return DropEffectFor(files) == DropEffect::Copy;
}

void PictureListCommands::Drop(const std::vector<std::string>& files) {
    if (Accepts(files) && store_->CurrentCategory() != 0)
        AddToCurrent(files);
}

void PictureListCommands::File(int index, const std::vector<std::string>& paths) {
    if (index <= 0 || index >= store_->count())
        return;
    bar_.InBatch([&] {
        for (const std::string& path : paths)
            store_->AddPicture(index, path, true);
    });
    AfterChange();
}

void PictureListCommands::CopyMove() {
    const int current = store_->CurrentCategory();
    TPictureList* list = bar_.CurrentList();
    if (current <= 0 || list == nullptr)
        return;  // the summary is neither source nor target
    std::vector<std::string> targets;
    for (int i = 1; i < store_->count(); ++i)
        targets.push_back(store_->category(i).name);
    TCopyMovePics dialog(services_.catalogue, services_.prompter, services_.dialog_parent);
    dialog.SetCategories(targets, store_->category(current).name);
    const int result = dialog.exec();
    if (result != TCopyMovePics::kCopy && result != TCopyMovePics::kMove)
        return;
    const CopyMoveKind kind =
        result == TCopyMovePics::kCopy ? CopyMoveKind::Copy : CopyMoveKind::Move;
    const std::vector<int> rows = list->SelectedRows();
    int focused = list->FocusedRow();
    if (kind == CopyMoveKind::Move)
        focused = RowAfterRemoval(focused, rows);
    bar_.InBatch([&] { CopyMovePictures(*store_, current, dialog.TargetCategory(), rows, kind); });
    hooks_.show_count();
    KeepFocus(focused);
    hooks_.save();
}

void PictureListCommands::KeepFocus(int row) {
    TPictureList* list = bar_.CurrentList();
    if (row < 0) {
        hooks_.clear_shown();
        return;
    }
    const QModelIndex focus = list->pictures()->index(row, 0);
    list->selectionModel()->setCurrentIndex(focus, QItemSelectionModel::Select);
    list->scrollTo(focus, QAbstractItemView::EnsureVisible);
}

}  // namespace orvella
