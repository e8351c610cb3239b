#pragma once

#include <QColor>
#include <QFont>
#include <optional>

namespace orvella {

// The colour and font dialogs. Windows ask through this, so tests answer them the way
// they answer messages and file dialogs.
class PickerDialogs {
public:
    virtual ~PickerDialogs() = default;
    // The confirmed colour; nullopt when the user cancelled.
    virtual std::optional<QColor> ChooseColour(const QColor& initial) = 0;
    virtual std::optional<QFont> ChooseFont(const QFont& initial) = 0;
};

// Without a user to ask: every dialog is cancelled.
class CancellingPickerDialogs : public PickerDialogs {
public:
    std::optional<QColor> ChooseColour(const QColor&) override { return std::nullopt; }
    std::optional<QFont> ChooseFont(const QFont&) override { return std::nullopt; }
};

// Qt's colour and font dialogs, modal to the window that asks.
class QtPickerDialogs : public PickerDialogs {
public:
    void SetOwner(QWidget* owner) { owner_ = owner; }
    std::optional<QColor> ChooseColour(const QColor& initial) override;
    std::optional<QFont> ChooseFont(const QFont& initial) override;

private:
    QWidget* owner_ = nullptr;
};

}  // namespace orvella
