#pragma once

#include <string>

namespace orvella::testing {

// A fresh folder under the system's temporary folder, removed with its content at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder with a trailing "/".
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }

    void Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;

private:
    std::string path_;
};

}  // namespace orvella::testing
