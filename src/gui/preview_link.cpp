#include "gui/preview_link.h"

#include <QAction>

#include "gui/tpreviewform.h"
#include "settings/form_storage.h"

namespace orvella {

PreviewLink::PreviewLink(QAction& show_preview, QObject* parent)
    : QObject(parent), show_preview_(show_preview) {}

void PreviewLink::SetForm(TPreviewForm* preview) {
    preview_ = preview;
    connect(preview, &TPreviewForm::ClosedByUser, this,
            [this] { show_preview_.setChecked(false); });
    connect(preview, &QObject::destroyed, this, [this] { preview_ = nullptr; });
}

void PreviewLink::KeepMark(TFormStorage& storage) {
    storage.AddBool(
        {"ShowPreview", "Checked"}, [this] { return show_preview_.isChecked(); },
        [this](bool checked) { show_preview_.setChecked(checked); });
}

bool PreviewLink::On() const {
    return preview_ != nullptr && show_preview_.isChecked();
}

void PreviewLink::MenuClicked() {
    if (preview_ == nullptr)
        return;
    if (show_preview_.isChecked())
        preview_->show();
    else
        preview_->HideByMenu();
}

void PreviewLink::Show(const std::string& path) {
    if (preview_ != nullptr)
        preview_->ShowInPreview(path);
}

void PreviewLink::ShowFocused(const std::string& path) {
    if (On())
        preview_->ShowInPreview(path);
}

void PreviewLink::Clear() {
    if (On())
        preview_->ClearPictures();
}

void PreviewLink::ShowWithWindow() {
    if (On())
        preview_->show();
}

void PreviewLink::CloseForExit() {
    if (preview_ != nullptr)
        preview_->CloseForExit();
}

}  // namespace orvella
