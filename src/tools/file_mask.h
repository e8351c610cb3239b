#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvella {

// Whether a directory entry's name matches a file mask in the manner of the Windows
// directory search (FindFirst): without regard to case, "*" for any characters, "?" for
// one character; "*.*" matches every name, also one without an extension; a "." before
// a wildcard or at the end also matches the end of a name ("a.*" matches "a", "*." only
// names without an extension); "?" at a "." or at the end matches nothing ("a?.txt"
// matches "a.txt"); "*" before a "." stops short of the name's last ".". Short 8.3 names
// have no part in it: "*.htm" does not match "a.html".
bool MaskMatches(std::string_view mask, std::string_view name);

// A mask prepared once for matching the many names of a walk. The common masks ("*.*",
// "*.jpg") take a shortcut that needs no allocation.
class FileMask {
public:
    explicit FileMask(std::string_view mask);

    // `folded_name` is the entry's name after FoldCase.
    bool MatchesFolded(std::string_view folded_name) const;
    // The same for a caller that knows whether the name is plain ASCII.
    bool MatchesFolded(std::string_view folded_name, bool ascii) const;

private:
    enum class Shape { Everything, Suffix, General };
    enum class Token { Character, AnyRun, RunToLastDot, QuestionMark, Dot };
    struct MaskToken {
        Token kind;
        std::string character;  // for Token::Character: one folded UTF-8 sequence
    };

    bool MatchesGeneral(std::string_view folded_name) const;

    Shape shape_ = Shape::General;
    std::string suffix_;  // Shape::Suffix: the folded text after the leading "*"
    std::vector<MaskToken> tokens_;
};

}  // namespace orvella
