#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvella {

// The exclude list of a search, prepared for many lookups: a list may hold a whole library
// (the search window excludes the pictures already filed), and most of its patterns are
// plain names, which FileMatches only lets match a file of the same name. Those are found by
// their name; patterns with wildcards in their name are tried one by one.
class ExcludeList {
public:
    ExcludeList() = default;
    explicit ExcludeList(std::vector<std::string> patterns);

    // Whether FileMatches(file, pattern) holds for one of the patterns.
    bool Excludes(std::string_view file) const;
    bool empty() const { return patterns_.empty(); }

private:
    std::vector<std::string> patterns_;
    std::unordered_multimap<std::string, std::size_t> plain_by_name_;  // upper-cased names
    std::vector<std::size_t> wild_;
};

}  // namespace orvella
