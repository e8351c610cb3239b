#include "gui/picture_status.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "shell/message_catalogue.h"

namespace orvella {
namespace {

QString Text(const MessageCatalogue& catalogue, std::string_view name) {
    return QString::fromStdString(catalogue.Text(name));
}

// The long time format without its time zone ("HH:mm:ss t" becomes "HH:mm:ss"), as the
// clock of a desktop shows a file's time.
QString LongTimeFormat(const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
    return format.trimmed();
}

}  // namespace

QString PictureCountText(const MessageCatalogue& catalogue, int count) {
    return QString::number(count) + QLatin1Char(' ') + Text(catalogue, kSPicsInCat);
}

QString PictureFileText(const MessageCatalogue& catalogue, const QString& path,
                        const QLocale& locale) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Text(catalogue, kSPicDate) + QStringLiteral("    ") + Text(catalogue, kSPicSize);

    const QFileInfo info(file);
    const QDateTime modified = info.lastModified();
    const qint64 kilobytes = file.size() / 1024;
    return Text(catalogue, kSPicDate) + QLatin1Char(' ') +
           locale.toString(modified.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(modified.time(), LongTimeFormat(locale)) + QStringLiteral(" - ") +
           Text(catalogue, kSPicSize) + QLatin1Char(' ') + locale.toString(kilobytes) +
           QLatin1Char(' ') + Text(catalogue, kSKb);
}

}  // namespace orvella
