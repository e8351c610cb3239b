#pragma once

#include <QString>
#include <QUrl>
#include <optional>
#include <string>
#include <string_view>

namespace orvella {

// A Linux path is bytes and need not be UTF-8: collections copied from Windows-era disks hold
// Latin-1 names such as "caf\xe9.png". Qt 6 replaces such bytes with U+FFFD in every QString
// conversion (QFile::decodeName and encodeName too, whatever the locale), so a path enters and
// leaves Qt only through these helpers.

// The path as a QString that gives the same bytes back through PathFromQString: valid UTF-8
// is decoded, each stray byte becomes a lone surrogate U+DC80..U+DCFF (shown as a replacement
// character), for paths kept in widgets and models.
QString PathToQString(std::string_view path);
std::string PathFromQString(const QString& text);

// The path for reading only: valid UTF-8 as it is, a stray byte read as Windows-1252, the
// code page such names were written in ("café.png").
QString PathDisplayText(std::string_view path);

// A local file URL with every byte of the path kept in its percent-escapes, and back: what
// file managers drag and the desktop's file dialogs answer. Nothing for another scheme or a
// remote host.
QUrl UrlOfPath(const std::string& path);
std::optional<std::string> PathOfUrl(const QUrl& url);

}  // namespace orvella
