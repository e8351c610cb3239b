#pragma once

#include <QSpinBox>
#include <functional>
#include <optional>
#include <string>

namespace orvella {

// A whole-number field with up and down buttons stepping by 1. Leaving it clamps the value
// into its range (5 in a 15..9999999 field becomes 15); leaving it empty reports the empty
// text as no valid integer, and the field has no value until it gets one.
class TSpinEdit : public QSpinBox {
    Q_OBJECT

public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    // How the field reports an empty text; the dialog shows it as the runtime's error.
    void SetInvalidReporter(std::function<void(const std::string& text)> report) {
        report_ = std::move(report);
    }
    // The number in the field; nullopt while it is empty (the reporter was told).
    std::optional<int> Value();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::function<void(const std::string&)> report_;
};

}  // namespace orvella
