// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/text_helpers.h"

#include <gtest/gtest.h>

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

TEST(TextHelpers, ReplacePlaceholderListFillsOnceLeftToRight)
{
    // what is inserted for one placeholder is never searched again, in either order of the list
    EXPECT_EQ(ReplacePlaceholder("Il metodo #1##2# analita #3#.",
                                 {{"#1#", "HPLC #2# metodo #3#"}, {"#3#", "Piombo #1#"}, {"#2#", " NON"}}),
              "Il metodo HPLC #2# metodo #3# NON analita Piombo #1#.");
    EXPECT_EQ(ReplacePlaceholder("#2# #1# #2#", {{"#2#", "#1#"}, {"#1#", "x"}}), "#1# x #1#");
    EXPECT_EQ(ReplacePlaceholder("#1##1#", {{"#1#", ""}}), "");
    EXPECT_EQ(ReplacePlaceholder("nessuno", {{"#1#", "a"}}), "nessuno");
    EXPECT_EQ(ReplacePlaceholder("#1", {{"#1#", "a"}}), "#1");
}

TEST(TextHelpers, QuoteExcerptShowsAtMostFortyCharactersWithoutControls)
{
    EXPECT_EQ(QuoteExcerpt("0,412"), "\"0,412\"");
    EXPECT_EQ(QuoteExcerpt(""), "\"\"");
    EXPECT_EQ(QuoteExcerpt("a\tb\x01"
                           "c\x7F"),
              "\"a?b?c?\"");
    EXPECT_EQ(QuoteExcerpt("\xC2\x85x"), "\"?x\"");   // U+0085, a control character
    EXPECT_EQ(QuoteExcerpt("\xFF\xFEz"), "\"??z\"");  // bytes that are not UTF-8
    EXPECT_EQ(QuoteExcerpt(std::string(40, 'a')), "\"" + std::string(40, 'a') + "\"");
    EXPECT_EQ(QuoteExcerpt(std::string(41, 'a')), "\"" + std::string(37, 'a') + "...\"");
    EXPECT_EQ(QuoteExcerpt(std::string(5'000'000, 'b')), "\"" + std::string(37, 'b') + "...\"");
    // characters, not bytes
    std::string accents;
    for (int i = 0; i < 40; ++i) accents += "è";
    EXPECT_EQ(QuoteExcerpt(accents), "\"" + accents + "\"");
}

TEST(TextHelpers, ItalianDiJoinsTheArticle)
{
    EXPECT_EQ(ItalianDi("la misura 5"), "della misura 5");
    EXPECT_EQ(ItalianDi("il campione"), "del campione");
    EXPECT_EQ(ItalianDi("l'analita"), "dell'analita");
    EXPECT_EQ(ItalianDi("i dati"), "dei dati");
    EXPECT_EQ(ItalianDi("gli errori"), "degli errori");
    EXPECT_EQ(ItalianDi("le righe"), "delle righe");
    EXPECT_EQ(ItalianDi("lo studio"), "dello studio");
    EXPECT_EQ(ItalianDi("Piombo"), "di Piombo");
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
