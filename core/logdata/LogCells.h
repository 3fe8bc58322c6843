#pragma once

// The hot loop of the reader: splitting a file into lines and the cells of a data line. Each
// fast path takes only the common exact forms and hands everything else to the general parsers
// (ParseLogTimestamp, ParseLogNumber), so both give the same values.

#include "core/logdata/LoadFaults.h"
#include "core/logdata/LogFileReader.h"
#include "core/logdata/PointColumns.h"
#include "core/logdata/ShortDecimal.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace korvex {

// The first CR or LF at or after p, or end.
inline const char* FindLineBreak(const char* p, const char* end)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        if (mask != 0)
            return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    while (p < end && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

// The first ';' at or after p, or end. Cells are short: a call into the library's search costs
// more than the search itself.
inline const char* FindSemicolon(const char* p, const char* end)
{
#if defined(__SSE2__)
    const __m128i semicolon = _mm_set1_epi8(';');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(v, semicolon));
        if (mask != 0)
            return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    while (p < end && *p != ';')
        ++p;
    return p;
}

// At least the number of lines in bytes: its line breaks, a CR LF counted twice, plus one.
inline std::size_t LineCountBound(const char* p, const char* const end)
{
    std::size_t breaks = 0;
#if defined(__SSE2__)
    // Byte-wide counters, summed into the total before any of them can overflow.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i zero = _mm_setzero_si128();
    while (end - p >= 16) {
        __m128i counts = zero;
        for (int block = 0; block < 255 && end - p >= 16; ++block, p += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i hit = _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf));
            counts = _mm_sub_epi8(counts, hit); // a hit is -1
        }
        const __m128i sums = _mm_sad_epu8(counts, zero);
        breaks += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
                  static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
    }
#endif
    for (; p < end; ++p)
        breaks += (*p == '\r' || *p == '\n') ? 1 : 0;
    return breaks + 1;
}

// How the line breaks are searched: 16 bytes a step, or 32 where the processor has the
// instructions (chosen once; tests take each).
enum class LineBreakSearch : std::uint8_t { Narrow, Wide };
LineBreakSearch BestLineBreakSearch();

// Every line of bytes, as LogLines reads them: CR LF, a lone CR or a lone LF ends a line; a
// final line break does not start another line. False when the stop flag turned true meanwhile
// (the lines are then incomplete).
bool SplitLogLines(std::string_view bytes, std::vector<std::string_view>& lines,
                   const std::atomic<bool>* stopFlag = nullptr);
bool SplitLogLines(LineBreakSearch search, std::string_view bytes,
                   std::vector<std::string_view>& lines,
                   const std::atomic<bool>* stopFlag = nullptr);

// Timestamps of one file: "yyyy-mm-dd hh:mm[:ss]" and "dd.mm.yyyy hh:mm[:ss]" directly, with the
// day of the last date kept (a day file has one date on almost every line).
class LogStampReader {
public:
    bool parse(std::string_view cell, DateOrder order, double& out)
    {
        return fast(cell, order, out) || ParseLogTimestamp(cell, order, out);
    }

private:
    // Once a line: inline, with the date read only when it changes.
    [[gnu::always_inline]] bool fast(std::string_view cell, DateOrder order, double& out)
    {
        const std::size_t n = cell.size();
        if (n != 16 && n != 19)
            return false;
        const char* s = cell.data();
        const auto two = [s](int at, int& v) { return TwoDigits(s + at, v); };
        int hour = 0, minute = 0, second = 0;
        if (s[10] != ' ' || s[13] != ':' || !two(11, hour) || !two(14, minute))
            return false;
        if (n == 19 && (s[16] != ':' || !two(17, second)))
            return false;
        if (hour > 23 || minute > 59 || second > 59)
            return false;
        if ((!known_ || order != dateOrder_ || std::memcmp(date_, s, sizeof date_) != 0) &&
            !takeDate(s, order))
            return false;
        if (second == 0) {
            out = day_ + kWholeMinuteFractions[static_cast<std::size_t>(hour * 60 + minute)];
            return true;
        }
        const long long ms = ((hour * 60LL + minute) * 60LL + second) * 1000LL;
        out = day_ + static_cast<double>(ms) / 86400000.0;
        return true;
    }
    // Keeps the date of the stamp at s when it is one.
    bool takeDate(const char* s, DateOrder order);
    // The two digits at s as a number in v; false when they are not both digits.
    [[gnu::always_inline]] static bool TwoDigits(const char* s, int& v)
    {
        const unsigned a = static_cast<unsigned char>(s[0]) - '0';
        const unsigned b = static_cast<unsigned char>(s[1]) - '0';
        v = static_cast<int>(a * 10 + b);
        return a <= 9 && b <= 9;
    }

    char date_[10] = {};
    DateOrder dateOrder_ = DateOrder::YearMonthDay;
    double day_ = 0;
    bool known_ = false;
};

// One value cell starting at p: what it holds and where the next cell starts.
// Err: the controller's mark for a broken sensor, no value like an empty cell.
enum class CellValue : std::uint8_t { Empty, Number, Bad, Err };

inline CellValue ReadGeneralCell(const char*& p, const char* end, double& value)
{
    const char* cellEnd = FindSemicolon(p, end);
    const std::string_view cell(p, static_cast<std::size_t>(cellEnd - p));
    p = cellEnd != end ? cellEnd + 1 : end;
    if (cell.empty())
        return CellValue::Empty;
    if (cell == "Err")
        return CellValue::Err;
    return ParseLogNumber(cell, value) ? CellValue::Number : CellValue::Bad;
}

// A plain decimal with at most 15 digits ("-12,5") is read while the cell is searched; its value
// is the one ParseLogNumber gives (mantissa and power of ten are exact, one division rounds).
inline CellValue ReadValueCell(const char*& p, const char* end, double& value)
{
    const bool negative = p < end && *p == '-';
    const ShortDecimal d = ScanShortDecimal(p + (negative ? 1 : 0), end);
    if (d.digits > 0 && d.digits <= 15 && (d.stop == end || *d.stop == ';')) {
        value = negative ? -d.value : d.value;
        p = d.stop == end ? end : d.stop + 1;
        return CellValue::Number;
    }
    return ReadGeneralCell(p, end, value);
}

// Past the cell at p without reading it.
inline void SkipCell(const char*& p, const char* end)
{
    const char* hit = FindSemicolon(p, end);
    p = hit != end ? hit + 1 : end;
}

} // namespace korvex
