#pragma once

#include <string>
#include <vector>

#include "shell/command_line.h"

namespace orvella {

// What the main window does while it is created. The order of the calls is what outside
// programs and the rest of the program rely on (the handle is published before the store is
// loaded, the switches act on loaded categories), so it lives here, apart from the window.
class StartupSteps {
public:
    virtual ~StartupSteps() = default;
    virtual void RegisterShellExtensions() = 0;
    virtual void UnregisterShellExtensions() = 0;
    virtual void ShowSplash() = 0;
    virtual void BindSystemImageList() = 0;
    virtual void OpenCategoryStore() = 0;
    virtual void SetFormStorageFile() = 0;
    virtual void PublishWindowHandle() = 0;
    virtual void LoadCategories() = 0;
    virtual void RestoreFormState() = 0;
    virtual void SetRandomWallpaper() = 0;    // "wall"
    virtual void ScheduleTransparency() = 0;  // "trans": runs half a second later
    virtual void GoToTray() = 0;              // "min"
};

enum class StartupOutcome {
    KeepRunning,
    // "shellex" or "delshellex": nothing was loaded, so nothing may be saved either.
    EndWithoutWindow,
    // "close": the start-up ran completely; the program ends as a normal close would.
    EndAfterStartup,
};

// Runs the creation steps for `arguments` (without the program name).
StartupOutcome RunFormCreate(const std::vector<std::string>& arguments, StartupSteps& steps);

}  // namespace orvella
