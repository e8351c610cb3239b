#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "settings/form_storage.h"
#include "support/temp_dir.h"
#include "test_window.h"

namespace orvella {
namespace {

using testing::TempDir;
using testing::TestWindow;

TEST(FormStorageRegistrationTest, AMistakeIsReportedByEverySaveAndRestoreAndTouchesNothing) {
    TempDir dir;
    const std::string content = "[Wallpaper]\r\nCkbAutostart_Checked=True\r\n";
    TestWindow window(WindowPlacement{});
    bool box = false;
    const auto get = [&] { return box; };
    const auto set = [&](bool value) { box = value; };
    const std::vector<std::string> too_many(33, "member");

    struct Mistake {
        std::string named;  // what the message must mention
        std::function<void(TFormStorage&)> make;
    };
    const std::vector<Mistake> mistakes = {
        {"ckbautostart_CHECKED",
         [&](TFormStorage& s) {
             s.AddBool({"ckbautostart", "CHECKED"}, get, set);
         }},
        {"visible",
         [&](TFormStorage& s) {
             s.KeepPlacement(window);
             s.AddValue("visible", "1");
         }},
        {"NormPos",
         [&](TFormStorage& s) {
             s.AddValue("NormPos", "");
             s.KeepPlacement(window);
         }},
        {"formversion", [&](TFormStorage& s) { s.AddValue("formversion", "1"); }},
        {"Spin_Value",
         [&](TFormStorage& s) {
             s.AddInteger({"Spin", "Value"}, nullptr, [](std::int32_t) {});
         }},
        {"Edit_Text",
         [&](TFormStorage& s) {
             s.AddString({"Edit", "Text"}, [] { return ""; }, {});
         }},
        {"Label_Pitch",
         [&](TFormStorage& s) {
             s.AddEnum(
                 {"Label", "Pitch"}, {}, [] { return 0; }, [](int) {});
         }},
        {"Label_Style",
         [&](TFormStorage& s) {
             s.AddSet(
                 {"Label", "Style"}, too_many, [] { return 0u; }, [](std::uint32_t) {});
         }},
        {"_Checked",
         [&](TFormStorage& s) {
             s.AddBool({"", "Checked"}, get, set);
         }},
        {"no name", [&](TFormStorage& s) { s.AddValue("", "x"); }},
    };
    for (const Mistake& mistake : mistakes) {
        SCOPED_TRACE(mistake.named);
        dir.Write("ovl.dat", content);
        TFormStorage store(ProfileTarget(dir.File("ovl.dat"), "Wallpaper"));
        store.AddBool({"CkbAutostart", "Checked"}, get, set);
        mistake.make(store);
        // A second mistake does not hide the first.
        store.AddValue("", "");
        const Status registration = store.registration();
        ASSERT_FALSE(registration.ok());
        EXPECT_NE(registration.message().find(mistake.named), std::string::npos)
            << registration.message();
        EXPECT_NE(registration.message().find("Wallpaper"), std::string::npos)
            << registration.message();

        const Status saved = store.Save();
        EXPECT_EQ(saved.message(), registration.message());
        const Result<RestoreOutcome> restored = store.Restore();
        EXPECT_EQ(restored.message(), registration.message());
        EXPECT_FALSE(box);
        EXPECT_EQ(dir.Read("ovl.dat"), content);
    }

    TFormStorage correct(ProfileTarget(dir.File("ovl.dat"), "Wallpaper"));
    correct.KeepPlacement(window);
    correct.AddBool({"CkbAutostart", "Checked"}, get, set);
    correct.AddSet(
        {"Label", "Style"}, std::vector<std::string>(32, "member"), [] { return 0u; },
        [](std::uint32_t) {});
    correct.AddValue("LVSort", "0");
    EXPECT_TRUE(correct.registration().ok()) << correct.registration().message();
    ASSERT_TRUE(correct.Restore().ok());
    EXPECT_TRUE(box);
}

}  // namespace
}  // namespace orvella
