#include "tools/folder_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

#include "platform/text.h"

namespace orvella {
namespace {

// Room for some hundred entries per call: most folders are read in one call and the one
// that finds the end.
constexpr std::size_t kReadSize = 64 * 1024;

// Big-endian, so comparing two heads as numbers compares the texts' first eight bytes; a
// shorter text is padded with zero bytes, which no name holds.
std::uint64_t HeadOf(std::string_view key) {
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        head = (head << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    }
    return head;
}

}  // namespace

FolderHandle::~FolderHandle() {
    Close();
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

FolderHandle FolderHandle::Open(int parent, const char* name) {
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY;
    return FolderHandle(parent >= 0 ? ::openat(parent, name, flags) : ::open(name, flags));
}

void FolderHandle::Close() {
    if (fd_ >= 0) {
        ::close(fd_);  // a folder opened for reading has nothing to lose on close
        fd_ = -1;
    }
}

void FolderListing::Read(int fd) {
    text_.clear();
    entries_.clear();
    buffer_.resize(kReadSize);
    for (;;) {
        const ssize_t got = ::getdents64(fd, buffer_.data(), buffer_.size());
        if (got <= 0) {
            break;
        }
        for (std::size_t at = 0; at < static_cast<std::size_t>(got);) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer_.data() + at);
            if (entry->d_name[0] != '.') {
                Add(entry->d_name, entry->d_type);
            }
            at += entry->d_reclen;
        }
    }
    Sort();
}

void FolderListing::Add(std::string_view name, unsigned char type) {
    const std::size_t name_at = text_.size();
    const std::size_t key_at = name_at + name.size() + 1;
    text_.resize(key_at + name.size());
    std::memcpy(text_.data() + name_at, name.data(), name.size());
    text_[key_at - 1] = '\0';
    // ASCII letters folded in one pass that also tells whether FoldCase is needed.
    unsigned char seen = 0;
    char* key = text_.data() + key_at;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        seen |= c;
        key[i] = static_cast<char>(static_cast<unsigned>(c - 'A') < 26u ? c + 32 : c);
    }
    const bool ascii = seen < 0x80;
    if (!ascii) {
        text_.resize(key_at);
        text_ += FoldCase(name);
    }
    entries_.push_back({0, static_cast<std::uint32_t>(name_at),
                        static_cast<std::uint32_t>(name.size()), static_cast<std::uint32_t>(key_at),
                        static_cast<std::uint32_t>(text_.size() - key_at), type, ascii});
}

void FolderListing::Sort() {
    for (Entry& entry : entries_) {
        entry.key_head = HeadOf(Key(entry));
    }
    std::sort(entries_.begin(), entries_.end(), [this](const Entry& a, const Entry& b) {
        if (a.key_head != b.key_head) {
            return a.key_head < b.key_head;
        }
        const int by_key = Key(a).compare(Key(b));
        return by_key != 0 ? by_key < 0 : Name(a) < Name(b);
    });
}

}  // namespace orvella
