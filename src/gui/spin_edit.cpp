#include "gui/spin_edit.h"

#include <QLineEdit>

namespace orvella {

TSpinEdit::TSpinEdit(QWidget* parent) : QSpinBox(parent) {
    setSingleStep(1);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(false);
}

std::optional<int> TSpinEdit::Value() {
    const QString text = lineEdit()->text().trimmed();
    if (text.isEmpty()) {
        if (report_)
            report_(text.toStdString());
        return std::nullopt;
    }
    interpretText();
    return value();
}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
    if (lineEdit()->text().trimmed().isEmpty()) {
        // An empty field is no number: say so and leave it empty, as the user left it.
        if (report_)
            report_(std::string());
        QWidget::focusOutEvent(event);
        return;
    }
    QSpinBox::focusOutEvent(event);  // clamps into the range
}

}  // namespace orvella
