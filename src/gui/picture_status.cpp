#include "gui/picture_status.h"

#include <sys/stat.h>

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

QString PictureFileText(const MessageCatalogue& catalogue, const std::string& path,
                        const QLocale& locale) {
    // The path's own bytes: a Latin-1 name reaches no file through a QString.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return Text(catalogue, kSPicDate) + QStringLiteral("    ") + Text(catalogue, kSPicSize);

    const QDateTime modified = QDateTime::fromSecsSinceEpoch(info.st_mtim.tv_sec);
    const qint64 kilobytes = info.st_size / 1024;
    return Text(catalogue, kSPicDate) + QLatin1Char(' ') + FileDateText(modified, locale) +
           QStringLiteral(" - ") + Text(catalogue, kSPicSize) + QLatin1Char(' ') +
           locale.toString(kilobytes) + QLatin1Char(' ') + Text(catalogue, kSKb);
}

}  // namespace orvella
