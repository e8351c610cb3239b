#include "settings/form_storage.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <memory>
#include <string>

#include "form_targets.h"
#include "platform/files/files.h"
#include "settings/stored_text.h"
#include "support/failing_io.h"
#include "test_window.h"

namespace orvella {
namespace {

using testing::FormTargetFixture;
using testing::MakeFixture;
using testing::TargetKind;
using testing::TestWindow;

constexpr ColourValue kWhite = 16777215;
constexpr ColourValue kClWindow = static_cast<ColourValue>(0x80000005u);
constexpr ColourValue kClCaptionText = static_cast<ColourValue>(0x80000009u);

const std::vector<std::string> kPitches = {"fpDefault", "fpFixed", "fpVariable"};
const std::vector<std::string> kFontStyles = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

// Every case runs once against a profile section and once against a registry key: both
// must hold the same texts.
class FormStorageTest : public ::testing::TestWithParam<TargetKind> {
protected:
    void SetUp() override { target_ = MakeFixture(GetParam()); }

    FormTargetFixture& target() { return *target_; }
    std::optional<std::string> Stored(const std::string& name) const {
        return target_->Stored(name);
    }
    void Put(const std::string& name, const std::string& text) { target_->Put(name, text); }

    static void Save(TFormStorage& store) {
        const Status status = store.Save();
        ASSERT_TRUE(status.ok()) << status.message();
    }
    static RestoreOutcome Restore(TFormStorage& store) {
        Result<RestoreOutcome> outcome = store.Restore();
        EXPECT_TRUE(outcome.ok()) << outcome.message();
        return outcome.ok() ? *outcome : RestoreOutcome::StoredVersionTooOld;
    }

private:
    std::unique_ptr<FormTargetFixture> target_;
};

TEST_P(FormStorageTest, BooleansAreNamedTrueAndFalseAndReadInAnyCase) {
    bool autostart = true;
    bool tray = false;
    TFormStorage store = target().MakeStore();
    store.AddBool(
        {"CkbAutostart", "Checked"}, [&] { return autostart; },
        [&](bool value) { autostart = value; });
    store.AddBool(
        {"CkbTray", "Checked"}, [&] { return tray; }, [&](bool value) { tray = value; });
    Save(store);
    EXPECT_EQ(Stored("CkbAutostart_Checked"), "True");
    EXPECT_EQ(Stored("CkbTray_Checked"), "False");

    Put("CkbAutostart_Checked", "false");
    Put("CkbTray_Checked", "TRUE");
    EXPECT_EQ(Restore(store), RestoreOutcome::Restored);
    EXPECT_FALSE(autostart);
    EXPECT_TRUE(tray);

    // Blanks around a name do not matter; a name that is no boolean leaves the box alone.
    tray = false;
    Put("CkbAutostart_Checked", "  True ");
    Put("CkbTray_Checked", "yes");
    EXPECT_EQ(Restore(store), RestoreOutcome::Restored);
    EXPECT_TRUE(autostart);
    EXPECT_FALSE(tray);
}

TEST_P(FormStorageTest, EnumerationsAreKeptByNameAndAnUnknownNameKeepsTheValue) {
    int pitch = 2;
    TFormStorage store = target().MakeStore();
    store.AddEnum(
        {"LabelDate", "FontPitch"}, kPitches, [&] { return pitch; },
        [&](int value) { pitch = value; });
    Save(store);
    EXPECT_EQ(Stored("LabelDate_FontPitch"), "fpVariable");

    Put("LabelDate_FontPitch", "FPFIXED");
    Restore(store);
    EXPECT_EQ(pitch, 1);
    Put("LabelDate_FontPitch", "fpNone");
    Restore(store);
    EXPECT_EQ(pitch, 1);

    // An index outside the names is written as its number, which no restore takes.
    pitch = 7;
    Save(store);
    EXPECT_EQ(Stored("LabelDate_FontPitch"), "7");
    pitch = 0;
    Restore(store);
    EXPECT_EQ(pitch, 0);
}

TEST_P(FormStorageTest, IntegersAndColoursAreDecimalAndWhatDoesNotParseBecomesZero) {
    std::int32_t interval = -17;
    ColourValue background = kWhite;
    ColourValue frame = kClWindow;
    TFormStorage store = target().MakeStore();
    store.AddInteger(
        {"SpinInterval", "Value"}, [&] { return interval; },
        [&](std::int32_t value) { interval = value; });
    store.AddColour(
        {"PanelPreview", "Color"}, [&] { return background; },
        [&](ColourValue value) { background = value; });
    store.AddColour(
        {"ShapeFrame", "Color"}, [&] { return frame; }, [&](ColourValue value) { frame = value; });
    Save(store);
    EXPECT_EQ(Stored("SpinInterval_Value"), "-17");
    EXPECT_EQ(Stored("PanelPreview_Color"), "16777215");
    EXPECT_EQ(Stored("ShapeFrame_Color"), "-2147483643");

    interval = 1;
    background = 2;
    frame = 3;
    Restore(store);
    EXPECT_EQ(interval, -17);
    EXPECT_EQ(background, kWhite);
    EXPECT_EQ(frame, kClWindow);

    Put("SpinInterval_Value", "12abc");
    Put("PanelPreview_Color", "2147483648");  // past 32 bits
    Put("ShapeFrame_Color", "");
    Restore(store);
    EXPECT_EQ(interval, 0);
    EXPECT_EQ(background, 0);
    EXPECT_EQ(frame, 0);

    Put("SpinInterval_Value", " 45 ");
    Put("ShapeFrame_Color", "-2147483639");
    Restore(store);
    EXPECT_EQ(interval, 45);
    EXPECT_EQ(frame, kClCaptionText);
}

TEST_P(FormStorageTest, SetsAreBracketedNameListsAndUnknownNamesAreDropped) {
    std::uint32_t style = 0b0011;
    TFormStorage store = target().MakeStore();
    store.AddSet(
        {"LabelTitle", "FontStyle"}, kFontStyles, [&] { return style; },
        [&](std::uint32_t value) { style = value; });
    Save(store);
    EXPECT_EQ(Stored("LabelTitle_FontStyle"), "[fsBold,fsItalic]");
    style = 0;
    Save(store);
    EXPECT_EQ(Stored("LabelTitle_FontStyle"), "[]");

    Put("LabelTitle_FontStyle", "[fsUnderline, FSBOLD,fsWide]");
    Restore(store);
    EXPECT_EQ(style, 0b0101u);
    Put("LabelTitle_FontStyle", "[]");
    Restore(store);
    EXPECT_EQ(style, 0u);
}

TEST_P(FormStorageTest, PropertyTextIsTrimmedAndStoredValuesKeepTheirBlanks) {
    std::string caption = "  Mein Kalender\t ";
    std::string quote = "'Zitat'";
    TFormStorage store = target().MakeStore();
    store.AddString(
        {"EditCaption", "Text"}, [&] { return caption; },
        [&](const std::string& value) { caption = value; });
    store.AddString(
        {"EditQuote", "Text"}, [&] { return quote; },
        [&](const std::string& value) { quote = value; });
    store.AddValue("Pattern", " a ");
    store.AddValue("Quoted", "\"x\"");
    Save(store);
    EXPECT_EQ(Stored("EditCaption_Text"), "Mein Kalender");
    EXPECT_EQ(Stored("EditQuote_Text"), "'Zitat'");
    EXPECT_EQ(Stored("Pattern"), " a ");
    EXPECT_EQ(Stored("Quoted"), "\"x\"");

    caption.clear();
    quote.clear();
    TFormStorage later = target().MakeStore();
    later.AddString(
        {"EditCaption", "Text"}, [&] { return caption; },
        [&](const std::string& value) { caption = value; });
    later.AddString(
        {"EditQuote", "Text"}, [&] { return quote; },
        [&](const std::string& value) { quote = value; });
    later.AddValue("Pattern", "");
    later.AddValue("Quoted", "");
    Restore(later);
    EXPECT_EQ(caption, "Mein Kalender");
    EXPECT_EQ(quote, "'Zitat'");
    EXPECT_EQ(later.Value("Pattern"), " a ");
    EXPECT_EQ(later.Value("Quoted"), "\"x\"");

    Put("EditCaption_Text", "  Urlaub 2004  ");
    Restore(later);
    EXPECT_EQ(caption, "Urlaub 2004");
}

TEST_P(FormStorageTest, StoredValuesAreTextByNameInAnyCase) {
    TFormStorage store = target().MakeStore();
    store.AddValue("LVSort", "0");
    store.AddValue("LVColumn", IntToStoredText(3));
    ASSERT_TRUE(store.SetValue("lvsort", BoolToStoredText(true)).ok());
    const Status unknown = store.SetValue("LVWidth", "120");
    EXPECT_FALSE(unknown.ok());
    EXPECT_NE(unknown.message().find("LVWidth"), std::string::npos) << unknown.message();
    EXPECT_EQ(store.Value("LVSORT"), "-1");
    EXPECT_EQ(store.Value("LVWidth"), std::nullopt);
    Save(store);
    EXPECT_EQ(Stored("LVSort"), "-1");
    EXPECT_EQ(Stored("LVColumn"), "3");

    // A value that was never saved keeps the text it was registered with.
    TFormStorage later = target().MakeStore();
    later.AddValue("LVSort", BoolToStoredText(false));
    later.AddValue("LVColumn", "0");
    later.AddValue("LVWidth", "120");
    Restore(later);
    EXPECT_TRUE(StoredTextToBool(*later.Value("LVSort")));
    EXPECT_EQ(StoredTextToInt(*later.Value("LVColumn")), 3);
    EXPECT_EQ(later.Value("LVWidth"), "120");

    ASSERT_TRUE(later.SetValue("LVSort", BoolToStoredText(false)).ok());
    Save(later);
    EXPECT_EQ(Stored("LVSort"), "0");
}

TEST_P(FormStorageTest, AnOlderFormVersionRestoresNothing) {
    const WindowPlacement saved{0, 1, 96, {-1, -1}, {-8, -8}, {10, 20, 810, 620}, true};
    TestWindow window(saved);
    bool autostart = true;
    TFormStorage store = target().MakeStore();
    store.SetVersion(3);
    store.KeepPlacement(window);
    store.AddBool(
        {"CkbAutostart", "Checked"}, [&] { return autostart; },
        [&](bool value) { autostart = value; });
    store.AddValue("LVSort", "-1");
    Save(store);
    EXPECT_EQ(Stored("FormVersion"), "3");

    const WindowPlacement built_in{};
    for (std::int32_t version : {4, 3, 2, 0}) {
        SCOPED_TRACE(version);
        TestWindow fresh(built_in);
        bool box = false;
        TFormStorage later = target().MakeStore();
        later.SetVersion(version);
        later.KeepPlacement(fresh);
        later.AddBool(
            {"CkbAutostart", "Checked"}, [&] { return box; }, [&](bool value) { box = value; });
        later.AddValue("LVSort", "0");
        const bool newer = version > 3;
        EXPECT_EQ(Restore(later),
                  newer ? RestoreOutcome::StoredVersionTooOld : RestoreOutcome::Restored);
        EXPECT_EQ(fresh.placement(), newer ? built_in : saved);
        EXPECT_EQ(fresh.applied(), newer ? 0 : 1);
        EXPECT_EQ(box, !newer);
        EXPECT_EQ(later.Value("LVSort"), newer ? "0" : "-1");
    }
}

TEST_P(FormStorageTest, AMissingOrUnreadableFormVersionIsVersionZero) {
    Put("CkbAutostart_Checked", "True");
    for (const char* stored_version : {"", "2x"}) {
        SCOPED_TRACE(stored_version);
        if (*stored_version != '\0')
            Put("FormVersion", stored_version);
        for (std::int32_t version : {1, 0}) {
            bool box = false;
            TFormStorage store = target().MakeStore();
            store.SetVersion(version);
            store.AddBool(
                {"CkbAutostart", "Checked"}, [&] { return box; }, [&](bool value) { box = value; });
            EXPECT_EQ(Restore(store), version == 0 ? RestoreOutcome::Restored
                                                   : RestoreOutcome::StoredVersionTooOld);
            EXPECT_EQ(box, version == 0);
        }
    }
}

TEST_P(FormStorageTest, ObjectPropertiesAreFlattenedIntoOneEntryEach) {
    std::string font_name = "DejaVu Sans";
    std::int32_t font_size = 12;
    std::uint32_t font_style = 0b0001;
    ColourValue title_text = kClCaptionText;
    const auto make = [&](TFormStorage& store) {
        store.AddString(
            {"LabelFontMonthTemp", "Font", "Name"}, [&] { return font_name; },
            [&](const std::string& value) { font_name = value; });
        store.AddInteger(
            {"LabelFontMonthTemp", "Font", "Size"}, [&] { return font_size; },
            [&](std::int32_t value) { font_size = value; });
        store.AddSet(
            {"LabelFontMonthTemp", "Font", "Style"}, kFontStyles, [&] { return font_style; },
            [&](std::uint32_t value) { font_style = value; });
        store.AddColour(
            {"MonthCalendar", "CalColors", "TitleTextColor"}, [&] { return title_text; },
            [&](ColourValue value) { title_text = value; });
    };
    TFormStorage store = target().MakeStore();
    make(store);
    Save(store);
    EXPECT_EQ(Stored("LabelFontMonthTemp_FontName"), "DejaVu Sans");
    EXPECT_EQ(Stored("LabelFontMonthTemp_FontSize"), "12");
    EXPECT_EQ(Stored("LabelFontMonthTemp_FontStyle"), "[fsBold]");
    EXPECT_EQ(Stored("MonthCalendar_CalColorsTitleTextColor"), "-2147483639");

    font_name = "Serif";
    font_size = 8;
    font_style = 0;
    title_text = kWhite;
    Restore(store);
    EXPECT_EQ(font_name, "DejaVu Sans");
    EXPECT_EQ(font_size, 12);
    EXPECT_EQ(font_style, 0b0001u);
    EXPECT_EQ(title_text, kClCaptionText);
}

TEST_P(FormStorageTest, PlacementIsWrittenAsTheWindowPlacementRecord) {
    // A minimised application: the window adapter hands over show command 2.
    const WindowPlacement minimised{2, 2, 120, {-1, -1}, {-8, -8}, {100, 50, 740, 530}, true};
    TestWindow window(minimised);
    TFormStorage store = target().MakeStore();
    store.KeepPlacement(window);
    Save(store);
    EXPECT_EQ(Stored("Flags"), "2");
    EXPECT_EQ(Stored("ShowCmd"), "2");
    EXPECT_EQ(Stored("PixelsPerInch"), "120");
    EXPECT_EQ(Stored("MinMaxPos"), "-1,-1,-8,-8");
    EXPECT_EQ(Stored("NormPos"), "100,50,740,530");
    EXPECT_EQ(Stored("Visible"), "1");
    EXPECT_EQ(window.applied(), 0);

    TestWindow other(WindowPlacement{});
    TFormStorage later = target().MakeStore();
    later.KeepPlacement(other);
    Restore(later);
    EXPECT_EQ(other.placement(), minimised);
    EXPECT_EQ(other.applied(), 1);

    window.Move(WindowPlacement{0, 1, 96, {3, 4}, {5, 6}, {-10, -20, 30, 40}, false});
    Save(store);
    EXPECT_EQ(Stored("MinMaxPos"), "3,4,5,6");
    EXPECT_EQ(Stored("NormPos"), "-10,-20,30,40");
    EXPECT_EQ(Stored("Visible"), "0");
}

TEST_P(FormStorageTest, AMalformedPlacementEntryLeavesItsPartAlone) {
    const WindowPlacement current{0, 1, 96, {-1, -1}, {-1, -1}, {1, 2, 3, 4}, true};
    Put("MinMaxPos", "1,2,3");
    Put("NormPos", " 5, 6,\t7, 8");
    Put("ShowCmd", "max");
    Put("Visible", "0");
    TestWindow window(current);
    TFormStorage store = target().MakeStore();
    store.KeepPlacement(window);
    Restore(store);
    WindowPlacement expected = current;
    expected.normal = {5, 6, 7, 8};
    expected.visible = false;
    EXPECT_EQ(window.placement(), expected);

    for (const char* malformed :
         {"", "1,2,3,4,5", "1,,3,4", "1 ,2,3,4", "a,b,c,d", "1;2;3;4", "1,2,3,99999999999"}) {
        SCOPED_TRACE(malformed);
        Put("MinMaxPos", malformed);
        Put("NormPos", malformed);
        Put("Flags", malformed);
        Put("ShowCmd", malformed);
        Put("PixelsPerInch", malformed);
        Put("Visible", malformed);
        TestWindow untouched(current);
        TFormStorage again = target().MakeStore();
        again.KeepPlacement(untouched);
        Restore(again);
        EXPECT_EQ(untouched.placement(), current);
        EXPECT_EQ(untouched.applied(), 0);
    }
}

TEST_P(FormStorageTest, ASaveReplacesTheFileOnce) {
    static int renames = 0;
    renames = 0;
    SysIo counting = RealSysIo();
    counting.rename = [](const char* from, const char* to) {
        ++renames;
        return RealSysIo().rename(from, to);
    };
    TestWindow window(WindowPlacement{});
    TFormStorage store = target().MakeStore();
    store.KeepPlacement(window);
    for (int i = 0; i < 10; ++i)
        store.AddValue("Value" + std::to_string(i), std::to_string(i));
    {
        ScopedSysIo scoped(counting);
        Save(store);
    }
    EXPECT_EQ(renames, 1);
    EXPECT_EQ(Stored("Value9"), "9");
}

TEST_P(FormStorageTest, AFailedSaveKeepsTheEarlierFileAndNamesIt) {
    bool autostart = true;
    TFormStorage store = target().MakeStore();
    store.AddBool(
        {"CkbAutostart", "Checked"}, [&] { return autostart; },
        [&](bool value) { autostart = value; });
    store.AddValue("LVSort", "0");
    Save(store);
    const std::string before = target().dir().Read(target().FileName());
    ASSERT_FALSE(before.empty());

    autostart = false;
    ASSERT_TRUE(store.SetValue("LVSort", "-1").ok());
    const std::set<std::string> names = target().dir().Entries();
    const auto expect_failure = [&](const Status& status) {
        EXPECT_FALSE(status.ok());
        EXPECT_NE(status.message().find(target().File()), std::string::npos) << status.message();
        EXPECT_EQ(target().dir().Read(target().FileName()), before);
        EXPECT_EQ(target().dir().Entries(), names);  // no temporary file left
    };
    // Only where permissions bind: root writes into a read-only folder all the same.
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(target().dir().path().c_str(), 0555), 0) << errno;
        expect_failure(store.Save());
        ASSERT_EQ(::chmod(target().dir().path().c_str(), 0755), 0) << errno;
    }
    // Every call of the save in turn: each write, the file's fsync and close, the rename,
    // the folder's open, fsync and close. The run past the last call saves.
    const testing::FailurePositions positions = testing::FailEachCallInTurn(
        [&] { return store.Save(); },
        [&](const Status& status, const std::string& call) {
            SCOPED_TRACE(call);
            expect_failure(status);
            EXPECT_NE(status.message().find(SystemErrorText(ENOSPC)), std::string::npos);
        });
    EXPECT_EQ(positions.tried, 8);
    EXPECT_TRUE(positions.completed.ok()) << positions.completed.message();
    EXPECT_EQ(Stored("CkbAutostart_Checked"), "False");
}

INSTANTIATE_TEST_SUITE_P(Targets, FormStorageTest,
                         ::testing::Values(TargetKind::Profile, TargetKind::Registry),
                         [](const auto& info) { return testing::TargetKindName(info.param); });

}  // namespace
}  // namespace orvella
