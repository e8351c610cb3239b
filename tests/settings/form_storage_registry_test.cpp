#include <gtest/gtest.h>

#include "platform/registry/registry_file.h"
#include "settings/form_storage.h"
#include "support/temp_dir.h"
#include "test_window.h"

namespace orvella {
namespace {

using testing::TempDir;
using testing::TestWindow;

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
constexpr const char* kKeyPath = "Software\\Brenmark Software\\Orvella";
const std::string kCalendarKey = std::string(kKeyPath) + "\\Calendar";

TEST(FormStorageRegistryTest, EntriesAreStringValuesOfTheSubkeyInWriteOrder) {
    TempDir dir;
    RegistryFile registry(dir.File("registry.reg"));
    ASSERT_TRUE(
        registry.WriteValues(kUser, kCalendarKey, {RegistryValue::String("Foreign", "kept")}).ok());
    ASSERT_TRUE(
        registry.WriteValues(kUser, kKeyPath, {RegistryValue::String("Language", "EN")}).ok());
    TestWindow window(WindowPlacement{});
    bool autostart = true;
    TFormStorage store(RegistryTarget(registry, kUser, kKeyPath, "Calendar"));
    store.SetVersion(2);
    store.AddValue("Note", "a\r\nb ");
    store.KeepPlacement(window);
    store.AddBool(
        {"CkbAutostart", "Checked"}, [&] { return autostart; },
        [&](bool value) { autostart = value; });
    ASSERT_TRUE(store.Save().ok());

    EXPECT_EQ(*registry.ValueNames(kUser, kCalendarKey),
              (std::vector<std::string>{"Foreign", "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos",
                                        "NormPos", "Visible", "CkbAutostart_Checked", "Note",
                                        "FormVersion"}));
    EXPECT_EQ(*registry.ValueNames(kUser, kKeyPath), (std::vector<std::string>{"Language"}));
    EXPECT_EQ(**registry.ReadValue(kUser, kCalendarKey, "Foreign"),
              RegistryValue::String("Foreign", "kept"));
    EXPECT_EQ(**registry.ReadValue(kUser, kCalendarKey, "FormVersion"),
              RegistryValue::String("FormVersion", "2"));

    TFormStorage later(RegistryTarget(registry, kUser, kKeyPath, "Calendar"));
    later.AddValue("Note", "");
    ASSERT_TRUE(later.Restore().ok());
    EXPECT_EQ(later.Value("Note"), "a\r\nb ");
}

TEST(FormStorageRegistryTest, AValueOfAnotherTypeCountsAsMissing) {
    TempDir dir;
    RegistryFile registry(dir.File("registry.reg"));
    ASSERT_TRUE(registry
                    .WriteValues(kUser, kCalendarKey,
                                 {RegistryValue::Dword("CkbAutostart_Checked", 1),
                                  RegistryValue::Dword("LVSort", 0xFFFFFFFFu),
                                  RegistryValue::Dword("FormVersion", 5)})
                    .ok());
    bool autostart = false;
    TFormStorage store(RegistryTarget(registry, kUser, kKeyPath, "Calendar"));
    store.SetVersion(1);
    store.AddBool(
        {"CkbAutostart", "Checked"}, [&] { return autostart; },
        [&](bool value) { autostart = value; });
    store.AddValue("LVSort", "0");
    // No string "FormVersion": version 0, older than the store's.
    EXPECT_EQ(*store.Restore(), RestoreOutcome::StoredVersionTooOld);
    store.SetVersion(0);
    EXPECT_EQ(*store.Restore(), RestoreOutcome::Restored);
    EXPECT_FALSE(autostart);
    EXPECT_EQ(store.Value("LVSort"), "0");
}

TEST(FormStorageRegistryTest, ADamagedHiveIsReportedAndStaysAsItWas) {
    TempDir dir;
    const std::string damaged =
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Brenmark Software\\Orvella\\Calendar]\r\n"
        "\"CkbAutostart_Checked\"=\"True\"\r\n\"Broken\"=dword:zz\r\n";
    dir.Write("registry.reg", damaged);
    RegistryFile registry(dir.File("registry.reg"));
    bool autostart = false;
    TFormStorage store(RegistryTarget(registry, kUser, kKeyPath, "Calendar"));
    store.AddBool(
        {"CkbAutostart", "Checked"}, [&] { return autostart; },
        [&](bool value) { autostart = value; });
    const Result<RestoreOutcome> restored = store.Restore();
    ASSERT_FALSE(restored.ok());
    EXPECT_NE(restored.message().find(dir.File("registry.reg")), std::string::npos)
        << restored.message();
    EXPECT_FALSE(autostart);
    const Status saved = store.Save();
    ASSERT_FALSE(saved.ok());
    EXPECT_NE(saved.message().find(dir.File("registry.reg")), std::string::npos) << saved.message();
    EXPECT_EQ(dir.Read("registry.reg"), damaged);
}

}  // namespace
}  // namespace orvella
