#include "shell/message_style.h"

#include <gtest/gtest.h>

#include <optional>

namespace orvella {
namespace {

TEST(MessageStyleTest, TableNumbersMapToStylesAndOthersDoNot) {
    EXPECT_EQ(MessageStyleFromCode(16), MessageStyle::Error);
    EXPECT_EQ(MessageStyleFromCode(36), MessageStyle::YesNoQuestion);
    EXPECT_EQ(MessageStyleFromCode(48), MessageStyle::Warning);
    EXPECT_EQ(MessageStyleFromCode(64), MessageStyle::Information);
    EXPECT_EQ(MessageStyleFromCode(68), MessageStyle::YesNoInformation);
    // 0 marks a text that is not a box; 4 and 32 are halves of a style, not styles.
    for (const int code : {0, 4, 32, 1, 6, 7, -16, 100})
        EXPECT_EQ(MessageStyleFromCode(code), std::nullopt) << code;
}

TEST(MessageStyleTest, OnlyTheTwoQuestionStylesOfferYesAndNo) {
    struct Case {
        MessageStyle style;
        MessageButtons buttons;
        MessageIcon icon;
    };
    const Case cases[] = {
        {MessageStyle::Error, MessageButtons::Ok, MessageIcon::Error},
        {MessageStyle::YesNoQuestion, MessageButtons::YesNo, MessageIcon::Question},
        {MessageStyle::Warning, MessageButtons::Ok, MessageIcon::Warning},
        {MessageStyle::Information, MessageButtons::Ok, MessageIcon::Information},
        {MessageStyle::YesNoInformation, MessageButtons::YesNo, MessageIcon::Information},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.style));
        EXPECT_EQ(ButtonsOf(c.style), c.buttons);
        EXPECT_EQ(IconOf(c.style), c.icon);
        EXPECT_EQ(IsYesNoStyle(c.style), c.buttons == MessageButtons::YesNo);
    }
}

TEST(MessageStyleTest, OnlyYesGoesOn) {
    EXPECT_TRUE(GoesOn(MessageResult::Yes));
    EXPECT_FALSE(GoesOn(MessageResult::No));
    EXPECT_FALSE(GoesOn(MessageResult::Ok));
}

}  // namespace
}  // namespace orvella
