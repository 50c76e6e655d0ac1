// The hex value rule, hex formatting, the byte/text conversions and the 16K page.

#include "ScriptedFrontEnd.h"
#include "model/Document.h"
#include "model/DumpList.h"
#include "model/HexText.h"
#include "model/Page16K.h"

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

TEST(Page16K, PagesAndDefaultStackPointer)
{
    EXPECT_EQ(Page16K(0xC123), 0xC000);
    EXPECT_EQ(DefaultSp(0xC123), 0xFFFF);
    EXPECT_EQ(Page16K(0x3FFF), 0);
    EXPECT_EQ(DefaultSp(0x3FFF), 0x3FFF);
    EXPECT_TRUE(SamePage16K(0x8000, 0xBFFF));
    EXPECT_FALSE(SamePage16K(0xBFFF, 0xC000));
    EXPECT_EQ(Page16K(0x12345), 0x10000);
}

TEST(ShowAddresses, FillsPanelThreeInHex)
{
    ScriptedFrontEnd ui;
    Document doc(ui);
    doc.state.Org = 0;
    doc.state.Ent = 0x10;
    doc.state.Sp = 0x3FFF;
    ShowAddresses(doc);
    EXPECT_EQ(ui.Status(StatusPanel::Addresses), "Org=&H0, Ent=&H10, SP=&H3FFF ");
}

TEST(SelectionAsText, CopiesSelectedLinesInListOrderOrAllWhenNoneIsSelected)
{
    ScriptedFrontEnd ui;
    Document doc(ui);
    for (const char* line : {"8000  00", "8010  11", "8020  22", "8030  33", "8040  44", "8050  55"}) {
        doc.lines.Append(line);
    }
    EXPECT_EQ(SelectionAsText(doc.lines, {5, 2}), "8020  22\r\n8050  55\r\n");
    EXPECT_EQ(SelectionAsText(doc.lines, {}),
              "8000  00\r\n8010  11\r\n8020  22\r\n8030  33\r\n8040  44\r\n8050  55\r\n");
    EXPECT_EQ(SelectionAsText(DumpList(), {}), "");
}

TEST(DumpList, LinesKeepTheirTextThroughReplacementsOfEveryLength)
{
    // The lines share one buffer: a longer replacement moves a line to its end, and the
    // buffer is packed again once replaced text outweighs the lines.
    DumpList lines;
    std::vector<std::string> model;
    for (int i = 0; i < 64; ++i) {
        model.push_back(FormatHex4(static_cast<std::uint32_t>(i) * 16) + "  AA");
        lines.Append(model.back());
    }
    for (int round = 0; round < 12; ++round) {
        for (int i = round % 3; i < 64; i += 3) {
            const std::size_t length = static_cast<std::size_t>((i * 7 + round * 13) % 300);
            model[static_cast<std::size_t>(i)] = std::string(length, static_cast<char>('a' + round));
            lines.Replace(i, model[static_cast<std::size_t>(i)]);
        }
        lines.OverwriteStart(63, "FFFF");
        std::string& last = model.back();
        last.replace(0, std::min<std::size_t>(last.size(), 4), "FFFF", std::min<std::size_t>(last.size(), 4));
        ASSERT_EQ(lines.Lines(), model) << "round " << round;
    }
    // A line of the list itself, appended or replacing another, while the buffer moves.
    for (int i = 0; i < 200; ++i) {
        model.push_back(model[static_cast<std::size_t>(i % 64)]);
        lines.Append(lines.Line(i % 64));
    }
    model[0] = model[7];
    lines.Replace(0, lines.Line(7));
    EXPECT_EQ(lines.Lines(), model);
    std::size_t size = 0;
    for (const std::string& line : model) {
        size += line.size();
    }
    EXPECT_EQ(lines.TextSize(), size);
    lines.Clear();
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_TRUE(lines.Append("8000  01"));
    EXPECT_EQ(lines.Line(0), "8000  01");
}
