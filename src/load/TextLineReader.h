#pragma once

#include "model/BlockState.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// What the system says of an open file that any change to it alters: its length, when
// its bytes and when its other facts last changed (to the nanosecond, or as finely as the
// file system keeps them), and which file it is.
struct FileFacts {
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    std::int64_t changed = 0;
    FileIdentity identity;

    bool SameState(const FileFacts& other) const
    {
        return size == other.size && modified == other.modified && changed == other.changed;
    }
};

// The facts of the file at `path` now, after links; nothing when there is none, or the
// system will not tell them.
std::optional<FileFacts> FileFactsOf(const std::string& path);

// What the reader learnt about a line beyond the characters it kept.
struct LineFacts {
    std::size_t length = 0;  // the whole line's length, line end excluded
    bool blank = true;       // empty or only spaces
};

// Reads a file as 8-bit text, byte for byte, line by line. A line ends at CR LF, at a
// lone CR or at a lone LF; the line end is not part of the line. The file is read in
// large chunks, and a line that lies within one is handed out where it lies, not copied;
// a caller that needs only the start of a line can say so, so a huge line never has to be
// held in memory.
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

    // Reads the next line, keeping at most `keep` of its characters in `text`, a view that
    // stays valid until the next call. Returns false at the end of the file, and on a read
    // error (then Failed() is true). A line longer than `longest` that is not blank is read
    // no further than the chunk in which it passes that length, and facts.length is then
    // the length read so far, more than `longest`: a caller that refuses such a line
    // learns of it at once, however long the line runs on. The next call reads on from
    // there, inside the line.
    bool Next(std::string_view& text, LineFacts& facts, std::size_t keep = kWholeLine,
              std::size_t longest = kWholeLine);

    // Reads the file's next bytes as they are, up to `room` of them, into `to`: for a file
    // that is not text (an executable), read with this alone, never with Next(). Returns
    // how many, 0 at the end of the file and on a read error (then Failed() is true).
    std::size_t NextBytes(char* to, std::size_t room);

    // True once the file could not be read to its end, or changed while it was read: its
    // size, or once it is read to its end, its size, modification or change time differ
    // from what they were when it was opened (then ErrorText() is "the file changed while
    // it was read"). So a file rewritten to the same length is caught too.
    bool Failed() const { return failed_; }

    // 1-based number of the line Next() returned last.
    int LineNumber() const { return lineNumber_; }

    // Bytes read from the file so far; the file's length once Next() has returned false.
    std::uint64_t BytesRead() const { return bytesRead_; }

    // The file's size when it was opened: what a reader may expect to read, to size what it
    // fills. A file that turns out longer or shorter fails the read.
    std::uint64_t SizeWhenOpened() const { return opened_.size; }

    // The file read, as it was opened, with the folder it lies in and its name there after
    // links, as they are when asked: what a save must never replace.
    SourceFileIdentity SourceIdentity() const;

private:
    bool Fill();  // refills the buffer; false at the end of the file or on an error

    // Past the LF of a CR LF whose CR ended the chunk before; false at the end of the file.
    bool SkipPendingLf();

    // Whether the file is still as it was opened, now that it is read to its end.
    bool UnchangedAtEnd();

    std::string path_;
    std::string error_;  // before file_: the open fills these two in
    FileFacts opened_;
    std::FILE* file_ = nullptr;
    std::size_t chunkSize_;
    std::unique_ptr<char[]> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::string carry_;  // a line that runs across chunks, as far as it is kept
    bool pendingLf_ = false;
    bool failed_ = false;
    int lineNumber_ = 0;
    std::uint64_t bytesRead_ = 0;
};
