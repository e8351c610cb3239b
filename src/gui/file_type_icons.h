#pragma once

#include <QHash>
#include <QIcon>
#include <QString>

namespace orvella {

// The small icon the desktop shows for a file's type, looked up once per extension so a
// list of many thousand pictures costs a handful of theme lookups, not one per row.
class FileTypeIcons {
public:
    QIcon IconFor(const QString& path);

private:
    QHash<QString, QIcon> by_extension_;
};

}  // namespace orvella
