#include "tools/file_attributes.h"

#include <sys/stat.h>

namespace orvella {

TFileAttributes HostAttributes(std::string_view name, unsigned mode) {
    TFileAttributes attributes;
    if ((mode & S_IWUSR) == 0) {
        attributes = attributes.With(TFileAttribute::ffReadonly);
    }
    if (name.starts_with('.')) {
        attributes = attributes.With(TFileAttribute::ffHidden);
    }
    if (S_ISDIR(mode)) {
        attributes = attributes.With(TFileAttribute::ffDirectory);
    }
    if (S_ISREG(mode)) {
        attributes = attributes.With(TFileAttribute::ffArchive);
    }
    return attributes;
}

bool AttributeRuleAccepts(TFileAttributes entry, TFileAttributes wanted, bool exact) {
    if (exact) {
        return entry == wanted;
    }
    return entry.Empty() || entry.Intersects(wanted);
}

}  // namespace orvella
