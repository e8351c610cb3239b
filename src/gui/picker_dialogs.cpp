#include "gui/picker_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QWidget>

namespace orvella {
namespace {

// Over the dialog that asks, when one is open, so the picker is not hidden behind it.
QWidget* ParentFor(QWidget* owner) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : owner;
}

}  // namespace

std::optional<QColor> QtPickerDialogs::ChooseColour(const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, ParentFor(owner_));
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

std::optional<QFont> QtPickerDialogs::ChooseFont(const QFont& initial) {
    bool confirmed = false;
    const QFont chosen = QFontDialog::getFont(&confirmed, initial, ParentFor(owner_));
    if (!confirmed)
        return std::nullopt;
    return chosen;
}

}  // namespace orvella
