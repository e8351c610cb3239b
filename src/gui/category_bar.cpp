#include "gui/category_bar.h"

#include <QBoxLayout>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QItemSelectionModel>
#include <QMenu>
#include <QToolButton>
#include <algorithm>

#include "gui/outlook_bar.h"
#include "platform/files/files.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"

namespace orvella {
namespace {

constexpr const char* kDefaultImage = ":/orvella/images/default_image.png";

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

// A category icon: any picture Qt reads, drawn stretched onto 32 x 32.
std::optional<QPixmap> ReadIconPicture(QIODevice& picture_file, QString& error) {
    QImageReader reader(&picture_file);
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

CategoryBar::CategoryBar(TOutlookBar& bar, QBoxLayout& lists, QMenu& popup, QMenu& kat_popup,
                         std::vector<QAction*> list_actions, const MessageCatalogue& catalogue,
                         Prompter& prompter, CategoryBarHooks hooks)
    : bar_(bar),
      lists_(lists),
      popup_(popup),
      kat_popup_(kat_popup),
      list_actions_(std::move(list_actions)),
      catalogue_(catalogue),
      prompter_(prompter),
      hooks_(std::move(hooks)) {}

void CategoryBar::Attach(TCategoryStore& store) {
    store_ = &store;
    store.SetObserver(this);
}

void CategoryBar::CategoryCreated(int index) {
    QToolButton* button = CreateButton(index);
    TPictureList* list = CreateList(index);
    if (static_cast<int>(views_.size()) <= index)
        views_.resize(index + 1);
    views_[index] = CategoryView{button, list};
}

QToolButton* CategoryBar::CreateButton(int index) {
    const Category& category = store_->category(index);
    QToolButton* button = bar_.CreateButton(QStringLiteral("CatBtn%1").arg(index));
    const int image = LoadCategoryIcon(category.icon, true, index);
    icon_files_.push_back(category.icon);
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QToolButton::clicked, this, [this, button] { SelectCategory(button); });
    connect(
        button, &QToolButton::customContextMenuRequested, this,
        [this, index, button](const QPoint& at) { OpenKatPopup(index, button->mapToGlobal(at)); });
    button->setText(FromStd(category.name));
    if (image >= 0)
        button->setIcon(QIcon(kat_images_[image]));
    return button;
}

TPictureList* CategoryBar::CreateList(int index) {
    QWidget* panel = lists_.parentWidget();
    auto* list =
        new TPictureList(*store_, index, file_icons_,
                         QStringLiteral("     ") + FromStd(catalogue_.Text(kSColumn)), panel);
    list->setObjectName(QStringLiteral("ListViewCatBtn%1").arg(index));
    list->setProperty("Tag", index);
    list->SetSorted(store_->sorted());
    list->hide();
    lists_.addWidget(list);
    const auto changed = [this, list] {
        if (!adding_ && list == CurrentList())
            hooks_.list_changed(list);
    };
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this, changed);
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, changed);
    connect(list, &QTreeView::doubleClicked, this, [this] { hooks_.list_double_clicked(); });
    connect(list, &QWidget::customContextMenuRequested, this,
            [this, list](const QPoint& at) { popup_.exec(list->viewport()->mapToGlobal(at)); });
    for (QAction* action : list_actions_) {
        list->addAction(action);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }
    return list;
}

void CategoryBar::CategoriesFreed() {
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

void CategoryBar::PicturesChanged(int index) {
    if (batch_depth_ > 0) {
        if (std::find(changed_lists_.begin(), changed_lists_.end(), index) == changed_lists_.end())
            changed_lists_.push_back(index);
        return;
    }
    ReloadList(index);
}

void CategoryBar::CategoryLimitReached() {
    ShowCatalogueMessage(prompter_, catalogue_, kMsgKatLimit);
}

void CategoryBar::InBatch(const std::function<void()>& change) {
    ++batch_depth_;
    change();
    --batch_depth_;
    if (batch_depth_ > 0)
        return;
    for (int index : changed_lists_)
        ReloadList(index);
    changed_lists_.clear();
}

void CategoryBar::ReloadList(int index) {
    adding_ = true;  // a reload moves the focus; that is no change the user made
    if (TPictureList* list = PictureList(index))
        list->pictures()->Reload();
    adding_ = false;
}

TPictureList* CategoryBar::PictureList(int index) const {
    if (index < 0 || index >= static_cast<int>(views_.size()))
        return nullptr;
    return views_[index].list;
}

TPictureList* CategoryBar::CurrentList() const {
    return store_ ? PictureList(store_->CurrentCategory()) : nullptr;
}

QToolButton* CategoryBar::CategoryButton(int index) const {
    if (index < 0 || index >= static_cast<int>(views_.size()))
        return nullptr;
    return views_[index].button;
}

int CategoryBar::LoadCategoryIcon(const std::string& icon_path, bool add, int index) {
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
        QFile resource(QString::fromLatin1(kDefaultImage));
        if (std::optional<QPixmap> image = ReadIconPicture(resource, error))
            place(std::move(*image));
        else
            ShowError(error.toStdString());
    };

    const std::string name =
        index >= 0 && index < store_->count() ? store_->category(index).name : std::string();
    if (FileExists(icon_path)) {
        // Read by its bytes: a Latin-1 name reaches no file through a QString.
        const Result<std::optional<std::string>> content = ReadWholeFile(icon_path);
        QByteArray bytes = content.ok() && content->has_value()
                               ? QByteArray::fromStdString(**content)
                               : QByteArray();
        QBuffer picture_file(&bytes);
        QString error;
        if (std::optional<QPixmap> image = ReadIconPicture(picture_file, error)) {
            place(std::move(*image));
        } else {
            ShowError(content.ok() ? error.toStdString() : content.message());
            if (add)
                default_image();
        }
    } else {
        ShowCatalogueMessage(prompter_, catalogue_, kMsgImageNotFound, name);
        default_image();
    }
    return result;
}

void CategoryBar::ShowChangedCategory(int index, const std::optional<std::string>& icon) {
    views_.at(index).button->setText(FromStd(store_->category(index).name));
    if (icon) {
        icon_files_.at(index) = *icon;
        LoadCategoryIcon(*icon, false, index);
        views_[index].button->setIcon(QIcon(kat_images_.at(index)));
    }
}

void CategoryBar::SelectCategory(QToolButton* button) {
    if (button == nullptr || store_ == nullptr)
        return;
    const auto view = std::find_if(views_.begin(), views_.end(),
                                   [button](const CategoryView& v) { return v.button == button; });
    if (view == views_.end())
        return;
    const int index = static_cast<int>(view - views_.begin());

    if (TPictureList* old_list = CurrentList())
        old_list->hide();
    store_->SetCurrentCategory(index);
    hooks_.layout();
    view->list->show();
    // Nothing can be dropped on the summary: the drop target follows the other lists.
    for (const CategoryView& other : views_)
        other.list->WithdrawDropTarget();
    if (index >= 1)
        view->list->BindDropTarget(hooks_.drop);
    button->setChecked(true);
    hooks_.selected(button->text());
}

void CategoryBar::SetSorted(bool sorted) {
    for (const CategoryView& view : views_)
        view.list->SetSorted(sorted);
}

void CategoryBar::OpenKatPopup(int index, const QPoint& global_position) {
    kat_popup_tag_ = index;
    kat_popup_.exec(global_position);
}

void CategoryBar::ShowError(const std::string& text) const {
    ShowErrorText(prompter_, catalogue_, text);
}

MenuState CategoryBar::CurrentMenuState() const {
    MenuState state;
    if (store_ != nullptr)
        state.current_category = store_->CurrentCategory();
    if (const TPictureList* list = CurrentList()) {
        state.has_focused = list->FocusedRow() >= 0;
        state.has_selected = !list->SelectedRows().empty();
    }
    state.kat_popup_tag = kat_popup_tag_;
    return state;
}

std::optional<std::string> CategoryBar::FocusedPicture() const {
    const TPictureList* list = CurrentList();
    const int row = list ? list->FocusedRow() : -1;
    if (row < 0)
        return std::nullopt;
    return store_->category(store_->CurrentCategory()).pictures.at(row);
}

std::vector<std::string> CategoryBar::SelectedPictures() const {
    std::vector<std::string> paths;
    if (const TPictureList* list = CurrentList()) {
        const std::vector<std::string>& pictures =
            store_->category(store_->CurrentCategory()).pictures;
        for (int row : list->SelectedRows())
            paths.push_back(pictures.at(row));
    }
    return paths;
}

}  // namespace orvella
