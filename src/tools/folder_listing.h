#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvella {

// An open folder, closed with its owner. Move-only.
class FolderHandle {
public:
    FolderHandle() = default;
    explicit FolderHandle(int fd) : fd_(fd) {}
    ~FolderHandle();
    FolderHandle(FolderHandle&& other) noexcept;
    FolderHandle& operator=(FolderHandle&& other) noexcept;
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;

    // Opens `name` below the open folder `parent`, or, with `parent` at -1, the path `name`
    // (a NUL-terminated text). Links are followed. fd() is -1 when it failed.
    static FolderHandle Open(int parent, const char* name);

    int fd() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void Close();

private:
    int fd_ = -1;
};

// A folder's entries in the order the search lists them (by folded name, as NTFS lists a
// folder), without those whose name begins with ".". Names and folded names are kept in
// one buffer, each name followed by a NUL so it can be handed to the system as it is; the
// folder is read with large getdents64 calls. A listing is reused from folder to folder,
// so a folder costs no allocation once the buffers have grown.
class FolderListing {
public:
    struct Entry {
        std::uint64_t key_head;  // the first eight bytes of the key, for a quick comparison
        std::uint32_t name_at;
        std::uint32_t name_size;
        std::uint32_t key_at;
        std::uint32_t key_size;
        unsigned char type;  // the directory entry's type: DT_DIR, DT_UNKNOWN, ...
        bool ascii;          // the name is plain ASCII
    };

    // Reads the open folder `fd` from its start. A folder that cannot be read (further) is
    // listed with what was read.
    void Read(int fd);

    const std::vector<Entry>& entries() const { return entries_; }
    // NUL-terminated.
    const char* NameText(const Entry& entry) const { return text_.data() + entry.name_at; }
    std::string_view Name(const Entry& entry) const {
        return std::string_view(text_).substr(entry.name_at, entry.name_size);
    }
    // The name after FoldCase.
    std::string_view Key(const Entry& entry) const {
        return std::string_view(text_).substr(entry.key_at, entry.key_size);
    }

private:
    void Add(std::string_view name, unsigned char type);
    void Sort();

    std::vector<char> buffer_;
    std::string text_;
    std::vector<Entry> entries_;
};

}  // namespace orvella
