#include "gui/toptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "gui/color_button.h"
#include "gui/picker_dialogs.h"
#include "gui/spin_edit.h"
#include "gui/wallpaper_wiring.h"
#include "main_window_fixture.h"
#include "platform/desktop/desktop_colour.h"
#include "platform/files/files.h"
#include "settings/options_commit.h"
#include "settings/screen_saver.h"
#include "ui_toptions.h"
#include "wallpaper/change_sound.h"

namespace orvella {
namespace {

using namespace orvella::testing;

class RecordingTimers : public OptionTimers {
public:
    std::vector<TimerOptions> applied;
    void Apply(const TimerOptions& options) override { applied.push_back(options); }
    bool TransTimerRunning() const override {
        return !applied.empty() && applied.back().trans_timer_enabled;
    }
};

// Answers each colour or font dialog with the next queued answer (none: cancelled).
class ScriptedPickers : public PickerDialogs {
public:
    std::deque<std::optional<QColor>> colours;
    std::deque<std::optional<QFont>> fonts;
    std::vector<QColor> colour_starts;
    std::vector<QFont> font_starts;
    std::optional<QColor> ChooseColour(const QColor& initial) override {
        colour_starts.push_back(initial);
        return Next(colours);
    }
    std::optional<QFont> ChooseFont(const QFont& initial) override {
        font_starts.push_back(initial);
        return Next(fonts);
    }

private:
    template <typename T>
    static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
        if (answers.empty())
            return std::nullopt;
        std::optional<T> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class RecordingSound : public ChangeSound {
public:
    std::vector<std::string> played;
    Status Play(const std::string& path) override {
        played.push_back(path);
        return FileExists(path) ? Status::Ok() : Status::Error("cannot open " + path);
    }
};

class OptionsTest : public TOrvelTest {
protected:
    TOptions& Open() {
        options_.reset();
        options_ = std::make_unique<TOptions>(TOptionsServices{
            .platform = *platform_,
            .main_window = *window_,
            .categories = window_->store(),
            .timers = timers_,
            .catalogue = catalogue_,
            .prompter = prompter_,
            .files = files_,
            .pickers = pickers_,
            .sound = sound_,
        });
        return *options_;
    }
    // Runs the dialog's opening and, once it shows, `while_open`.
    void WhileOpen(const std::function<void(Ui::TOptions&)>& while_open) {
        QTimer::singleShot(0, [&] {
            while_open(options_->ui());
            if (options_->isVisible())
                options_->BtnCancelClick();
        });
        options_->SBOptionsClick();
    }
    std::optional<std::string> Calendar(const std::string& name) {
        std::optional<RegistryKey> key =
            RegistryKey::Open(*platform_->registry, RegistryRoot::CurrentUser,
                              "Software\\Brenmark Software\\Orvella\\Calendar", false);
        return key ? key->ReadString(name) : std::nullopt;
    }
    ProfileDocument Settings() const { return ProfileDocument::Parse(dir_.Read("prog/ovl.dat")); }

    RecordingTimers timers_;
    ScriptedPickers pickers_;
    RecordingSound sound_;
    std::unique_ptr<TOptions> options_;
};

TEST_F(OptionsTest, AFirstRunHasTheBuiltInDefaultsAndStartsNoTimer) {
    Start();
    Ui::TOptions& ui = Open().ui();
    ASSERT_EQ(timers_.applied.size(), 1u);
    EXPECT_FALSE(timers_.applied[0].WallTimerRuns());
    EXPECT_EQ(timers_.applied[0].wall_timer_interval_ms, 60000);
    EXPECT_FALSE(timers_.applied[0].trans_timer_enabled);
    EXPECT_FALSE(ui.CkbAutostart->isChecked());
    EXPECT_FALSE(ui.CkbCalendar->isChecked());
    EXPECT_FALSE(ui.CkbPicturePerScreen->isChecked());
    EXPECT_EQ(ui.CbWallProps->currentIndex(), 0);
    EXPECT_EQ(ui.CbWallProps->currentText(), QString("Hintergrundbild zentrieren"));
    EXPECT_EQ(ui.SpinEdit->value(), 60);
    EXPECT_EQ(ui.SpinEdit->minimum(), 15);
    EXPECT_EQ(ui.SpinDiaIntervall->value(), 10);
    EXPECT_EQ(ui.SpinBS->value(), 30);
    EXPECT_EQ(ui.DiaBackColor->Color(), QColor(Qt::black));
    EXPECT_EQ(ui.ColorBg->Color(), QColor(Qt::white));
    EXPECT_EQ(ui.LabelFontMonth->text(), QString("Comic Sans MS,  10"));
    EXPECT_EQ(options_->size(), QSize(433, 431));
    EXPECT_EQ(options_->windowTitle(), QString("Einstellungen..."));
}

TEST_F(OptionsTest, StoredTimersStartWithTheDialogBeforeItEverOpens) {
    dir_.Write("prog/ovl.dat",
               "[Options]\r\nFormVersion=1\r\nTransTimer_Enabled=True\r\n"
               "WallTimer_Enabled=True\r\nWallTimer_Interval=20000\r\n");
    Start();
    Open();
    ASSERT_EQ(timers_.applied.size(), 1u);
    EXPECT_TRUE(timers_.applied[0].trans_timer_enabled);
    EXPECT_TRUE(timers_.applied[0].WallTimerRuns());
    EXPECT_EQ(timers_.applied[0].wall_timer_interval_ms, 20000);
    // An older form version is not read: the timers stay off.
    dir_.Write("prog/ovl.dat", "[Options]\r\nFormVersion=0\r\nTransTimer_Enabled=True\r\n");
    Open();
    EXPECT_FALSE(timers_.applied.back().trans_timer_enabled);
}

TEST_F(OptionsTest, OkKeepsEverySettingWhereAFreshDialogFindsItAndTheEngineUsesIt) {
    WriteThreeCategories(1);
    TOrvel& window = Start();
    Open();
    WhileOpen([&](Ui::TOptions& ui) {
        EXPECT_EQ(ui.CbOvlKat->count(), 3);
        EXPECT_EQ(ui.CbOvlKat->currentIndex(), 0);
        ui.CkbAutostart->setChecked(true);
        ui.CbkChangeWP->setChecked(true);
        ui.TransCheckB->setChecked(true);
        ui.CkbSortImages->setChecked(true);
        ui.CbWallProps->setCurrentIndex(2);
        ui.CkbCalendar->setChecked(true);
        // A desktop of one monitor: there is nothing to choose, though it is kept.
        EXPECT_FALSE(ui.CkbPicturePerScreen->isEnabled());
        ui.CkbPicturePerScreen->setChecked(true);
        ui.CkbAutoChange->setChecked(true);
        ui.SpinEdit->setValue(90);
        ui.SpinDiaIntervall->setValue(7);
        ui.DiaBackColor->SetAllColors(QColor(255, 128, 0));
        dir_.Write("klang.wav", "RIFF....WAVE");
        ui.WPSound->setText(QString::fromStdString(dir_.File("klang.wav")));
        EXPECT_TRUE(options_->BtnOKClick());
    });

    const ProfileDocument settings = Settings();
    EXPECT_EQ(settings.Value("Options", "FormVersion"), "1");
    EXPECT_EQ(settings.Value("Options", "WallTimer_Interval"), "90000");
    EXPECT_EQ(settings.Value("Options", "WallTimer_Enabled"), "True");
    EXPECT_EQ(settings.Value("Options", "TransTimer_Enabled"), "True");
    EXPECT_EQ(settings.Value("Options", "DiaBackColor_Color"), "33023");
    EXPECT_EQ(settings.Value("Options", "CbWallProps_ItemIndex"), "2");
    EXPECT_EQ(settings.Value("Options", "CkbPicturePerScreen_Checked"), "True");
    EXPECT_EQ(timers_.applied.back().wall_timer_interval_ms, 90000);
    EXPECT_TRUE(timers_.applied.back().trans_timer_enabled);
    EXPECT_EQ(Calendar("CenterImg_Checked"), "false");
    EXPECT_EQ(Calendar("WallpaperPath_Caption"), program_);
    EXPECT_EQ(Calendar("CkbCalendar_Checked"), "True");
    EXPECT_EQ(Calendar("MonthCalendar_CalColorsTitleBackColor"), "33023");
    EXPECT_EQ(Calendar("LabelFontMonthTemp_FontName"), "Comic Sans MS");

    // The main window's values take effect at once and stay after a return from the tray.
    EXPECT_TRUE(window.store().sorted());
    window.ApplicationEventsMinimize();
    window.WiederherstellenClick();
    const WallpaperSettings engine = window.WallpaperSettingsNow();
    EXPECT_EQ(engine.wall_props, WallProps::Stretch);
    EXPECT_TRUE(engine.calendar);
    EXPECT_EQ(engine.change_sound, dir_.File("klang.wav"));
    EXPECT_TRUE(engine.picture_per_screen);

    std::optional<RegistryKey> run =
        RegistryKey::Open(*platform_->registry, RegistryRoot::CurrentUser,
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Run", false);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->ReadString("Orvella"), AutostartCommand(ExecutablePath(), true));
    EXPECT_NE(dir_.Read("config/autostart/orvella.desktop").find(" -wall -min\n"),
              std::string::npos);

    // A fresh dialog reads everything back.
    Ui::TOptions& again = Open().ui();
    EXPECT_TRUE(again.CkbAutostart->isChecked());
    EXPECT_TRUE(again.CkbCalendar->isChecked());
    EXPECT_TRUE(again.CkbPicturePerScreen->isChecked());
    EXPECT_EQ(again.SpinEdit->value(), 90);
    EXPECT_EQ(again.SpinDiaIntervall->value(), 7);
    EXPECT_EQ(again.DiaBackColor->Color(), QColor(255, 128, 0));
    EXPECT_EQ(timers_.applied.back().wall_timer_interval_ms, 90000);

    // Unchecking autostart removes the entry; removing it again is no error.
    WhileOpen([&](Ui::TOptions& ui) {
        ui.CkbAutostart->setChecked(false);
        EXPECT_TRUE(options_->BtnOKClick());
    });
    EXPECT_FALSE(run->ValueExists("Orvella"));
    EXPECT_FALSE(FileExists(dir_.File("config/autostart/orvella.desktop")));
    WhileOpen([&](Ui::TOptions&) { EXPECT_TRUE(options_->BtnOKClick()); });
}

TEST_F(OptionsTest, CancelWritesNoOptionsButKeepsTheCalendarKey) {
    Start();
    Open();
    WhileOpen([&](Ui::TOptions&) { EXPECT_TRUE(options_->BtnOKClick()); });
    const std::string confirmed = dir_.Read("prog/ovl.dat");
    WhileOpen([&](Ui::TOptions& ui) {
        ui.CkbCalendar->setChecked(true);
        ui.SpinDiaIntervall->setValue(3);
        options_->BtnCancelClick();
    });
    EXPECT_EQ(dir_.Read("prog/ovl.dat"), confirmed);
    EXPECT_EQ(Calendar("CkbCalendar_Checked"), "True");
    // The next opening restores "[Options]": the slideshow interval is back.
    WhileOpen([&](Ui::TOptions& ui) { EXPECT_EQ(ui.SpinDiaIntervall->value(), 10); });
}

TEST_F(OptionsTest, AnEmptySpinEditStopsOkWithTheIntegerError) {
    Start();
    Open();
    prompter_.QueueOk();
    WhileOpen([&](Ui::TOptions& ui) {
        ui.SpinEdit->clear();
        EXPECT_FALSE(options_->BtnOKClick());
        EXPECT_TRUE(options_->isVisible());
    });
    ASSERT_FALSE(prompter_.shown().empty());
    EXPECT_EQ(prompter_.shown().back().text, "'' ist kein gültiger Integerwert");
}

TEST_F(OptionsTest, PickedColoursAndFontReachTheCalendarKeyAndTheDesktopOnlyAtOk) {
    Start();
    Open();
    const auto background = [&] {
        return RegistryKey::Open(*platform_->registry, RegistryRoot::CurrentUser,
                                 "Control Panel\\Colors", false)
            ->ReadString("Background");
    };
    const std::optional<std::string> system_colour = background();
    WhileOpen([&](Ui::TOptions& ui) {
        // The font and colour buttons follow the calendar box.
        EXPECT_FALSE(ui.BtnFontMonth->isEnabled());
        ui.CkbCalendar->setChecked(true);
        EXPECT_TRUE(ui.BtnFontMonth->isEnabled());
        EXPECT_TRUE(ui.ColorBg->isEnabled());

        pickers_.colours = {QColor(10, 20, 30), std::nullopt, QColor(1, 2, 3), QColor(4, 5, 6)};
        ui.ColorBg->click();
        EXPECT_EQ(pickers_.colour_starts.back(), QColor(Qt::white));
        EXPECT_EQ(ui.ColorBg->Color(), QColor(10, 20, 30));
        EXPECT_EQ(ui.ColorBg->ColorDown(), QColor(10, 20, 30));
        EXPECT_EQ(ui.ColorBg->ColorFocused(), QColor(10, 20, 30));
        ui.ColorWeekdays->click();  // cancelled: nothing changes
        EXPECT_EQ(ui.ColorWeekdays->Color(), QColor(255, 128, 0));
        ui.ColorThisMonth->click();
        ui.ColorBS->click();
        EXPECT_EQ(ui.ColorBS->Color(), QColor(4, 5, 6));

        QFont arial(QStringLiteral("Arial"), 12);
        arial.setBold(true);
        pickers_.fonts = {arial};
        ui.BtnFontMonth->click();
        EXPECT_EQ(pickers_.font_starts.back().family(), QString("Comic Sans MS"));
        EXPECT_EQ(ui.LabelFontMonth->text(), QString("Arial, 12, Bold"));

        // The desktop colour starts as the system's and is applied by OK only.
        pickers_.colours = {QColor(255, 128, 0)};
        ui.BtnDeskColor->click();
        EXPECT_EQ(background(), system_colour);
        EXPECT_TRUE(options_->BtnOKClick());
    });
    EXPECT_EQ(pickers_.colour_starts.size(), 5u);
    EXPECT_EQ(pickers_.colour_starts.back(), QColor(58, 110, 165));
    EXPECT_EQ(background(), "255 128 0");
    // ColorBg drives the month's background, ColorThisMonth its text; ColorBS nothing more.
    EXPECT_EQ(Calendar("MonthCalendar_CalColorsMonthBackColor"),
              std::to_string(MakeColorRef(10, 20, 30)));
    EXPECT_EQ(Calendar("MonthCalendar_CalColorsTextColor"), std::to_string(MakeColorRef(1, 2, 3)));
    EXPECT_EQ(Calendar("MonthCalendar_CalColorsBackColor"), "16777215");
    EXPECT_EQ(Calendar("LabelFontMonthTemp_FontName"), "Arial");
    EXPECT_EQ(Calendar("LabelFontMonthTemp_FontStyle"), "[fsBold]");
    EXPECT_EQ(Settings().Value("Options", "LabelFontMonth_Caption"), "Arial, 12, Bold");
    EXPECT_EQ(Settings().Value("Options", "ColorBS_Color"), std::to_string(MakeColorRef(4, 5, 6)));

    // Picking the colour the swatch has, or picking and cancelling, applies nothing.
    ASSERT_TRUE(platform_->desktop_colours->SetBackground(MakeColorRef(7, 7, 7)));
    WhileOpen([&](Ui::TOptions& ui) {
        pickers_.colours = {QColor(7, 7, 7)};
        ui.BtnDeskColor->click();
        EXPECT_FALSE(options_->DeskColorPicked());
        EXPECT_TRUE(options_->BtnOKClick());
    });
    EXPECT_EQ(background(), "7 7 7");
    WhileOpen([&](Ui::TOptions& ui) {
        pickers_.colours = {QColor(0, 0, 255)};
        ui.BtnDeskColor->click();
        options_->BtnCancelClick();
    });
    EXPECT_EQ(background(), "7 7 7");
    // Nor does the next OK: the swatch starts again from the system's colour.
    WhileOpen([&](Ui::TOptions& ui) {
        EXPECT_EQ(pickers_.colour_starts.size(), 7u);
        EXPECT_EQ(ui.PanelDeskColor->palette().color(QPalette::Window), QColor(7, 7, 7));
        EXPECT_TRUE(options_->BtnOKClick());
    });
    EXPECT_EQ(background(), "7 7 7");
}

TEST_F(OptionsTest, TheSoundIsChosenInItsFolderAndPlayedFromTheField) {
    Start();
    Open();
    ASSERT_TRUE(EnsureDirectory(dir_.File("sounds")));
    dir_.Write("sounds/gong.wav", "RIFF....WAVE");
    WhileOpen([&](Ui::TOptions& ui) {
        ui.WPSound->setText(QString::fromStdString(dir_.File("sounds/alt.wav")));
        files_.answers = {{dir_.File("sounds/gong.wav")}};
        ui.OpenSoundBtn->click();
        ASSERT_EQ(files_.requests.size(), 1u);
        EXPECT_EQ(files_.requests[0].title, "Klangdateien suchen...");
        EXPECT_EQ(files_.requests[0].filter, "Wave-Dateien (*.wav)|*.wav");
        EXPECT_EQ(files_.requests[0].folder, dir_.File("sounds/"));
        EXPECT_EQ(ui.WPSound->text().toStdString(), dir_.File("sounds/gong.wav"));
        EXPECT_EQ(window_->change_sound(), dir_.File("sounds/gong.wav"));

        ui.OpenSoundBtn->click();  // cancelled: the field stays
        EXPECT_EQ(ui.WPSound->text().toStdString(), dir_.File("sounds/gong.wav"));

        ui.TestWPSound->click();
        EXPECT_EQ(sound_.played, std::vector<std::string>{dir_.File("sounds/gong.wav")});
        // A file that cannot be played is told, with the sound system's text.
        prompter_.QueueOk();
        ui.WPSound->setText(QString::fromStdString(dir_.File("nichts.wav")));
        ui.TestWPSound->click();
        ASSERT_FALSE(prompter_.shown().empty());
        EXPECT_EQ(prompter_.shown().back().text, "cannot open " + dir_.File("nichts.wav"));
        EXPECT_EQ(window_->change_sound(), dir_.File("nichts.wav"));
        options_->BtnCancelClick();
    });
}

TEST_F(OptionsTest, OkInstallsTheScreenSaverOnceAndGivesTheOldOneBackAfterARestart) {
    ASSERT_TRUE(EnsureDirectory(dir_.File("windows")));
    dir_.Write("windows/Orvella.scr", "x");
    dir_.Write("windows/ssstars.scr", "x");
    for (const char* name : {"wald.jpg", "see.jpg", "rom.jpg", "paris.gif"})
        dir_.Write(name, "x");
    ScreenSaverSetting setting(*platform_->registry, *platform_->desktop, platform_->version,
                               dir_.File("windows"));
    setting.SetScreenSaverPath(dir_.File("windows/ssstars.scr"));
    const auto ini = [&] { return ProfileDocument::Parse(dir_.Read("windows/Ovlscr.ini")); };

    // No category chosen: the box stays checked, nothing installs.
    Start();
    Open();
    prompter_.QueueOk();
    WhileOpen([&](Ui::TOptions& ui) {
        ui.CkbScreenSaver->setChecked(true);
        ui.CbOvlKat->setCurrentIndex(-1);
        EXPECT_TRUE(options_->BtnOKClick());
    });
    ASSERT_FALSE(prompter_.shown().empty());
    EXPECT_EQ(prompter_.shown().back().caption, "Bildschirmschoner nicht aktiviert");
    EXPECT_EQ(Settings().Value("Options", "CkbScreenSaver_Checked"), "True");
    EXPECT_EQ(Settings().Value("Options", "CkbScreenSaver_Tag"), "0");
    EXPECT_FALSE(FileExists(dir_.File("windows/Ovlscr.ini")));
    window_->close();

    // The summary's pictures, those that exist and are no GIF.
    WriteThreeCategories(1);
    Start();
    Open();
    WhileOpen([&](Ui::TOptions& ui) {
        EXPECT_TRUE(ui.CkbScreenSaver->isChecked());
        ui.SpinBS->setValue(12);
        EXPECT_TRUE(options_->BtnOKClick());
    });
    EXPECT_EQ(setting.GetScreenSaverPath(), dir_.File("windows/Orvella.scr"));
    EXPECT_EQ(ini().Value("ScreenSaver", "Time"), "12000");
    EXPECT_EQ(ini().Value("ScreenSaver", "Color"), "clBlack");
    EXPECT_THAT(ini().KeyNames("WImages"),
                ::testing::UnorderedElementsAre(dir_.File("wald.jpg"), dir_.File("see.jpg"),
                                                dir_.File("rom.jpg")));
    EXPECT_EQ(Settings().Value("Options", "CkbScreenSaver_Tag"), "1");
    EXPECT_EQ(Settings().Value("Wallpaper", "OldScrSaver"), dir_.File("windows/ssstars.scr"));

    // While installed, OK leaves its settings file alone.
    WhileOpen([&](Ui::TOptions& ui) {
        ui.SpinBS->setValue(99);
        EXPECT_TRUE(options_->BtnOKClick());
    });
    EXPECT_EQ(ini().Value("ScreenSaver", "Time"), "12000");
    window_->close();

    // After a restart, switching it off gives back the screen saver of before.
    Start();
    Open();
    WhileOpen([&](Ui::TOptions& ui) {
        EXPECT_TRUE(options_->ScreenSaverInstalled());
        ui.CkbScreenSaver->setChecked(false);
        EXPECT_TRUE(options_->BtnOKClick());
    });
    EXPECT_EQ(setting.GetScreenSaverPath(), dir_.File("windows/ssstars.scr"));
    EXPECT_EQ(Settings().Value("Options", "CkbScreenSaver_Tag"), "0");
}

TEST_F(OptionsTest, DescriptionsAndTheAutostartCommand) {
    QFont font(QStringLiteral("Arial"), 12);
    EXPECT_EQ(TOptions::FontDescription(font), QString("Arial, 12"));
    font.setBold(true);
    font.setItalic(true);
    EXPECT_EQ(TOptions::FontDescription(font), QString("Arial, 12, Bold, Italic"));
    EXPECT_EQ(AutostartCommand("/opt/Orvella dir/orvella", false),
              "\"/opt/Orvella dir/orvella\" -min");
    EXPECT_EQ(AutostartCommand("/o", true), "\"/o\" -wall -min");
}

}  // namespace
}  // namespace orvella
