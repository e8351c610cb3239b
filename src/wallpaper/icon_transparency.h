#pragma once

#include "platform/desktop/desktop_windows.h"

namespace orvella {

class WallpaperSettingsProvider;

// Makes the desktop icons' labels stand directly on the wallpaper: the shell's list view
// gets no text background. One object lives as long as the program, since LabelsChanged
// carries over from one run to the next.
class TIconTransparency {
public:
    static constexpr int kTransTimerIntervalMs = 4000;

    TIconTransparency(DesktopWindows& windows, const WallpaperSettingsProvider& settings)
        : windows_(windows), settings_(settings) {}

    // Walks the shell's windows, tells every window when a label background was changed,
    // and repaints the desktop when the calendar is on.
    void SBTransClick();
    // The walk's visit of one window; always true, so the walk goes on.
    bool MakeListViewTransparent(WindowHandle window);
    void TransTimerTimer() { SBTransClick(); }

    // True when the last list view met (in this run or an earlier one) had to be changed.
    bool LabelsChanged() const { return labels_changed_; }

private:
    DesktopWindows& windows_;
    const WallpaperSettingsProvider& settings_;
    bool labels_changed_ = false;
};

}  // namespace orvella
