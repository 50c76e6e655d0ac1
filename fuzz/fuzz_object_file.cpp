// The object file reader on any bytes, in each of its forms (Intel HEX, Motorola
// S-records, MOS Technology hex): read with several chunk sizes it must give the same
// result, and the result of a plain model of the records; every dump line it keeps is an
// address, two spaces and the record's bytes as upper-case pairs; a checksum failure
// leaves no lines.

#include "FuzzSupport.h"
#include "load/LoadMessages.h"
#include "load/ObjectRecords.h"
#include "load/ReadObjectFile.h"
#include "load/TextLineReader.h"
#include "model/Document.h"
#include "model/HexText.h"

#include <algorithm>
#include <climits>
#include <string_view>

namespace {

struct Result {
    ReadOutcome outcome;
    std::int32_t blockBytes;
    std::vector<std::string> lines;
    std::vector<std::string> messages;
    bool operator==(const Result& o) const
    {
        return outcome == o.outcome && blockBytes == o.blockBytes && lines == o.lines &&
               messages == o.messages;
    }
};

bool IsDumpLine(const std::string& line)
{
    if (line.size() < 6 || !std::all_of(line.begin(), line.begin() + 4, IsHexDigit) ||
        line.compare(4, 2, "  ") != 0) {
        return false;
    }
    // "C3 00 8": pairs of upper-case digits with one space between, an odd digit last.
    for (std::size_t i = 6; i < line.size(); ++i) {
        const char c = line[i];
        const bool separator = (i - 6) % 3 == 2;
        if (separator ? c != ' ' : !(IsHexDigit(c) && !(c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return line.size() == 6 || line.back() != ' ';
}

Result Read(const std::string& path, std::size_t chunkSize)
{
    FuzzFrontEnd ui;
    Document doc(ui);
    TextLineReader reader(path, chunkSize);
    FUZZ_CHECK(reader.IsOpen());
    const ReadOutcome outcome = ReadObjectFile(reader, doc);
    FUZZ_CHECK(outcome != ReadOutcome::Failed);
    FUZZ_CHECK(doc.state.BlockBytes >= 0);
    FUZZ_CHECK(doc.lines.Count() <= DumpList::kMaxLines);
    // A refusal, or the warning about records after the end record.
    FUZZ_CHECK(ui.messages.size() == (outcome == ReadOutcome::Aborted ? 1u : ui.messages.size()));
    FUZZ_CHECK(ui.messages.size() <= 1);
    if (outcome == ReadOutcome::Aborted &&
        (ui.messages[0].find(kChecksumFailedMessage) != std::string::npos ||
         ui.messages[0].find(kTooManyLinesMessage) != std::string::npos)) {
        FUZZ_CHECK(doc.lines.Count() == 0);  // a checksum failure or too many lines keep nothing
    }
    std::int64_t bytes = 0;
    for (const std::string& line : doc.lines.Lines()) {
        FUZZ_CHECK(IsDumpLine(line));
        bytes += static_cast<std::int64_t>(HexToBytes(LineByteText(line)).size());
    }
    FUZZ_CHECK(bytes <= doc.state.BlockBytes);
    return {outcome, doc.state.BlockBytes, doc.lines.Lines(), ui.messages};
}

// What the model makes of one record line.
struct ModelRecord {
    const char* refusal = nullptr;
    std::int64_t blockBytes = 0;
    bool data = false;
    std::string line;  // a data record's dump line
    bool checksumMatches = false;
    long recordCount = -1;
    bool ends = false;
    bool stops = false;
};

bool AllHex(std::string_view digits)
{
    return std::all_of(digits.begin(), digits.end(), IsHexDigit);
}

// The bytes of a run of hex digits of even length.
std::vector<std::uint32_t> Bytes(std::string_view digits)
{
    std::vector<std::uint32_t> bytes;
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
        bytes.push_back(HexValue(digits.substr(i, 2)));
    }
    return bytes;
}

std::uint32_t Sum(const std::vector<std::uint32_t>& bytes, std::size_t from, std::size_t to)
{
    std::uint32_t sum = 0;
    for (std::size_t i = from; i < to; ++i) {
        sum += bytes[i];
    }
    return sum;
}

// ":" count, address, type, data, checksum; every record's count goes into the block size,
// even a refused one's; type 00 is data, type 01 ends the file but reading goes on.
ModelRecord IntelRecord(std::string_view line)
{
    ModelRecord r;
    const std::uint32_t count = HexValue(line.substr(1, 2));
    r.blockBytes = count;
    if (line[0] != ':' || line.size() != 11 + 2 * std::size_t{count} || !AllHex(line.substr(1))) {
        r.refusal = kInvalidObjectFileMessage;
        return r;
    }
    const std::vector<std::uint32_t> bytes = Bytes(line.substr(1));
    r.data = bytes[3] == 0;
    r.ends = bytes[3] == 1;
    r.line = std::string(line.substr(3, 4)) + "  " + SpaceHexPairs(line.substr(9, 2 * count));
    r.checksumMatches = !r.data || Sum(bytes, 0, bytes.size()) % 256 == 0;
    return r;
}

// "S", type, count of the bytes after it, address of 2, 3 or 4 bytes by type, data,
// checksum (the sum of the bytes before it and it is FF); S1 to S3 are data, their address
// no more than FFFF; S5 and S6 count the data records; S7 to S9 end the file and reading.
ModelRecord MotorolaRecord(std::string_view line)
{
    ModelRecord r;
    const std::string_view widths = "2234023432";  // 0: no such type
    if (line.size() < 2) {
        r.refusal = kInvalidObjectFileMessage;
        return r;
    }
    const std::size_t type = line[1] >= '0' && line[1] <= '9' ? std::size_t(line[1] - '0') : 4;
    const std::size_t width = std::size_t(widths[type] - '0');
    const std::vector<std::uint32_t> bytes = Bytes(line.substr(2));
    if (line[0] != 'S' || width == 0 || line.size() % 2 != 0 || !AllHex(line.substr(2)) || bytes.empty() ||
        bytes[0] != bytes.size() - 1 || bytes.size() < width + 2) {
        r.refusal = kInvalidObjectFileMessage;
        return r;
    }
    std::uint32_t address = 0;
    for (std::size_t i = 1; i <= width; ++i) {
        address = address * 256 + bytes[i];
    }
    if (type >= 1 && type <= 3) {
        if (address > 0xFFFF) {
            r.refusal = kAddressOutside64KMessage;
            return r;
        }
        r.data = true;
        r.blockBytes = static_cast<std::int64_t>(bytes.size() - width - 2);
        r.line = std::string(line.substr(2 * width, 4)) + "  " +
                 SpaceHexPairs(line.substr(4 + 2 * width, 2 * (bytes.size() - width - 2)));
    }
    r.checksumMatches = Sum(bytes, 0, bytes.size()) % 256 == 255;
    r.recordCount = type == 5 || type == 6 ? static_cast<long>(address) : -1;
    r.ends = r.stops = type >= 7;
    return r;
}

// ";", count of data bytes, address, data, checksum of four digits (the 16-bit sum of the
// bytes before it); count 00 ends the file and reading, its address the count of the data
// records.
ModelRecord MosRecord(std::string_view line)
{
    ModelRecord r;
    const std::uint32_t count = HexValue(line.substr(1, 2));
    if (line[0] != ';' || line.size() != 11 + 2 * std::size_t{count} || !AllHex(line.substr(1))) {
        r.refusal = kInvalidObjectFileMessage;
        return r;
    }
    const std::vector<std::uint32_t> bytes = Bytes(line.substr(1));
    r.checksumMatches =
        Sum(bytes, 0, bytes.size() - 2) % 65536 == bytes[bytes.size() - 2] * 256 + bytes.back();
    if (count == 0) {
        r.recordCount = static_cast<long>(bytes[1] * 256 + bytes[2]);
        r.ends = r.stops = true;
        return r;
    }
    r.data = true;
    r.blockBytes = count;
    r.line = std::string(line.substr(3, 4)) + "  " + SpaceHexPairs(line.substr(7, 2 * count));
    return r;
}

// The records as a person would read them, one at a time with no shortcut: lines end at
// CR LF, CR or LF; blank lines are skipped; the first character of the first other line
// chooses the form, and a line of no form is refused; a record of the wrong form is
// refused, keeping the lines before it; a data record gives its address as written and its
// bytes as spaced pairs; a wrong checksum or one line too many empties the list; a count
// that does not count the data records before it is refused; after a termination record
// nothing is read, but the first line after it that holds more than white space, unless
// that is a Ctrl-Z, is warned about (a line of more than 522 characters is taken to hold
// more unless it is all spaces); in the Motorola and MOS Technology forms a Ctrl-Z ends the
// file as well; every record's checksum is tested, but for Intel HEX records that are not
// data; a file read to its end without an end-of-file record, or a count record last,
// says so.
Result ModelRead(std::string_view text)
{
    Result result{ReadOutcome::FinishedWithoutEnd, 0, {}, {}};
    std::int64_t blockBytes = 0;
    char form = 0;
    bool endSeen = false;
    bool countLast = false;
    const auto abort = [&](const char* message, bool keepLines) {
        result.outcome = ReadOutcome::Aborted;
        result.messages = {"1: " + std::string(message)};
        if (!keepLines) {
            result.lines.clear();
        }
        return result;
    };
    const std::vector<std::string_view> lines = TextLines(text);
    for (std::size_t number = 0; number < lines.size(); ++number) {
        const std::string_view line = lines[number];
        if (line.find_first_not_of(' ') == std::string_view::npos) {
            continue;
        }
        form = form == 0 ? line[0] : form;
        if (form != ':' && form != 'S' && form != ';') {
            return abort(kInvalidObjectFileMessage, true);
        }
        if (form != ':' && line[0] == '\x1A') {
            break;
        }
        const ModelRecord r = form == ':'   ? IntelRecord(line)
                              : form == 'S' ? MotorolaRecord(line)
                                            : MosRecord(line);
        blockBytes = std::min<std::int64_t>(blockBytes + r.blockBytes, INT_MAX);
        result.blockBytes = static_cast<std::int32_t>(blockBytes);
        if (r.refusal != nullptr) {
            return abort(r.refusal, true);
        }
        if (r.data) {
            result.lines.push_back(r.line);
            if (result.lines.size() > 32767) {
                return abort(kTooManyLinesMessage, false);
            }
        }
        if (!r.checksumMatches) {
            return abort(kChecksumFailedMessage, false);
        }
        countLast = r.recordCount >= 0;
        if (countLast && static_cast<std::size_t>(r.recordCount) != result.lines.size()) {
            return abort(kRecordCountMessage, true);
        }
        endSeen = endSeen || r.ends;
        if (r.stops) {
            for (std::size_t after = number + 1; after < lines.size(); ++after) {
                const std::string_view kept = lines[after].substr(0, 522);
                const std::size_t first = kept.find_first_not_of(" \t\n\v\f\r");
                if (first == std::string_view::npos &&
                    (lines[after].size() <= 522 ||
                     lines[after].find_first_not_of(' ') == std::string_view::npos)) {
                    continue;
                }
                if (first == std::string_view::npos || kept[first] != '\x1A') {
                    result.messages = {"1: " + RecordsAfterEndMessage(static_cast<int>(after) + 1)};
                }
                break;
            }
            break;
        }
    }
    result.outcome = endSeen || countLast ? ReadOutcome::Finished : ReadOutcome::FinishedWithoutEnd;
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = WriteScratchFile("input.obj", data, size);
    const Result whole = ReadInChunks(size, [&](std::size_t chunk) { return Read(path, chunk); });
    FUZZ_CHECK(whole == ModelRead(std::string_view(reinterpret_cast<const char*>(data), size)));
    return 0;
}
