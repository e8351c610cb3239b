#include "settings/file_manager_actions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "platform/files/file_uri.h"
#include "platform/files/files.h"
#include "settings/thunar_actions.h"
#include "settings/xml_outline.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::TempDir;

constexpr const char* kNemo = "data/nemo/actions/orvella-add-to-category.nemo_action";
constexpr const char* kPlasma5 = "data/kservices5/ServiceMenus/orvella-add-to-category.desktop";
constexpr const char* kPlasma6 = "data/kio/servicemenus/orvella-add-to-category.desktop";
constexpr const char* kThunar = "config/Thunar/uca.xml";
const std::string kNautilus = "data/nautilus/scripts/Zu Orvella-Kategorie hinzufügen...";

class FileManagerActionsTest : public ::testing::Test {
protected:
    FileManagerFolders Folders() const { return {dir_.File("data"), dir_.File("config")}; }
    FileManagerEntry Entry() const { return {.program = "/opt/o/orvella-add-to-category"}; }
    std::string LinkTarget(const std::string& name) const {
        char target[4096];
        const ssize_t length = ::readlink(dir_.File(name).c_str(), target, sizeof target);
        return length > 0 ? std::string(target, static_cast<std::size_t>(length)) : "";
    }
    void Write(const std::string& name, const std::string& content) const {
        ASSERT_TRUE(EnsureDirectory(ParentFolder(dir_.File(name))).ok());
        dir_.Write(name, content);
    }
    std::vector<std::string> Snapshot() const {
        return {dir_.Read(kNemo), dir_.Read(kPlasma5), dir_.Read(kPlasma6), dir_.Read(kThunar),
                LinkTarget(kNautilus)};
    }
    TempDir dir_;
};

TEST_F(FileManagerActionsTest, AFreshHomeGetsEveryEntryOnceAndLosesThemAgain) {
    EXPECT_TRUE(InstallFileManagerEntries(Folders(), Entry()).empty());
    EXPECT_EQ(LinkTarget(kNautilus), "/opt/o/orvella-add-to-category");
    struct stat info {};
    ASSERT_EQ(::stat(dir_.File(kPlasma6).c_str(), &info), 0);
    EXPECT_NE(info.st_mode & S_IXUSR, 0u);  // Plasma 6 wants it executable
    EXPECT_THAT(dir_.Read(kPlasma5), HasSubstr("MimeType=image/bmp;image/jpeg;image/gif;"));
    EXPECT_THAT(dir_.Read(kNemo), HasSubstr("Name[en]=Add to Orvella category...\n"));
    const std::optional<XmlOutline> uca = OutlineXml(dir_.Read(kThunar));
    ASSERT_TRUE(uca.has_value());
    EXPECT_EQ(uca->children.size(), 1u);

    const std::vector<std::string> first = Snapshot();
    EXPECT_TRUE(InstallFileManagerEntries(Folders(), Entry()).empty());
    EXPECT_EQ(Snapshot(), first);

    // Another language renames Nautilus' script: the old name goes.
    EXPECT_TRUE(InstallFileManagerEntries(
                    Folders(), {.program = "/p/orvella-add-to-category", .english = true})
                    .empty());
    EXPECT_EQ(LinkTarget(kNautilus), "");
    EXPECT_EQ(LinkTarget("data/nautilus/scripts/Add to Orvella category..."),
              "/p/orvella-add-to-category");
    EXPECT_THAT(dir_.Read(kNemo), HasSubstr("\nName=Add to Orvella category...\n"));

    EXPECT_TRUE(RemoveFileManagerEntries(Folders()).empty());
    for (const char* file : {kNemo, kPlasma5, kPlasma6, kThunar})
        EXPECT_FALSE(FileExists(dir_.File(file))) << file;
    EXPECT_EQ(LinkTarget("data/nautilus/scripts/Add to Orvella category..."), "");
    EXPECT_TRUE(RemoveFileManagerEntries(Folders()).empty());  // nothing left to remove
}

TEST_F(FileManagerActionsTest, TheUsersOwnActionsStayByteForByte) {
    const std::string uca =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- mine -->\r\n<actions>\r\n"
        "<action>\r\n\t<icon>utilities-terminal</icon>\r\n\t<name>Terminal &amp; more</name>\r\n"
        "\t<unique-id>1234-1</unique-id>\r\n\t<command>exo-open --launch TerminalEmulator "
        "%f</command>\r\n\t<patterns>*</patterns>\r\n\t<directories/>\r\n</action>\r\n"
        "  </actions>\r\n";
    Write(kThunar, uca);
    Write("data/kio/servicemenus/mine.desktop", "[Desktop Entry]\nType=Service\n");
    Write(kNautilus, "#!/bin/sh\necho mine\n");  // the user's script of the same name

    const std::vector<std::string> messages = InstallFileManagerEntries(Folders(), Entry());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_THAT(messages[0], HasSubstr("nautilus/scripts"));
    const std::string merged = dir_.Read(kThunar);
    EXPECT_EQ(merged.rfind(uca.substr(0, uca.size() - 14), 0), 0u);  // all before "  </actions>"
    EXPECT_TRUE(merged.ends_with("</action>\n  </actions>\r\n"));
    ASSERT_TRUE(OutlineXml(merged).has_value());
    EXPECT_EQ(OutlineXml(merged)->children.size(), 2u);
    EXPECT_TRUE(InstallFileManagerEntries(Folders(), Entry()).size() == 1u);
    EXPECT_EQ(dir_.Read(kThunar), merged);

    EXPECT_TRUE(RemoveFileManagerEntries(Folders()).empty());
    EXPECT_EQ(dir_.Read(kThunar), uca);
    EXPECT_EQ(dir_.Read("data/kio/servicemenus/mine.desktop"), "[Desktop Entry]\nType=Service\n");
    EXPECT_EQ(dir_.Read(kNautilus), "#!/bin/sh\necho mine\n");

    // Thunar rewrites the file in its own layout; our action still goes alone.
    const std::string rewritten =
        "<?xml version=\"1.0\"?>\n<actions>\n\t<action><unique-id>"
        "orvella-add-to-category</unique-id></action>\n"
        "\t<action><unique-id>7</unique-id></action>\n</actions>\n";
    Write(kThunar, rewritten);
    EXPECT_TRUE(RemoveFileManagerEntries(Folders()).empty());
    EXPECT_EQ(dir_.Read(kThunar),
              "<?xml version=\"1.0\"?>\n<actions>\n\t<action><unique-id>7</unique-id></action>\n"
              "</actions>\n");
}

TEST_F(FileManagerActionsTest, BrokenFilesAndUnwritableFoldersAreSkippedWithAMessage) {
    for (const std::string broken :
         {"<actions><action></actions>", "<actions a='1' a='2'/>", "<actions>&nbsp;</actions>",
          "<actions></actions><actions></actions>", "<other></other>", "<actions><!-- x"}) {
        Write(kThunar, broken);
        const std::vector<std::string> messages = InstallFileManagerEntries(Folders(), Entry());
        ASSERT_EQ(messages.size(), 1u) << broken;
        EXPECT_THAT(messages[0], HasSubstr("Thunar")) << broken;
        EXPECT_EQ(dir_.Read(kThunar), broken);
        EXPECT_TRUE(FileExists(dir_.File(kNemo)));
        EXPECT_EQ(RemoveFileManagerEntries(Folders()).size(), 1u);
        EXPECT_EQ(dir_.Read(kThunar), broken);
    }

    // A data folder that cannot be made (a file stands in its way), even for root.
    dir_.Write("blocked", "");
    const FileManagerFolders blocked{dir_.File("blocked/data"), dir_.File("config")};
    Write(kThunar, "<actions>\n</actions>\n");
    EXPECT_EQ(InstallFileManagerEntries(blocked, Entry()).size(), 4u);  // all but Thunar
    EXPECT_TRUE(OutlineXml(dir_.Read(kThunar))->children.size() == 1u);
    EXPECT_TRUE(RemoveFileManagerEntries(blocked).empty());
    EXPECT_EQ(dir_.Read(kThunar), "<actions>\n</actions>\n");
}

// Every entry's command, read the way its file manager reads it, gives our program each
// selected file as one argument; the program path itself may hold blanks, quotes, "$",
// ";" and umlauts.
TEST_F(FileManagerActionsTest, EachFileManagerHandsOverEveryFileAsOneArgument) {
    const std::string folder = dir_.File("prog 'a' \"b\" $HOME;ü\\x/");
    ASSERT_TRUE(EnsureDirectory(folder).ok());
    const std::string program = folder + "orvella-add-to-category";
    ASSERT_EQ(::symlink(ORVELLA_FAKE_TOOL, program.c_str()), 0);
    ASSERT_TRUE(InstallFileManagerEntries(Folders(), {.program = program}).empty());
    const std::vector<std::string> files = {"/p/a b.jpg", "/p/it's \"$x\";ä.png"};

    const auto line_of = [](const std::string& text, const std::string& key) {
        const std::size_t start = text.find("\n" + key) + 1 + key.size();
        return text.substr(start, text.find('\n', start) - start);
    };
    const auto unescape = [](std::string text, const std::string& from, const std::string& to) {
        for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
            text.replace(at, from.size(), to);
        return text;
    };
    const auto shell_word = [&](const std::string& word) {
        return "'" + unescape(word, "'", "'\\''") + "'";
    };
    // Dolphin: a desktop entry's Exec, %F as separate words.
    std::string dolphin = unescape(line_of(dir_.Read(kPlasma6), "Exec="), "\\\\", "\\");
    // Thunar: g_shell_quote for each file, the XML read back.
    const std::string uca = dir_.Read(kThunar);
    std::string thunar(*ChildText(uca, "command"));
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"&apos;", "'"}, {"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}}) {
        thunar = unescape(thunar, from, to);
    }
    // Nemo: URIs, each in double quotes.
    std::string nemo = unescape(line_of(dir_.Read(kNemo), "Exec="), "\\\\", "\\");
    std::string words, uris;
    for (const std::string& file : files) {
        words += " " + shell_word(file);
        uris += " \"" + FileUri(file) + "\"";
    }
    dolphin = unescape(dolphin, " %F", words);
    thunar = unescape(thunar, " %F", words);
    nemo = unescape(nemo, " %U", uris);

    const std::string log = dir_.File("args.jsonl");
    for (const std::string& command : {dolphin, thunar, nemo})
        EXPECT_EQ(testing::RunProgram({"/bin/sh", "-c", command}, {"FAKE_TOOL_LOG=" + log}), 0)
            << command;
    const std::string expected = R"(["--","/p/a b.jpg","/p/it's \"$x\";ä.png"])";
    const std::string expected_uris =
        "[\"--\",\"" + FileUri(files[0]) + "\",\"" + FileUri(files[1]) + "\"]";
    std::ifstream in(log);
    std::vector<std::string> runs;
    for (std::string line; std::getline(in, line);)
        runs.push_back(line);
    EXPECT_THAT(runs, ElementsAre(expected, expected, expected_uris));
}

// Found by the fuzzer: the letters of the closing tag in a comment or an instruction are no
// place for our action, before or after the root.
TEST(ThunarActionTest, OnlyTheRootsOwnClosingTagTakesTheAction) {
    const std::string action = "<action><unique-id>o</unique-id></action>";
    EXPECT_EQ(MergeThunarAction("<?pi </actions?>\n<actions/>\n", "o", action), std::nullopt);
    EXPECT_EQ(MergeThunarAction("<actions>\n</actions>\n<!-- </actions> -->\n", "o", action),
              "<actions>\n" + action + "\n</actions>\n<!-- </actions> -->\n");
}

// Found by the fuzzer: a file that holds our action twice keeps one after a merge, and a
// removal takes every copy.
TEST(ThunarActionTest, OurActionTwiceInTheFileEndsOnceOrGone) {
    const std::string action = "<action><unique-id>o</unique-id></action>";
    const std::string old = "<action><unique-id>o</unique-id><name>x</name></action>";
    const std::string mine = "<action><unique-id>m</unique-id></action>";
    const std::string twice = "<actions>\n" + old + "\n" + mine + "\n  " + old + "\n</actions>\n";
    EXPECT_EQ(MergeThunarAction(twice, "o", action),
              "<actions>\n" + action + "\n" + mine + "\n</actions>\n");
    EXPECT_EQ(RemoveThunarAction(twice, "o"), "<actions>\n" + mine + "\n</actions>\n");
}

TEST(SelectedPicturesTest, TheSelectionComesFromNautilusOrTheArguments) {
    MapEnvironment none;
    EXPECT_THAT(SelectedPictures({"--category=2", "--", "/p/a.JPG", "rel/b b.png", "/p/c.txt",
                                  "file:///p/%C3%A4%20x.gif", "/p/--.htm"},
                                 none, "/cwd"),
                ElementsAre("/p/a.JPG", "/cwd/rel/b b.png", "/p/ä x.gif", "/p/--.htm"));
    EXPECT_THAT(SelectedPictures({"/p/a.bmp", "x.html"}, none, "/cwd/"),
                ElementsAre("/p/a.bmp", "/cwd/x.html"));
    MapEnvironment nautilus;
    nautilus.Set("NAUTILUS_SCRIPT_SELECTED_FILE_PATHS", "/p/a b.jpeg\n/p/$x;'y'.png\n/p/doc.pdf\n");
    EXPECT_THAT(SelectedPictures({"a b.jpeg"}, nautilus, "/p"),
                ElementsAre("/p/a b.jpeg", "/p/$x;'y'.png"));
}

}  // namespace
}  // namespace orvella
