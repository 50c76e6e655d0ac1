#include "model/BlockBytes.h"

#include "model/HexText.h"

#include <string_view>

// On x86 with GCC or Clang the lines of Tasm's form are read 16 bytes at a time with
// SSSE3 when the processor has it (any x86-64 made since about 2011 does); elsewhere, and
// on older processors, pair by pair with a table.
#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define QUILLET_SSSE3_PAIRS 1
#include <tmmintrin.h>
#endif

namespace {

std::uint8_t* WriteBlockBytesByPairs(const DumpList& lines, std::uint8_t* to)
{
    for (int i = 0; i < lines.Count(); ++i) {
        to = WriteHexBytes(LineByteText(lines.Line(i)), to);
    }
    return to;
}

#ifdef QUILLET_SSSE3_PAIRS

// A dump line as Tasm writes it: four address digits, two spaces, then 16 pairs with one
// space between ("8000  C3 00 80 ... 7E"), 53 characters; its bytes are the 47 characters
// from the seventh, three to a pair, with nothing to trim.
constexpr std::size_t kTasmLineLength = 53;
constexpr std::size_t kTasmBytesStart = 6;

bool HasTasmForm(std::string_view line)
{
    return line.size() == kTasmLineLength && line[kTasmBytesStart - 1] == ' ' &&
           line[kTasmBytesStart] != ' ' && line[kTasmLineLength - 1] != ' ';
}

// The value of each character as a hex digit (either case), and in `valid` all ones where
// the character is one and zero where it is not.
__attribute__((target("ssse3"))) inline __m128i DigitValues(__m128i chars, __m128i& valid)
{
    const __m128i digit = _mm_sub_epi8(chars, _mm_set1_epi8('0'));
    const __m128i isDigit = _mm_cmpeq_epi8(_mm_min_epu8(digit, _mm_set1_epi8(9)), digit);
    const __m128i letter = _mm_sub_epi8(_mm_or_si128(chars, _mm_set1_epi8(0x20)), _mm_set1_epi8('a'));
    const __m128i isLetter = _mm_cmpeq_epi8(_mm_min_epu8(letter, _mm_set1_epi8(5)), letter);
    valid = _mm_or_si128(isDigit, isLetter);
    return _mm_or_si128(_mm_and_si128(isDigit, digit),
                        _mm_and_si128(isLetter, _mm_add_epi8(letter, _mm_set1_epi8(10))));
}

// The 16 pairs of the 47 characters at `text`, each followed by a separator that is
// skipped whatever it is, as 16 bytes at `to`. False, with nothing of use written, when
// any of the 32 digits is not a hex digit: such a line is read under the hex value rule.
__attribute__((target("ssse3"))) inline bool ReadSixteenPairs(const char* text, std::uint8_t* to)
{
    // Three loads cover the characters: 0-15, 16-31 and 31-46.
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + 16));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + 31));
    // Each pair's first digit (characters 0, 3, ... 45) into a lane of its own, and its
    // second (1, 4, ... 46) likewise; -1 leaves a lane to another load.
    const __m128i high = _mm_or_si128(
        _mm_or_si128(
            _mm_shuffle_epi8(a, _mm_setr_epi8(0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1)),
            _mm_shuffle_epi8(b, _mm_setr_epi8(-1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14, -1, -1, -1, -1, -1))),
        _mm_shuffle_epi8(c, _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14)));
    const __m128i low = _mm_or_si128(
        _mm_or_si128(
            _mm_shuffle_epi8(a, _mm_setr_epi8(1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1)),
            _mm_shuffle_epi8(b, _mm_setr_epi8(-1, -1, -1, -1, -1, 0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1))),
        _mm_shuffle_epi8(c, _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 3, 6, 9, 12, 15)));
    __m128i highValid;
    __m128i lowValid;
    const __m128i highValues = DigitValues(high, highValid);
    const __m128i lowValues = DigitValues(low, lowValid);
    if (_mm_movemask_epi8(_mm_and_si128(highValid, lowValid)) != 0xFFFF) {
        return false;
    }
    // The high digits are at most 15, so shifting the 16-bit lanes carries nothing across.
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_or_si128(_mm_slli_epi16(highValues, 4), lowValues));
    return true;
}

__attribute__((target("ssse3"))) std::uint8_t* WriteBlockBytesSsse3(const DumpList& lines, std::uint8_t* to)
{
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string_view line = lines.Line(i);
        if (HasTasmForm(line) && ReadSixteenPairs(line.data() + kTasmBytesStart, to)) {
            to += 16;
        } else {
            to = WriteHexBytes(LineByteText(line), to);
        }
    }
    return to;
}

#endif

}  // namespace

std::size_t BlockBytesBound(const DumpList& lines)
{
    return lines.TextSize() / 3 + static_cast<std::size_t>(lines.Count());
}

std::uint8_t* WriteBlockBytes(const DumpList& lines, std::uint8_t* to)
{
#ifdef QUILLET_SSSE3_PAIRS
    if (__builtin_cpu_supports("ssse3")) {
        return WriteBlockBytesSsse3(lines, to);
    }
#endif
    return WriteBlockBytesByPairs(lines, to);
}
