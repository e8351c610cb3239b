#include "library/picture_commands.h"

#include <gtest/gtest.h>

#include "library/category_store.h"
#include "shell/message_catalogue.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::ScriptedPrompter;
using testing::TempDir;

class FakeActiveDesktop : public ActiveDesktopSwitch {
public:
    bool on = false;
    bool xp = false;
    int enabled = 0;
    bool IsActiveDesktopOn() const override { return on; }
    void EnableActiveDesktop() override {
        on = true;
        ++enabled;
    }
    bool IsWinXP() const override { return xp; }
};

TEST(PictureKindTest, AcceptedKindsByLoweredExtensionAndDropsAsAWhole) {
    for (const char* path : {"/a/b.bmp", "/a/B.JPG", "/a/c.jpeg", "x.Gif", "/p.png", "/s.HTM",
                             "/s.html", "/dir.d/file.jpg"})
        EXPECT_TRUE(IsAcceptedPictureKind(path)) << path;
    for (const char* path : {"/a/b.txt", "/a/bmp", "/a.jpg/readme", "/a/b.jpg.bak", ""})
        EXPECT_FALSE(IsAcceptedPictureKind(path)) << path;

    EXPECT_EQ(DropEffectFor({"/a.jpg", "/b.png"}), DropEffect::Copy);
    EXPECT_EQ(DropEffectFor({"/a.jpg", "/notes.txt", "/b.png"}), DropEffect::None);
    EXPECT_EQ(DropEffectFor({}), DropEffect::None);
}

class AddPicturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(store_.LoadCategories().ok());
        ASSERT_TRUE(store_.CreateCategory(1, "i.bmp", "Eins"));
    }
    int Add(const std::vector<std::string>& files) {
        return AddPicturesAsking(store_, 1, files, desktop_, catalogue_, prompter_);
    }

    TempDir dir_;
    MessageCatalogue catalogue_;
    ScriptedPrompter prompter_;
    TCategoryStore store_{dir_.File("ovlimg.dat"), "icon.bmp", catalogue_};
    FakeActiveDesktop desktop_;
};

TEST_F(AddPicturesTest, OnAClassicDesktopEveryOtherKindAsksUntilTheFirstYes) {
    prompter_.QueueNo();   // a.jpg skipped
    prompter_.QueueYes();  // b.htm: the Active Desktop goes on
    EXPECT_EQ(Add({"/p/x.BMP", "/p/a.jpg", "/p/b.htm", "/p/c.png", "/p/d.bmp"}), 4);
    EXPECT_EQ(store_.category(1).pictures,
              (std::vector<std::string>{"/p/x.BMP", "/p/b.htm", "/p/c.png", "/p/d.bmp"}));
    EXPECT_EQ(store_.category(0).pictures, store_.category(1).pictures);
    EXPECT_EQ(desktop_.enabled, 1);
    ASSERT_EQ(prompter_.shown().size(), 2u);
    EXPECT_EQ(prompter_.shown()[0].style, MessageStyle::YesNoQuestion);
    EXPECT_EQ(prompter_.shown()[0].text, catalogue_.Text(kSMsgEnableAD));
}

TEST_F(AddPicturesTest, WindowsXpOrAnActiveDesktopAddWithoutAQuestion) {
    desktop_.xp = true;
    EXPECT_EQ(Add({"/p/a.jpg", "/p/b.html"}), 2);
    desktop_.xp = false;
    desktop_.on = true;
    EXPECT_EQ(Add({"/p/c.gif"}), 1);
    EXPECT_TRUE(prompter_.shown().empty());
    EXPECT_EQ(desktop_.enabled, 0);
    EXPECT_EQ(store_.category(1).pictures.size(), 3u);
}

}  // namespace
}  // namespace orvella
