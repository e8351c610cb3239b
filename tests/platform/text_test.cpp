#include "platform/text.h"

#include <gtest/gtest.h>

namespace orvella {
namespace {

TEST(TextTest, DecodesWindows1252OnlyWhenTheBytesAreNotUtf8) {
    // "Größe €" as Windows-1252 bytes.
    EXPECT_EQ(DecodeSystemText("Gr\xF6\xDF"
                               "e \x80"),
              "Größe €");
    EXPECT_EQ(DecodeSystemText("Größe"), "Größe");
    EXPECT_EQ(DecodeSystemText("\xEF\xBB\xBFKey=1"), "Key=1");
    // The five bytes Windows-1252 leaves undefined become their C1 control, never lost.
    EXPECT_EQ(Windows1252ToUtf8("\x81"), "\xC2\x81");
    EXPECT_FALSE(IsValidUtf8("\xC3"));          // truncated sequence
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));
}

TEST(TextTest, FoldsCaseOfAsciiAndLatinLettersLikeWindows) {
    EXPECT_TRUE(EqualsIgnoreCase("C:\\Bilder\\ÄPFEL.JPG", "c:\\bilder\\äpfel.jpg"));
    EXPECT_TRUE(EqualsIgnoreCase("ŁÓDŹ", "łódź"));
    EXPECT_TRUE(EqualsIgnoreCase("Ÿ", "ÿ"));
    EXPECT_FALSE(EqualsIgnoreCase("a", "b"));
    EXPECT_FALSE(EqualsIgnoreCase("×", "÷"));  // not a letter pair
    // Folding keeps each character's length, which lets a comparison stop at the lengths.
    for (char32_t cp = 1; cp < 0x800; ++cp) {
        const std::string one = cp < 0x80 ? std::string(1, static_cast<char>(cp))
                                          : std::string{static_cast<char>(0xC0 | (cp >> 6)),
                                                        static_cast<char>(0x80 | (cp & 0x3F))};
        EXPECT_EQ(FoldCase(one).size(), one.size()) << static_cast<unsigned>(cp);
    }
    EXPECT_FALSE(EqualsIgnoreCase("ä", "a"));
    EXPECT_TRUE(StartsWithIgnoreCase("HKEY_Current_User", "hkey_"));
    EXPECT_EQ(TrimBlanks(" \t a b \t"), "a b");
}

}  // namespace
}  // namespace orvella
