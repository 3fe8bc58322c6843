// Splitting a file into its lines takes a pass over every byte before any is read; where the
// processor has 32-byte instructions, that pass takes half the steps.
#include "core/logdata/LogCells.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define KORVEX_WIDE_LINE_BREAKS 1
#endif

namespace korvex {

namespace {

template <class FindBreak>
[[gnu::always_inline]] inline bool SplitLines(std::string_view bytes,
                                              std::vector<std::string_view>& lines,
                                              const std::atomic<bool>* stopFlag, FindBreak find)
{
    lines.clear();
    LoadFaultPoint(LoadFault::SplitLines);
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    // The list takes its size at once: growing it by doubling would hold the old and the new
    // list together, three times the lines' worth at the peak, for a file of nothing but line
    // breaks 48 bytes per byte. A log's lines are longer than kGuess bytes; a file of shorter
    // ones has its breaks counted when the guess runs out, and the list grows once to that.
    constexpr std::size_t kGuess = 24;
    lines.reserve(bytes.size() / kGuess + 2);
    while (p < end) {
        if (stopFlag && lines.size() % 4096 == 0 && stopFlag->load(std::memory_order_relaxed))
            return false;
        if (lines.size() == lines.capacity())
            lines.reserve(lines.size() + LineCountBound(p, end));
        const char* stop = find(p, end);
        lines.emplace_back(p, static_cast<std::size_t>(stop - p));
        if (stop == end)
            break;
        p = (*stop == '\r' && stop + 1 < end && stop[1] == '\n') ? stop + 2 : stop + 1;
    }
    return true;
}

bool SplitNarrow(std::string_view bytes, std::vector<std::string_view>& lines,
                 const std::atomic<bool>* stopFlag)
{
    return SplitLines(bytes, lines, stopFlag, FindLineBreak);
}

#if defined(KORVEX_WIDE_LINE_BREAKS)
[[gnu::target("avx2")]] inline const char* FindLineBreakWide(const char* p, const char* end)
{
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    while (end - p >= 32) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const auto mask = static_cast<unsigned>(_mm256_movemask_epi8(
            _mm256_or_si256(_mm256_cmpeq_epi8(v, cr), _mm256_cmpeq_epi8(v, lf))));
        if (mask != 0)
            return p + __builtin_ctz(mask);
        p += 32;
    }
    return FindLineBreak(p, end);
}

[[gnu::target("avx2")]] bool SplitWide(std::string_view bytes, std::vector<std::string_view>& lines,
                                       const std::atomic<bool>* stopFlag)
{
    return SplitLines(bytes, lines, stopFlag, FindLineBreakWide);
}
#endif

} // namespace

LineBreakSearch BestLineBreakSearch()
{
#if defined(KORVEX_WIDE_LINE_BREAKS)
    static const LineBreakSearch best =
        __builtin_cpu_supports("avx2") ? LineBreakSearch::Wide : LineBreakSearch::Narrow;
    return best;
#else
    return LineBreakSearch::Narrow;
#endif
}

bool SplitLogLines(LineBreakSearch search, std::string_view bytes,
                   std::vector<std::string_view>& lines, const std::atomic<bool>* stopFlag)
{
#if defined(KORVEX_WIDE_LINE_BREAKS)
    if (search == LineBreakSearch::Wide && BestLineBreakSearch() == LineBreakSearch::Wide)
        return SplitWide(bytes, lines, stopFlag);
#else
    (void)search;
#endif
    return SplitNarrow(bytes, lines, stopFlag);
}

bool SplitLogLines(std::string_view bytes, std::vector<std::string_view>& lines,
                   const std::atomic<bool>* stopFlag)
{
    return SplitLogLines(BestLineBreakSearch(), bytes, lines, stopFlag);
}

} // namespace korvex
