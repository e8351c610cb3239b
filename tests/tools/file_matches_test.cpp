#include "tools/file_matches.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/exclude_list.h"

namespace orvella {
namespace {

struct MatchCase {
    const char* file;
    const char* pattern;
    bool matches;
};

void ExpectMatches(std::initializer_list<MatchCase> cases) {
    for (const MatchCase& c : cases) {
        EXPECT_EQ(FileMatches(c.file, c.pattern), c.matches)
            << "file " << c.file << ", pattern " << c.pattern;
    }
}

TEST(FileMatches, ExcludePatternOfAFullPathMatchesItsFolderAtTheEndOfAnyFolder) {
    ExpectMatches({
        {"C:\\Bilder\\a.jpg", "C:\\Bilder\\a.jpg", true},
        {"C:\\Alt\\Bilder\\a.jpg", "C:\\Bilder\\a.jpg", true},
        {"D:\\Bilder\\a.jpg", "C:\\Bilder\\a.jpg", false},
        {"C:\\Bilder2\\a.jpg", "C:\\Bilder\\a.jpg", false},
        {"C:\\XBilder\\a.jpg", "C:\\Bilder\\a.jpg", false},
        {"C:\\Bilder\\b.jpg", "C:\\Bilder\\a.jpg", false},
        {"c:\\bilder\\A.JPG", "C:\\Bilder\\a.jpg", true},
        {"D:\\Bilder\\a.jpg", "?:\\Bilder\\a.jpg", true},
        {"D:\\Bilder\\a.jpg", "*:\\Bilder\\a.jpg", true},
        {"C:\\Bilder\\a.jpg", "\\Bilder\\a.jpg", true},
        {"C:\\a.jpg", "C:\\a.jpg", true},
        // The pattern's folder may not reach into the file's drive.
        {"C:\\a.jpg", "C:\\Bilder\\a.jpg", false},
        {"C:\\Bilder\\a.jpg", "a.jpg", true},
        {"C:\\Bilder\\a.jpg", "C:\\Bilder\\", true},
    });
    // The same on host paths, where no drive letter comes first.
    ExpectMatches({
        {"/Bilder/a.jpg", "/Bilder/a.jpg", true},
        {"/Alt/Bilder/a.jpg", "/Bilder/a.jpg", true},
        {"/Bilder2/a.jpg", "/Bilder/a.jpg", false},
        {"/XBilder/a.jpg", "/Bilder/a.jpg", false},
        {"/Bilder/b.jpg", "/Bilder/a.jpg", false},
        {"/bilder/A.JPG", "/Bilder/a.jpg", true},
        {"/a.jpg", "/a.jpg", true},
        {"/a.jpg", "/Bilder/a.jpg", false},
        {"/Bilder/a.jpg", "a.jpg", true},
        {"/home/me/Bilder/a.jpg", "/home/me/Bilder/", true},
    });
}

TEST(FileMatches, WildcardsOfTheNameStopAtDots) {
    ExpectMatches({
        {"C:\\x\\abc.jpg", "*.jpg", true},
        {"/x/abc.jpg", "*.jpg", true},
        {"/x/abc.jpeg", "*.jpg", false},
        {"/x/abc.jpg", "a?c.jpg", true},
        {"/x/ac.jpg", "a?c.jpg", false},
        // "?" before a dot of the name is passed over; trailing wildcards are ignored.
        {"/x/ab.jpg", "ab?.jpg", true},
        {"/x/ab.jpg", "ab.jpg*?", true},
        {"/x/abc.jpg", "*.*", true},
        {"/x/abc.jpg", "a*", false},
        {"/x/a.b.jpg", "*.jpg", false},
        {"/x/a.b.jpg", "*.*.jpg", true},
        // "?" stands for one character, not for one byte of it.
        {"/x/\xC3\xA4.jpg", "?.jpg", true},
        {"/x/\xC3\xA4\xC3\xB6.jpg", "?.jpg", false},
        {"/x/\xC3\xA4.jpg", "\xC3\xA4.JPG", true},
        // A high byte that starts no UTF-8 sequence (Latin-1) is one character of its own.
        {"/x/caf\xE9.png", "caf?.png", true},
        {"/x/\xFF.png", "?.png", true},
        {"/x/\xE9\xE9.png", "?.png", false},
        {"/x/Gr\xFC\xDF"
         "e.jpg",
         "*.jpg", true},
    });
}

TEST(RemoveTrailingBackslash, KeepsDriveRootsAndSingleCharacters) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\", "C:\\"},
        {"C:\\Bilder\\", "C:\\Bilder"},
        {"C:\\Bilder", "C:\\Bilder"},
        {"\\", "\\"},
        {"Bilder\\\\", "Bilder\\"},
        {"", ""},
        {"/", "/"},
        {"/Bilder/", "/Bilder"},
        {"/Bilder", "/Bilder"},
        {"/home/me/", "/home/me"},
        {"Bilder/", "Bilder"},
        {"a", "a"},
        {"/home/a\\b/", "/home/a\\b"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(RemoveTrailingBackslash(text), expected) << text;
    }
}

// The list looks plain names up by name: it must exclude exactly what FileMatches does.
TEST(ExcludeList, ExcludesWhatOneOfItsPatternsMatches) {
    const std::vector<std::string> files = {"/home/me/Bilder/a.jpg",
                                            "/home/me/bilder/A.JPG",
                                            "/Bilder/a.jpg",
                                            "/x/Bilder2/a.jpg",
                                            "/x/b.jpg",
                                            "/x/a.jpeg",
                                            "C:\\Bilder\\a.jpg",
                                            "/x/a.jpg.bak",
                                            "/x/\xC3\xA4.jpg",
                                            "/x/\xC3\x84.jpg"};
    const std::vector<std::string> patterns = {
        "/Bilder/a.jpg", "a.JPG", "C:\\Bilder\\a.jpg", "/x/*.jpeg",    "*.bak",
        "/x/",           "b?jpg", "/x/\xC3\xA4.jpg",   "Bilder\\a.jpg"};
    for (const std::string& file : files) {
        bool any = false;
        for (const std::string& pattern : patterns) {
            EXPECT_EQ(ExcludeList({pattern}).Excludes(file), FileMatches(file, pattern))
                << file << " / " << pattern;
            any = any || FileMatches(file, pattern);
        }
        EXPECT_EQ(ExcludeList(patterns).Excludes(file), any) << file;
    }
    EXPECT_FALSE(ExcludeList().Excludes("/x/a.jpg"));
}

}  // namespace
}  // namespace orvella
