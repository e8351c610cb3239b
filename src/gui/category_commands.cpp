#include "gui/category_commands.h"

#include <QDialog>

#include "gui/category_bar.h"
#include "gui/taddkatform.h"
#include "library/category_store.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"

namespace orvella {

CategoryCommands::CategoryCommands(const std::unique_ptr<TCategoryStore>& store, CategoryBar& bar,
                                   const MessageCatalogue& catalogue, Prompter& prompter,
                                   std::string default_icon, CategoryCommandHooks hooks)
    : store_(store),
      bar_(bar),
      catalogue_(catalogue),
      prompter_(prompter),
      default_icon_(std::move(default_icon)),
      hooks_(std::move(hooks)) {}

void CategoryCommands::SetDialog(TAddKatForm* dialog) {
    dialog_ = dialog;
    dialog->SetActions({
        [this](const std::string& name, const std::string& icon) {
            return CreateFromDialog(name, icon);
        },
        [this](int index, const std::string& name, const std::optional<std::string>& icon) {
            ChangeFromDialog(index, name, icon);
        },
    });
}

int CategoryCommands::Add() {
    if (dialog_ == nullptr)
        return QDialog::Rejected;
    dialog_->PrepareNew(default_icon_);
    return dialog_->exec();
}

int CategoryCommands::Edit(int index) {
    if (dialog_ == nullptr || index <= 0 || index >= store_->count())
        return QDialog::Rejected;
    dialog_->PrepareEdit(index, store_->category(index).name, bar_.IconFiles().at(index));
    return dialog_->exec();
}

bool CategoryCommands::CreateFromDialog(const std::string& name, const std::string& icon) {
    if (!store_->CreateCategory(store_->count(), icon, name))
        return false;
    bar_.SelectCategory(bar_.CategoryButton(store_->count() - 1));
    hooks_.changed();
    return true;
}

void CategoryCommands::ChangeFromDialog(int index, const std::string& name,
                                        const std::optional<std::string>& icon) {
    store_->RenameCategory(index, name);
    if (icon)
        store_->SetCategoryIcon(index, *icon);
    bar_.ShowChangedCategory(index, icon);
    hooks_.changed();
}

void CategoryCommands::Delete(int index) {
    if (index <= 0 || index >= store_->count())
        return;  // the summary cannot be deleted
    if (ShowCatalogueMessage(prompter_, catalogue_, kMsgDeleteKatConfirm,
                             store_->category(index).name) != MessageResult::Yes)
        return;
    const Status status = store_->SaveCategories(index);
    if (!status) {
        hooks_.show_error(status.message());
        return;  // the file still holds the category; leave the window as it is
    }
    store_->FreeCategories();
    hooks_.reload();
}

}  // namespace orvella
