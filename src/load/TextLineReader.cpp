#include "load/TextLineReader.h"

#include "model/OpenFile.h"

#include <algorithm>
#include <climits>
#include <cstring>

TextLineReader::TextLineReader(const std::string& path, std::size_t chunkSize)
    : file_(OpenFile(path, OpenMode::Read)),
      chunkSize_(chunkSize > 0 ? chunkSize : 1),
      buffer_(new char[chunkSize_])
{
}

TextLineReader::~TextLineReader()
{
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool TextLineReader::Fill()
{
    if (file_ == nullptr || failed_) {
        return false;
    }
    pos_ = 0;
    end_ = std::fread(buffer_.get(), 1, chunkSize_, file_);
    nextLf_ = kNotSearched;
    nextCr_ = kNotSearched;
    bytesRead_ += end_;
    if (end_ == 0 && std::ferror(file_) != 0) {
        failed_ = true;
    }
    return end_ > 0;
}

std::size_t TextLineReader::NextInChunk(char c, std::size_t& found)
{
    // The last answer holds until the reading position passes it: nothing lies between.
    if (found == kNotSearched || found < pos_) {
        const void* hit = std::memchr(buffer_.get() + pos_, c, end_ - pos_);
        found = hit != nullptr ? static_cast<std::size_t>(static_cast<const char*>(hit) - buffer_.get()) : end_;
    }
    return found;
}

bool TextLineReader::Next(std::string& text, LineFacts& facts, std::size_t keep)
{
    text.clear();
    facts = LineFacts{};
    if (pos_ == end_ && !Fill()) {
        return false;
    }
    for (;;) {
        const char* start = buffer_.get() + pos_;
        const std::size_t available = end_ - pos_;
        const std::size_t n = std::min(NextInChunk('\n', nextLf_), NextInChunk('\r', nextCr_)) - pos_;
        if (facts.blank) {
            for (std::size_t i = 0; i < n; ++i) {
                if (start[i] != ' ') {
                    facts.blank = false;
                    break;
                }
            }
        }
        if (text.size() < keep) {
            text.append(start, std::min(n, keep - text.size()));
        }
        facts.length += n;
        pos_ += n;
        if (n < available) {
            // A line end: CR LF, lone CR or lone LF. The LF after a CR may sit in the
            // next chunk.
            const char end = buffer_[pos_++];
            if (end == '\r' && (pos_ < end_ || Fill()) && buffer_[pos_] == '\n') {
                ++pos_;
            }
            break;
        }
        if (!Fill()) {
            break;  // the last line has no line end
        }
    }
    if (lineNumber_ < INT_MAX) {
        ++lineNumber_;
    }
    return !failed_;
}
