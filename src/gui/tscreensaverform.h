#pragma once

#include <QPoint>
#include <QWidget>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/slide_prefetcher.h"
#include "platform/desktop/desktop_colour.h"

namespace Ui {
class TScreenSaverForm;
}

namespace orvella {

class SlideshowEngine;

// The screen saver's window: the pictures of "Ovlscr.ini" in turn on its background colour,
// placed and decoded as the slideshow does. Standing alone it ends at a key or a mouse
// movement beyond a few pixels; drawing into a window of xscreensaver it leaves the input
// to xscreensaver, which ends it.
class TScreenSaverForm : public QWidget {
    Q_OBJECT

public:
    // How far the mouse may drift (a shaky desk) before it counts as the user's return.
    static constexpr int kMouseSlack = 5;

    struct Settings {
        std::chrono::milliseconds interval{30000};
        ColorRef colour = 0;
        SlideScreen screen;
        bool ends_on_input = true;
    };
    TScreenSaverForm(std::vector<std::string> pictures, Settings settings,
                     QWidget* parent = nullptr);
    ~TScreenSaverForm() override;

    const SlideshowEngine& Engine() const;

signals:
    void Ended();
    // A new picture is in the window (drawn at the next paint).
    void SlideShown();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void End();

    std::unique_ptr<Ui::TScreenSaverForm> ui_;
    std::unique_ptr<SlideshowEngine> engine_;
    bool ends_on_input_;
    std::optional<QPoint> first_mouse_;
};

}  // namespace orvella
