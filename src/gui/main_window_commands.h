#pragma once

#include <functional>
#include <initializer_list>

#include "gui/menu_rules.h"

class QMenu;
class QWidget;

namespace orvella {

class TOrvel;

// A menu of `owner`'s actions, named `name`, from the actions' object names; "-" is a
// separator.
QMenu* MakeMenu(QWidget& owner, const char* name, std::initializer_list<const char*> entries);

// The main window's command wiring: every menu entry and tool button bound to its handler,
// enabled by its rule each time its menu opens, and the context menus of the picture lists
// (`Popup`) and of the bar buttons (`KatPopup`). The commands are one table in the source
// file: a new command is one row there.
class MainWindowCommands {
public:
    // `state` tells the rules what they look at when a menu opens.
    MainWindowCommands(TOrvel& window, std::function<MenuState()> state);

    // Enables the entries of `menu` by their rules; an entry without a rule keeps its state,
    // and one without a command stays disabled.
    void Refresh(const QMenu& menu) const;

    QMenu& Popup() const { return *popup_; }
    QMenu& KatPopup() const { return *kat_popup_; }

private:
    void BindCommands();
    void ListenToMenus();
    void SetToolBarIcons();

    TOrvel& window_;
    std::function<MenuState()> state_;
    QMenu* popup_;
    QMenu* kat_popup_;
};

}  // namespace orvella
