#include "gui/tpreviewform.h"

#include <QCloseEvent>
#include <algorithm>

#include "codecs/compose.h"
#include "codecs/image_loader.h"
#include "gui/bitmap_image.h"
#include "gui/no_preview_picture.h"
#include "gui/shipped_files.h"
#include "platform/desktop/screen.h"
#include "platform/files/file_extension.h"
#include "settings/profile_target.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"
#include "ui_tpreviewform.h"

namespace orvella {
namespace {

constexpr int kReloadDelayMs = 100;

// Transparent parts over black, as the desktop shows them.
QImage ToImage(const Bitmap& bitmap) {
    return ImageFromBitmap(
        bitmap.format() == PixelFormat::Rgba ? Flatten(bitmap, Colour{0, 0, 0, 255}) : bitmap);
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
    reload_timer_.setSingleShot(true);
    reload_timer_.setInterval(kReloadDelayMs);
    connect(&reload_timer_, &QTimer::timeout, this, &TPreviewForm::LoadPicture);
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
    reload_timer_.stop();
    picture_path_.clear();
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
    // GIF pictures are not previewed: the placeholder stands for them.
    if (extension != ".gif")
        picture_path_ = path;
    LoadPicture();
    ui_->PrevImage->show();
}

void TPreviewForm::ClearPictures() {
    reload_timer_.stop();
    picture_path_.clear();
    ui_->PrevImage->SetPicture(QImage());
    ui_->PrevHtml->Clear();
}

void TPreviewForm::LoadPicture() {
    if (picture_path_.empty()) {
        ui_->PrevImage->SetPicture(Placeholder());
        return;
    }
    // The box fills the window; before the window was first shown, only it has its size.
    const QSize size = this->size().expandedTo(QSize(1, 1)) * devicePixelRatio();
    Result<Bitmap> loaded = LoadImageForSize(picture_path_, size.width(), size.height());
    if (!loaded) {
        picture_path_.clear();
        ui_->PrevImage->SetPicture(Placeholder());
        return;
    }
    ui_->PrevImage->SetPicture(ToImage(std::move(*loaded)));
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

void TPreviewForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!picture_path_.empty())
        reload_timer_.start();
}

void TPreviewForm::closeEvent(QCloseEvent* event) {
    SavePlacement();
    if (!exiting_)
        FormClose();
    event->accept();
}

}  // namespace orvella
