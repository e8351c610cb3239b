#include "gui/wallpaper_wiring.h"

#include "library/category_store.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"

namespace orvella {

void QtScheduler::After(std::chrono::milliseconds delay, std::function<void()> task) {
    QTimer::singleShot(delay, std::move(task));
}

EngineCommands::EngineCommands(TWallpaperEngine& engine, TIconTransparency& icons,
                               Prompter& prompter, const MessageCatalogue& catalogue)
    : engine_(engine), icons_(icons), prompter_(prompter), catalogue_(catalogue) {}

void EngineCommands::SetRandomWallpaper(const TCategoryStore& store) {
    ShowError(engine_.SetRandomWallpaper(store));
}

void EngineCommands::SetSelectedWallpaper(const std::string& path) {
    ShowError(engine_.SetSelectedWallpaper(path));
}

void EngineCommands::SetStarfieldWallpaper(const std::string& type) {
    ShowError(engine_.SetStarfieldWallpaper(type));
}

void EngineCommands::ShowError(const Status& status) {
    if (status || showing_error_)
        return;
    showing_error_ = true;
    prompter_.ShowMessage(status.message(), catalogue_.Text(kSError), MessageStyle::Error);
    showing_error_ = false;
}

WallpaperTimers::WallpaperTimers(TTimedChange& change, TIconTransparency& icons,
                                 EngineCommands& commands,
                                 std::function<const TCategoryStore*()> store)
    : change_(change), icons_(icons), commands_(commands), store_(std::move(store)) {
    connect(&wall_timer_, &LongTimer::timeout, this, &WallpaperTimers::WallTimerTimer);
    trans_timer_.setInterval(TIconTransparency::kTransTimerIntervalMs);
    connect(&trans_timer_, &QTimer::timeout, this, [this] { icons_.TransTimerTimer(); });
}

void WallpaperTimers::Apply(const TimerOptions& options) {
    wall_timer_.Stop();
    if (options.WallTimerRuns()) {
        wall_timer_.SetInterval(std::chrono::milliseconds(options.wall_timer_interval_ms));
        wall_timer_.Start();
    }
    if (options.trans_timer_enabled)
        trans_timer_.start();
    else
        trans_timer_.stop();
}

void WallpaperTimers::WallTimerTimer() {
    // The timer goes on firing behind an open error box; one box at a time is enough.
    if (commands_.showing_error())
        return;
    if (const TCategoryStore* store = store_())
        commands_.ShowError(change_.WallTimerTimer(*store));
}

}  // namespace orvella
