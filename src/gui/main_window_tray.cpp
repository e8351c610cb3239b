#include "gui/main_window_tray.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

#include "gui/main_window_commands.h"

namespace orvella {

MainWindowTray::MainWindowTray(QWidget& window, std::function<bool()> tray_available)
    : window_(window),
      tray_available_(std::move(tray_available)),
      menu_(MakeMenu(window, "TrayPop",
                     {"Wiederherstellen", "-", "NeuesZufallsbild1", "Iconstransparentsetzen2",
                      "Optionen2", "-", "Beenden3"})),
      icon_(new QSystemTrayIcon(window.windowIcon(), &window)) {
    menu_->setDefaultAction(menu_->actions().front());
    icon_->setToolTip(QStringLiteral("Orvella 3.0"));
    icon_->setContextMenu(menu_);
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                QAction* entry = menu_->defaultAction();
                if (reason == QSystemTrayIcon::DoubleClick && entry && entry->isEnabled())
                    entry->trigger();
            });
}

void MainWindowTray::GoToTray() {
    if (Available()) {
        in_tray_ = true;
        window_.hide();
        icon_->show();
    } else {
        // No tray to come back from: the task bar keeps the way back.
        window_.showMinimized();
    }
}

void MainWindowTray::Minimised() {
    if (Available()) {
        in_tray_ = true;
        icon_->show();
        window_.hide();
    }
}

void MainWindowTray::Restored() {
    in_tray_ = false;
    icon_->hide();
}

void MainWindowTray::ComeBack() {
    window_.showNormal();
    window_.raise();
    window_.activateWindow();
    Restored();
}

void MainWindowTray::HideIcon() {
    icon_->hide();
}

}  // namespace orvella
