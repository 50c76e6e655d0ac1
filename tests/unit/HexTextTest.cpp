// The hex value rule, hex formatting and the conversions between hex text and bytes.

#include "model/HexText.h"

#include <gtest/gtest.h>

using Bytes = std::vector<std::uint8_t>;

TEST(HexValue, ReadsDigitsUpToTheFirstNonDigitAndNeverSignExtends)
{
    EXPECT_EQ(HexValue("8000"), 0x8000u);
    EXPECT_EQ(HexValue("FFFF"), 0xFFFFu);
    EXPECT_EQ(HexValue("ffff"), 0xFFFFu);
    EXPECT_EQ(HexValue("80G0"), 0x80u);
    EXPECT_EQ(HexValue("G000"), 0u);
    EXPECT_EQ(HexValue(""), 0u);
    EXPECT_EQ(HexValue(" 4"), 4u);  // leading spaces are skipped
    EXPECT_EQ(HexValue("\t4"), 0u);
}

TEST(HexValue, LineAddressIsTheFirstFourCharacters)
{
    EXPECT_EQ(LineAddress("FFFF  00"), 65535);
    EXPECT_EQ(LineAddress("0000  "), 0);
    EXPECT_EQ(LineAddress("80001 C3"), 0x8000);  // never more than four digits
    EXPECT_EQ(LineAddress("80"), 0x80);
    EXPECT_EQ(LineByteText("8000  C3 00"), " C3 00");
    EXPECT_EQ(LineByteText("8000 "), "");
}

TEST(HexFormat, UpperCaseWithoutLeadingZerosOrFourDigitsForAddresses)
{
    EXPECT_EQ(FormatHex(0), "0");
    EXPECT_EQ(FormatHex(0x10), "10");
    EXPECT_EQ(FormatHex(0xbfff), "BFFF");
    EXPECT_EQ(FormatHex(0x12345), "12345");
    EXPECT_EQ(FormatHex4(0x10), "0010");
    EXPECT_EQ(FormatHex4(0x10010), "0010");
    EXPECT_EQ(FormatHex4(0xabcd), "ABCD");
}

TEST(HexToBytes, ReadsSpaceSeparatedPairs)
{
    EXPECT_EQ(HexToBytes("C3 00 80"), (Bytes{0xC3, 0x00, 0x80}));
    EXPECT_EQ(HexToBytes("c3"), (Bytes{0xC3}));
    EXPECT_EQ(HexToBytes(" 41 42 "), (Bytes{0x41, 0x42}));
    EXPECT_EQ(HexToBytes(""), Bytes{});
    EXPECT_EQ(HexToBytes("   "), Bytes{});
    EXPECT_EQ(HexToBytes("4"), (Bytes{0x04}));
    EXPECT_EQ(HexToBytes("ZZ 41"), (Bytes{0x00, 0x41}));
    // Exactly one separator is dropped per pair, so a doubled space shifts the pairing.
    EXPECT_EQ(HexToBytes("41  42"), (Bytes{0x41, 0x04}));
    // Trailing text of a listing line becomes whatever its pairs read as.
    EXPECT_EQ(HexToBytes("55 55 ; fill"), (Bytes{0x55, 0x55, 0x00, 0x00}));
}

TEST(SpaceHexPairs, SplitsADigitRunIntoUpperCasePairs)
{
    EXPECT_EQ(SpaceHexPairs("c30080"), "C3 00 80");
    EXPECT_EQ(SpaceHexPairs("0a"), "0A");
    EXPECT_EQ(SpaceHexPairs("ABC"), "AB C");
    EXPECT_EQ(SpaceHexPairs(""), "");
    EXPECT_EQ(SpaceHexPairs("  ab  "), "AB");
}

TEST(HexRecordChecksum, IsTheTwosComplementOfTheFieldSum)
{
    EXPECT_EQ(HexRecordChecksum(":0300300002337A1E"), 0x1E);
    EXPECT_EQ(HexRecordChecksum(":00000001FF"), 0xFF);
    EXPECT_EQ(HexRecordChecksum(":0100000000FF"), 0xFF);
    // Fields summing to a multiple of 256 give 0.
    EXPECT_EQ(HexRecordChecksum(":02000000807E00"), 0x00);
    EXPECT_EQ(HexRecordChecksum(":18800000f331ffbf2114807eb72805d3fe2318f776c3008048454c4c8e"), 0x8E);
}
