#include "platform/system/process.h"

#include <gtest/gtest.h>
#include <signal.h>

namespace orvella {
namespace {

TEST(ProcessTest, ArgumentsReachTheProgramAsTheyAre) {
    const std::string awkward = "a b; rm -rf / 'x' \"y\" $HOME `z`";
    Result<ProcessOutput> run = RunProcess({"printf", "%s|%s", awkward, ""});
    ASSERT_TRUE(run.ok()) << run.message();
    EXPECT_EQ(run->exit_code, 0);
    EXPECT_EQ(run->out, awkward + "|");

    Result<std::string> checked = RunChecked({"sh", "-c", "echo out; echo bad >&2; exit 3"});
    ASSERT_FALSE(checked.ok());
    EXPECT_EQ(checked.message(), "sh: bad");
    Result<ProcessOutput> failed = RunProcess({"sh", "-c", "exit 3"});
    ASSERT_TRUE(failed.ok());
    EXPECT_EQ(DescribeFailure("sh", *failed), "sh ended with exit code 3");

    EXPECT_FALSE(RunProcess({"orvella-no-such-program"}).ok());
    EXPECT_FALSE(RunProcess({}).ok());
    EXPECT_EQ(CommandLine({"a", "b"}, {"c"}), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(ProcessTest, LargeOutputOnBothStreamsDoesNotBlock) {
    Result<ProcessOutput> run =
        RunProcess({"sh", "-c", "head -c 200000 /dev/zero; head -c 100000 /dev/zero >&2; exit 0"});
    ASSERT_TRUE(run.ok());
    EXPECT_EQ(run->out.size(), 200000u);
    EXPECT_EQ(run->err.size(), 100000u);
}

TEST(ProcessTest, ABriefRunReportsAnEndWithinTheWaitAndLeavesALongerOneRunning) {
    using std::chrono::milliseconds;
    // The output is read although the program's child keeps the pipes open.
    Result<BriefRun> failed =
        RunBriefly({"sh", "-c", "sleep 5 & echo no viewer >&2; exit 3"}, milliseconds(3000));
    ASSERT_TRUE(failed.ok());
    ASSERT_TRUE(failed->output.has_value());
    EXPECT_EQ(DescribeFailure("sh", *failed->output), "sh: no viewer");

    Result<BriefRun> running = RunBriefly({"sleep", "30"}, milliseconds(100));
    ASSERT_TRUE(running.ok());
    EXPECT_FALSE(running->output.has_value());
    EXPECT_EQ(::kill(running->pid, SIGTERM), 0);
    EXPECT_FALSE(RunBriefly({"orvella-no-such-program"}, milliseconds(100)).ok());
}

}  // namespace
}  // namespace orvella
