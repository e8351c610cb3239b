#include "platform/registry/registry_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "platform/desktop/desktop_colour.h"
#include "support/failing_io.h"
#include "support/replacement_count.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::TempDir;

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
constexpr const char* kSettingsKey = "Software\\Brenmark Software\\Orvella";

TEST(RegistryFileTest, OpensKeysWithAndWithoutCreating) {
    TempDir dir;
    RegistryFile registry(dir.File("config/orvella/registry.reg"));
    // A fresh profile: the desktop key is there without anything written yet.
    std::optional<RegistryKey> desktop =
        RegistryKey::Open(registry, kUser, "Control Panel\\Desktop", false);
    ASSERT_TRUE(desktop.has_value());
    EXPECT_EQ(desktop->ReadString("TileWallpaper"), "0");
    EXPECT_FALSE(RegistryKey::Open(registry, kUser, kSettingsKey, false).has_value());

    std::optional<RegistryKey> settings = RegistryKey::Open(registry, kUser, kSettingsKey, true);
    ASSERT_TRUE(settings.has_value());
    ASSERT_TRUE(settings->WriteDword("WHandle", 0x80001234u).ok());
    ASSERT_TRUE(settings->WriteString("", "default value").ok());
    EXPECT_EQ(settings->ReadDword("whandle"), 0x80001234u);
    EXPECT_FALSE(settings->ReadString("WHandle").has_value());  // wrong type
    EXPECT_EQ(settings->ReadString(""), "default value");
    EXPECT_TRUE(RegistryKey::Open(registry, kUser, "software\\brenmark software", false));

    // Another process sees each write at once: a second object on the same file.
    RegistryFile other(registry.path());
    std::optional<RegistryKey> seen = RegistryKey::Open(other, kUser, kSettingsKey, false);
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->ValueNames(), (std::vector<std::string>{"WHandle", ""}));

    ASSERT_TRUE(settings->DeleteValue("WHandle").ok());
    ASSERT_TRUE(settings->DeleteValue("never there").ok());
    EXPECT_FALSE(settings->ValueExists("WHandle"));
    ASSERT_TRUE(registry
                    .WriteValues(kUser, std::string(kSettingsKey) + "\\Calendar",
                                 {RegistryValue::String("A", "1")})
                    .ok());
    EXPECT_EQ(settings->SubkeyNames(), (std::vector<std::string>{"Calendar"}));
    ASSERT_TRUE(settings->DeleteSubkey("CALENDAR").ok());
    EXPECT_TRUE(settings->SubkeyNames().empty());
    EXPECT_FALSE(settings->DeleteSubkey("").ok());
    EXPECT_TRUE(RegistryKey::Open(registry, kUser, kSettingsKey, false).has_value());
}

// Deferred writes are read back at once, made in one replacement when the outermost
// deferral ends (or at a flush), and keep what another program wrote meanwhile.
TEST(RegistryFileTest, DeferredWritesReplaceTheFileOnceAndKeepOutsideWrites) {
    TempDir dir;
    RegistryFile registry(dir.File("registry.reg"));
    RegistryFile outside(registry.path());
    ASSERT_TRUE(
        registry.WriteValues(kUser, kSettingsKey, {RegistryValue::String("Old", "1")}).ok());
    testing::ReplacementCount replacements;
    {
        DeferredRegistryWrites outer(registry);
        DeferredRegistryWrites inner(registry);
        ASSERT_TRUE(
            registry.WriteValues(kUser, kSettingsKey, {RegistryValue::String("A", "1")}).ok());
        ASSERT_TRUE(registry.DeleteValue(kUser, kSettingsKey, "Old").ok());
        ASSERT_TRUE(inner.Finish().ok());
        ASSERT_TRUE(outside.WriteValues(kUser, "Outside", {RegistryValue::String("B", "2")}).ok());
        ASSERT_TRUE(
            registry.WriteValues(kUser, kSettingsKey, {RegistryValue::String("A", "3")}).ok());
        EXPECT_EQ(registry.ValueNames(kUser, kSettingsKey).value(), std::vector<std::string>{"A"});
        EXPECT_EQ(replacements.Of(registry.path()), 1);  // only the outside write
        ASSERT_TRUE(outer.Finish().ok());
    }
    EXPECT_EQ(replacements.Of(registry.path()), 2);
    const std::optional<RegistryValue> a = outside.ReadValue(kUser, kSettingsKey, "A").value();
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->text, "3");
    EXPECT_FALSE(outside.ReadValue(kUser, kSettingsKey, "Old").value().has_value());
    EXPECT_TRUE(registry.ReadValue(kUser, "Outside", "B").value().has_value());

    DeferredRegistryWrites flushed(registry);
    ASSERT_TRUE(registry.CreateKey(kUser, "Flushed").ok());
    ASSERT_TRUE(registry.FlushWrites().ok());
    EXPECT_TRUE(outside.KeyExists(kUser, "Flushed").value());
    EXPECT_EQ(replacements.Of(registry.path()), 3);
}

TEST(RegistryFileTest, ADamagedFileIsReportedAndNeverOverwritten) {
    TempDir dir;
    const std::string damaged =
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Keep]\r\n\"Mine\"=\"1\"\r\n\"Broken\"=dword:zz\r\n";
    dir.Write("registry.reg", damaged);
    RegistryFile registry(dir.File("registry.reg"));
    const Status write = registry.WriteValues(kUser, "Keep", {RegistryValue::String("x", "y")});
    ASSERT_FALSE(write.ok());
    EXPECT_NE(write.message().find(dir.File("registry.reg") + ":5:"), std::string::npos)
        << write.message();
    EXPECT_FALSE(registry.DeleteKey(kUser, "Keep").ok());
    EXPECT_FALSE(registry.KeyExists(kUser, "Keep").ok());
    EXPECT_FALSE(RegistryKey::Open(registry, kUser, "Keep", true).has_value());
    EXPECT_EQ(dir.Read("registry.reg"), damaged);
}

// Random value names and strings of the characters that mean something in the file: each
// write reads back the same, or is refused and leaves the file as it was.
TEST(RegistryFileTest, AnyValueReadsBackTheSameOrIsRefused) {
    TempDir dir;
    RegistryFile registry(dir.File("registry.reg"));
    ASSERT_TRUE(registry.WriteValues(kUser, kSettingsKey, {RegistryValue::Dword("Keep", 7)}));
    std::mt19937 random(20);
    const std::string alphabet = std::string("a \t=[];\r\n\"\\@\xfc") + '\0';
    const auto text = [&](std::size_t longest) {
        std::string out(random() % (longest + 1), ' ');
        for (char& c : out)
            c = alphabet[random() % alphabet.size()];
        return out;
    };
    int refused = 0;
    for (int i = 0; i < 300; ++i) {
        const RegistryValue value = RegistryValue::String(text(4), text(8));
        const std::string before = dir.Read("registry.reg");
        if (!registry.WriteValues(kUser, kSettingsKey, {value})) {
            ++refused;
            EXPECT_EQ(dir.Read("registry.reg"), before);
            continue;
        }
        const auto read = registry.ReadValue(kUser, kSettingsKey, value.name);
        ASSERT_TRUE(read.ok()) << read.message();
        EXPECT_EQ(*read, value);
    }
    const auto keep = registry.ReadValue(kUser, kSettingsKey, "Keep");
    ASSERT_TRUE(keep.ok() && keep->has_value());
    EXPECT_EQ((*keep)->dword, 7u);
    EXPECT_GT(refused, 50);
    EXPECT_LT(refused, 250);
}

TEST(RegistryFileTest, AFailedWriteKeepsTheEarlierFile) {
    TempDir dir;
    RegistryFile registry(dir.File("registry.reg"));
    ASSERT_TRUE(registry.WriteValues(kUser, kSettingsKey, {RegistryValue::Dword("A", 1)}).ok());
    const std::string before = dir.Read("registry.reg");
    {
        auto failing = testing::FailingIo::FailWriteNumber(1);
        const Status status =
            registry.WriteValues(kUser, kSettingsKey, {RegistryValue::Dword("B", 2)});
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.message().find("registry.reg"), std::string::npos);
    }
    EXPECT_EQ(dir.Read("registry.reg"), before);
}

TEST(RegistryFileTest, TwoProcessesWritingAThousandValuesEachLoseNone) {
    TempDir dir;
    const std::string path = dir.File("registry.reg");
    constexpr int kPerProcess = 1000;
    std::vector<pid_t> children;
    for (const char* prefix : {"first", "second"}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            RegistryFile registry(path);
            int failures = 0;
            for (int i = 0; i < kPerProcess; ++i) {
                const std::string name = std::string(prefix) + std::to_string(i);
                if (!registry.WriteValues(kUser, kSettingsKey, {RegistryValue::Dword(name, i)})) {
                    ++failures;
                }
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    RegistryFile registry(path);
    Result<std::vector<std::string>> names = registry.ValueNames(kUser, kSettingsKey);
    ASSERT_TRUE(names.ok()) << names.message();
    EXPECT_EQ(names->size(), static_cast<std::size_t>(2 * kPerProcess));
    std::optional<RegistryKey> key = RegistryKey::Open(registry, kUser, kSettingsKey, false);
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->ReadDword("first999"), 999u);
    EXPECT_EQ(key->ReadDword("second0"), 0u);
}

TEST(RegistryFileTest, DesktopColourIsKeptAsWindowsKeepsIt) {
    TempDir dir;
    RegistryFile registry(dir.File("registry.reg"));
    std::vector<ColorRef> handed_to_desktop;
    RegistryDesktopColours colours(registry, [&](ColorRef c) {
        handed_to_desktop.push_back(c);
        return Status::Ok();
    });
    EXPECT_EQ(colours.Background(), MakeColorRef(58, 110, 165));
    ASSERT_TRUE(colours.SetBackground(MakeColorRef(255, 128, 0)).ok());
    EXPECT_EQ(colours.Background(), 0x000080FFu);
    EXPECT_EQ(RegistryKey::Open(registry, kUser, "Control Panel\\Colors", false)
                  ->ReadString("Background"),
              "255 128 0");
    EXPECT_EQ(handed_to_desktop, (std::vector<ColorRef>{0x000080FFu}));
    // A desktop that refuses the colour is told, and the registry keeps it all the same.
    RegistryDesktopColours refused(registry, [](ColorRef) { return Status::Error("no desktop"); });
    EXPECT_EQ(refused.SetBackground(MakeColorRef(1, 2, 3)).message(), "no desktop");
    EXPECT_EQ(refused.Background(), MakeColorRef(1, 2, 3));
    EXPECT_EQ(ParseRgbTriple(" 1  2 3 "), MakeColorRef(1, 2, 3));
    EXPECT_FALSE(ParseRgbTriple("1 2").has_value());
    EXPECT_FALSE(ParseRgbTriple("1 2 256").has_value());
    EXPECT_FALSE(ParseRgbTriple("1 2 3 4").has_value());
}

}  // namespace
}  // namespace orvella
