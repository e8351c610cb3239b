#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using namespace std::chrono_literals;
using testing::StartProgram;
using testing::TempDir;
using testing::WaitForProgram;

// A stand-in for Orvella in a folder with a blank: it records each run in "runs.log" and,
// as the first instance, starts the restart program and stays until it is ended.
class FirstInstance {
public:
    FirstInstance(const TempDir& dir, const std::string& wait_bound) : dir_(dir) {
        std::filesystem::create_directories(dir.File("program folder"));
        std::filesystem::copy_file(ORVELLA_FAKE_TOOL, program());
        std::vector<std::string> environment = {"FAKE_TOOL_LOG=" + dir.File("runs.log"),
                                                "FAKE_TOOL_STAY=1",
                                                "FAKE_TOOL_START=" ORVELLA_RESTART_PROGRAM};
        if (!wait_bound.empty())
            environment.push_back("ORVELLA_RESTART_WAIT_MS=" + wait_bound);
        pid_ = StartProgram({program()}, environment);
        WaitForRuns(1, 10s);
    }
    std::string program() const { return dir_.File("program folder/orvella"); }
    void End() {
        ::kill(pid_, SIGTERM);
        WaitForProgram(pid_);
    }
    int Runs() const {
        std::ifstream log(dir_.File("runs.log"));
        int lines = 0;
        for (std::string line; std::getline(log, line);)
            ++lines;
        return lines;
    }
    void WaitForRuns(int wanted, std::chrono::milliseconds bound) const {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (Runs() < wanted && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(10ms);
    }

private:
    const TempDir& dir_;
    int pid_ = -1;
};

TEST(RestartProgramTest, StartsTheProgramAgainOnlyOnceTheFirstInstanceHasEnded) {
    TempDir dir;
    FirstInstance first(dir, "");
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(first.Runs(), 1);
    first.End();
    first.WaitForRuns(2, 10s);
    EXPECT_EQ(first.Runs(), 2);
}

TEST(RestartProgramTest, AFirstInstanceThatOutlivesTheBoundGetsNoSecondCopy) {
    TempDir dir;
    FirstInstance first(dir, "100");
    std::this_thread::sleep_for(1s);
    first.End();
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(first.Runs(), 1);
}

}  // namespace
}  // namespace orvella
