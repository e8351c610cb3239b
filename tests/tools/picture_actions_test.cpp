#include "tools/picture_actions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>

#include "platform/files/files.h"
#include "platform/system/desktop_shell.h"
#include "shell/file_chooser.h"
#include "shell/message_catalogue.h"
#include "support/recording_shell.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "tools/help_and_links.h"

namespace orvella {
namespace {

using ::testing::ElementsAre;
using testing::ShownMessage;

using testing::RecordingShell;

class SaveAnswers : public FileChooser {
public:
    std::vector<SaveFileRequest> requests;
    std::string answer;
    std::vector<std::string> OpenFiles(const OpenFileRequest&) override { return {}; }
    std::string SaveFile(const SaveFileRequest& request) override {
        requests.push_back(request);
        return answer;
    }
};

class PictureActionsTest : public ::testing::Test {
protected:
    testing::TempDir dir_;
    RecordingShell shell_;
    SaveAnswers files_;
    MessageCatalogue catalogue_;
    testing::ScriptedPrompter prompter_;
    PictureActions actions_{shell_, files_, catalogue_, prompter_};
};

TEST_F(PictureActionsTest, EachCommandReportsItsFailureWithThePlatformsText) {
    shell_.failures = {"", "No such file or directory", "lp: Error - No default destination.",
                       "xdg-email: no mail program", "No such file or directory"};
    for (int i = 0; i < 4; ++i)
        prompter_.QueueOk();
    actions_.OpenPicture("/p/a b.jpg");
    actions_.OpenPicture("/p/gone.jpg");
    actions_.PrintPicture("/p/a b.jpg");
    actions_.MailPictures({"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"});
    actions_.OpenWithShell("/prog/help/readme.htm");

    EXPECT_THAT(shell_.calls,
                ElementsAre("open /p/a b.jpg", "open /p/gone.jpg", "print /p/a b.jpg",
                            "mail /p/a.jpg /p/b.jpg /p/c.jpg", "open /prog/help/readme.htm"));
    EXPECT_THAT(
        prompter_.shown(),
        ElementsAre(
            ShownMessage{"Das angegebene Bild kann nicht zum bearbeiten geöffnet werden. No such "
                         "file or directory",
                         "Bearbeiten nicht möglich", MessageStyle::Information},
            ShownMessage{"Das angegebene Bild kann nicht ausgedruckt werden. lp: Error - No "
                         "default destination.",
                         "Drucken nicht möglich", MessageStyle::Information},
            ShownMessage{"Die angegebenen Bilder konnten nicht per E-Mail versendet werden. "
                         "xdg-email: no mail program",
                         "Versenden nicht möglich", MessageStyle::Information},
            ShownMessage{"Die angebene Internetseite konnte nicht geöffnet werden. No such file "
                         "or directory",
                         "Internetseite öffnen", MessageStyle::Error}));
}

TEST_F(PictureActionsTest, SaveAsCopiesUnderTheChosenNameWithoutAsking) {
    dir_.Write("pic.jpg", "the picture");
    dir_.Write("old.jpg", "older");
    const std::string picture = dir_.File("pic.jpg");

    actions_.SavePictureAs(picture);  // cancelled
    files_.answer = picture;          // the same name
    actions_.SavePictureAs(picture);
    files_.answer = dir_.File("old.jpg");
    actions_.SavePictureAs(picture);
    EXPECT_EQ(dir_.Read("old.jpg"), "the picture");
    ASSERT_EQ(files_.requests.size(), 3u);
    EXPECT_EQ(files_.requests[0].title, "Bild speichern unter...");
    EXPECT_EQ(files_.requests[0].filter, "Alle Dateien (*.*)|*.*");
    EXPECT_EQ(files_.requests[0].file, picture);
    EXPECT_FALSE(files_.requests[0].overwrite_prompt);

    // Into a folder that is not there, and onto the picture itself by another name.
    prompter_.QueueOk();
    prompter_.QueueOk();
    files_.answer = dir_.File("missing/copy.jpg");
    actions_.SavePictureAs(picture);
    ASSERT_EQ(::mkdir(dir_.File("sub").c_str(), 0755), 0);
    files_.answer = dir_.File("sub/../pic.jpg");
    actions_.SavePictureAs(picture);
    EXPECT_EQ(dir_.Read("pic.jpg"), "the picture");
    ASSERT_EQ(prompter_.shown().size(), 2u);
    EXPECT_EQ(prompter_.shown()[1].caption, "Speichern nicht möglich");
    EXPECT_EQ(prompter_.shown()[1].style, MessageStyle::Error);
    EXPECT_THAT(prompter_.shown()[1].text,
                ::testing::StartsWith("Das Hintergrundbild konnte nicht unter dem angegebenen "
                                      "Namen gespeichert werden. "));
    EXPECT_TRUE(shell_.calls.empty());
}

TEST(HelpAndLinksTest, PagesBesideTheProgramOrInTheInstalledCopyAndAddressesPerLanguage) {
    testing::TempDir dir;
    ASSERT_EQ(::mkdir(dir.File("bin").c_str(), 0755), 0);
    const std::string program = dir.File("bin/orvella");
    // Neither copy there: the page beside the program, whose absence is then reported.
    EXPECT_EQ(HelpPagePath(program, true), dir.File("bin/help/liesmich.htm"));
    ASSERT_TRUE(EnsureDirectory(dir.File("share/orvella/help")));
    dir.Write("share/orvella/help/readme.htm", "en");
    EXPECT_EQ(HelpPagePath(program, false), dir.File("bin/../share/orvella/help/readme.htm"));
    ASSERT_TRUE(EnsureDirectory(dir.File("bin/help")));
    dir.Write("bin/help/readme.htm", "en");
    EXPECT_EQ(HelpPagePath(program, false), dir.File("bin/help/readme.htm"));

    EXPECT_EQ(HomepageAddress(true), "https://orvella.github.io/deutsch/");
    EXPECT_EQ(HomepageAddress(false), "https://orvella.github.io/english/");
    std::set<std::string_view> addresses;
    for (const WebLink& link : kWebLinks) {
        EXPECT_TRUE(link.address.starts_with("https://")) << link.address;
        EXPECT_FALSE(link.caption.empty());
        addresses.insert(link.address);
    }
    EXPECT_EQ(addresses.size(), kWebLinks.size());
}

}  // namespace
}  // namespace orvella
