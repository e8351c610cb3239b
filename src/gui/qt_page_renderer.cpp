#include "gui/qt_page_renderer.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QUrl>

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
    QFile file(QString::fromStdString(page));
    if (!file.open(QIODevice::ReadOnly))
        return Status::Error(page + ": " + file.errorString().toStdString());
    const QByteArray html = file.readAll();

    if (!size.isValid() || size.isEmpty())
        size = QSize(1024, 768);
    LocalDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(file).absolutePath() + QLatin1Char('/')));
    document.setHtml(QString::fromUtf8(html));
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
