#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace orvella {

class ProfileDocument;

// Writes a profile file line by line, for a writer that knows the whole file in its order:
// each section once, each key of a section once. The lines are those a ProfileDocument
// given the same SetValue calls would hold, and the same pairs are refused. The text goes
// to `flush` in pieces as it grows, so a large file never stands in memory whole.
class ProfileWriter {
public:
    using Flush = std::function<void(std::string_view)>;
    // Without `flush` the text stays here for Text().
    explicit ProfileWriter(Flush flush = {});

    void Section(std::string_view name);
    // A refused pair is left out and kept in refused(), which fails the whole file.
    void Entry(std::string_view key, std::string_view value);
    // The lines of a whole document.
    void Lines(const ProfileDocument& document);
    // Hands what is left to `flush`.
    void Finish();

    const std::string& Text() const { return text_; }
    const Status& refused() const { return refused_; }

private:
    void Grew();

    Flush flush_;
    std::string text_;
    std::string section_;
    Status refused_;
};

}  // namespace orvella
