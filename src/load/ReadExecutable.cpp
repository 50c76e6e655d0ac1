#include "load/ReadExecutable.h"

#include "load/TextLineReader.h"
#include "model/Document.h"
#include "model/HexText.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kHeaderLength = 512;
constexpr std::size_t kLineBytes = 16;

// The most bytes a dump line the program reads can show: the longest dump line, its
// address and a space, then three characters a byte. No block the converter writes needs
// more to a line than that to fit the list.
constexpr std::size_t kMaxLineBytes = (kMaxDumpLineLength - 5 + 2) / 3;

// What every executable starts with: "EXE", 00, and the header's length, 512.
constexpr char kSignature[] = {'E', 'X', 'E', 0, 0, 2, 0, 0};

// Reads up to `count` bytes, fewer only at the end of the file or on a read error.
std::size_t ReadUpTo(TextLineReader& reader, char* to, std::size_t count)
{
    std::size_t done = 0;
    for (std::size_t n = 1; done < count && n > 0; done += n) {
        n = reader.NextBytes(to + done, count - done);
    }
    return done;
}

std::int32_t Field16(const char* header, std::size_t offset)
{
    return static_cast<unsigned char>(header[offset]) | static_cast<unsigned char>(header[offset + 1]) << 8;
}

// Appends the dump line of `count` bytes that load at `address`: "AAAA  C3 00 80".
bool AppendDumpLine(DumpList& lines, std::uint32_t address, const char* bytes, std::size_t count)
{
    const std::size_t length = 6 + 3 * count - 1;
    char* line = lines.Room(length + 1);  // each pair is written with a space after it
    WriteHexPair(address >> 8, line);
    WriteHexPair(address, line + 2);
    line[4] = ' ';
    line[5] = ' ';
    for (std::size_t i = 0; i < count; ++i) {
        WriteHexPair(static_cast<unsigned char>(bytes[i]), line + 6 + 3 * i);
        line[8 + 3 * i] = ' ';
    }
    return lines.AppendWritten(length);
}

// Reads the rest of the file, `blockBytes` of it by its size when opened, as dump lines of
// `perLine` bytes each, the last one shorter, addressed from `org` on (wrapping past
// FFFF), and counts them into BlockBytes.
ReadOutcome ReadBlock(TextLineReader& reader, Document& doc, std::int32_t org, std::size_t perLine,
                      std::uint64_t blockBytes)
{
    const std::uint64_t lineCount = (blockBytes + perLine - 1) / perLine;
    // A line is three characters a byte and its address, and one more is written past it.
    doc.lines.Reserve(static_cast<std::size_t>(lineCount) * (3 * perLine + 6), static_cast<int>(lineCount));
    auto address = static_cast<std::uint32_t>(org);
    char bytes[kMaxLineBytes];
    for (std::size_t count; (count = ReadUpTo(reader, bytes, perLine)) > 0;
         address += static_cast<std::uint32_t>(count)) {
        if (!AppendDumpLine(doc.lines, address & 0xFFFF, bytes, count)) {
            doc.lines.Clear();
            doc.frontEnd.ShowMessage(kTooManyLinesMessage, Icon::Warning);
            return ReadOutcome::Aborted;
        }
        doc.state.BlockBytes += static_cast<std::int32_t>(count);
    }
    return reader.Failed() ? ReadOutcome::Failed : ReadOutcome::Finished;
}

}  // namespace

ReadOutcome ReadExecutable(TextLineReader& reader, Document& doc, ExeHeaderValues& header)
{
    char head[kHeaderLength];
    const std::size_t headLength = ReadUpTo(reader, head, kHeaderLength);
    if (reader.Failed()) {
        return ReadOutcome::Failed;
    }
    if (headLength < kHeaderLength || std::memcmp(head, kSignature, sizeof kSignature) != 0) {
        doc.frontEnd.ShowMessage(kNotExecutableMessage, Icon::Warning);
        return ReadOutcome::Aborted;
    }
    header = {Field16(head, 16), Field16(head, 18), Field16(head, 20),
              std::vector<std::uint8_t>(head, head + kHeaderLength)};

    // Sixteen bytes to a dump line, or as many more as it takes to fit the block into the
    // list: a block written from records of up to 255 bytes, or from long listing lines,
    // reads back whole.
    const std::uint64_t size = reader.SizeWhenOpened();
    const std::uint64_t blockBytes = size > kHeaderLength ? size - kHeaderLength : 0;
    constexpr auto kMaxLines = static_cast<std::uint64_t>(DumpList::kMaxLines);
    const std::uint64_t lineBytes =
        std::max<std::uint64_t>(kLineBytes, (blockBytes + kMaxLines - 1) / kMaxLines);
    if (lineBytes > kMaxLineBytes) {
        doc.frontEnd.ShowMessage(kTooManyLinesMessage, Icon::Warning);
        return ReadOutcome::Aborted;
    }
    return ReadBlock(reader, doc, header.org, static_cast<std::size_t>(lineBytes), blockBytes);
}

ReadOutcome ReadBinaryFile(TextLineReader& reader, Document& doc, std::int32_t org)
{
    const std::uint64_t size = reader.SizeWhenOpened();
    if (size > std::uint64_t{kLineBytes} * DumpList::kMaxLines) {
        doc.frontEnd.ShowMessage(kTooManyLinesMessage, Icon::Warning);
        return ReadOutcome::Aborted;
    }
    return ReadBlock(reader, doc, org, kLineBytes, size);
}
