#pragma once

#include <initializer_list>
#include <string>

namespace orvella::testing {

// Creates each entry below `root` (a folder ending with "/"), parents included: a folder
// when the entry ends with "/", else a small file.
void MakeTree(const std::string& root, std::initializer_list<std::string> entries);

// Gives a folder `mode` and its owner's full access back at the end of the scope, so the
// temporary folder can be removed.
class ScopedMode {
public:
    ScopedMode(std::string path, unsigned mode);
    ~ScopedMode();
    ScopedMode(const ScopedMode&) = delete;
    ScopedMode& operator=(const ScopedMode&) = delete;

private:
    std::string path_;
};

// Root ignores permission bits, so a folder of mode 000 stays readable to it.
bool PermissionsBindUs();

}  // namespace orvella::testing
