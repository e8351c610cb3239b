#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>

#include "gui/widget_placement.h"
#include "settings/form_storage.h"

namespace Ui {
class TPreviewForm;
}

namespace orvella {

class MessageCatalogue;
class Prompter;
class Screen;
class TPictureBox;
class THTMLThumbnail;

struct TPreviewServices {
    const MessageCatalogue& catalogue;
    Prompter& prompter;
    const Screen& screen;
    // The program folder, with "nopreview.png" in it.
    std::string program_dir;
    // "ovl.dat", the main window's form-state file.
    std::string form_file;
};

// The small always-on-top window that shows the picture the user works with: pictures
// stretched to the window, HTML pages as a scaled rendering of the page at screen size,
// and a placeholder for GIF pictures and whatever cannot be loaded.
class TPreviewForm : public QWidget {
    Q_OBJECT

public:
    explicit TPreviewForm(TPreviewServices services, QWidget* parent = nullptr);
    ~TPreviewForm() override;

    void FormCreate();
    void ShowInPreview(const std::string& path);
    // Empties both picture holders: nothing is left to show.
    void ClearPictures();
    // The program ends: the window goes without counting as closed by the user, so the
    // preview is shown again at the next start.
    void CloseForExit();
    // Hidden by the main window's menu; the placement is kept.
    void HideByMenu();

    TPictureBox* PrevImage() const;
    THTMLThumbnail* PrevHtml() const;

signals:
    // The user closed the window by its close box.
    void ClosedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormClose();
    // The picture decoded at the size it is drawn at, so a camera's photo is read at a
    // fraction of its size and the window does not wait for it.
    void LoadPicture();
    void SavePlacement();
    QImage Placeholder() const;
    void ShowRenderError(const QString& message);

    std::unique_ptr<Ui::TPreviewForm> ui_;
    TPreviewServices services_;
    WidgetPlacement placement_;
    std::unique_ptr<TFormStorage> wall_storage3_;
    bool exiting_ = false;
    std::string picture_path_;  // the picture shown, empty for the placeholder and pages
    QTimer reload_timer_;       // a resized window gets its picture at the new size
};

}  // namespace orvella
