#pragma once

// The one door through which the window tests look inside the main window.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

#include "gui/category_bar.h"
#include "gui/find_pics_host.h"
#include "gui/main_window_commands.h"
#include "gui/main_window_tray.h"
#include "gui/refresh_listener.h"
#include "gui/status_line.h"
#include "gui/tfindpics.h"
#include "gui/torvel.h"

namespace orvella {

class TOrvelTestAccess {
public:
    explicit TOrvelTestAccess(TOrvel& window) : window_(window) {}

    QAction* Action(const char* name) const {
        return window_.findChild<QAction*>(QString::fromLatin1(name));
    }
    QToolButton* CategoryButton(int index) const { return window_.bar_->CategoryButton(index); }
    TPictureList* PictureList(int index) const { return window_.bar_->PictureList(index); }
    TPictureList* CurrentList() const { return window_.bar_->CurrentList(); }
    const std::vector<QPixmap>& KatImageList() const { return window_.bar_->KatImageList(); }
    const std::vector<std::string>& IconFiles() const { return window_.bar_->IconFiles(); }
    int KatPopupTag() const { return window_.bar_->KatPopupTag(); }
    QMenu* KatPopup() const { return &window_.commands_->KatPopup(); }
    QMenu* TrayPop() const { return window_.tray_->TrayPop(); }
    QSystemTrayIcon* TrayIcon() const { return window_.tray_->TrayIcon(); }
    bool in_tray() const { return window_.tray_->in_tray(); }
    QString StatusText(int panel) const { return window_.status_line_->Text(panel); }
    std::uint32_t window_handle() const { return window_.refresh_listener_->handle(); }
    TFindPics* FindPicsWindow() const { return window_.find_pics_->window(); }
    QTimer* TimerCloseFind() const { return window_.find_pics_->timer(); }

private:
    TOrvel& window_;
};

// Inside(window).CategoryButton(1): what the tests look at.
inline TOrvelTestAccess Inside(TOrvel& window) {
    return TOrvelTestAccess(window);
}

}  // namespace orvella
