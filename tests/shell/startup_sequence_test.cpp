#include "shell/startup_sequence.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvella {
namespace {

using ::testing::ElementsAre;

class RecordingSteps : public StartupSteps {
public:
    std::vector<std::string> calls;

    void RegisterShellExtensions() override { calls.push_back("shellex"); }
    void UnregisterShellExtensions() override { calls.push_back("delshellex"); }
    void ShowSplash() override { calls.push_back("splash"); }
    void BindSystemImageList() override { calls.push_back("icons"); }
    void OpenCategoryStore() override { calls.push_back("store"); }
    void SetFormStorageFile() override { calls.push_back("storage"); }
    void PublishWindowHandle() override { calls.push_back("handle"); }
    void LoadCategories() override { calls.push_back("load"); }
    void RestoreFormState() override { calls.push_back("restore"); }
    void SetRandomWallpaper() override { calls.push_back("wall"); }
    void ScheduleTransparency() override { calls.push_back("trans"); }
    void GoToTray() override { calls.push_back("min"); }
};

struct StartupRun {
    StartupOutcome outcome;
    std::vector<std::string> calls;
};

StartupRun RunWith(std::vector<std::string> arguments) {
    RecordingSteps steps;
    const StartupOutcome outcome = RunFormCreate(arguments, steps);
    return {outcome, steps.calls};
}

TEST(StartupSequenceTest, ShellExtensionSwitchesEndBeforeAnythingElse) {
    StartupRun both = RunWith({"-trans", "-delshellex", "/shellex", "-wall"});
    EXPECT_EQ(both.outcome, StartupOutcome::EndWithoutWindow);
    EXPECT_THAT(both.calls, ElementsAre("shellex"));

    StartupRun remove = RunWith({"-min", "/delshellex"});
    EXPECT_EQ(remove.outcome, StartupOutcome::EndWithoutWindow);
    EXPECT_THAT(remove.calls, ElementsAre("delshellex"));
}

TEST(StartupSequenceTest, SwitchesActAfterTheStoreIsLoadedInTableOrder) {
    // The command line's order does not matter; the switches run wall, trans, min.
    StartupRun run = RunWith({"-min", "-trans", "/wall"});
    EXPECT_EQ(run.outcome, StartupOutcome::KeepRunning);
    EXPECT_THAT(run.calls, ElementsAre("splash", "icons", "store", "storage", "handle", "load",
                                       "restore", "wall", "trans", "min"));
}

TEST(StartupSequenceTest, CloseEndsAfterTheWholeStartUpAndCombines) {
    StartupRun wall_close = RunWith({"-close", "-wall"});
    EXPECT_EQ(wall_close.outcome, StartupOutcome::EndAfterStartup);
    EXPECT_THAT(wall_close.calls, ElementsAre("splash", "icons", "store", "storage", "handle",
                                              "load", "restore", "wall"));

    StartupRun min_close = RunWith({"-min", "-close"});
    EXPECT_EQ(min_close.outcome, StartupOutcome::EndAfterStartup);
    EXPECT_EQ(min_close.calls.back(), "min");
}

TEST(StartupSequenceTest, UnknownOrMiscasedSwitchesOnlyRunThePlainStartUp) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {}, {"-WALL"}, {"-minimize", "wall", "--close", "-Shellex"}}) {
        StartupRun run = RunWith(arguments);
        EXPECT_EQ(run.outcome, StartupOutcome::KeepRunning);
        EXPECT_THAT(run.calls, ElementsAre("splash", "icons", "store", "storage", "handle", "load",
                                           "restore"));
    }
}

}  // namespace
}  // namespace orvella
