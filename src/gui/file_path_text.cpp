#include "gui/file_path_text.h"

#include "platform/files/file_uri.h"
#include "platform/text.h"

namespace orvella {
namespace {

constexpr char16_t kStrayByteBase = 0xDC00;  // a stray byte b becomes U+DC00 + b

bool IsStrayByte(const QString& text, qsizetype i) {
    const char16_t c = text[i].unicode();
    const bool escaped = c >= kStrayByteBase + 0x80 && c <= kStrayByteBase + 0xFF;
    return escaped && !(i > 0 && text[i - 1].isHighSurrogate());
}

// Valid UTF-8 decoded, each stray byte (one outside a valid sequence) through `stray`.
template <typename Stray>
QString Decode(std::string_view path, Stray stray) {
    if (IsValidUtf8(path))
        return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    QString text;
    std::size_t run = 0;  // where the current stretch of valid UTF-8 began
    auto flush_run = [&](std::size_t end) {
        text += QString::fromUtf8(path.data() + run, static_cast<qsizetype>(end - run));
    };
    for (std::size_t i = 0; i < path.size();) {
        const std::size_t length = Utf8CharacterLength(path, i);
        const auto byte = static_cast<unsigned char>(path[i]);
        if (length == 1 && byte >= 0x80) {
            flush_run(i);
            text += stray(byte);
            run = i + 1;
        }
        i += length;
    }
    flush_run(path.size());
    return text;
}

}  // namespace

QString PathToQString(std::string_view path) {
    return Decode(path, [](unsigned char byte) {
        return QString(QChar(static_cast<char16_t>(kStrayByteBase + byte)));
    });
}

std::string PathFromQString(const QString& text) {
    std::string path;
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!IsStrayByte(text, i))
            continue;
        path += QStringView(text).mid(run, i - run).toUtf8().toStdString();
        path.push_back(static_cast<char>(text[i].unicode() - kStrayByteBase));
        run = i + 1;
    }
    path += QStringView(text).mid(run).toUtf8().toStdString();
    return path;
}

QString PathDisplayText(std::string_view path) {
    return Decode(path, [](unsigned char byte) {
        return QString::fromStdString(Windows1252ToUtf8(std::string(1, static_cast<char>(byte))));
    });
}

QUrl UrlOfPath(const std::string& path) {
    return QUrl::fromEncoded(QByteArray::fromStdString(FileUri(path)));
}

std::optional<std::string> PathOfUrl(const QUrl& url) {
    if (!url.isLocalFile())
        return std::nullopt;
    return PathFromFileUri(url.toEncoded().toStdString());
}

}  // namespace orvella
