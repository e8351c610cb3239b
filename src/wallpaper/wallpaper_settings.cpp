#include "wallpaper/wallpaper_settings.h"

#include "settings/form_storage.h"

namespace orvella {

Result<TimerOptions> ReadTimerOptions(const std::string& ovl_dat_path) {
    TimerOptions options;
    // The options dialog's own store, so the entries are read exactly as it restores them.
    TFormStorage store(ProfileTarget(ovl_dat_path, "Options"));
    store.SetVersion(1);
    store.AddBool(
        {"WallTimer", "Enabled"}, [&options] { return options.wall_timer_enabled; },
        [&options](bool value) { options.wall_timer_enabled = value; });
    store.AddInteger(
        {"WallTimer", "Interval"}, [&options] { return options.wall_timer_interval_ms; },
        [&options](std::int32_t value) { options.wall_timer_interval_ms = value; });
    store.AddBool(
        {"TransTimer", "Enabled"}, [&options] { return options.trans_timer_enabled; },
        [&options](bool value) { options.trans_timer_enabled = value; });
    Result<RestoreOutcome> restored = store.Restore();
    if (!restored)
        return restored.status();
    return options;
}

}  // namespace orvella
