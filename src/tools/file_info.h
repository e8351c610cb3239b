#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "tools/file_attributes.h"

namespace orvella {

// One directory entry as the search reports it.
struct TFileInfo {
    std::string name;
    std::uint64_t size = 0;
    TFileAttributes attributes;
    std::chrono::system_clock::time_point modified;
    std::chrono::system_clock::time_point accessed;
    // The inode's change time: the host keeps no creation time that every file system has.
    std::chrono::system_clock::time_point changed;
};

}  // namespace orvella
