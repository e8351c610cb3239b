#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "gui/long_timer.h"
#include "gui/wallpaper_commands.h"
#include "library/picture_commands.h"
#include "settings/options_commit.h"
#include "wallpaper/icon_transparency.h"
#include "wallpaper/timed_change.h"
#include "wallpaper/wallpaper_engine.h"
#include "wallpaper/wallpaper_settings.h"

namespace orvella {

class MessageCatalogue;
class Prompter;

// The settings the engine reads at every change, asked of whoever holds them (the main
// window's form store) at that moment.
class SettingsFromSource : public WallpaperSettingsProvider {
public:
    void SetSource(std::function<WallpaperSettings()> source) { source_ = std::move(source); }
    WallpaperSettings Current() const override { return source_ ? source_() : WallpaperSettings{}; }

private:
    std::function<WallpaperSettings()> source_;
};

// A single-shot Qt timer on the user-interface thread.
class QtScheduler : public Scheduler {
public:
    void After(std::chrono::milliseconds delay, std::function<void()> task) override;
};

// The main window's wallpaper commands over the engine; an error that reaches the user is
// shown in the general error box.
class EngineCommands : public WallpaperCommands, public ActiveDesktopSwitch {
public:
    EngineCommands(TWallpaperEngine& engine, TIconTransparency& icons, Prompter& prompter,
                   const MessageCatalogue& catalogue);

    void SetRandomWallpaper(const TCategoryStore& store) override;
    void SetSelectedWallpaper(const std::string& path) override;
    void SBTransClick() override { icons_.SBTransClick(); }
    void SetStarfieldWallpaper(const std::string& type) override;

    bool IsActiveDesktopOn() const override { return engine_.IsActiveDesktopOn(); }
    void EnableActiveDesktop() override { engine_.EnableActiveDesktop(); }
    bool IsWinXP() const override { return engine_.IsWinXP(); }

    // Shows a failure in the general error box, unless one is open already.
    void ShowError(const Status& status);
    bool showing_error() const { return showing_error_; }

private:
    TWallpaperEngine& engine_;
    TIconTransparency& icons_;
    Prompter& prompter_;
    const MessageCatalogue& catalogue_;
    bool showing_error_ = false;
};

// `WallTimer` (the timed change) and `TransTimer` (the transparency check), run as the
// options in "ovl.dat" say from start-up on.
class WallpaperTimers : public QObject, public OptionTimers {
    Q_OBJECT

public:
    WallpaperTimers(TTimedChange& change, TIconTransparency& icons, EngineCommands& commands,
                    std::function<const TCategoryStore*()> store);

    void Apply(const TimerOptions& options) override;
    bool TransTimerRunning() const override { return trans_timer_.isActive(); }
    const LongTimer& WallTimer() const { return wall_timer_; }
    const QTimer& TransTimer() const { return trans_timer_; }
    void WallTimerTimer();

private:
    TTimedChange& change_;
    TIconTransparency& icons_;
    EngineCommands& commands_;
    std::function<const TCategoryStore*()> store_;
    // Its interval may be past what a QTimer holds.
    LongTimer wall_timer_;
    QTimer trans_timer_;
};

}  // namespace orvella
