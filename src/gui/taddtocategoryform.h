#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <vector>

#include "library/category_additions.h"

namespace Ui {
class TAddToCategoryForm;
}

namespace orvella {

// The window of orvella-add-to-category: which category the files from the file manager
// go to. The first category is chosen at the start; a double click chooses and confirms.
class TAddToCategoryForm : public QDialog {
    Q_OBJECT

public:
    TAddToCategoryForm(std::vector<CategoryChoice> categories, int picture_count,
                       QWidget* parent = nullptr);
    ~TAddToCategoryForm() override;

    // The index of the chosen category; nullopt when none is.
    std::optional<int> ChosenCategory() const;

private:
    void LbCategoriesSelectionChanged();

    std::unique_ptr<Ui::TAddToCategoryForm> ui_;
    std::vector<CategoryChoice> categories_;
};

}  // namespace orvella
