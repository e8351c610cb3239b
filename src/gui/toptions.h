#pragma once

#include <QDialog>
#include <QFont>
#include <map>
#include <memory>
#include <string>

#include "gui/widget_placement.h"
#include "settings/form_storage.h"

namespace Ui {
class TOptions;
}

class QCheckBox;

namespace orvella {

class ChangeSound;
class FileChooser;
class MessageCatalogue;
class OptionTimers;
class PickerDialogs;
class Prompter;
class TColorButton;
class TOrvel;
struct Platform;

// What the options dialog works with.
struct TOptionsServices {
    Platform& platform;
    TOrvel& main_window;
    OptionTimers& timers;
    const MessageCatalogue& catalogue;
    Prompter& prompter;
    FileChooser& files;      // the sound browse dialog
    PickerDialogs& pickers;  // colours and the calendar font
    ChangeSound& sound;      // the play button
};

// The options dialog. It lives from start-up to the end, hidden when not in use, and keeps
// its settings in "[Options]" of "ovl.dat" (`WallStorage2`) and the desktop control's in
// the calendar key (`CalStorage`).
class TOptions : public QDialog {
    Q_OBJECT

public:
    // Restores "[Options]" from the main window's form file and starts the timers as
    // stored. The main window's store must have its file name already.
    explicit TOptions(TOptionsServices services, QWidget* parent = nullptr);
    ~TOptions() override;

    // The four steps of opening: transparency state, category list, restore, show.
    int SBOptionsClick();
    // OK's steps in order; false when a step stopped it and the dialog stays open.
    bool BtnOKClick();
    void BtnCancelClick();
    void BtnDeskColorClick();
    void BtnFontMonthClick();
    void ColorButtonClick(TColorButton& button);
    void OpenSoundBtnClick();
    void TestWPSoundClick();

    // "Comic Sans MS, 10" and so on: face, size, then ", Bold" and ", Italic".
    static QString FontDescription(const QFont& font);
    // The Run key's command: the quoted program path and the switches.
    static std::string AutostartCommand(const std::string& program, bool change_wallpaper);

    Ui::TOptions& ui() { return *ui_; }
    TFormStorage& WallStorage2() { return *wall_storage2_; }
    TFormStorage& CalStorage() { return *cal_storage_; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RegisterOptions();
    void RegisterCalendar();
    void FormShow();
    void CkbCalendarClick();
    void ApplyCalendarColours();
    void WriteAutostart();
    // False when the interval could not be read and OK stops.
    bool ApplyScreenSaver();
    void SetDeskColorSwatch(const QColor& colour);
    void ShowError(const std::string& text);

    std::unique_ptr<Ui::TOptions> ui_;
    std::map<QObject*, QCheckBox*> label_boxes_;
    Platform& platform_;
    TOrvel& main_window_;
    OptionTimers& timers_;
    const MessageCatalogue& catalogue_;
    Prompter& prompter_;
    FileChooser& files_;
    PickerDialogs& pickers_;
    ChangeSound& sound_;
    WidgetPlacement placement_;
    std::unique_ptr<TFormStorage> wall_storage2_;
    std::unique_ptr<TFormStorage> cal_storage_;
    // The calendar's six colours as the stores keep them, 0x00BBGGRR.
    std::int32_t cal_colors_[6] = {16777215, 0, 33023, 8388608, 16777215, 12632256};
    bool wall_timer_enabled_ = false;
    int wall_timer_interval_ = 60000;
    bool trans_timer_enabled_ = false;
    QColor desk_colour_;
};

}  // namespace orvella
