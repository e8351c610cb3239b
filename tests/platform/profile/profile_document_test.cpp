#include "platform/profile/profile_document.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "platform/profile/profile_writer.h"
#include "platform/text.h"

namespace orvella {
namespace {

TEST(ProfileDocumentTest, ReadsNamesAndValuesWithTheWindowsRules) {
    const ProfileDocument document = ProfileDocument::Parse(
        "[ Categories ]\r\n"
        "Cat_0=\r\n"
        "  Cat_1  =  x  \r\n"
        "[Cat_0.Details]\n"
        "Name=\"  quoted  \"\n"
        "Icon='Icons\\a.bmp'\n"
        "Half=\"open\n"
        "Eq=a=b=c\n"
        "; a comment\n"
        "NoEquals\n");
    EXPECT_EQ(document.SectionNames(), (std::vector<std::string>{"Categories", "Cat_0.Details"}));
    EXPECT_EQ(document.KeyNames("CATEGORIES"), (std::vector<std::string>{"Cat_0", "Cat_1"}));
    EXPECT_EQ(document.Value("categories", "cat_1"), "x");
    EXPECT_EQ(document.Value("Categories", "Cat_0"), "");
    EXPECT_EQ(document.Value("Cat_0.Details", "Name"), "  quoted  ");
    EXPECT_EQ(document.Value("Cat_0.Details", "Icon"), "Icons\\a.bmp");
    EXPECT_EQ(document.Value("Cat_0.Details", "Half"), "\"open");
    EXPECT_EQ(document.Value("Cat_0.Details", "Eq"), "a=b=c");
    EXPECT_EQ(document.Value("Cat_0.Details", "NoEquals"), "");
    EXPECT_FALSE(document.HasKey("Cat_0.Details", "; a comment"));
    EXPECT_FALSE(document.Value("Cat_0.Details", "Missing").has_value());
    EXPECT_FALSE(document.Value("Missing", "Name").has_value());
}

TEST(ProfileDocumentTest, DuplicatesAnswerWithTheFirstAndListAsTheyStand) {
    ProfileDocument document =
        ProfileDocument::Parse("[A]\nk=1\nK=2\n[b]\nx=1\n[a]\nk=3\nother=4\n");
    EXPECT_EQ(document.Value("A", "k"), "1");
    EXPECT_EQ(document.KeyNames("a"), (std::vector<std::string>{"k", "K"}));
    // Also when the keys are asked for in their order, and after the first one went.
    EXPECT_EQ(document.Value("A", "K"), "1");
    ProfileDocument without_first = document;
    EXPECT_TRUE(without_first.DeleteKey("a", "k"));
    EXPECT_EQ(without_first.Value("A", "k"), "2");
    EXPECT_EQ(document.SectionNames(), (std::vector<std::string>{"A", "b"}));
    EXPECT_FALSE(document.HasKey("A", "other"));  // the second [a] is not looked at
    EXPECT_TRUE(document.EraseSection("A"));      // erases both
    EXPECT_EQ(document.SectionNames(), (std::vector<std::string>{"b"}));
    EXPECT_EQ(document.Serialize(), "[b]\r\nx=1\r\n");
}

TEST(ProfileDocumentTest, WritesKeepUntouchedLinesAndTheKeysSpelling) {
    ProfileDocument document = ProfileDocument::Parse(
        "; header comment\n[Wallpaper]\n  LVSort = 0 \nkeep=me\n\n[Options]\nx=1\n");
    document.SetValue("WALLPAPER", "lvsort", "-1");
    document.SetValue("Wallpaper", "New", "v");
    document.SetValue("Custom", "ActiveCat", "2");
    EXPECT_EQ(document.Serialize(),
              "; header comment\r\n[Wallpaper]\r\nLVSort=-1\r\nkeep=me\r\nNew=v\r\n\r\n"
              "[Options]\r\nx=1\r\n[Custom]\r\nActiveCat=2\r\n");

    // Two paths that differ only in case are one key; the first spelling stays.
    document.SetValue("Cat_1.Wallpapers", "/Pics/A.jpg", "");
    document.SetValue("Cat_1.Wallpapers", "/pics/a.JPG", "");
    EXPECT_EQ(document.KeyNames("Cat_1.Wallpapers"), (std::vector<std::string>{"/Pics/A.jpg"}));

    // A key with "=" in it would be read back cut there: refused, and remembered.
    const std::string before = document.Serialize();
    EXPECT_FALSE(document.SetValue("Eq", "/a=b.jpg", "").ok());
    EXPECT_EQ(document.Serialize(), before);
    EXPECT_FALSE(document.refused().ok());

    EXPECT_TRUE(document.DeleteKey("wallpaper", "KEEP"));
    EXPECT_FALSE(document.DeleteKey("wallpaper", "keep"));
    EXPECT_EQ(document.KeyNames("Wallpaper"), (std::vector<std::string>{"LVSort", "New"}));
    // After a delete the index still finds what follows it.
    EXPECT_EQ(document.Value("Wallpaper", "New"), "v");
}

// Random names and values of the characters that mean something in a profile file: each
// write reads back the same, or is refused and changes nothing.
TEST(ProfileDocumentTest, WhatIsWrittenReadsBackTheSameOrIsRefused) {
    std::mt19937 random(20);
    const std::string alphabet = "aA \t=[];\r\n\"'%";
    const auto text = [&](std::size_t longest) {
        std::string out(random() % (longest + 1), ' ');
        for (char& c : out)
            c = alphabet[random() % alphabet.size()];
        return out;
    };
    ProfileDocument document = ProfileDocument::Parse("; kept\r\n[Fixed]\r\nkeep=me\r\n");
    std::map<std::pair<std::string, std::string>, std::string> written;  // by folded names
    int refused = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::string section = text(3), key = text(3), value = text(6);
        const std::string before = document.Serialize();
        if (!document.SetValue(section, key, value).ok()) {
            ++refused;
            EXPECT_EQ(document.Serialize(), before);
            continue;
        }
        written[{FoldCase(TrimBlanks(section)), FoldCase(TrimBlanks(key))}] = value;
    }
    const ProfileDocument read = ProfileDocument::Parse(document.Serialize());
    std::size_t entries = 0;
    for (const std::string& section : read.SectionNames())
        entries += read.KeyNames(section).size();
    EXPECT_EQ(entries, written.size() + 1);
    for (const auto& [names, value] : written)
        EXPECT_EQ(read.Value(names.first, names.second), value)
            << names.first << "/" << names.second;
    EXPECT_EQ(read.Value("Fixed", "keep"), "me");
    EXPECT_TRUE(read.Serialize().starts_with("; kept\r\n[Fixed]\r\nkeep=me\r\n"));
    EXPECT_GT(refused, 1000);
    EXPECT_GT(written.size(), 200u);
}

TEST(ProfileDocumentTest, AWriterWritesTheLinesOfTheSameSetValueCalls) {
    const std::vector<std::pair<std::string, std::string>> entries = {
        {" Key ", "plain"}, {"Blank", " both "}, {"Quote", "\"q\""},    {"Single", "'s'"},
        {"Empty", ""},      {"Tab", "a\t"},      {"Inner", "a \"b\" c"}};
    ProfileDocument document;
    ProfileWriter writer;
    for (const char* section : {" First ", "Second"}) {
        writer.Section(section);
        for (const auto& [key, value] : entries) {
            ASSERT_TRUE(document.SetValue(section, key, value).ok());
            writer.Entry(key, value);
        }
    }
    EXPECT_EQ(writer.Text(), document.Serialize());
    ASSERT_TRUE(writer.refused().ok());

    writer.Entry("Broken", "a\nb");
    EXPECT_EQ(writer.Text(), document.Serialize());
    EXPECT_EQ(writer.refused().message(), document.SetValue("Second", "Broken", "a\nb").message());
}

TEST(ProfileDocumentTest, SerializedTextParsesToTheSameDocument) {
    const std::string text = "stray line before any section\n[S]\nk=v\n\n[T]\n=empty key\n[";
    const ProfileDocument once = ProfileDocument::Parse(text);
    const ProfileDocument twice = ProfileDocument::Parse(once.Serialize());
    EXPECT_EQ(once.Serialize(), twice.Serialize());
    EXPECT_EQ(twice.SectionNames(), (std::vector<std::string>{"S", "T", ""}));
}

TEST(ProfileDocumentTest, IntegersFollowTheHexPrefixRule) {
    EXPECT_EQ(ParseProfileInteger("42"), 42);
    EXPECT_EQ(ParseProfileInteger(" -7 "), -7);
    EXPECT_EQ(ParseProfileInteger("0x1F"), 31);
    EXPECT_EQ(ParseProfileInteger("0XfF"), 255);
    EXPECT_EQ(ParseProfileInteger("12abc"), 12);
    EXPECT_EQ(ParseProfileInteger("0xFFFFFFFF"), -1);
    EXPECT_FALSE(ParseProfileInteger("abc").has_value());
    EXPECT_FALSE(ParseProfileInteger("").has_value());
    EXPECT_FALSE(ParseProfileInteger("0x").has_value());
    EXPECT_FALSE(ParseProfileInteger("-").has_value());
}

}  // namespace
}  // namespace orvella
