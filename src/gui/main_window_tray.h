#pragma once

#include <QObject>
#include <functional>

class QMenu;
class QSystemTrayIcon;
class QWidget;

namespace orvella {

// Where the main window goes when it is minimised, and the way back: the tray icon and its
// menu `TrayPop`. Without a tray on the desktop the window stays on the task bar.
class MainWindowTray : public QObject {
    Q_OBJECT

public:
    // `window` owns the icon and the menu, whose entries are its actions.
    MainWindowTray(QWidget& window, std::function<bool()> tray_available);

    // The "min" switch: into the tray, or minimised when there is none to come back from.
    void GoToTray();
    // The window was minimised: it hides in the tray when there is one.
    void Minimised();
    // The window is back: the icon goes.
    void Restored();
    // The tray menu's "Wiederherstellen": the window shows normally and in front.
    void ComeBack();
    // The program ends: the icon goes with it.
    void HideIcon();

    bool in_tray() const { return in_tray_; }
    QSystemTrayIcon* TrayIcon() const { return icon_; }
    QMenu* TrayPop() const { return menu_; }

private:
    bool Available() const { return tray_available_ && tray_available_(); }

    QWidget& window_;
    std::function<bool()> tray_available_;
    QMenu* menu_;
    QSystemTrayIcon* icon_;
    bool in_tray_ = false;
};

}  // namespace orvella
