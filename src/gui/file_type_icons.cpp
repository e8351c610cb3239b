#include "gui/file_type_icons.h"

#include <QApplication>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStyle>

namespace orvella {

QIcon FileTypeIcons::IconFor(const QString& path) {
    const QString extension = QFileInfo(path).suffix().toLower();
    auto found = by_extension_.constFind(extension);
    if (found != by_extension_.constEnd())
        return *found;

    const QMimeType type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    if (icon.isNull())
        icon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    by_extension_.insert(extension, icon);
    return icon;
}

}  // namespace orvella
