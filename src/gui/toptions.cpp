#include "gui/toptions.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QMouseEvent>
#include <QTextCharFormat>
#include <QToolButton>

#include "gui/color_button.h"
#include "gui/framed_button_style.h"
#include "gui/picker_dialogs.h"
#include "gui/spin_edit.h"
#include "gui/torvel.h"
#include "gui/wallpaper_wiring.h"
#include "platform/files.h"
#include "platform/host_platform.h"
#include "platform/registry.h"
#include "settings/screen_saver.h"
#include "settings/xdg_autostart.h"
#include "shell/file_chooser.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"
#include "ui_toptions.h"
#include "wallpaper/change_sound.h"

namespace orvella {
namespace {

constexpr const char* kSettingsKey = "Software\\Brenmark Software\\Orvella";
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr int kOptionsVersion = 1;
constexpr int kCalendarVersion = 0;

// The stores keep colours as Windows does, 0x00BBGGRR.
ColourValue ToColourValue(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

QColor FromColourValue(ColourValue value) {
    if (value < 0)
        return Qt::black;  // a system colour: the dialog only ever keeps plain ones
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The six colour names of the calendar's colour set, in its order.
constexpr const char* kCalendarColours[6] = {"BackColor",      "TextColor",
                                             "TitleBackColor", "TitleTextColor",
                                             "MonthBackColor", "TrailingTextColor"};

}  // namespace

TOptions::TOptions(TOptionsServices services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      ui_(std::make_unique<Ui::TOptions>()),
      platform_(services.platform),
      main_window_(services.main_window),
      timers_(services.timers),
      catalogue_(services.catalogue),
      prompter_(services.prompter),
      files_(services.files),
      pickers_(services.pickers),
      sound_(services.sound),
      placement_(*this, {}) {
    ui_->setupUi(this);
    setFixedSize(433, 431);
    // Five page names in a dialog this narrow: tighter tabs, so all show without arrows.
    ui_->PageControl->setUsesScrollButtons(false);
    ui_->PageControl->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 4px 6px; }"));
    // The preview has eight columns in little room: a smaller face keeps the day names whole.
    QFont calendar_font = ui_->MonthCalendar->font();
    calendar_font.setPointSizeF(calendar_font.pointSizeF() * 0.85);
    ui_->MonthCalendar->setFont(calendar_font);
    ui_->RowColours->setStretch(1, 1);
    for (TColorButton* button : {ui_->ColorBg, ui_->ColorWeekdays, ui_->ColorMonthYear,
                                 ui_->ColorThisMonth, ui_->ColorOtherMonth})
        button->setFixedWidth(34);
    ui_->BtnOK->setStyleSheet(FramedButtonStyle());
    ui_->BtnCancel->setStyleSheet(FramedButtonStyle());
    ui_->LabelFontMonthTemp->setFont(QFont(QStringLiteral("Comic Sans MS"), 10));
    ui_->ColorBg->SetAllColors(Qt::white);
    ui_->ColorWeekdays->SetAllColors(QColor(255, 128, 0));
    ui_->ColorMonthYear->SetAllColors(QColor(0, 0, 128));
    ui_->ColorThisMonth->SetAllColors(Qt::black);
    ui_->ColorOtherMonth->SetAllColors(QColor(192, 192, 192));

    // Each check box's label toggles it.
    const std::pair<QLabel*, QCheckBox*> labelled[] = {
        {ui_->LabelAutostart, ui_->CkbAutostart},    {ui_->LabelChangeWP, ui_->CbkChangeWP},
        {ui_->LabelTransCheck, ui_->TransCheckB},    {ui_->LabelSortImages, ui_->CkbSortImages},
        {ui_->LabelCalendar, ui_->CkbCalendar},      {ui_->LabelAutoChange, ui_->CkbAutoChange},
        {ui_->LabelScreenSaver, ui_->CkbScreenSaver}};
    for (const auto& [label, box] : labelled) {
        label_boxes_[label] = box;
        label->installEventFilter(this);
    }
    for (TSpinEdit* spin : {ui_->SpinEdit, ui_->SpinDiaIntervall, ui_->SpinBS}) {
        spin->SetInvalidReporter([this](const std::string& text) {
            ShowError(FillPlaceholder(catalogue_.Text(kSMsgInvalidInteger), text));
        });
    }
    connect(ui_->CkbCalendar, &QCheckBox::toggled, this, &TOptions::CkbCalendarClick);
    connect(ui_->BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
    connect(ui_->BtnCancel, &QPushButton::clicked, this, &TOptions::BtnCancelClick);
    connect(ui_->BtnDeskColor, &QPushButton::clicked, this, &TOptions::BtnDeskColorClick);
    connect(ui_->BtnFontMonth, &QPushButton::clicked, this, &TOptions::BtnFontMonthClick);
    connect(ui_->OpenSoundBtn, &QToolButton::clicked, this, &TOptions::OpenSoundBtnClick);
    connect(ui_->TestWPSound, &QToolButton::clicked, this, &TOptions::TestWPSoundClick);
    for (TColorButton* button :
         {ui_->ColorBg, ui_->ColorWeekdays, ui_->ColorMonthYear, ui_->ColorThisMonth,
          ui_->ColorOtherMonth, ui_->DiaBackColor, ui_->ColorBS})
        connect(button, &QPushButton::clicked, this, [this, button] { ColorButtonClick(*button); });
    const std::optional<std::string> file = main_window_.WallStorage().ProfilePath();
    wall_storage2_ = std::make_unique<TFormStorage>(
        ProfileTarget(file.value_or(platform_.paths.program_dir + "ovl.dat"), "Options"));
    wall_storage2_->SetVersion(kOptionsVersion);
    cal_storage_ = std::make_unique<TFormStorage>(
        RegistryTarget(*platform_.registry, RegistryRoot::CurrentUser, kSettingsKey, "Calendar"));
    cal_storage_->SetVersion(kCalendarVersion);
    RegisterOptions();
    RegisterCalendar();

    Result<RestoreOutcome> restored = wall_storage2_->Restore();
    if (!restored)
        ShowError(restored.message());
    timers_.Apply(TimerOptions{wall_timer_enabled_, wall_timer_interval_, trans_timer_enabled_});
}

TOptions::~TOptions() = default;

void TOptions::RegisterOptions() {
    TFormStorage& s = *wall_storage2_;
    s.KeepPlacement(placement_);
    s.AddBool(
        {"TransTimer", "Enabled"}, [this] { return trans_timer_enabled_; },
        [this](bool on) { trans_timer_enabled_ = on; });
    s.AddBool(
        {"WallTimer", "Enabled"}, [this] { return wall_timer_enabled_; },
        [this](bool on) { wall_timer_enabled_ = on; });
    s.AddInteger(
        {"WallTimer", "Interval"}, [this] { return wall_timer_interval_; },
        [this](std::int32_t ms) { wall_timer_interval_ = ms; });
    const auto check = [&s](QCheckBox* box, const char* name) {
        s.AddBool(
            {name, "Checked"}, [box] { return box->isChecked(); },
            [box](bool on) { box->setChecked(on); });
    };
    check(ui_->CkbAutostart, "CkbAutostart");
    check(ui_->CbkChangeWP, "CbkChangeWP");
    check(ui_->TransCheckB, "TransCheckB");
    check(ui_->CkbSortImages, "CkbSortImages");
    s.AddInteger(
        {"CbWallProps", "ItemIndex"}, [this] { return ui_->CbWallProps->currentIndex(); },
        [this](std::int32_t i) { ui_->CbWallProps->setCurrentIndex(i); });
    s.AddString(
        {"WPSound", "Text"}, [this] { return ui_->WPSound->text().toStdString(); },
        [this](const std::string& t) { ui_->WPSound->setText(QString::fromStdString(t)); });
    check(ui_->CkbCalendar, "CkbCalendar");
    s.AddString(
        {"LabelFontMonth", "Caption"}, [this] { return ui_->LabelFontMonth->text().toStdString(); },
        [this](const std::string& t) { ui_->LabelFontMonth->setText(QString::fromStdString(t)); });
    for (auto* button : {ui_->ColorBg, ui_->ColorWeekdays, ui_->ColorMonthYear, ui_->ColorThisMonth,
                         ui_->ColorOtherMonth, ui_->DiaBackColor, ui_->ColorBS}) {
        const std::string name = button->objectName().toStdString();
        s.AddColour(
            {name, "Color"}, [button] { return ToColourValue(button->Color()); },
            [button](ColourValue v) { button->SetColor(FromColourValue(v)); });
        s.AddColour(
            {name, "ColorDown"}, [button] { return ToColourValue(button->ColorDown()); },
            [button](ColourValue v) { button->SetColorDown(FromColourValue(v)); });
        s.AddColour(
            {name, "ColorFocused"}, [button] { return ToColourValue(button->ColorFocused()); },
            [button](ColourValue v) { button->SetColorFocused(FromColourValue(v)); });
    }
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui_->ColorBg, ui_->ColorMonthYear, ui_->ColorOtherMonth, ui_->ColorThisMonth,
             ui_->ColorWeekdays, ui_->MonthCalendar}) {
        s.AddBool(
            {control->objectName().toStdString(), "Enabled"},
            [control] { return control->isEnabled(); },
            [control](bool on) { control->setEnabled(on); });
    }
    check(ui_->CkbAutoChange, "CkbAutoChange");
    const auto spin = [&s](TSpinEdit* edit, const char* name) {
        s.AddInteger(
            {name, "Value"}, [edit] { return edit->value(); },
            [edit](std::int32_t v) { edit->setValue(v); });
    };
    spin(ui_->SpinEdit, "SpinEdit");
    spin(ui_->SpinDiaIntervall, "SpinDiaIntervall");
    check(ui_->CkbScreenSaver, "CkbScreenSaver");
    s.AddInteger(
        {"CkbScreenSaver", "Tag"}, [this] { return ui_->CkbScreenSaver->property("Tag").toInt(); },
        [this](std::int32_t t) { ui_->CkbScreenSaver->setProperty("Tag", t); });
    spin(ui_->SpinBS, "SpinBS");
}

void TOptions::RegisterCalendar() {
    TFormStorage& s = *cal_storage_;
    for (int i = 0; i < 6; ++i) {
        s.AddColour(
            {"MonthCalendar", "CalColors", kCalendarColours[i]},
            [this, i] { return cal_colors_[i]; },
            [this, i](ColourValue v) {
                cal_colors_[i] = v;
                ApplyCalendarColours();
            });
    }
    QLabel* font_label = ui_->LabelFontMonthTemp;
    s.AddInteger(
        {"LabelFontMonthTemp", "Font", "Charset"}, [] { return 0; }, [](std::int32_t) {});
    s.AddColour(
        {"LabelFontMonthTemp", "Font", "Color"},
        [font_label] { return ToColourValue(font_label->palette().color(QPalette::WindowText)); },
        [font_label](ColourValue v) {
            QPalette palette = font_label->palette();
            palette.setColor(QPalette::WindowText, FromColourValue(v));
            font_label->setPalette(palette);
        });
    s.AddInteger(
        {"LabelFontMonthTemp", "Font", "Height"},
        [font_label] { return -(font_label->font().pointSize() * 96 + 36) / 72; },
        [](std::int32_t) {});  // the size below says the same
    s.AddString(
        {"LabelFontMonthTemp", "Font", "Name"},
        [font_label] { return font_label->font().family().toStdString(); },
        [font_label](const std::string& name) {
            QFont font = font_label->font();
            font.setFamily(QString::fromStdString(name));
            font_label->setFont(font);
        });
    s.AddEnum(
        {"LabelFontMonthTemp", "Font", "Pitch"}, {"fpDefault", "fpVariable", "fpFixed"},
        [font_label] { return font_label->font().fixedPitch() ? 2 : 0; },
        [font_label](int pitch) {
            QFont font = font_label->font();
            font.setFixedPitch(pitch == 2);
            font_label->setFont(font);
        });
    s.AddInteger(
        {"LabelFontMonthTemp", "Font", "Size"},
        [font_label] { return font_label->font().pointSize(); },
        [font_label](std::int32_t size) {
            QFont font = font_label->font();
            if (size > 0)
                font.setPointSize(size);
            font_label->setFont(font);
        });
    s.AddSet(
        {"LabelFontMonthTemp", "Font", "Style"},
        {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"},
        [font_label] {
            const QFont font = font_label->font();
            return std::uint32_t{font.bold()} | std::uint32_t{font.italic()} << 1 |
                   std::uint32_t{font.underline()} << 2 | std::uint32_t{font.strikeOut()} << 3;
        },
        [font_label](std::uint32_t style) {
            QFont font = font_label->font();
            font.setBold(style & 1);
            font.setItalic(style & 2);
            font.setUnderline(style & 4);
            font.setStrikeOut(style & 8);
            font_label->setFont(font);
        });
    s.AddBool(
        {"CkbCalendar", "Checked"}, [this] { return ui_->CkbCalendar->isChecked(); },
        [this](bool on) { ui_->CkbCalendar->setChecked(on); });
    s.AddInteger(
        {"CbWallProps", "ItemIndex"}, [this] { return ui_->CbWallProps->currentIndex(); },
        [this](std::int32_t i) { ui_->CbWallProps->setCurrentIndex(i); });
}

QString TOptions::FontDescription(const QFont& font) {
    QString text = font.family() + QStringLiteral(", ") + QString::number(font.pointSize());
    if (font.bold())
        text += QStringLiteral(", Bold");
    if (font.italic())
        text += QStringLiteral(", Italic");
    return text;
}

std::string TOptions::AutostartCommand(const std::string& program, bool change_wallpaper) {
    return "\"" + program + "\"" + (change_wallpaper ? " -wall -min" : " -min");
}

int TOptions::SBOptionsClick() {
    ui_->TransCheckB->setChecked(timers_.TransTimerRunning());
    ui_->CbOvlKat->clear();
    const TCategoryStore& store = main_window_.store();
    for (int i = 0; i < store.count(); ++i)
        ui_->CbOvlKat->addItem(QString::fromStdString(store.category(i).name));
    if (ui_->CbOvlKat->count() > 0)
        ui_->CbOvlKat->setCurrentIndex(0);
    Result<RestoreOutcome> restored = wall_storage2_->Restore();
    if (!restored)
        ShowError(restored.message());
    // The swatch shows the system's colour as it is now; a colour picked and then cancelled
    // is not applied by a later OK.
    SetDeskColorSwatch(FromColourValue(
        static_cast<ColourValue>(platform_.desktop_colours->Background() & 0x00FFFFFF)));
    ui_->PanelDeskColor->setProperty("Tag", 0);
    return exec();
}

void TOptions::showEvent(QShowEvent* event) {
    Result<RestoreOutcome> restored = cal_storage_->Restore();
    if (!restored)
        ShowError(restored.message());
    QDialog::showEvent(event);
    FormShow();
}

void TOptions::FormShow() {
    if (platform_.version.IsWinXP()) {
        ui_->TransCheckB->setEnabled(false);
        ui_->LabelTransCheck->setEnabled(false);
    }
    CkbCalendarClick();
    ui_->MonthCalendar->setSelectedDate(QDate::currentDate());
}

void TOptions::CkbCalendarClick() {
    const bool on = ui_->CkbCalendar->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui_->BtnFontMonth, ui_->ColorBg, ui_->ColorWeekdays, ui_->ColorMonthYear,
             ui_->ColorThisMonth, ui_->ColorOtherMonth, ui_->MonthCalendar})
        control->setEnabled(on);
}

void TOptions::ColorButtonClick(TColorButton& button) {
    const std::optional<QColor> chosen = pickers_.ChooseColour(button.Color());
    if (!chosen)
        return;
    button.SetAllColors(*chosen);
    // The calendar's buttons drive the preview's colour set, which the calendar key keeps.
    const std::pair<TColorButton*, int> calendar_colours[] = {
        {ui_->ColorBg, 4},        {ui_->ColorWeekdays, 2},   {ui_->ColorMonthYear, 3},
        {ui_->ColorThisMonth, 1}, {ui_->ColorOtherMonth, 5},
    };
    for (const auto& [calendar_button, index] : calendar_colours) {
        if (calendar_button == &button) {
            cal_colors_[index] = ToColourValue(*chosen);
            ApplyCalendarColours();
        }
    }
}

void TOptions::SetDeskColorSwatch(const QColor& colour) {
    desk_colour_ = colour;
    QPalette palette = ui_->PanelDeskColor->palette();
    palette.setColor(QPalette::Window, colour);
    ui_->PanelDeskColor->setPalette(palette);
}

void TOptions::BtnDeskColorClick() {
    const std::optional<QColor> chosen = pickers_.ChooseColour(desk_colour_);
    if (!chosen)
        return;
    const bool changed = chosen->rgb() != desk_colour_.rgb();
    SetDeskColorSwatch(*chosen);
    if (changed)
        ui_->PanelDeskColor->setProperty("Tag", 1);
}

void TOptions::BtnFontMonthClick() {
    const std::optional<QFont> chosen = pickers_.ChooseFont(ui_->LabelFontMonthTemp->font());
    if (!chosen)
        return;
    ui_->LabelFontMonthTemp->setFont(*chosen);
    ui_->LabelFontMonth->setText(FontDescription(*chosen));
}

void TOptions::OpenSoundBtnClick() {
    OpenFileRequest request;
    request.title = QCoreApplication::translate("TOptions", "Klangdateien suchen...").toStdString();
    request.filter =
        QCoreApplication::translate("TOptions", "Wave-Dateien (*.wav)|*.wav").toStdString();
    request.folder = ParentFolder(ui_->WPSound->text().toStdString());
    const std::vector<std::string> chosen = files_.OpenFiles(request);
    if (chosen.empty())
        return;
    main_window_.SetChangeSound(chosen.front());
    ui_->WPSound->setText(QString::fromStdString(chosen.front()));
}

void TOptions::TestWPSoundClick() {
    const std::string file = ui_->WPSound->text().toStdString();
    main_window_.SetChangeSound(file);
    const Status played = sound_.Play(file);
    if (!played)
        ShowError(played.message());
}

void TOptions::ApplyCalendarColours() {
    // The preview shows the colour set: days, title, the neighbouring months' days.
    QPalette palette = ui_->MonthCalendar->palette();
    palette.setColor(QPalette::Base, FromColourValue(cal_colors_[4]));
    palette.setColor(QPalette::Text, FromColourValue(cal_colors_[1]));
    palette.setColor(QPalette::Highlight, FromColourValue(cal_colors_[2]));
    palette.setColor(QPalette::HighlightedText, FromColourValue(cal_colors_[3]));
    ui_->MonthCalendar->setPalette(palette);
    QTextCharFormat header;
    header.setBackground(FromColourValue(cal_colors_[2]));
    header.setForeground(FromColourValue(cal_colors_[3]));
    ui_->MonthCalendar->setHeaderTextFormat(header);
}

void TOptions::WriteAutostart() {
    Registry& registry = *platform_.registry;
    const std::string program = ExecutablePath();
    const bool change = ui_->CbkChangeWP->isChecked();
    // The Run key as Windows keeps it, and the entry the Linux desktop really starts.
    Status desktop;
    if (ui_->CkbAutostart->isChecked()) {
        if (std::optional<RegistryKey> run =
                RegistryKey::Open(registry, RegistryRoot::CurrentUser, kRunKey, true))
            run->WriteString("Orvella", AutostartCommand(program, change));
        desktop = WriteAutostartEntry(
            platform_.paths.autostart_file, program,
            change ? std::vector<std::string>{"-wall", "-min"} : std::vector<std::string>{"-min"});
    } else {
        if (std::optional<RegistryKey> run =
                RegistryKey::Open(registry, RegistryRoot::CurrentUser, kRunKey, false))
            run->DeleteValue("Orvella");
        desktop = RemoveAutostartEntry(platform_.paths.autostart_file);
    }
    if (!desktop)
        ShowError(desktop.message());
}

bool TOptions::BtnOKClick() {
    WriteAutostart();
    if (std::optional<RegistryKey> calendar =
            RegistryKey::Open(*platform_.registry, RegistryRoot::CurrentUser,
                              std::string(kSettingsKey) + "\\Calendar", true)) {
        calendar->WriteString("WallpaperPath_Caption", platform_.paths.program_dir);
        calendar->WriteString("CenterImg_Checked",
                              ui_->CbWallProps->currentIndex() == 0 ? "true" : "false");
    }
    trans_timer_enabled_ = ui_->TransCheckB->isChecked();

    TFormStorage& main_values = main_window_.WallStorage();
    const bool sorted = ui_->CkbSortImages->isChecked();
    main_values.SetValue("LVSort", sorted ? "-1" : "0");
    main_window_.ApplyPictureSort(sorted);
    main_values.SetValue("CalActivated", ui_->CkbCalendar->isChecked() ? "1" : "0");
    main_values.SetValue("WallProps", std::to_string(ui_->CbWallProps->currentIndex()));

    if (ui_->PanelDeskColor->property("Tag").toInt() == 1) {
        const Status coloured = platform_.desktop_colours->SetBackground(
            static_cast<ColorRef>(ToColourValue(desk_colour_)));
        if (!coloured)
            ShowError(coloured.message());
        ui_->PanelDeskColor->setProperty("Tag", 0);
    }

    const std::string sound = ui_->WPSound->text().toStdString();
    main_window_.SetChangeSound(!sound.empty() && FileExists(sound) ? sound : std::string());

    if (!ApplyScreenSaver())
        return false;

    const std::optional<int> seconds = ui_->SpinEdit->Value();
    if (!seconds)
        return false;  // the reporter showed the error; the dialog stays open
    wall_timer_interval_ = *seconds * 1000;
    wall_timer_enabled_ = ui_->CkbAutoChange->isChecked();
    timers_.Apply(TimerOptions{wall_timer_enabled_, wall_timer_interval_, trans_timer_enabled_});

    // The main window's section too, so what OK put there (the remembered screen saver
    // above all) survives a program that does not get to close its window.
    for (TFormStorage* store : {cal_storage_.get(), wall_storage2_.get(), &main_values}) {
        const Status saved = store->Save();
        if (!saved)
            ShowError(saved.message());
    }
    accept();
    return true;
}

bool TOptions::ApplyScreenSaver() {
    TFormStorage& main_values = main_window_.WallStorage();
    const bool wanted = ui_->CkbScreenSaver->isChecked();
    const bool installed = ui_->CkbScreenSaver->property("Tag").toInt() == 1;
    if (wanted == installed)
        return true;  // an installed screen saver keeps its settings file as it is
    ScreenSaverSetting setting(*platform_.registry, *platform_.desktop, platform_.version,
                               platform_.paths.windows_dir);
    ScreenSaverState state{installed, main_values.Value("OldScrSaver").value_or("")};
    if (wanted) {
        const int category = ui_->CbOvlKat->currentIndex();
        if (category < 0 || category >= main_window_.store().count()) {
            ShowCatalogueMessage(prompter_, catalogue_, kMsgScrNoKat);
            return true;
        }
        const std::optional<int> seconds = ui_->SpinBS->Value();
        if (!seconds)
            return false;
        const Status written = InstallScreenSaver(
            setting, state, main_window_.store().category(category).pictures, *seconds,
            static_cast<ColorRef>(ToColourValue(ui_->ColorBS->Color())));
        if (!written)
            ShowError(written.message());
    } else {
        UninstallScreenSaver(setting, state);
    }
    (void)main_values.SetValue("OldScrSaver", state.old_scr_saver);
    ui_->CkbScreenSaver->setProperty("Tag", state.installed ? 1 : 0);
    return true;
}

void TOptions::BtnCancelClick() {
    reject();
}

void TOptions::done(int result) {
    // Every close keeps the calendar key as the dialog shows it, OK or Cancel.
    const Status saved = cal_storage_->Save();
    if (!saved)
        ShowError(saved.message());
    QDialog::done(result);
}

bool TOptions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto found = label_boxes_.find(watched);
        if (found != label_boxes_.end()) {
            auto* label = static_cast<QWidget*>(watched);
            if (label->isEnabled() && found->second->isEnabled())
                found->second->toggle();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TOptions::ShowError(const std::string& text) {
    prompter_.ShowMessage(text, catalogue_.Text(kSError), MessageStyle::Error);
}

}  // namespace orvella
