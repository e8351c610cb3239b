#include "wallpaper/wallpaper_settings.h"

#include "settings/settings_table.h"

namespace orvella {

Result<Options> ReadStoredOptions(const std::string& settings_file) {
    Options options;
    TFormStorage store = OptionsStore(settings_file);
    BindOptions(store, options);
    Result<RestoreOutcome> restored = store.Restore();
    if (!restored)
        return restored.status();
    return options;
}

Result<TimerOptions> ReadTimerOptions(const std::string& settings_file) {
    Result<Options> options = ReadStoredOptions(settings_file);
    if (!options)
        return options.status();
    return options->timers;
}

}  // namespace orvella
