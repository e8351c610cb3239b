#include "tools/file_mask.h"

#include <gtest/gtest.h>

#include "tools/file_attributes.h"

namespace orvella {
namespace {

TEST(MaskMatches, MatchesAsTheWindowsDirectorySearchWithoutRegardToCase) {
    struct Case {
        const char* mask;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"*.*", "a.jpg", true},
        {"*.*", "README", true},
        {"*", "a.b.c", true},
        {"*.jpg", "a.jpg", true},
        {"*.jpg", "A.JPG", true},
        {"*.JPG", "bild.jpg", true},
        {"*.jpg", "a.b.jpg", true},
        {"*.jpg", "a.jpeg", false},
        {"*.jpg", "a.jpg.bak", false},
        {"*.jpg", "jpg", false},
        {"*.htm", "a.html", false},
        {"*.html", "a.html", true},
        {"a?.txt", "ab.txt", true},
        {"a?.txt", "a.txt", true},
        {"a?.txt", "abc.txt", false},
        {"a??", "a", true},
        {"bild.*", "bild", true},
        {"bild.*", "bild.png", true},
        {"bild.*", "bilder.png", false},
        {"*.", "README", true},
        {"*.", "a.txt", false},
        {"*bild*", "Urlaubsbilder.png", true},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYbZ", false},
        {"\xC3\xA4*.png", "\xC3\x84pfel.png", true},  // "ä*" finds "Äpfel"
        {"?pfel.png", "\xC3\x84pfel.png", true},
        {"foto.png", "foto.png", true},
        {"foto.png", "foto2.png", false},
        // Names that are not UTF-8 (Latin-1 from old disks): a high byte is one character.
        {"*.png", "caf\xE9.png", true},
        {"*.png", "\xFF.png", true},
        {"*.jpg",
         "Gr\xFC\xDF"
         "e.jpg",
         true},
        {"caf?.png", "caf\xE9.png", true},
        {"?.png", "\xE9\xE9.png", false},
        {"caf\xE9.*", "CAF\xE9.png", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MaskMatches(c.mask, c.name), c.matches) << c.mask << " / " << c.name;
    }
}

TEST(AttributeRule, AcceptsEntriesWithoutAttributesOrWithOneAskedFor) {
    using enum TFileAttribute;
    const TFileAttributes plain_folder{ffDirectory};
    const TFileAttributes read_only_folder{ffDirectory, ffReadonly};
    const TFileAttributes file{ffArchive};
    const TFileAttributes nothing;

    EXPECT_FALSE(AttributeRuleAccepts(plain_folder, kDefaultSearchAttributes, false));
    EXPECT_TRUE(AttributeRuleAccepts(read_only_folder, kDefaultSearchAttributes, false));
    EXPECT_TRUE(AttributeRuleAccepts(file, kDefaultSearchAttributes, false));
    EXPECT_TRUE(AttributeRuleAccepts(nothing, TFileAttributes{ffSystem}, false));
    EXPECT_FALSE(AttributeRuleAccepts(file, TFileAttributes{ffSystem}, false));

    EXPECT_TRUE(AttributeRuleAccepts(file, TFileAttributes{ffArchive}, true));
    EXPECT_FALSE(AttributeRuleAccepts(TFileAttributes{ffArchive, ffReadonly},
                                      TFileAttributes{ffArchive}, true));
    EXPECT_FALSE(AttributeRuleAccepts(file, kDefaultSearchAttributes, true));
}

TEST(HostAttributes, MapsModesAsSambaAndWineDo) {
    using enum TFileAttribute;
    EXPECT_EQ(HostAttributes("a.jpg", 0100644), (TFileAttributes{ffArchive}));
    EXPECT_EQ(HostAttributes("a.jpg", 0100444), (TFileAttributes{ffArchive, ffReadonly}));
    EXPECT_EQ(HostAttributes(".a.jpg", 0100644), (TFileAttributes{ffArchive, ffHidden}));
    EXPECT_EQ(HostAttributes("Bilder", 040755), (TFileAttributes{ffDirectory}));
    EXPECT_EQ(HostAttributes("Bilder", 040555), (TFileAttributes{ffDirectory, ffReadonly}));
    EXPECT_EQ(HostAttributes("fifo", 010644), TFileAttributes{});
}

}  // namespace
}  // namespace orvella
