#include "wallpaper/desktop_problem_notice.h"

#include <gtest/gtest.h>

#include "shell/message_catalogue.h"
#include "support/scripted_prompter.h"

namespace orvella {
namespace {

TEST(DesktopProblemNoticeTest, EachReasonIsToldOnceAsAWarning) {
    const MessageCatalogue catalogue;
    testing::ScriptedPrompter prompter;
    DesktopProblemNotice notice(prompter, catalogue);
    prompter.QueueOk();
    prompter.QueueOk();

    notice.Tell(Status::Ok());
    notice.Tell(Status::Error("kein Sitzungsbus"));
    notice.Tell(Status::Error("kein Sitzungsbus"));
    notice.Tell(Status::Error("swaybg fehlt"));

    ASSERT_EQ(prompter.shown().size(), 2u);
    EXPECT_EQ(prompter.shown()[0].text, "kein Sitzungsbus");
    EXPECT_EQ(prompter.shown()[0].caption, "Fehler");
    EXPECT_EQ(prompter.shown()[0].style, MessageStyle::Warning);
    EXPECT_EQ(prompter.shown()[1].text, "swaybg fehlt");
}

}  // namespace
}  // namespace orvella
