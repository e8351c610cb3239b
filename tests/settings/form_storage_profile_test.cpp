#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/profile/profile_file.h"
#include "platform/registry/registry_file.h"
#include "settings/form_storage.h"
#include "settings/profile_target.h"
#include "support/replacement_count.h"
#include "support/temp_dir.h"
#include "test_window.h"

namespace orvella {
namespace {

using testing::TempDir;
using testing::TestWindow;

TEST(FormStorageProfileTest, ASaveWritesPlacementPropertiesValuesThenTheVersion) {
    TempDir dir;
    TestWindow window(WindowPlacement{0, 1, 96, {-1, -1}, {-8, -8}, {10, 20, 810, 620}, true});
    bool autostart = true;
    int pitch = 1;
    TFormStorage store(ProfileTarget(dir.File("ovl.dat"), "Wallpaper"));
    store.SetVersion(2);
    // Values registered first still follow the properties.
    store.AddValue("LVSort", "-1");
    store.KeepPlacement(window);
    store.AddBool(
        {"CkbAutostart", "Checked"}, [&] { return autostart; },
        [&](bool value) { autostart = value; });
    store.AddEnum(
        {"LabelDate", "FontPitch"}, {"fpDefault", "fpFixed", "fpVariable"}, [&] { return pitch; },
        [&](int value) { pitch = value; });
    store.AddValue("Pattern", " a ");
    ASSERT_TRUE(store.Save().ok());
    EXPECT_EQ(dir.Read("ovl.dat"),
              "[Wallpaper]\r\n"
              "Flags=0\r\n"
              "ShowCmd=1\r\n"
              "PixelsPerInch=96\r\n"
              "MinMaxPos=-1,-1,-8,-8\r\n"
              "NormPos=10,20,810,620\r\n"
              "Visible=1\r\n"
              "CkbAutostart_Checked=True\r\n"
              "LabelDate_FontPitch=fpFixed\r\n"
              "LVSort=-1\r\n"
              "Pattern=\" a \"\r\n"
              "FormVersion=2\r\n");
}

TEST(FormStorageProfileTest, ASaveKeepsTheOtherKeysAndSections) {
    TempDir dir;
    dir.Write("ovl.dat",
              "; Orvella\r\n[Options]\r\nLanguage=EN\r\n\r\n[wallpaper]\r\nForeign = kept \r\n"
              "FormVersion=1\r\nCkbAutostart_Checked=False\r\n\r\n[Categories]\r\nCount=3\r\n");
    bool autostart = true;
    TFormStorage store(ProfileTarget(dir.File("ovl.dat"), "Wallpaper"));
    store.SetVersion(1);
    store.AddBool(
        {"CkbAutostart", "Checked"}, [&] { return autostart; },
        [&](bool value) { autostart = value; });
    store.AddValue("LVSort", "0");
    ASSERT_TRUE(store.Save().ok());
    EXPECT_EQ(dir.Read("ovl.dat"),
              "; Orvella\r\n[Options]\r\nLanguage=EN\r\n\r\n[wallpaper]\r\nForeign = kept \r\n"
              "FormVersion=1\r\nCkbAutostart_Checked=True\r\nLVSort=0\r\n\r\n[Categories]\r\n"
              "Count=3\r\n");
}

// Forms that close together: each file is updated once at the end, with every form's
// section in order, and a restore in between sees what is still kept.
TEST(FormStorageProfileTest, DeferredWritesUpdateEachFileOnce) {
    TempDir dir;
    dir.Write("ovl.dat", "[Other]\r\nKeep=1\r\n");
    ProfileTarget main_window(dir.File("ovl.dat"), "Wallpaper");
    ProfileTarget preview(dir.File("ovl.dat"), "Preview");
    ProfileTarget elsewhere(dir.File("other.dat"), "Wallpaper");
    testing::ReplacementCount replacements;
    DeferredProfileWrites writes;
    ASSERT_TRUE(preview.Write({{"Left", "1"}}).ok());
    ASSERT_TRUE(elsewhere.Write({{"Left", "5"}}).ok());
    {
        // A window closing inside the program's end leaves its writes to the outer one.
        DeferredProfileWrites inner;
        ASSERT_TRUE(main_window.Write({{"Left", "2"}, {"Top", "3"}}).ok());
        ASSERT_TRUE(inner.Finish().ok());
    }
    ASSERT_TRUE(preview.Write({{"Left", "4"}}).ok());
    const Result<FoundEntries> seen = preview.Read({"Left"});
    ASSERT_TRUE(seen.ok());
    ASSERT_NE(seen->Find("Left"), nullptr);
    EXPECT_EQ(*seen->Find("Left"), "4");
    EXPECT_EQ(replacements.Of(dir.File("ovl.dat")), 0);

    ASSERT_TRUE(writes.Finish().ok());
    EXPECT_EQ(replacements.Of(dir.File("ovl.dat")), 1);
    EXPECT_EQ(replacements.Of(dir.File("other.dat")), 1);
    EXPECT_EQ(dir.Read("ovl.dat"),
              "[Other]\r\nKeep=1\r\n[Preview]\r\nLeft=4\r\n[Wallpaper]\r\nLeft=2\r\nTop=3\r\n");
    ASSERT_TRUE(preview.Write({{"Left", "6"}}).ok());  // no longer kept back
    EXPECT_EQ(replacements.Of(dir.File("ovl.dat")), 2);
}

TEST(FormStorageProfileTest, AStoredValueKeepsToOneLine) {
    TempDir dir;
    TFormStorage store(ProfileTarget(dir.File("ovl.dat"), "Wallpaper"));
    store.AddValue("Note", "first\r\nInjected=1");
    store.AddValue("Other", "second\nline");
    ASSERT_TRUE(store.Save().ok());
    const ProfileFile file(dir.File("ovl.dat"));
    EXPECT_FALSE(file.HasKey("Wallpaper", "Injected"));
    EXPECT_EQ(file.ReadString("Wallpaper", "Note", "?"), "first");
    EXPECT_EQ(file.ReadString("Wallpaper", "Other", "?"), "second");
    EXPECT_EQ(file.ReadKeys("Wallpaper"),
              (std::vector<std::string>{"Note", "Other", "FormVersion"}));
}

TEST(FormStorageProfileTest, TheFileCanBeChangedBeforeTheFirstRestore) {
    TempDir dir;
    dir.Write("ovl.dat", "[Options]\r\nLVSort=-1\r\n");
    TFormStorage wallpaper(ProfileTarget(dir.File("ovl.dat"), "Wallpaper"));
    TFormStorage options(ProfileTarget(dir.File("unused.dat"), "Options"));
    options.AddValue("LVSort", "0");
    ASSERT_TRUE(options.SetProfilePath(*wallpaper.ProfilePath()).ok());
    EXPECT_EQ(options.ProfilePath(), dir.File("ovl.dat"));
    ASSERT_TRUE(options.Restore().ok());
    EXPECT_EQ(options.Value("LVSort"), "-1");
    ASSERT_TRUE(options.Save().ok());
    struct stat info {};
    EXPECT_NE(::stat(dir.File("unused.dat").c_str(), &info), 0);
    EXPECT_EQ(dir.Read("ovl.dat"), "[Options]\r\nLVSort=-1\r\nFormVersion=0\r\n");

    RegistryFile registry(dir.File("registry.reg"));
    TFormStorage in_registry(
        RegistryTarget(registry, RegistryRoot::CurrentUser, "Software\\Orvella", "Calendar"));
    EXPECT_EQ(in_registry.ProfilePath(), std::nullopt);
    EXPECT_FALSE(in_registry.SetProfilePath(dir.File("ovl.dat")).ok());
}

TEST(FormStorageProfileTest, AnUnreadableFileIsReportedAndTouchesNothing) {
    TempDir dir;
    const std::string path = dir.File("ovl.dat");
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);  // a folder where the file should be
    bool autostart = false;
    TFormStorage store(ProfileTarget(path, "Wallpaper"));
    store.AddBool(
        {"CkbAutostart", "Checked"}, [&] { return autostart; },
        [&](bool value) { autostart = value; });
    const Result<RestoreOutcome> restored = store.Restore();
    ASSERT_FALSE(restored.ok());
    EXPECT_NE(restored.message().find(path), std::string::npos) << restored.message();
    const Status saved = store.Save();
    ASSERT_FALSE(saved.ok());
    EXPECT_NE(saved.message().find(path), std::string::npos) << saved.message();
    EXPECT_FALSE(autostart);
}

}  // namespace
}  // namespace orvella
