#include "platform/profile/profile_writer.h"

#include "platform/profile/profile_document.h"
#include "platform/text.h"

namespace orvella {
namespace {

// Large enough that a write call carries many lines, small enough to stay in the cache.
constexpr std::size_t kPiece = std::size_t{128} << 10;

}  // namespace

ProfileWriter::ProfileWriter(Flush flush) : flush_(std::move(flush)) {
    if (flush_)
        text_.reserve(kPiece + 4096);
}

void ProfileWriter::Section(std::string_view name) {
    section_ = std::string(name);
    text_.append("[").append(TrimBlanks(name)).append("]\r\n");
    Grew();
}

void ProfileWriter::Entry(std::string_view key, std::string_view value) {
    if (Status writable = ProfileDocument::Writable(section_, key, value); !writable) {
        if (refused_)
            refused_ = std::move(writable);
        return;
    }
    text_.append(TrimBlanks(key)).append("=").append(StoredProfileValue(value)).append("\r\n");
    Grew();
}

void ProfileWriter::Lines(const ProfileDocument& document) {
    text_.append(document.Serialize());
    Grew();
}

void ProfileWriter::Finish() {
    if (flush_ && !text_.empty()) {
        flush_(text_);
        text_.clear();
    }
}

void ProfileWriter::Grew() {
    if (flush_ && text_.size() >= kPiece)
        Finish();
}

}  // namespace orvella
