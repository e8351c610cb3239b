#pragma once

#include <QWidget>

#include "shell/prompter.h"

namespace orvella {

// Shows each message as a modal QMessageBox with the icon and buttons of its style.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }
    MessageResult ShowMessage(const std::string& text, const std::string& caption,
                              MessageStyle style) override;

private:
    QWidget* owner_;
};

}  // namespace orvella
