// Reading what is typed or pasted into a number cell: both separators, and refusals instead of silent
// changes.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/cell_entry.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

using Status = TypedEntry::Status;

TEST(CellEntryTest, TypedValuesBeyondTheFormatAreRefusedNotShortened)
{
    const NumberFormat threeThree{3, 3};
    EXPECT_EQ(ReadTypedEntry("1000", threeThree).status, Status::Refused);
    EXPECT_EQ(ReadTypedEntry("12345678", {7, 3}).status, Status::Refused);
    EXPECT_EQ(ReadTypedEntry("-5", threeThree).status, Status::Refused);
    EXPECT_EQ(ReadTypedEntry("1,2345", threeThree).status, Status::Refused);
    EXPECT_EQ(ReadTypedEntry("1.5", {3, 0}).status, Status::Refused);
    for (const char* text : {"abc", "1e3", "1.2.3", "1,2.3", ",", "+4", "4 5"})
        EXPECT_EQ(ReadTypedEntry(text, threeThree).status, Status::Refused) << text;
    // the largest value that fits, leading zeros and trailing decimal zeros change nothing
    const TypedEntry largest = ReadTypedEntry("999,999", threeThree);
    EXPECT_EQ(largest.status, Status::Number);
    EXPECT_DOUBLE_EQ(largest.value, 999.999);
    EXPECT_DOUBLE_EQ(ReadTypedEntry("0012", threeThree).value, 12.0);
    EXPECT_EQ(ReadTypedEntry("1,5000", threeThree).status, Status::Number);
    EXPECT_DOUBLE_EQ(ReadTypedEntry("1,5000", threeThree).value, 1.5);
    EXPECT_EQ(ReadTypedEntry("  ", threeThree).status, Status::Empty);
}

TEST(CellEntryTest, CommaAndPointAreBothTheDecimalSeparator)
{
    const NumberFormat format{7, 3};
    EXPECT_DOUBLE_EQ(ReadTypedEntry("98.75", format).value, 98.75);
    EXPECT_DOUBLE_EQ(ReadTypedEntry("98,75", format).value, 98.75);
    EXPECT_DOUBLE_EQ(ReadTypedEntry("10,5", format).value, 10.5);
    EXPECT_DOUBLE_EQ(ReadTypedEntry("12,", format).value, 12.0);
    EXPECT_DOUBLE_EQ(ReadTypedEntry(",5", format).value, 0.5);

    EXPECT_EQ(ParseGridNumber("98.75"), 98.75);
    EXPECT_EQ(ParseGridNumber(" 98,75\r"), 98.75);
    EXPECT_EQ(ParseGridNumber("-3"), -3.0);  // read as written: the range check refuses it
    EXPECT_EQ(ParseGridNumber("1,5E-3"), 0.0015);
    EXPECT_FALSE(ParseGridNumber("1.234,5"));  // grouping is no grid's way of writing a number
    EXPECT_FALSE(ParseGridNumber("abc"));
    EXPECT_FALSE(ParseGridNumber(""));
}

TEST(CellEntryTest, TheRefusalNamesTheRangeWithTheUsersSeparator)
{
    EXPECT_EQ(InvalidEntryMessage({3, 3}, ','), "Valore non valido: inserire un numero da 0,000 a 999,999");
    EXPECT_EQ(InvalidEntryMessage({7, 3}, '.'),
              "Valore non valido: inserire un numero da 0.000 a 9999999.999");
    EXPECT_EQ(InvalidEntryMessage({2, 0}, ','), "Valore non valido: inserire un numero da 0 a 99");
}

}  // namespace
}  // namespace kestra
