#include "gui/language_menu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/registry/registry_file.h"
#include "settings/language_entry.h"
#include "shell/message_catalogue.h"
#include "support/scoped_env.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::ScopedEnv;
using testing::ScriptedPrompter;
using testing::ShownMessage;
using testing::TempDir;

// The menu with its two radio items, a program file in a folder with a blank, and the fake
// tool standing in for the restart program beside it.
class LanguageMenuTest : public ::testing::Test {
protected:
    LanguageMenuTest() {
        std::filesystem::create_directories(dir_.File("my programs"));
        dir_.Write("my programs/orvella", "program");
        group_.addAction(&deutsch_);
        group_.addAction(&englisch_);
        deutsch_.setCheckable(true);
        englisch_.setCheckable(true);
    }
    TLanguageMenu Menu(std::string_view in_force) {
        return TLanguageMenu(&deutsch_, &englisch_, in_force,
                             {registry_, Program(), catalogue_, prompter_, [this] { ++closed_; }});
    }
    std::string Program() const { return dir_.File("my programs/orvella"); }
    // The stand-in writes its log line while the test waits: only a whole line counts.
    std::string RestartLog() const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::string log;
        while (std::chrono::steady_clock::now() < deadline) {
            if (std::filesystem::exists(dir_.File("restart.log")))
                log = dir_.Read("restart.log");
            if (log.ends_with('\n'))
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return log;
    }

    TempDir dir_;
    RegistryFile registry_{dir_.File("registry.reg")};
    const MessageCatalogue catalogue_;
    ScriptedPrompter prompter_;
    QActionGroup group_{nullptr};
    QAction deutsch_{"Deutsch"};
    QAction englisch_{"Englisch"};
    int closed_ = 0;
};

const ShownMessage kRestartQuestion{
    "Orvella muß neu gestartet werden, damit die Änderung aktiv wird. Jetzt neu starten?",
    "Orvella neu starten", MessageStyle::YesNoInformation};

TEST_F(LanguageMenuTest, TheCheckedLanguageDoesNothingNoKeepsRunningYesClosesWithoutRestarter) {
    TLanguageMenu menu = Menu("de");
    deutsch_.trigger();  // the language already checked: nothing at all
    menu.Deutsch1Click();
    EXPECT_TRUE(deutsch_.isChecked());
    EXPECT_FALSE(std::filesystem::exists(registry_.path()));

    prompter_.QueueNo();
    englisch_.trigger();
    menu.Englisch1Click();
    EXPECT_EQ(prompter_.shown(), std::vector<ShownMessage>{kRestartQuestion});
    EXPECT_TRUE(menu.EnglishChecked() && englisch_.isChecked());
    EXPECT_FALSE(menu.GermanChecked() || deutsch_.isChecked());
    EXPECT_EQ(closed_, 0);

    // No restart program beside the program file: it still ends.
    prompter_.QueueYes();
    menu.Deutsch1Click();
    EXPECT_EQ(closed_, 1);
}

TEST_F(LanguageMenuTest, YesStartsTheRestartProgramWithTheProgramFileAndCloses) {
    std::filesystem::copy_file(ORVELLA_FAKE_TOOL, dir_.File("my programs/orvella-restart"));
    const ScopedEnv log("FAKE_TOOL_LOG", dir_.File("restart.log"));
    TLanguageMenu menu = Menu("en");
    prompter_.QueueYes();
    menu.Deutsch1Click();
    EXPECT_EQ(ReadLanguageEntry(registry_, Program()), "de");
    EXPECT_EQ(closed_, 1);
    EXPECT_EQ(RestartLog(), "[\"" + Program() + "\"]\n");
}

}  // namespace
}  // namespace orvella
