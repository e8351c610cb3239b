#include "tools/file_mask.h"

#include <algorithm>
#include <utility>

#include "platform/text.h"

namespace orvella {
namespace {

std::vector<std::string_view> Characters(std::string_view text) {
    std::vector<std::string_view> characters;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8CharacterLength(text, i);
        characters.push_back(text.substr(i, length));
        i += length;
    }
    return characters;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

FileMask::FileMask(std::string_view mask) {
    if (mask == "*" || mask == "*.*") {
        shape_ = Shape::Everything;
        return;
    }
    const std::string folded = FoldCase(mask);
    const std::vector<std::string_view> characters = Characters(folded);
    // The rewriting the Windows directory search applies to a mask before matching.
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const std::string_view c = characters[i];
        const std::string_view next =
            i + 1 < characters.size() ? characters[i + 1] : std::string_view();
        if (c == "?") {
            tokens_.push_back({Token::QuestionMark, {}});
        } else if (c == "*") {
            tokens_.push_back({next == "." ? Token::RunToLastDot : Token::AnyRun, {}});
        } else if (c == "." && (next.empty() || next == "*" || next == "?")) {
            tokens_.push_back({Token::Dot, {}});
        } else {
            tokens_.push_back({Token::Character, std::string(c)});
        }
    }
    // A star and then plain characters: the name has to end with them. For a run to the
    // last dot that holds too, since the characters begin with a "." at or before it.
    const bool plain_tail =
        std::all_of(tokens_.begin() + (tokens_.empty() ? 0 : 1), tokens_.end(),
                    [](const MaskToken& token) { return token.kind == Token::Character; });
    if (tokens_.size() > 1 && plain_tail &&
        (tokens_[0].kind == Token::AnyRun || tokens_[0].kind == Token::RunToLastDot) &&
        IsAscii(folded)) {
        shape_ = Shape::Suffix;
        suffix_ = folded.substr(1);
    }
}

bool FileMask::MatchesFolded(std::string_view folded_name) const {
    return MatchesFolded(folded_name, IsAscii(folded_name));
}

bool FileMask::MatchesFolded(std::string_view folded_name, bool ascii) const {
    switch (shape_) {
        case Shape::Everything:
            return true;
        case Shape::Suffix:
            // A name with other than ASCII bytes may split into characters that a byte
            // comparison would cut through: it takes the general way.
            if (ascii) {
                return folded_name.ends_with(suffix_);
            }
            return MatchesGeneral(folded_name);
        case Shape::General:
            return MatchesGeneral(folded_name);
    }
    return false;
}

namespace {

// Memoised, so masks with many stars stay linear in the name per token.
template <typename Tokens, typename TokenKind>
class Matcher {
public:
    Matcher(const Tokens& tokens, std::vector<std::string_view> name)
        : tokens_(tokens),
          name_(std::move(name)),
          tried_((tokens_.size() + 1) * (name_.size() + 1), false) {
        for (std::size_t i = 0; i < name_.size(); ++i) {
            if (name_[i] == ".") {
                last_dot_ = i;
            }
        }
    }

    bool Match(std::size_t t, std::size_t n) {
        if (t == tokens_.size()) {
            return n == name_.size();
        }
        const std::size_t key = t * (name_.size() + 1) + n;
        if (tried_[key]) {
            return false;
        }
        tried_[key] = true;
        const bool at_end = n == name_.size();
        switch (tokens_[t].kind) {
            case TokenKind::Character:
                return !at_end && name_[n] == tokens_[t].character && Match(t + 1, n + 1);
            case TokenKind::AnyRun:
                return MatchRun(t, n, name_.size());
            case TokenKind::RunToLastDot: {
                const bool dot_ahead = last_dot_ != kNone && last_dot_ >= n;
                return MatchRun(t, n, dot_ahead ? last_dot_ : name_.size());
            }
            case TokenKind::QuestionMark:
                if (at_end || name_[n] == ".") {
                    return Match(t + 1, n);
                }
                return Match(t + 1, n + 1);
            case TokenKind::Dot:
                return (!at_end && name_[n] == "." && Match(t + 1, n + 1)) ||
                       (at_end && Match(t + 1, n));
        }
        return false;
    }

private:
    bool MatchRun(std::size_t t, std::size_t n, std::size_t limit) {
        for (std::size_t k = n; k <= limit; ++k) {
            if (Match(t + 1, k)) {
                return true;
            }
        }
        return false;
    }

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    const Tokens& tokens_;
    std::vector<std::string_view> name_;
    std::vector<bool> tried_;
    std::size_t last_dot_ = kNone;
};

}  // namespace

bool FileMask::MatchesGeneral(std::string_view folded_name) const {
    Matcher<std::vector<MaskToken>, Token> matcher(tokens_, Characters(folded_name));
    return matcher.Match(0, 0);
}

bool MaskMatches(std::string_view mask, std::string_view name) {
    return FileMask(mask).MatchesFolded(FoldCase(name));
}

}  // namespace orvella
