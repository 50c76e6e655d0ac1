// Reading files as 8-bit text lines: every line-end form, chunk boundaries, huge lines.

#include "TempDir.h"
#include "load/TextLineReader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace {

struct Line {
    std::string text;
    std::size_t length;
    bool blank;
    bool operator==(const Line& o) const { return text == o.text && length == o.length && blank == o.blank; }
};

std::ostream& operator<<(std::ostream& os, const Line& l)
{
    return os << "{'" << l.text << "', " << l.length << ", " << (l.blank ? "blank" : "text") << "}";
}

std::vector<Line> ReadAll(const std::string& path, std::size_t keep = TextLineReader::kWholeLine,
                          std::size_t chunkSize = TextLineReader::kChunkSize,
                          std::size_t longest = TextLineReader::kWholeLine)
{
    TextLineReader reader(path, chunkSize);
    std::vector<Line> lines;
    std::string_view text;
    LineFacts facts;
    while (reader.Next(text, facts, keep, longest)) {
        lines.push_back({std::string(text), facts.length, facts.blank});
        EXPECT_EQ(reader.LineNumber(), static_cast<int>(lines.size()));
    }
    EXPECT_FALSE(reader.Failed());
    return lines;
}

}  // namespace

TEST(TextLineReader, EndsLinesAtCrLfLoneCrAndLoneLf)
{
    TempDir dir;
    const std::string path = dir.Write("mixed.txt", "a\r\nb\rc\nd\n\r\ne");
    EXPECT_EQ(ReadAll(path), (std::vector<Line>{{"a", 1, false},
                                                {"b", 1, false},
                                                {"c", 1, false},
                                                {"d", 1, false},
                                                {"", 0, true},
                                                {"e", 1, false}}));
}

TEST(TextLineReader, AFinalLineEndAddsNoLineAndAnEmptyFileHasNone)
{
    TempDir dir;
    EXPECT_EQ(ReadAll(dir.Write("lf.txt", "x\n")).size(), 1u);
    EXPECT_EQ(ReadAll(dir.Write("crlf.txt", "x\r\n")).size(), 1u);
    EXPECT_TRUE(ReadAll(dir.Write("empty.txt", "")).empty());
    EXPECT_EQ(ReadAll(dir.Write("blank.txt", "\n")), (std::vector<Line>{{"", 0, true}}));
}

TEST(TextLineReader, OnlySpacesMakeALineBlankAndBytesPassThroughUnchanged)
{
    TempDir dir;
    const std::string path = dir.Write("bytes.txt", std::string("   \n \t \n\xff\x00\x1a", 11) + "\n");
    EXPECT_EQ(ReadAll(path),
              (std::vector<Line>{
                  {"   ", 3, true}, {" \t ", 3, false}, {std::string("\xff\x00\x1a", 3), 3, false}}));
}

TEST(TextLineReader, CrLfSplitAcrossReadChunksIsOneLineEnd)
{
    TempDir dir;
    // The reader takes 64K at a time: put the CR last in the first chunk.
    const std::string first(65535, 'a');
    const std::string path = dir.Write("split.txt", first + "\r\nb\r");
    const std::vector<Line> lines = ReadAll(path);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].length, 65535u);
    EXPECT_EQ(lines[1], (Line{"b", 1, false}));
}

TEST(TextLineReader, AnyChunkSizeGivesTheSameLines)
{
    TempDir dir;
    // Runs of each line end, blank lines of spaces, and a last line without an end.
    const std::string path = dir.Write("ends.txt", "ab\rcd\ref\n\ngh\r\n  \r\n\r\rij\nkl\r\r\nmn");
    const std::vector<Line> whole = ReadAll(path);
    ASSERT_EQ(whole.size(), 12u);
    for (std::size_t chunk = 1; chunk <= 8; ++chunk) {
        SCOPED_TRACE(chunk);
        EXPECT_EQ(ReadAll(path, TextLineReader::kWholeLine, chunk), whole);
        EXPECT_EQ(ReadAll(path, 1, chunk), ReadAll(path, 1));
    }
}

TEST(TextLineReader, KeepsOnlyWhatTheCallerAsksForButMeasuresTheWholeLine)
{
    TempDir dir;
    const std::string path =
        dir.Write("long.txt", std::string(200000, 'x') + "\n" + std::string(70000, ' ') + "\nok");
    const std::vector<Line> lines = ReadAll(path, 10);
    EXPECT_EQ(lines, (std::vector<Line>{
                         {"xxxxxxxxxx", 200000, false}, {"          ", 70000, true}, {"ok", 2, false}}));

    TextLineReader reader(path);
    std::string_view text;
    LineFacts facts;
    while (reader.Next(text, facts)) {
    }
    EXPECT_EQ(reader.BytesRead(), 200000u + 1 + 70000 + 1 + 2);

    // Told the longest line it takes, the caller hears of a longer one as soon as a chunk
    // takes it past that, and no more of the file is read.
    TextLineReader cut(path, 4096);
    EXPECT_TRUE(cut.Next(text, facts, 10, 4100));
    EXPECT_EQ(text, "xxxxxxxxxx");
    EXPECT_EQ(facts.length, 8192u);
    EXPECT_EQ(cut.BytesRead(), 8192u);

    // A line of exactly the longest length whose end falls on the chunk boundary is whole,
    // its line end read from the next chunk; one character more is measured as it is.
    std::string shortLines;
    for (int i = 0; i < 15; ++i) {
        shortLines += std::string(4095, 'x') + "\n";
    }
    const std::string edge =
        dir.Write("edge.txt", shortLines + std::string(4096, 'e') + "\n" + std::string(4097, 'f'));
    const std::vector<Line> atEdge = ReadAll(edge, 1, TextLineReader::kChunkSize, 4096);
    ASSERT_EQ(atEdge.size(), 17u);
    EXPECT_EQ(atEdge[15], (Line{"e", 4096, false}));
    EXPECT_EQ(atEdge[16], (Line{"f", 4097, false}));
}

TEST(TextLineReader, AFileThatChangesWhileItIsReadFails)
{
    // The size and times are taken as the file is opened: cut short, written to or
    // rewritten to the same length since, it is no one state of the file, and none of it
    // is handed out as the file.
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string text = std::string(10000, 'x') + "\nend\n";
    const std::vector<std::pair<const char*, std::function<void(const std::string&)>>> changes = {
        {"cut short", [](const std::string& path) { fs::resize_file(fs::u8path(path), 5000); }},
        {"grown", [](const std::string& path) { fs::resize_file(fs::u8path(path), 20000); }},
        {"the same length",
         [&](const std::string&) { dir.Write("changing.lst", std::string(10000, 'y') + "\nend\n"); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        const std::string path = dir.Write("changing.lst", text);
        // Written an hour ago, so that a change now is a change of its times.
        fs::last_write_time(fs::u8path(path), fs::file_time_type::clock::now() - std::chrono::hours(1));
        TextLineReader reader(path, 4096);
        change(path);
        std::string_view line;
        LineFacts facts;
        while (reader.Next(line, facts)) {
        }
        EXPECT_TRUE(reader.Failed());
        EXPECT_EQ(reader.ErrorText(), "the file changed while it was read");
    }
}

TEST(TextLineReader, MissingFileAndFolderDoNotOpenAndSayWhy)
{
    TempDir dir;
    const TextLineReader missing(dir / "missing.txt");
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_EQ(missing.ErrorText(), "No such file or directory");

    const TextLineReader folder(dir.Path().string());
    EXPECT_FALSE(folder.IsOpen());
    EXPECT_EQ(folder.ErrorText(), "not a regular file");
}
