#include "shell/startup_sequence.h"

namespace orvella {

StartupOutcome RunFormCreate(const std::vector<std::string>& arguments, StartupSteps& steps) {
    const StartupSwitches switches = StartupSwitches::Parse(arguments);
    if (switches.shellex) {
        steps.RegisterShellExtensions();
        return StartupOutcome::EndWithoutWindow;
    }
    if (switches.delshellex) {
        steps.UnregisterShellExtensions();
        return StartupOutcome::EndWithoutWindow;
    }
    steps.ShowSplash();
    steps.BindSystemImageList();
    steps.OpenCategoryStore();
    steps.SetFormStorageFile();
    steps.PublishWindowHandle();
    steps.LoadCategories();
    steps.RestoreFormState();
    // Each switch acts on its own, in this order, so they combine ("-wall -min").
    if (switches.wall)
        steps.SetRandomWallpaper();
    if (switches.trans)
        steps.ScheduleTransparency();
    if (switches.min)
        steps.GoToTray();
    return switches.close ? StartupOutcome::EndAfterStartup : StartupOutcome::KeepRunning;
}

}  // namespace orvella
