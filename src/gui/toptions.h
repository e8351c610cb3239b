#pragma once

#include <QDialog>
#include <QFont>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/widget_placement.h"
#include "settings/form_storage.h"
#include "settings/options.h"

namespace Ui {
class TOptions;
}

class QCheckBox;

namespace orvella {

class ChangeSound;
class FileChooser;
class MainWindowSettings;
class MessageCatalogue;
class OptionTimers;
class PickerDialogs;
class Prompter;
class TCategoryStore;
class TColorButton;
struct Platform;

// What the options dialog works with.
struct TOptionsServices {
    Platform& platform;
    MainWindowSettings& main_window;
    const TCategoryStore& categories;  // the screen saver's choice
    OptionTimers& timers;
    const MessageCatalogue& catalogue;
    Prompter& prompter;
    FileChooser& files;      // the sound browse dialog
    PickerDialogs& pickers;  // colours and the calendar font
    ChangeSound& sound;      // the play button
};

// The options dialog. It lives from start-up to the end, hidden when not in use. Its
// controls edit a staged copy of the options, which its stores keep in "[Options]" of
// "ovl.dat" (`WallStorage2`) and the calendar key (`CalStorage`); OK puts it into force.
class TOptions : public QDialog {
    Q_OBJECT

public:
    // Restores "[Options]" from the settings file and starts the timers as stored.
    explicit TOptions(TOptionsServices services, QWidget* parent = nullptr);
    ~TOptions() override;

    // The four steps of opening: transparency state, category list, restore, show.
    int SBOptionsClick();
    // Commits the edited options; false when a field could not be read and the dialog
    // stays open.
    bool BtnOKClick();
    void BtnCancelClick();
    void BtnDeskColorClick();
    void BtnFontMonthClick();
    void ColorButtonClick(TColorButton& button);
    void OpenSoundBtnClick();
    void TestWPSoundClick();

    // "Comic Sans MS, 10" and so on: face, size, then ", Bold" and ", Italic".
    static QString FontDescription(const QFont& font);

    Ui::TOptions& ui() { return *ui_; }
    // Whether the program's screen saver is installed by the program (stored as the
    // screen saver box's tag).
    bool ScreenSaverInstalled() const { return options_.screen_saver_installed; }
    // The slideshow's settings in force.
    int SlideshowSeconds() const { return options_.slideshow_seconds; }
    ColorRef SlideshowBackColour() const {
        return static_cast<ColorRef>(options_.slideshow_back.color) & 0x00FFFFFF;
    }
    // Whether OK would set a new desktop colour.
    bool DeskColorPicked() const { return options_.desktop_colour != opened_.desktop_colour; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpControls();
    void ConnectControls();
    void FormShow();
    void CkbCalendarClick();
    // The picture-per-screen box, usable while the desktop has several monitors.
    void ShowPicturePerScreen();
    void ApplyCalendarColours();
    // The staged options shown by the controls, and the controls read back into them.
    void ShowOptions();
    Options EditedOptions() const;
    void ShowCalendarFont();
    // What OK commits: nullopt when a spin edit holds no number (its error was shown).
    std::optional<Options> ConfirmedOptions();
    // The pictures of the category chosen for the screen saver when OK installs it; the
    // user is told when none is chosen.
    std::optional<std::vector<std::string>> ScreenSaverPictures(const Options& after);
    void Restore(TFormStorage& store);
    void Save(TFormStorage& store);
    void SetDeskColorSwatch(const QColor& colour);
    void ShowError(const std::string& text);

    std::unique_ptr<Ui::TOptions> ui_;
    std::map<QObject*, QCheckBox*> label_boxes_;
    TOptionsServices services_;
    WidgetPlacement placement_;
    // The staged copy: what the controls show, and what the stores write and read.
    Options options_;
    // The options as the dialog last opened or confirmed them.
    Options opened_;
    TFormStorage options_store_;
    TFormStorage calendar_store_;
};

}  // namespace orvella
