#include "gui/toptions.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QMouseEvent>
#include <QTextCharFormat>
#include <QToolButton>
#include <array>

#include "gui/color_button.h"
#include "gui/file_path_text.h"
#include "gui/framed_button_style.h"
#include "gui/picker_dialogs.h"
#include "gui/spin_edit.h"
#include "library/category_store.h"
#include "platform/files/files.h"
#include "platform/host_platform.h"
#include "settings/options_commit.h"
#include "settings/screen_saver.h"
#include "settings/settings_table.h"
#include "shell/file_chooser.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"
#include "ui_toptions.h"
#include "wallpaper/change_sound.h"

namespace orvella {
namespace {

// The stores keep colours as Windows does, 0x00BBGGRR.
ColourValue ToColourValue(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

QColor FromColourValue(ColourValue value) {
    if (value < 0)
        return Qt::black;  // a system colour: the dialog only ever keeps plain ones
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

void ShowButtonColours(TColorButton& button, const ButtonColours& colours) {
    button.SetColor(FromColourValue(colours.color));
    button.SetColorDown(FromColourValue(colours.down));
    button.SetColorFocused(FromColourValue(colours.focused));
}

ButtonColours ButtonColoursOf(const TColorButton& button) {
    return {ToColourValue(button.Color()), ToColourValue(button.ColorDown()),
            ToColourValue(button.ColorFocused())};
}

using OptionButton = std::pair<TColorButton*, ButtonColours Options::*>;

// The colour buttons and the options' colours they show.
std::array<OptionButton, 7> OptionButtons(const Ui::TOptions& ui) {
    return {{{ui.ColorBg, &Options::colour_bg},
             {ui.ColorWeekdays, &Options::colour_weekdays},
             {ui.ColorMonthYear, &Options::colour_month_year},
             {ui.ColorThisMonth, &Options::colour_this_month},
             {ui.ColorOtherMonth, &Options::colour_other_month},
             {ui.DiaBackColor, &Options::slideshow_back},
             {ui.ColorBS, &Options::screen_saver_back}}};
}

}  // namespace

TOptions::TOptions(TOptionsServices services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      ui_(std::make_unique<Ui::TOptions>()),
      services_(services),
      placement_(*this, {}),
      options_store_(OptionsStore(SettingsFilePath(services.platform.paths.program_dir))),
      calendar_store_(CalendarKeyStore(*services.platform.registry)) {
    ui_->setupUi(this);
    SetUpControls();
    ConnectControls();
    options_store_.KeepPlacement(placement_);
    BindOptions(options_store_, options_);
    BindCalendarKey(calendar_store_, options_);
    ShowOptions();
    Restore(options_store_);
    opened_ = options_;
    services_.timers.Apply(options_.timers);
}

TOptions::~TOptions() = default;

void TOptions::SetUpControls() {
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

    // Each check box's label toggles it.
    const std::pair<QLabel*, QCheckBox*> labelled[] = {
        {ui_->LabelAutostart, ui_->CkbAutostart},
        {ui_->LabelChangeWP, ui_->CbkChangeWP},
        {ui_->LabelTransCheck, ui_->TransCheckB},
        {ui_->LabelSortImages, ui_->CkbSortImages},
        {ui_->LabelCalendar, ui_->CkbCalendar},
        {ui_->LabelAutoChange, ui_->CkbAutoChange},
        {ui_->LabelScreenSaver, ui_->CkbScreenSaver},
        {ui_->LabelPicturePerScreen, ui_->CkbPicturePerScreen}};
    for (const auto& [label, box] : labelled) {
        label_boxes_[label] = box;
        label->installEventFilter(this);
    }
    for (TSpinEdit* spin : {ui_->SpinEdit, ui_->SpinDiaIntervall, ui_->SpinBS}) {
        spin->SetInvalidReporter([this](const std::string& text) {
            ShowError(FillPlaceholder(services_.catalogue.Text(kSMsgInvalidInteger), text));
        });
    }
}

void TOptions::ConnectControls() {
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
}

void TOptions::ShowOptions() {
    const Options& o = options_;
    ui_->CkbAutostart->setChecked(o.autostart);
    ui_->CbkChangeWP->setChecked(o.autostart_changes_wallpaper);
    ui_->TransCheckB->setChecked(o.trans_check);
    ui_->CkbSortImages->setChecked(o.sort_pictures);
    ui_->CbWallProps->setCurrentIndex(static_cast<int>(o.wall_props));
    ui_->WPSound->setText(PathToQString(o.change_sound));
    ui_->CkbCalendar->setChecked(o.calendar);
    ui_->CkbPicturePerScreen->setChecked(o.picture_per_screen);
    ui_->LabelFontMonth->setText(QString::fromStdString(o.font_description));
    ShowCalendarFont();
    for (const auto& [button, colours] : OptionButtons(*ui_))
        ShowButtonColours(*button, o.*colours);
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui_->ColorBg, ui_->ColorMonthYear, ui_->ColorOtherMonth, ui_->ColorThisMonth,
             ui_->ColorWeekdays, ui_->MonthCalendar})
        control->setEnabled(o.calendar_controls_enabled);
    ApplyCalendarColours();
    ui_->CkbAutoChange->setChecked(o.auto_change);
    ui_->SpinEdit->setValue(o.change_seconds);
    ui_->SpinDiaIntervall->setValue(o.slideshow_seconds);
    ui_->CkbScreenSaver->setChecked(o.screen_saver);
    ui_->SpinBS->setValue(o.screen_saver_seconds);
}

void TOptions::ShowCalendarFont() {
    const CalendarFont& chosen = options_.font;
    QFont font = ui_->LabelFontMonthTemp->font();
    font.setFamily(QString::fromStdString(chosen.name));
    if (chosen.size > 0)
        font.setPointSize(chosen.size);
    font.setFixedPitch(chosen.pitch == 2);
    font.setBold(chosen.bold);
    font.setItalic(chosen.italic);
    font.setUnderline(chosen.underline);
    font.setStrikeOut(chosen.strike_out);
    ui_->LabelFontMonthTemp->setFont(font);
}

Options TOptions::EditedOptions() const {
    Options o = options_;
    o.autostart = ui_->CkbAutostart->isChecked();
    o.autostart_changes_wallpaper = ui_->CbkChangeWP->isChecked();
    o.trans_check = ui_->TransCheckB->isChecked();
    o.sort_pictures = ui_->CkbSortImages->isChecked();
    o.wall_props = static_cast<WallProps>(ui_->CbWallProps->currentIndex());
    o.change_sound = PathFromQString(ui_->WPSound->text());
    o.calendar = ui_->CkbCalendar->isChecked();
    o.picture_per_screen = ui_->CkbPicturePerScreen->isChecked();
    o.font_description = ui_->LabelFontMonth->text().toStdString();
    const QFont font = ui_->LabelFontMonthTemp->font();
    o.font.name = font.family().toStdString();
    o.font.size = font.pointSize();
    o.font.pitch = font.fixedPitch() ? 2 : 0;
    o.font.bold = font.bold();
    o.font.italic = font.italic();
    o.font.underline = font.underline();
    o.font.strike_out = font.strikeOut();
    for (const auto& [button, colours] : OptionButtons(*ui_))
        o.*colours = ButtonColoursOf(*button);
    o.calendar_controls_enabled = ui_->MonthCalendar->isEnabled();
    o.auto_change = ui_->CkbAutoChange->isChecked();
    o.change_seconds = ui_->SpinEdit->value();
    o.slideshow_seconds = ui_->SpinDiaIntervall->value();
    o.screen_saver = ui_->CkbScreenSaver->isChecked();
    o.screen_saver_seconds = ui_->SpinBS->value();
    return o;
}

// A restore reads onto what the controls show, so entries the store lacks keep it.
void TOptions::Restore(TFormStorage& store) {
    options_ = EditedOptions();
    Result<RestoreOutcome> restored = store.Restore();
    if (!restored)
        ShowError(restored.message());
    ShowOptions();
}

void TOptions::Save(TFormStorage& store) {
    options_ = EditedOptions();
    const Status saved = store.Save();
    if (!saved)
        ShowError(saved.message());
}

QString TOptions::FontDescription(const QFont& font) {
    QString text = font.family() + QStringLiteral(", ") + QString::number(font.pointSize());
    if (font.bold())
        text += QStringLiteral(", Bold");
    if (font.italic())
        text += QStringLiteral(", Italic");
    return text;
}

int TOptions::SBOptionsClick() {
    ui_->TransCheckB->setChecked(services_.timers.TransTimerRunning());
    ui_->CbOvlKat->clear();
    const TCategoryStore& store = services_.categories;
    for (int i = 0; i < store.count(); ++i)
        ui_->CbOvlKat->addItem(QString::fromStdString(store.category(i).name));
    if (ui_->CbOvlKat->count() > 0)
        ui_->CbOvlKat->setCurrentIndex(0);
    Restore(options_store_);
    // The swatch shows the system's colour as it is now; a colour picked and then cancelled
    // is not applied by a later OK.
    const ColorRef desktop = services_.platform.desktop_colours->Background() & 0x00FFFFFF;
    options_.desktop_colour = desktop;
    SetDeskColorSwatch(FromColourValue(static_cast<ColourValue>(desktop)));
    opened_ = options_;
    return exec();
}

void TOptions::showEvent(QShowEvent* event) {
    Restore(calendar_store_);
    QDialog::showEvent(event);
    FormShow();
}

void TOptions::FormShow() {
    if (services_.platform.version.IsWinXP()) {
        ui_->TransCheckB->setEnabled(false);
        ui_->LabelTransCheck->setEnabled(false);
    }
    CkbCalendarClick();
    ui_->MonthCalendar->setSelectedDate(QDate::currentDate());
    ShowPicturePerScreen();
}

void TOptions::ShowPicturePerScreen() {
    // Asked of the desktop at each opening: a monitor may have come or gone.
    const bool several = services_.platform.desktop->MonitorCount() > 1;
    ui_->CkbPicturePerScreen->setEnabled(several);
    ui_->LabelPicturePerScreen->setEnabled(several);
    const QString hint = QCoreApplication::translate(
        "TOptions",
        "Für X11, GNOME, KDE Plasma, XFCE und sway mit mehreren Bildschirmen; andere Desktops "
        "zeigen auf allen Bildschirmen das erste Bild.");
    ui_->CkbPicturePerScreen->setToolTip(hint);
    ui_->LabelPicturePerScreen->setToolTip(hint);
}

void TOptions::CkbCalendarClick() {
    const bool on = ui_->CkbCalendar->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui_->BtnFontMonth, ui_->ColorBg, ui_->ColorWeekdays, ui_->ColorMonthYear,
             ui_->ColorThisMonth, ui_->ColorOtherMonth, ui_->MonthCalendar})
        control->setEnabled(on);
}

void TOptions::ColorButtonClick(TColorButton& button) {
    const std::optional<QColor> chosen = services_.pickers.ChooseColour(button.Color());
    if (!chosen)
        return;
    button.SetAllColors(*chosen);
    // The calendar's buttons drive the preview's colour set, which the calendar key keeps.
    CalendarColours& colours = options_.calendar_colours;
    const std::pair<TColorButton*, ColorRef*> calendar_colours[] = {
        {ui_->ColorBg, &colours.month_back},
        {ui_->ColorWeekdays, &colours.title_back},
        {ui_->ColorMonthYear, &colours.title_text},
        {ui_->ColorThisMonth, &colours.text},
        {ui_->ColorOtherMonth, &colours.trailing_text},
    };
    for (const auto& [calendar_button, colour] : calendar_colours) {
        if (calendar_button == &button) {
            *colour = static_cast<ColorRef>(ToColourValue(*chosen));
            ApplyCalendarColours();
        }
    }
}

void TOptions::SetDeskColorSwatch(const QColor& colour) {
    QPalette palette = ui_->PanelDeskColor->palette();
    palette.setColor(QPalette::Window, colour);
    ui_->PanelDeskColor->setPalette(palette);
}

void TOptions::BtnDeskColorClick() {
    const QColor shown = FromColourValue(static_cast<ColourValue>(options_.desktop_colour));
    const std::optional<QColor> chosen = services_.pickers.ChooseColour(shown);
    if (!chosen)
        return;
    SetDeskColorSwatch(*chosen);
    options_.desktop_colour = static_cast<ColorRef>(ToColourValue(*chosen));
}

void TOptions::BtnFontMonthClick() {
    const std::optional<QFont> chosen =
        services_.pickers.ChooseFont(ui_->LabelFontMonthTemp->font());
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
    request.folder = ParentFolder(PathFromQString(ui_->WPSound->text()));
    const std::vector<std::string> chosen = services_.files.OpenFiles(request);
    if (chosen.empty())
        return;
    services_.main_window.SetChangeSound(chosen.front());
    ui_->WPSound->setText(PathToQString(chosen.front()));
}

void TOptions::TestWPSoundClick() {
    const std::string file = PathFromQString(ui_->WPSound->text());
    services_.main_window.SetChangeSound(file);
    const Status played = services_.sound.Play(file);
    if (!played)
        ShowError(played.message());
}

void TOptions::ApplyCalendarColours() {
    // The preview shows the colour set: days, title, the neighbouring months' days.
    const CalendarColours& colours = options_.calendar_colours;
    const auto colour = [](ColorRef value) {
        return FromColourValue(static_cast<ColourValue>(value));
    };
    QPalette palette = ui_->MonthCalendar->palette();
    palette.setColor(QPalette::Base, colour(colours.month_back));
    palette.setColor(QPalette::Text, colour(colours.text));
    palette.setColor(QPalette::Highlight, colour(colours.title_back));
    palette.setColor(QPalette::HighlightedText, colour(colours.title_text));
    ui_->MonthCalendar->setPalette(palette);
    QTextCharFormat header;
    header.setBackground(colour(colours.title_back));
    header.setForeground(colour(colours.title_text));
    ui_->MonthCalendar->setHeaderTextFormat(header);
}

std::optional<Options> TOptions::ConfirmedOptions() {
    Options after = EditedOptions();
    // Reading an empty field shows its error; the dialog stays open then.
    const std::optional<int> seconds = ui_->SpinEdit->Value();
    if (!seconds)
        return std::nullopt;
    after.change_seconds = *seconds;
    if (after.screen_saver && !after.screen_saver_installed) {
        const std::optional<int> saver_seconds = ui_->SpinBS->Value();
        if (!saver_seconds)
            return std::nullopt;
        after.screen_saver_seconds = *saver_seconds;
    }
    return after;
}

std::optional<std::vector<std::string>> TOptions::ScreenSaverPictures(const Options& after) {
    if (!after.screen_saver || after.screen_saver_installed)
        return std::nullopt;
    const int category = ui_->CbOvlKat->currentIndex();
    if (category < 0 || category >= services_.categories.count()) {
        ShowCatalogueMessage(services_.prompter, services_.catalogue, kMsgScrNoKat);
        return std::nullopt;
    }
    return services_.categories.category(category).pictures;
}

bool TOptions::BtnOKClick() {
    std::optional<Options> after = ConfirmedOptions();
    if (!after)
        return false;
    const Platform& platform = services_.platform;
    ScreenSaverSetting screen_saver(*platform.registry, *platform.desktop, platform.version,
                                    platform.paths.windows_dir);
    OptionsCommitServices system{
        *platform.registry,         *platform.desktop_colours,    screen_saver,
        services_.timers,           services_.main_window,        ExecutablePath(),
        platform.paths.program_dir, platform.paths.autostart_file};
    const Status committed = CommitOptions(opened_, *after, ScreenSaverPictures(*after), system);
    if (!committed)
        ShowError(committed.message());
    options_ = opened_ = *after;
    Save(calendar_store_);
    Save(options_store_);
    accept();
    return true;
}

void TOptions::BtnCancelClick() {
    reject();
}

void TOptions::done(int result) {
    // Every close keeps the calendar key as the dialog shows it, OK or Cancel.
    Save(calendar_store_);
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
    services_.prompter.ShowMessage(text, services_.catalogue.Text(kSError), MessageStyle::Error);
}

}  // namespace orvella
