#include "gui/picture_status.h"

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

QLocale InterfaceLocale(bool german) {
    return german ? QLocale(QLocale::German, QLocale::Germany)
                  : QLocale(QLocale::English, QLocale::UnitedStates);
}

QString FileDateText(const QDateTime& when, const QLocale& locale) {
    QString date_format = locale.dateFormat(QLocale::ShortFormat);
    // A two-digit year reads as a century's choice; a file's date keeps all four.
    if (!date_format.contains(QStringLiteral("yyyy")))
        date_format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return locale.toString(when.date(), date_format) + QLatin1Char(' ') +
           locale.toString(when.time(), LongTimeFormat(locale));
}

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
    return Text(catalogue, kSPicDate) + QLatin1Char(' ') + FileDateText(modified, locale) +
           QStringLiteral(" - ") + Text(catalogue, kSPicSize) + QLatin1Char(' ') +
           locale.toString(kilobytes) + QLatin1Char(' ') + Text(catalogue, kSKb);
}

}  // namespace orvella
