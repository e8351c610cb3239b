#include "tools/file_mask.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/text.h"

namespace orvella {
namespace {

enum class Token { Character, AnyRun, RunToLastDot, QuestionMark, Dot };

struct MaskToken {
    Token kind;
    std::string_view character;  // for Token::Character: one folded UTF-8 sequence
};

std::vector<std::string_view> Characters(std::string_view text) {
    std::vector<std::string_view> characters;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8CharacterLength(text, i);
        characters.push_back(text.substr(i, length));
        i += length;
    }
    return characters;
}

// The rewriting the Windows directory search applies to a mask before matching.
std::vector<MaskToken> Tokens(const std::vector<std::string_view>& mask) {
    std::vector<MaskToken> tokens;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const std::string_view c = mask[i];
        const std::string_view next = i + 1 < mask.size() ? mask[i + 1] : std::string_view();
        if (c == "?") {
            tokens.push_back({Token::QuestionMark, {}});
        } else if (c == "*") {
            tokens.push_back({next == "." ? Token::RunToLastDot : Token::AnyRun, {}});
        } else if (c == "." && (next.empty() || next == "*" || next == "?")) {
            tokens.push_back({Token::Dot, {}});
        } else {
            tokens.push_back({Token::Character, c});
        }
    }
    return tokens;
}

class Matcher {
public:
    Matcher(std::vector<MaskToken> tokens, std::vector<std::string_view> name)
        : tokens_(std::move(tokens)),
          name_(std::move(name)),
          tried_((tokens_.size() + 1) * (name_.size() + 1), false) {
        for (std::size_t i = 0; i < name_.size(); ++i) {
            if (name_[i] == ".") {
                last_dot_ = i;
            }
        }
    }

    // Memoised, so masks with many stars stay linear in the name per token.
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
            case Token::Character:
                return !at_end && name_[n] == tokens_[t].character && Match(t + 1, n + 1);
            case Token::AnyRun:
                for (std::size_t k = n; k <= name_.size(); ++k) {
                    if (Match(t + 1, k)) {
                        return true;
                    }
                }
                return false;
            case Token::RunToLastDot: {
                const bool dot_ahead = last_dot_ != kNone && last_dot_ >= n;
                const std::size_t limit = dot_ahead ? last_dot_ : name_.size();
                for (std::size_t k = n; k <= limit; ++k) {
                    if (Match(t + 1, k)) {
                        return true;
                    }
                }
                return false;
            }
            case Token::QuestionMark:
                if (at_end || name_[n] == ".") {
                    return Match(t + 1, n);
                }
                return Match(t + 1, n + 1);
            case Token::Dot:
                return (!at_end && name_[n] == "." && Match(t + 1, n + 1)) ||
                       (at_end && Match(t + 1, n));
        }
        return false;
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::vector<MaskToken> tokens_;
    std::vector<std::string_view> name_;
    std::vector<bool> tried_;
    std::size_t last_dot_ = kNone;
};

}  // namespace

bool MaskMatches(std::string_view mask, std::string_view name) {
    if (mask == "*" || mask == "*.*") {
        return true;
    }
    const std::string folded_mask = FoldCase(mask);
    const std::string folded_name = FoldCase(name);
    Matcher matcher(Tokens(Characters(folded_mask)), Characters(folded_name));
    return matcher.Match(0, 0);
}

}  // namespace orvella
