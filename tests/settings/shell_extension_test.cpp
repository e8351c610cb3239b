#include "settings/shell_extension.h"

#include <gtest/gtest.h>

#include "platform/registry/registry_file.h"
#include "support/failing_io.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::TempDir;

constexpr const char* kApproved =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

std::string DefaultValue(const RegistryDocument& hive, const std::string& key) {
    const RegistryValue* value = hive.FindValue(key, "");
    return value ? value->text : "<none>";
}

TEST(ShellExtensionTest, RegistersUnderTheExistingTypeOrANewOneAndApprovesOnNt) {
    TempDir dir;
    RegistryFile registry(dir.File("registry.reg"));
    ASSERT_TRUE(registry.DeleteKey(RegistryRoot::ClassesRoot, ".png").ok());  // no type at all
    const WindowsVersion xp = WindowsVersion::Default();
    for (std::string_view extension : kShellExtensionTypes) {
        ASSERT_TRUE(RegisterShellExtension(registry, xp, extension).ok()) << extension;
    }
    Result<RegistryDocument> hive = registry.Read();
    ASSERT_TRUE(hive.ok());
    // ".jpg" keeps its link to the existing type; the handler goes under that type.
    EXPECT_EQ(DefaultValue(*hive, "HKEY_CLASSES_ROOT\\.jpg"), "jpegfile");
    EXPECT_EQ(
        DefaultValue(*hive, "HKEY_CLASSES_ROOT\\jpegfile\\ShellEx\\ContextMenuHandlers\\Orvella"),
        kShellExtensionId);
    EXPECT_EQ(DefaultValue(*hive, "HKEY_CLASSES_ROOT\\.png"), "Orvella.png");
    EXPECT_EQ(DefaultValue(*hive,
                           "HKEY_CLASSES_ROOT\\Orvella.png\\ShellEx\\ContextMenuHandlers\\Orvella"),
              kShellExtensionId);
    ASSERT_NE(hive->FindValue(kApproved, kShellExtensionId), nullptr);
    EXPECT_EQ(hive->FindValue(kApproved, kShellExtensionId)->text, "Orvella");

    // Registering twice leaves the same entries.
    const std::string once = dir.Read("registry.reg");
    ASSERT_TRUE(RegisterShellExtension(registry, xp, ".jpg").ok());
    EXPECT_EQ(dir.Read("registry.reg"), once);

    for (std::string_view extension : kShellExtensionTypes) {
        ASSERT_TRUE(UnregisterShellExtension(registry, xp, extension).ok()) << extension;
    }
    hive = registry.Read();
    EXPECT_FALSE(
        hive->HasKey("HKEY_CLASSES_ROOT\\jpegfile\\ShellEx\\ContextMenuHandlers\\Orvella"));
    EXPECT_TRUE(hive->HasKey("HKEY_CLASSES_ROOT\\jpegfile\\ShellEx\\ContextMenuHandlers"));
    EXPECT_EQ(DefaultValue(*hive, "HKEY_CLASSES_ROOT\\.png"), "Orvella.png");  // type stays
    EXPECT_EQ(hive->FindValue(kApproved, kShellExtensionId), nullptr);
    ASSERT_TRUE(UnregisterShellExtension(registry, xp, ".png").ok());  // nothing left to do
    EXPECT_EQ(DefaultValue(*registry.Read(), "HKEY_CLASSES_ROOT\\.png"), "Orvella.png");
}

TEST(ShellExtensionTest, The9xFamilyHasNoApprovalAndFailuresNameTheValue) {
    TempDir dir;
    RegistryFile registry(dir.File("registry.reg"));
    const WindowsVersion me = *WindowsVersion::FromName("me");
    ASSERT_TRUE(RegisterShellExtension(registry, me, ".gif").ok());
    EXPECT_FALSE(registry.Read()->HasKey(kApproved));
    ASSERT_TRUE(UnregisterShellExtension(registry, me, ".gif").ok());
    EXPECT_FALSE(registry.Read()->HasKey(kApproved));
    // An extension without a key is skipped on removal and creates nothing.
    const std::string before = dir.Read("registry.reg");
    ASSERT_TRUE(UnregisterShellExtension(registry, me, ".xyz").ok());
    EXPECT_EQ(dir.Read("registry.reg"), before);

    auto failing = testing::FailingIo::FailRenames();
    const Status status = RegisterShellExtension(registry, WindowsVersion::Default(), ".bmp");
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.message(), "Konnte Daten für '' nicht setzen");
}

}  // namespace
}  // namespace orvella
