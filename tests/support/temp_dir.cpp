#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orvella::testing {

TempDir::TempDir() : TempDir(std::filesystem::temp_directory_path().string()) {}

TempDir::TempDir(const std::string& parent) {
    std::string pattern = (std::filesystem::path(parent) / "orvella-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern + "/";
}

std::string TempDir::InMemory() {
    const char* shared_memory = "/dev/shm";
    return ::access(shared_memory, W_OK) == 0 ? shared_memory
                                              : std::filesystem::temp_directory_path().string();
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

void TempDir::Write(const std::string& name, const std::string& content) const {
    std::ofstream out(File(name), std::ios::binary);
    out << content;
    ASSERT_TRUE(out.good()) << "cannot write " << File(name);
}

std::string TempDir::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::set<std::string> TempDir::Entries(const std::string& sub) const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(File(sub)))
        names.insert(entry.path().filename().string());
    return names;
}

}  // namespace orvella::testing
