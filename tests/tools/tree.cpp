#include "tree.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace orvella::testing {

void MakeTree(const std::string& root, std::initializer_list<std::string> entries) {
    for (const std::string& entry : entries) {
        const std::filesystem::path path = root + entry;
        if (entry.ends_with('/')) {
            std::filesystem::create_directories(path);
            continue;
        }
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out << entry;
        ASSERT_TRUE(out.good()) << "cannot write " << path;
    }
}

ScopedMode::ScopedMode(std::string path, unsigned mode) : path_(std::move(path)) {
    EXPECT_EQ(chmod(path_.c_str(), mode), 0) << path_;
}

ScopedMode::~ScopedMode() {
    EXPECT_EQ(chmod(path_.c_str(), 0755), 0) << path_;
}

bool PermissionsBindUs() {
    return geteuid() != 0;
}

}  // namespace orvella::testing
