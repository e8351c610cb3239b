#include "gui/tpreviewform.h"

#include <QCloseEvent>

#include "gui/no_preview_picture.h"
#include "gui/shipped_files.h"
#include "platform/file_extension.h"
#include "platform/picture_pixels.h"
#include "platform/screen.h"
#include "settings/profile_target.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"
#include "ui_tpreviewform.h"

namespace orvella {
namespace {

QImage ToImage(const PicturePixels& pixels) {
    QImage image(pixels.width, pixels.height, QImage::Format_RGB32);
    for (int y = 0; y < pixels.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < pixels.width; ++x)
            line[x] = 0xff000000u | pixels.At(x, y);
    }
    return image;
}

}  // namespace

TPreviewForm::TPreviewForm(TPreviewServices services, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      ui_(std::make_unique<Ui::TPreviewForm>()),
      services_(std::move(services)),
      placement_(*this, [] { return false; }) {
    ui_->setupUi(this);
    ui_->PrevHtml->hide();
    connect(ui_->PrevHtml, &THTMLThumbnail::RenderFailed, this, &TPreviewForm::ShowRenderError);
    FormCreate();
}

TPreviewForm::~TPreviewForm() = default;

TPictureBox* TPreviewForm::PrevImage() const {
    return ui_->PrevImage;
}
THTMLThumbnail* TPreviewForm::PrevHtml() const {
    return ui_->PrevHtml;
}

void TPreviewForm::FormCreate() {
    wall_storage3_ =
        std::make_unique<TFormStorage>(ProfileTarget(services_.form_file, "PreviewPane"));
    wall_storage3_->KeepPlacement(placement_);
    const Result<RestoreOutcome> restored = wall_storage3_->Restore();
    if (!restored)
        services_.prompter.ShowMessage(restored.message(), services_.catalogue.Text(kSError),
                                       MessageStyle::Error);
}

void TPreviewForm::ShowInPreview(const std::string& path) {
    const std::string extension = LoweredExtension(path);
    if (extension == ".html" || extension == ".htm") {
        const ScreenSize screen = services_.screen.Size();
        ui_->PrevHtml->SetHTMLPageWidth(screen.width);
        ui_->PrevHtml->SetHTMLPageHeight(screen.height);
        ui_->PrevHtml->HTMLFilePreview(path);
        ui_->PrevImage->hide();
        ui_->PrevHtml->show();
        return;
    }
    ui_->PrevHtml->hide();
    QImage picture;
    // GIF pictures are not previewed: the placeholder stands for them.
    if (extension != ".gif") {
        if (Result<PicturePixels> loaded = services_.pictures.Load(path))
            picture = ToImage(*loaded);
    }
    ui_->PrevImage->SetPicture(picture.isNull() ? Placeholder() : std::move(picture));
    ui_->PrevImage->show();
}

QImage TPreviewForm::Placeholder() const {
    const std::string file = services_.program_dir + kNoPreviewFile;
    QImage placeholder(QString::fromStdString(file));
    if (placeholder.isNull()) {
        // The file is written at start; one removed since is drawn again rather than
        // leaving the window blank.
        qWarning("orvella: %s cannot be read; the built-in placeholder is shown", file.c_str());
        placeholder = DrawNoPreviewPicture();
    }
    return placeholder;
}

void TPreviewForm::ShowRenderError(const QString& message) {
    services_.prompter.ShowMessage(message.toStdString(), services_.catalogue.Text(kSError),
                                   MessageStyle::Error);
}

void TPreviewForm::CloseForExit() {
    exiting_ = true;
    close();
    exiting_ = false;
}

void TPreviewForm::HideByMenu() {
    SavePlacement();
    hide();
}

void TPreviewForm::FormClose() {
    emit ClosedByUser();
}

void TPreviewForm::SavePlacement() {
    const Status stored = wall_storage3_->Save();
    if (!stored)
        services_.prompter.ShowMessage(stored.message(), services_.catalogue.Text(kSError),
                                       MessageStyle::Error);
}

void TPreviewForm::closeEvent(QCloseEvent* event) {
    SavePlacement();
    if (!exiting_)
        FormClose();
    event->accept();
}

}  // namespace orvella
