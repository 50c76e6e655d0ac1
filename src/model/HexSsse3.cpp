#include "model/HexSsse3.h"

#include "model/HexText.h"

#include <string_view>

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define QUILLET_SSSE3 1
#include <cpuid.h>
#include <tmmintrin.h>
#endif

#ifdef QUILLET_SSSE3

namespace {

// Whether the processor has SSSE3. One CPUID, asked only when a block is first read or
// written: libgcc's own check would ask a dozen as every run of the program starts, and
// under a hypervisor each costs some microseconds.
bool ProcessorHasSsse3()
{
    unsigned eax = 0;
    unsigned ebx = 0;
    unsigned ecx = 0;
    unsigned edx = 0;
    return __get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0 && (ecx & bit_SSSE3) != 0;
}

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

__attribute__((target("ssse3"))) inline __m128i Load(const char* at)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
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
    const __m128i a = Load(text);
    const __m128i b = Load(text + 16);
    const __m128i c = Load(text + 31);
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

// Hex digits in upper case: the letters are the digits with bit 6 set, so bit 5 goes.
// Shifting the 16-bit lanes moves a bit across bytes only into bit 7, which the mask drops.
__attribute__((target("ssse3"))) inline __m128i UpperDigits(__m128i digits)
{
    return _mm_andnot_si128(_mm_and_si128(_mm_srli_epi16(digits, 1), _mm_set1_epi8(0x20)), digits);
}

}  // namespace

bool CanUseSsse3()
{
    static const bool can = ProcessorHasSsse3();
    return can;
}

__attribute__((target("ssse3"))) std::uint8_t* WriteWholeLinesSsse3(const DumpList& lines, int& line,
                                                                    std::uint8_t* to, const std::uint8_t* end)
{
    for (; line < lines.Count(); ++line) {
        const std::string_view text = lines.Line(line);
        if (LineBytesBound(text) > static_cast<std::size_t>(end - to)) {
            break;
        }
        if (HasTasmForm(text) && ReadSixteenPairs(text.data() + kTasmBytesStart, to)) {
            to += 16;
        } else {
            to = WriteHexBytes(LineByteText(text), to);
        }
    }
    return to;
}

__attribute__((target("ssse3"))) bool SpacePairsSsse3(const char* digits, std::size_t groups, char* to,
                                                      std::uint32_t& sum)
{
    __m128i valid = _mm_set1_epi8(-1);
    __m128i sums = _mm_setzero_si128();
    for (std::size_t g = 0; g < groups; ++g, digits += 32, to += 48) {
        const __m128i first = Load(digits);
        const __m128i second = Load(digits + 16);
        __m128i firstValid;
        __m128i secondValid;
        // Each pair's value: its first digit times 16 plus its second, in a 16-bit lane.
        const __m128i weights = _mm_set1_epi16(0x0110);
        const __m128i values = _mm_packus_epi16(_mm_maddubs_epi16(DigitValues(first, firstValid), weights),
                                                _mm_maddubs_epi16(DigitValues(second, secondValid), weights));
        valid = _mm_and_si128(valid, _mm_and_si128(firstValid, secondValid));
        sums = _mm_add_epi64(sums, _mm_sad_epu8(values, _mm_setzero_si128()));
        // Digits k of the run go to 3 * (k / 2) + k % 2 of the text, a space after each pair:
        // characters 0-10 to 0-15, 11-21 to 16-31 and 22-31 to 32-47.
        const __m128i a = UpperDigits(first);
        const __m128i b = UpperDigits(second);
        const __m128i gaps0 = _mm_setr_epi8(0, 0, 32, 0, 0, 32, 0, 0, 32, 0, 0, 32, 0, 0, 32, 0);
        const __m128i gaps1 = _mm_setr_epi8(0, 32, 0, 0, 32, 0, 0, 32, 0, 0, 32, 0, 0, 32, 0, 0);
        const __m128i gaps2 = _mm_setr_epi8(32, 0, 0, 32, 0, 0, 32, 0, 0, 32, 0, 0, 32, 0, 0, 32);
        const __m128i out0 = _mm_or_si128(
            _mm_shuffle_epi8(a, _mm_setr_epi8(0, 1, -1, 2, 3, -1, 4, 5, -1, 6, 7, -1, 8, 9, -1, 10)), gaps0);
        const __m128i out1 = _mm_or_si128(
            _mm_or_si128(
                _mm_shuffle_epi8(
                    a, _mm_setr_epi8(11, -1, 12, 13, -1, 14, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1)),
                _mm_shuffle_epi8(b, _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, 0, 1, -1, 2, 3, -1, 4, 5))),
            gaps1);
        const __m128i out2 = _mm_or_si128(
            _mm_shuffle_epi8(b, _mm_setr_epi8(-1, 6, 7, -1, 8, 9, -1, 10, 11, -1, 12, 13, -1, 14, 15, -1)),
            gaps2);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), out0);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16), out1);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 32), out2);
    }
    sum += static_cast<std::uint32_t>(_mm_cvtsi128_si32(sums)) +
           static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
    return _mm_movemask_epi8(valid) == 0xFFFF;
}

#else

bool CanUseSsse3()
{
    return false;
}

std::uint8_t* WriteWholeLinesSsse3(const DumpList&, int&, std::uint8_t* to, const std::uint8_t*)
{
    return to;
}

bool SpacePairsSsse3(const char*, std::size_t, char*, std::uint32_t&)
{
    return false;
}

#endif
