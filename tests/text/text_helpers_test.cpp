#include <gtest/gtest.h>

#include "text/text_helpers.h"

namespace kestra {
namespace {

TEST(TextHelpers, ReplacePlaceholderReplacesEveryOccurrenceOnce)
{
    EXPECT_EQ(ReplacePlaceholder("( #1# ) e ( #1# )", "#1#", "mg/l"), "( mg/l ) e ( mg/l )");
    // a replacement holding the placeholder itself is not replaced again
    EXPECT_EQ(ReplacePlaceholder("a #1# b #1#", "#1#", "#1##1#"), "a #1##1# b #1##1#");
    EXPECT_EQ(ReplacePlaceholder("12,500", ",", "."), "12.500");
    EXPECT_EQ(ReplacePlaceholder("abc", "#1#", "#1#"), "abc");
    EXPECT_EQ(ReplacePlaceholder("#1#", "#1#", ""), "");
}

TEST(TextHelpers, CentreTextPutsTheOddBlankOnTheRight)
{
    EXPECT_EQ(CentreText("abc", 7), "  abc  ");
    EXPECT_EQ(CentreText("abc", 6), " abc  ");
    EXPECT_EQ(CentreText("abc", 3), "abc");
    EXPECT_EQ(CentreText("abc", 2), "abc");
    EXPECT_EQ(CentreText("NS", 14), "      NS      ");
    EXPECT_EQ(CentreText("µg", 4), " µg ");  // width counts characters, not bytes
}

TEST(TextHelpers, PadLeftRightAligns)
{
    EXPECT_EQ(PadLeft("ab", 5, '.'), "...ab");
    EXPECT_EQ(PadLeft("abcdef", 5, '.'), "abcdef");
}

TEST(TextHelpers, ParentFolderWithOrWithoutTrailingSeparator)
{
    EXPECT_EQ(ParentFolder("/home/a/b"), "/home/a");
    EXPECT_EQ(ParentFolder("/home/a/b/"), "/home/a");
    EXPECT_EQ(ParentFolder("/home/"), "/");
}

TEST(TextHelpers, Utf8CutsCharactersNotBytes)
{
    const std::string text = "àèìòù" + std::string(60, 'x');
    EXPECT_EQ(Utf8Length(text), 65u);
    EXPECT_EQ(Utf8Left(text, 50), "àèìòù" + std::string(45, 'x'));
    EXPECT_EQ(Utf8Left("µg/ml", 2), "µg");
    EXPECT_EQ(Utf8Left("ab", 10), "ab");
    EXPECT_EQ(Trim("  a b \t"), "a b");
}

TEST(TextHelpers, Windows1252FallbackKeepsAccentsAndMicro)
{
    EXPECT_TRUE(IsValidUtf8("µg/ml è"));
    const std::string legacy = "\xB5g/ml \xE8 \x80";
    EXPECT_FALSE(IsValidUtf8(legacy));
    EXPECT_EQ(Windows1252ToUtf8(legacy), "µg/ml è €");
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));  // overlong
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));  // cut short
}

}  // namespace
}  // namespace kestra
