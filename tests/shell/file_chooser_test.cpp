#include "shell/file_chooser.h"

#include <gtest/gtest.h>

namespace orvella {
namespace {

TEST(WindowsFilterTest, SplitsDescriptionsAndPatternsAsTheDialogsGiveThem) {
    // The category icon dialog's filter; its first text ends in two closing brackets.
    const std::vector<FileFilter> icons = ParseWindowsFilter(
        "Alle (*.bmp, *.ico, *.jpg, *.jpeg, *.wmf))|*.bmp;*.ico;*.jpg;*.jpeg;*.wmf|"
        "Bitmaps (*.bmp)|*.bmp|Symbole (*.ico)|*.ico|JPEG-Dateien (*.jpg, *.jpeg)|*.jpg;*.jpeg|"
        "WMF-Dateien (*.wmf)|*.wmf");
    ASSERT_EQ(icons.size(), 5u);
    EXPECT_EQ(icons[0], (FileFilter{"Alle (*.bmp, *.ico, *.jpg, *.jpeg, *.wmf))",
                                    {"*.bmp", "*.ico", "*.jpg", "*.jpeg", "*.wmf"}}));
    EXPECT_EQ(icons[3], (FileFilter{"JPEG-Dateien (*.jpg, *.jpeg)", {"*.jpg", "*.jpeg"}}));

    // Blanks and empty patterns are dropped; a text without patterns goes, and so does a
    // dangling text at the end.
    EXPECT_EQ(ParseWindowsFilter("A| *.a ; ;*.b|B||C"),
              (std::vector<FileFilter>{{"A", {"*.a", "*.b"}}}));
    EXPECT_TRUE(ParseWindowsFilter("").empty());
}

}  // namespace
}  // namespace orvella
