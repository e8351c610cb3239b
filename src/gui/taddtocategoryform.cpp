#include "gui/taddtocategoryform.h"

#include <QCoreApplication>
#include <QPushButton>

#include "ui_taddtocategoryform.h"

namespace orvella {

TAddToCategoryForm::TAddToCategoryForm(std::vector<CategoryChoice> categories, int picture_count,
                                       QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TAddToCategoryForm>()),
      categories_(std::move(categories)) {
    ui_->setupUi(this);
    ui_->LabelPictures->setText(
        QCoreApplication::translate("TAddToCategoryForm", "%1 Bild(er) hinzufügen zur Kategorie:")
            .arg(picture_count));
    for (const CategoryChoice& category : categories_)
        ui_->LbCategories->addItem(QString::fromStdString(category.name));
    connect(ui_->LbCategories, &QListWidget::itemSelectionChanged, this,
            &TAddToCategoryForm::LbCategoriesSelectionChanged);
    connect(ui_->LbCategories, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    if (!categories_.empty())
        ui_->LbCategories->setCurrentRow(0);
    LbCategoriesSelectionChanged();
}

TAddToCategoryForm::~TAddToCategoryForm() = default;

std::optional<int> TAddToCategoryForm::ChosenCategory() const {
    const int row = ui_->LbCategories->currentRow();
    if (row < 0 || row >= static_cast<int>(categories_.size()) ||
        ui_->LbCategories->selectedItems().isEmpty()) {
        return std::nullopt;
    }
    return categories_[static_cast<std::size_t>(row)].index;
}

void TAddToCategoryForm::LbCategoriesSelectionChanged() {
    ui_->Buttons->button(QDialogButtonBox::Ok)->setEnabled(ChosenCategory().has_value());
}

}  // namespace orvella
