#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/integer_text.h"
#include "settings/placement_entries.h"
#include "settings/property_text.h"
#include "settings/stored_text.h"

namespace orvella {
namespace {

const std::vector<std::string> kFontStyles = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

TEST(TextFormsTest, StoredBooleansAreMinusOneAndZeroAndEveryOtherIntegerIsTrue) {
    EXPECT_EQ(BoolToStoredText(true), "-1");
    EXPECT_EQ(BoolToStoredText(false), "0");
    for (const char* text : {"-1", "1", "7", " 2 "})
        EXPECT_TRUE(StoredTextToBool(text)) << text;
    for (const char* text : {"0", "", "abc", "True", "1x"})
        EXPECT_FALSE(StoredTextToBool(text)) << text;
    EXPECT_EQ(StoredTextToInt(" -5 "), -5);
    EXPECT_EQ(StoredTextToInt("x"), 0);
    EXPECT_EQ(StoredTextToInt("x", 9), 9);
    EXPECT_EQ(StoredTextToInt("99999999999", 9), 9);
    EXPECT_EQ(IntToStoredText(-2147483647 - 1), "-2147483648");
}

TEST(TextFormsTest, IntegersAreWholeDecimalNumbersOf32Bits) {
    EXPECT_EQ(ParseInteger("0"), 0);
    EXPECT_EQ(ParseInteger("+8"), 8);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
    for (const char* text :
         {"", "-", "+", "+-1", "1 ", " 1", "0x10", "$10", "12abc", "1e3", "2147483648"}) {
        EXPECT_EQ(ParseInteger(text), std::nullopt) << text;
    }
}

TEST(TextFormsTest, SetTextIsReadLeniently) {
    EXPECT_EQ(ParseSet(kFontStyles, "fsBold, fsItalic"), 0b0011u);
    EXPECT_EQ(ParseSet(kFontStyles, " [ fsItalic ] "), 0b0010u);
    EXPECT_EQ(ParseSet(kFontStyles, "[,fsStrikeOut,,]"), 0b1000u);
    EXPECT_EQ(ParseSet(kFontStyles, "[fsWide]"), 0u);
    // Bits past the names have no name to be written under.
    EXPECT_EQ(FormatSet(kFontStyles, 0xFFFFFFFFu), "[fsBold,fsItalic,fsUnderline,fsStrikeOut]");

    std::vector<std::string> many;
    for (int i = 0; i < 32; ++i)
        many.push_back("m" + std::to_string(i));
    EXPECT_EQ(FormatSet(many, 0x80000001u), "[m0,m31]");
    EXPECT_EQ(ParseSet(many, "[m31,M0]"), 0x80000001u);
}

TEST(TextFormsTest, QuadsAreFourIntegersAsScanfReadsThem) {
    using Quad = std::array<std::int32_t, 4>;
    EXPECT_EQ(FormatQuad({-1, -1, -8, -8}), "-1,-1,-8,-8");
    EXPECT_EQ(ParseQuad("-1,-1,-8,-8"), (Quad{-1, -1, -8, -8}));
    EXPECT_EQ(ParseQuad(" 1,\t2, 3,4 "), (Quad{1, 2, 3, 4}));
    for (const char* text : {"", "1,2,3", "1,2,3,4,", "1,2,3,4,5", "1 ,2,3,4", "1,2,3,x"})
        EXPECT_EQ(ParseQuad(text), std::nullopt) << text;
}

}  // namespace
}  // namespace orvella
