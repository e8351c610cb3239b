#pragma once

#include <set>
#include <string>

namespace orvella::testing {

// A fresh folder under the system's temporary folder, removed with its content at the end.
class TempDir {
public:
    TempDir();
    // One under `parent` instead.
    explicit TempDir(const std::string& parent);
    // One in memory (/dev/shm) where the machine has it, for tests of many saves: each save
    // syncs the file and its folder, which costs nothing there.
    static std::string InMemory();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder with a trailing "/".
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }

    void Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;
    // The names in the folder, or in its subfolder `sub`.
    std::set<std::string> Entries(const std::string& sub = "") const;

private:
    std::string path_;
};

}  // namespace orvella::testing
