// The numbers typed at the ORG, ENT and SP prompts and given to --org, --ent and --sp.

#include "edit/NumericEntry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(NumericEntry, ReadsDecimalAndAmpersandHHexInEitherCaseWithSpacesAround)
{
    const std::vector<std::pair<std::string, std::int32_t>> cases = {
        {"0", 0},
        {"32768", 32768},
        {"  12  ", 12},
        {"007", 7},
        {"&H8000", 0x8000},
        {"&hffff", 0xFFFF},
        {"&HfF", 0xFF},
        {" &H10 ", 0x10},
        {"&H0", 0},
        {"2147483647", 0x7FFFFFFF},
        {"&H7FFFFFFF", 0x7FFFFFFF},
        {"&H00000000FFFF", 0xFFFF},
    };
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(NumericEntryValue(text), value);
        EXPECT_EQ(NumericOptionValue(text), value);
    }
}

TEST(NumericEntry, SignsOtherFormsAndValuesBeyond32BitsAreNotNumeric)
{
    for (const std::string text :
         {"",           "   ",        "xyz",   "-5",    "+5",    "-0",  "2147483648", "99999999999",
          "&H80000000", "&HFFFFFFFF", "&H",    "&H 10", "& H10", "&HG", "12 34",      "1.5",
          "1e3",        "&O17",       "12abc", "\t12",  "0x10",  "0X"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(NumericEntryValue(text), std::nullopt);
    }
}

TEST(NumericEntry, OptionValuesMayAlsoBeWrittenWith0x)
{
    EXPECT_EQ(NumericOptionValue("0x9000"), 0x9000);
    EXPECT_EQ(NumericOptionValue("0XbFfF"), 0xBFFF);
    EXPECT_EQ(NumericOptionValue("0x"), std::nullopt);
    EXPECT_EQ(NumericOptionValue("0x80000000"), std::nullopt);
    EXPECT_EQ(NumericOptionValue("-0x10"), std::nullopt);
}
