#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

// What the reader learnt about a line beyond the characters it kept.
struct LineFacts {
    std::size_t length = 0;  // the whole line's length, line end excluded
    bool blank = true;       // empty or only spaces
};

// Reads a file as 8-bit text, byte for byte, line by line. A line ends at CR LF, at a
// lone CR or at a lone LF; the line end is not part of the line. The file is read in
// large chunks, and a caller that needs only the start of a line can say so, so a huge
// line never has to be held in memory.
class TextLineReader {
public:
    static constexpr std::size_t kWholeLine = static_cast<std::size_t>(-1);
    static constexpr std::size_t kChunkSize = 1 << 16;

    // `chunkSize` is how much is read from the file at a time; tests pick tiny chunks to
    // put line ends at chunk boundaries.
    explicit TextLineReader(const std::string& path, std::size_t chunkSize = kChunkSize);
    ~TextLineReader();
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;

    bool IsOpen() const { return file_ != nullptr; }

    // Why the file could not be opened or read to its end: the system's text ("Permission
    // denied"), or "not a regular file". Only regular files are read, after following
    // links: a FIFO or device could block for ever or never end.
    const std::string& ErrorText() const { return error_; }

    // Reads the next line, keeping at most `keep` of its characters in `text`. Returns
    // false at the end of the file, and on a read error (then Failed() is true).
    bool Next(std::string& text, LineFacts& facts, std::size_t keep = kWholeLine);

    bool Failed() const { return failed_; }

    // 1-based number of the line Next() returned last.
    int LineNumber() const { return lineNumber_; }

    // Bytes read from the file so far; the file's length once Next() has returned false.
    std::uint64_t BytesRead() const { return bytesRead_; }

private:
    bool Fill();  // refills the buffer; false at the end of the file or on an error

    // The index of the next `c` in the chunk at or after the reading position, or the end
    // of the chunk. `found` keeps the answer for the next line, so that each character is
    // searched once for a CR and once for an LF whatever line ends the file uses.
    std::size_t NextInChunk(char c, std::size_t& found);
    static constexpr std::size_t kNotSearched = static_cast<std::size_t>(-1);

    std::string error_;  // before file_: the open fills it in
    std::FILE* file_ = nullptr;
    std::size_t chunkSize_;
    std::unique_ptr<char[]> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::size_t nextLf_ = kNotSearched;
    std::size_t nextCr_ = kNotSearched;
    bool failed_ = false;
    int lineNumber_ = 0;
    std::uint64_t bytesRead_ = 0;
};
