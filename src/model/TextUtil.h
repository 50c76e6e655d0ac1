#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Small text helpers. Only the space character counts as a space here: a tab is text.

std::string_view TrimSpaces(std::string_view text);

// True when the text is empty once spaces are removed.
bool IsBlank(std::string_view text);

inline char ToUpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string ToUpperAscii(std::string_view text);

// The length of the valid UTF-8 sequence that starts `text` at `at`, or 0 when the byte
// there starts none: a byte that cannot start one, a sequence cut short, one longer than
// it needs to be, a surrogate, or a code point above U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

// The code point of the valid UTF-8 sequence of `length` bytes (1 to 4) at `at`.
std::uint32_t CodePoint(std::string_view text, std::size_t at, std::size_t length);

// True when two file names are one name to a file system that folds case (FAT, exFAT,
// NTFS, SMB shares): equal once the letters of ASCII, Latin-1, Latin Extended-A, Greek
// and Cyrillic are folded to lower case. Bytes that are not UTF-8 compare as they are.
bool SameNameFoldingCase(std::string_view name, std::string_view other);

// The C library's text for an errno value ("No such file or directory"): the same words
// wherever the program runs, which std::generic_category() does not promise. 0 reads as
// EIO, for a call that failed without saying why.
std::string ErrnoText(int error);

// Why a file cannot be read or replaced while another program holds it open without
// sharing it (Windows).
inline constexpr const char* kFileInUseText = "the file is in use by another program";
