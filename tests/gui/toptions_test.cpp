#include "gui/toptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "gui/color_button.h"
#include "gui/spin_edit.h"
#include "gui/wallpaper_wiring.h"
#include "main_window_fixture.h"
#include "platform/files.h"
#include "ui_toptions.h"

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

class OptionsTest : public TOrvelTest {
protected:
    TOptions& Open() {
        options_.reset();
        options_ = std::make_unique<TOptions>(*platform_, *window_, timers_, catalogue_, prompter_);
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
    EXPECT_EQ(engine.wall_props, 2);
    EXPECT_EQ(engine.cal_activated, 1);
    EXPECT_EQ(engine.change_sound, dir_.File("klang.wav"));

    std::optional<RegistryKey> run =
        RegistryKey::Open(*platform_->registry, RegistryRoot::CurrentUser,
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Run", false);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->ReadString("Orvella"), TOptions::AutostartCommand(ExecutablePath(), true));
    EXPECT_NE(dir_.Read("config/autostart/orvella.desktop").find(" -wall -min\n"),
              std::string::npos);

    // A fresh dialog reads everything back.
    Ui::TOptions& again = Open().ui();
    EXPECT_TRUE(again.CkbAutostart->isChecked());
    EXPECT_TRUE(again.CkbCalendar->isChecked());
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

TEST_F(OptionsTest, DescriptionsAndTheAutostartCommand) {
    QFont font(QStringLiteral("Arial"), 12);
    EXPECT_EQ(TOptions::FontDescription(font), QString("Arial, 12"));
    font.setBold(true);
    font.setItalic(true);
    EXPECT_EQ(TOptions::FontDescription(font), QString("Arial, 12, Bold, Italic"));
    EXPECT_EQ(TOptions::AutostartCommand("/opt/Orvella dir/orvella", false),
              "\"/opt/Orvella dir/orvella\" -min");
    EXPECT_EQ(TOptions::AutostartCommand("/o", true), "\"/o\" -wall -min");
}

}  // namespace
}  // namespace orvella
