#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop/desktop_colour.h"

namespace Ui {
class TSlideShowForm;
}

namespace orvella {

class SlideshowEngine;
struct Slide;
struct SlideScreen;

// The full-screen slideshow of a category: its pictures in turn on a plain background, each
// for the interval of the options, with the counter and the file name in the bottom-left
// corner, until Escape. Right and Left step through the list without restarting the timer.
class TSlideShowForm : public QDialog {
    Q_OBJECT

public:
    struct Settings {
        std::int64_t interval_seconds = 10;
        ColorRef back_colour = 0;
        // Decode the neighbours ahead (off only to measure what that gains).
        bool prefetch = true;
    };
    // `entries`: the category's picture list in its displayed order.
    TSlideShowForm(const std::vector<std::string>& entries, Settings settings,
                   QWidget* parent = nullptr);
    ~TSlideShowForm() override;

    // Shows the window full-screen and runs it until it closes.
    int Exec();

    void FormKeyDown(int key);
    void SlideshowTimerTimer();

    const SlideshowEngine& Engine() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate(const std::vector<std::string>& entries, const Settings& settings);
    void ShowPicture(const Slide& slide);
    void ShowPosition(int index);
    // The labels keep their distances from the left and bottom edges at any size.
    void PlaceLabels();
    SlideScreen ShownOn() const;

    std::unique_ptr<Ui::TSlideShowForm> ui_;
    std::unique_ptr<SlideshowEngine> engine_;
};

}  // namespace orvella
