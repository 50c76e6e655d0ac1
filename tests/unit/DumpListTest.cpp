// The dump list: lines that keep their text through every change, and the text Copy
// Selection As Text puts on the clipboard.

#include "ScriptedFrontEnd.h"
#include "model/Document.h"
#include "model/DumpList.h"
#include "model/HexText.h"

#include <gtest/gtest.h>

#include <algorithm>

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
