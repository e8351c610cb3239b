#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/files/sys_io.h"

namespace orvella::testing {

// Records which files are replaced (renamed or exchanged into place) while it lives.
class ReplacementCount {
public:
    ReplacementCount() : scoped_(Counting()) { targets().clear(); }
    int Of(const std::string& path) const {
        return static_cast<int>(std::count(targets().begin(), targets().end(), path));
    }

private:
    static std::vector<std::string>& targets() {
        static std::vector<std::string> replaced;
        return replaced;
    }
    static SysIo Counting() {
        SysIo io = RealSysIo();
        io.rename = [](const char* from, const char* to) {
            const int result = RealSysIo().rename(from, to);
            if (result == 0)
                targets().emplace_back(to);
            return result;
        };
        io.exchange = [](const char* first, const char* second) {
            const int result = RealSysIo().exchange(first, second);
            if (result == 0)
                targets().emplace_back(second);
            return result;
        };
        return io;
    }
    ScopedSysIo scoped_;
};

}  // namespace orvella::testing
