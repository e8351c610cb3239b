#include "platform/system/termination_signals.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <csignal>

namespace orvella {
namespace {

bool Readable(int fd) {
    pollfd watched{fd, POLLIN, 0};
    return ::poll(&watched, 1, 1000) == 1;
}

TEST(TerminationSignalsTest, ASignalBecomesReadableInsteadOfEndingTheProcess) {
    Result<std::unique_ptr<TerminationSignals>> signals = TerminationSignals::Install();
    ASSERT_TRUE(signals) << signals.message();
    EXPECT_FALSE(TerminationSignals::Install());  // one per process
    EXPECT_EQ((*signals)->Take(), 0);

    ASSERT_EQ(::raise(SIGTERM), 0);  // would end the test without the handler
    ASSERT_TRUE(Readable((*signals)->fd()));
    EXPECT_EQ((*signals)->Take(), SIGTERM);
    ASSERT_EQ(::raise(SIGHUP), 0);
    ASSERT_TRUE(Readable((*signals)->fd()));
    EXPECT_EQ((*signals)->Take(), SIGHUP);
    EXPECT_EQ((*signals)->Take(), 0);

    signals->reset();
    Result<std::unique_ptr<TerminationSignals>> again = TerminationSignals::Install();
    EXPECT_TRUE(again) << again.message();
}

}  // namespace
}  // namespace orvella
