#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <string>

namespace orvella {

class MessageCatalogue;

// Panel 0: "<count> Bilder in dieser Kategorie".
QString PictureCountText(const MessageCatalogue& catalogue, int count);

// The locale whose way of writing dates and numbers goes with the interface language, not
// with the system's: "25.01.2003" beside German texts, "1/25/2003" beside English ones.
QLocale InterfaceLocale(bool german);

// A file's time as `locale` writes it: its short date with a four-digit year, then its long
// time without the zone ("25.01.2003 14:38:42").
QString FileDateText(const QDateTime& when, const QLocale& locale);

// Panel 1 for one picture: its date (FileDateText) and its size in whole KB with thousands
// separators, or the bare labels when the file cannot be read. `locale` is the interface
// language's.
QString PictureFileText(const MessageCatalogue& catalogue, const std::string& path,
                        const QLocale& locale = InterfaceLocale(true));

}  // namespace orvella
