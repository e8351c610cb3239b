#pragma once

#include <string>
#include <vector>

#include "platform/status.h"
#include "settings/form_entry.h"

namespace orvella {

// A form store kept in one section of a profile file.
class ProfileTarget {
public:
    ProfileTarget(std::string path, std::string section)
        : path_(std::move(path)), section_(std::move(section)) {}

    const std::string& path() const { return path_; }
    void set_path(std::string path) { path_ = std::move(path); }
    const std::string& section() const { return section_; }
    // How messages about the store name it.
    const std::string& label() const { return section_; }

    // One look at the file, so a restore never mixes two versions of it.
    Result<FoundEntries> Read(const std::vector<std::string>& names) const;
    // One atomic replacement of the file; the section's other keys stay.
    Status Write(const std::vector<FormEntry>& entries);

private:
    std::string path_;
    std::string section_;
};

// While one is open, form stores kept in profile files keep their writes (reads see them),
// and its end updates each file once, under the file's lock, on the file as it is then, the
// writes in their order: the forms that close together at the program's end write
// "ovl.dat" once. On the thread that writes the forms; one opened while another is open
// leaves the writes to that one.
class DeferredProfileWrites {
public:
    DeferredProfileWrites();
    // An early return carries the error that ended the work; what was kept is still written.
    ~DeferredProfileWrites();
    DeferredProfileWrites(const DeferredProfileWrites&) = delete;
    DeferredProfileWrites& operator=(const DeferredProfileWrites&) = delete;

    // Writes what was kept; the first failure.
    Status Finish();

private:
    friend class ProfileTarget;
    struct Kept {
        std::string path;
        std::string section;
        std::vector<FormEntry> entries;
    };
    std::vector<Kept> kept_;
    bool outer_ = false;
    bool finished_ = false;
};

// The text to store for `text`: a profile value is one line, so text from a line break on
// cannot be kept and is dropped (blanks and quotes the profile keeps by itself).
std::string ProfileValueText(std::string_view text);

}  // namespace orvella
