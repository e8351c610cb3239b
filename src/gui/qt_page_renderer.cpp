#include "gui/qt_page_renderer.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QUrl>
#include <cerrno>

#include "gui/file_path_text.h"
#include "platform/files/files.h"

namespace orvella {
namespace {

// Resources of the page itself: local files only, so a page never reaches the network.
class LocalDocument : public QTextDocument {
protected:
    QVariant loadResource(int type, const QUrl& name) override {
        const QUrl resolved = baseUrl().resolved(name);
        if (!resolved.isLocalFile())
            return {};
        return QTextDocument::loadResource(type, resolved);
    }
};

}  // namespace

QtPageRenderer::QtPageRenderer(std::string output, std::function<QSize()> screen)
    : output_(std::move(output)), screen_(std::move(screen)) {}

Result<QImage> RenderPagePicture(const std::string& page, QSize size) {
    // Read by its bytes: a Latin-1 name reaches no file through a QString.
    const Result<std::optional<std::string>> html = ReadWholeFile(page);
    if (!html.ok())
        return html.status();
    if (!html->has_value())
        return Status::Error(page + ": " + SystemErrorText(ENOENT));

    if (!size.isValid() || size.isEmpty())
        size = QSize(1024, 768);
    LocalDocument document;
    document.setBaseUrl(UrlOfPath(ParentFolder(page)));
    document.setHtml(QString::fromStdString(**html));
    document.setPageSize(size);
    document.setTextWidth(size.width());

    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        document.drawContents(&painter, QRectF(QPointF(0, 0), size));
    }
    return picture;
}

Result<std::string> QtPageRenderer::PictureForPage(const std::string& page) const {
    Result<QImage> picture = RenderPagePicture(page, screen_ ? screen_() : QSize());
    if (!picture)
        return picture.status();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture->save(&buffer, "PNG"))
        return Status::Error(output_ + ": the page could not be drawn");
    const Status written =
        ReplaceFileAtomically(output_, std::string_view(png.constData(), png.size()));
    if (!written)
        return written;
    return output_;
}

}  // namespace orvella
