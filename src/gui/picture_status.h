#pragma once

#include <QLocale>
#include <QString>

namespace orvella {

class MessageCatalogue;

// Panel 0: "<count> Bilder in dieser Kategorie".
QString PictureCountText(const MessageCatalogue& catalogue, int count);

// Panel 1 for one picture: its date in the locale's short date and long time format and its
// size in whole KB with thousands separators, or the bare labels when the file cannot be
// read.
QString PictureFileText(const MessageCatalogue& catalogue, const QString& path,
                        const QLocale& locale = QLocale());

}  // namespace orvella
