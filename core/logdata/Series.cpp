#include "core/logdata/Series.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvex {

namespace {

constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

} // namespace

Series::Series(SeriesClass cls, DrawStyle style, ChartHost* chart)
    : class_(cls), style_(style), chart_(chart)
{}

Series::Series(SeriesClass cls, DrawStyle style, std::unique_ptr<Series> source)
    : class_(cls), style_(style)
{
    if (source) {
        chart_ = source->chart_;
        copyStyleFrom(*source);
        source_ = std::move(source);
    }
}

// Smallest and largest non-null Y per block of kBlock points (infinities for a block of nulls
// only), valid for the data version it was built at.
struct Series::YSummary {
    static constexpr std::size_t kBlock = PointBlocks::kSize;
    std::uint64_t version = 0;
    std::vector<double> lows, highs;
    // Per block: no null point in it; where its first smallest and first largest Y lie.
    std::vector<std::uint8_t> whole, lowAt, highAt;
};

Series::~Series() = default;

void Series::copyStyleFrom(const Series& other)
{
    colour_ = other.colour_;
    title_ = other.title_;
    penWidth_ = other.penWidth_;
    stairs_ = other.stairs_;
    axis_ = other.axis_;
    showInLegend_ = other.showInLegend_;
}

std::unique_ptr<Series> Series::detachSource()
{
    if (source_)
        touchData();
    return std::move(source_);
}

Series& Series::dataHolder()
{
    Series* s = this;
    while (s->source_)
        s = s->source_.get();
    return *s;
}

const Series& Series::dataHolder() const
{
    const Series* s = this;
    while (s->source_)
        s = s->source_.get();
    return *s;
}

bool Series::isNull(int i) const
{
    return std::isnan(y(i));
}

int Series::addPoint(double x, double y)
{
    return dataHolder().doAddPoint(x, y);
}

int Series::addNullPoint(double x)
{
    return dataHolder().doAddNullPoint(x);
}

int Series::doAddPoint(double x, double y)
{
    return insertSorted(x, y);
}

int Series::doAddNullPoint(double x)
{
    return insertSorted(x, kNull);
}

// Vectors grow by a quarter instead of doubling: a year of one-minute points per field must
// stay near 16 bytes per point.
void Series::growFor(std::size_t extra)
{
    const std::size_t size = xs_.size();
    if (size + extra <= xs_.capacity())
        return;
    const std::size_t wanted = std::max(size + extra, size + size / 4 + 16);
    xs_.reserve(wanted);
    ys_.reserve(wanted);
}

int Series::insertSorted(double x, double y)
{
    const TimeView v = xs_.view();
    if (v.empty() || !(x < v.back())) {
        growFor(1);
        xs_.pushBack(x);
        ys_.pushBack(y);
        touchData();
        return static_cast<int>(xs_.size()) - 1;
    }
    const auto index =
        static_cast<std::size_t>(std::upper_bound(v.begin(), v.end(), x) - v.begin());
    growFor(1);
    xs_.insert(index, x);
    ys_.insert(index, y);
    touchData();
    return static_cast<int>(index);
}

void Series::setX(int i, double x)
{
    Series& h = dataHolder();
    h.xs_.set(static_cast<std::size_t>(i), x);
    h.touchData();
}

void Series::setY(int i, double y)
{
    Series& h = dataHolder();
    h.ys_.set(static_cast<std::size_t>(i), y);
    h.touchData();
}

void Series::clear()
{
    Series& h = dataHolder();
    h.xs_.clear();
    h.ys_.clear();
    h.touchData();
}

void Series::appendPoints(const double* xs, const double* ys, std::size_t n, std::size_t expected)
{
    if (n == 0)
        return;
    Series& h = dataHolder();
    const std::size_t old = h.xs_.size();
    // Files append day after day: doubling copies every point about once instead of four
    // times; a good guess of the final size copies them at most once or twice and leaves
    // little to trim. Capacity not yet written takes address space only.
    if (old + n > h.xs_.capacity()) {
        std::size_t grown = std::max(old + n, 2 * old);
        if (expected >= old + n)
            grown = std::max(expected, old + n + old / 8);
        h.xs_.reserve(grown);
        h.ys_.reserve(grown);
    }
    const bool inOrder = old == 0 || !(xs[0] < h.xs_.view().back());
    h.xs_.append(xs, n);
    h.ys_.append(ys, n);
    if (!inOrder) {
        // Stable merge of the two sorted runs; equal X keep the old points first.
        const TimeView v = h.xs_.view();
        std::vector<std::size_t> order(v.size());
        std::size_t a = 0, b = old, k = 0;
        while (a < old && b < v.size())
            order[k++] = (v[b] < v[a]) ? b++ : a++;
        while (a < old)
            order[k++] = a++;
        while (b < v.size())
            order[k++] = b++;
        h.xs_.permute(order);
        h.ys_.permute(order);
    }
    h.touchData();
}

int Series::lowerBound(double x) const
{
    const TimeView v = xs();
    return static_cast<int>(std::lower_bound(v.begin(), v.end(), x) - v.begin());
}

double Series::firstX() const
{
    return empty() ? 0.0 : xs().front();
}

double Series::lastX() const
{
    return empty() ? 0.0 : xs().back();
}

void Series::reserve(std::size_t n)
{
    Series& h = dataHolder();
    h.xs_.reserve(n);
    h.ys_.reserve(n);
}

void Series::shrinkToFit()
{
    Series& h = dataHolder();
    h.xs_.shrinkToFit();
    h.ys_.shrinkToFit();
}

std::size_t Series::memoryBytes() const
{
    std::size_t bytes = sizeof(*this) + title_.capacity() + xs_.heapBytes() + ys_.heapBytes();
    if (ySummary_)
        bytes += sizeof(YSummary) +
                 (ySummary_->lows.capacity() + ySummary_->highs.capacity()) * sizeof(double) +
                 ySummary_->whole.capacity() + ySummary_->lowAt.capacity() +
                 ySummary_->highAt.capacity();
    if (source_)
        bytes += source_->memoryBytes();
    return bytes;
}

const Series::YSummary& Series::ySummary() const
{
    if (!ySummary_)
        ySummary_ = std::make_unique<YSummary>();
    YSummary& sum = *ySummary_;
    const std::size_t size = ys_.size();
    if (sum.version == dataVersion_ && sum.lows.size() == size / YSummary::kBlock)
        return sum;
    // Whole blocks only: the points after the last one are looked at one by one.
    const std::size_t blocks = size / YSummary::kBlock;
    sum.lows.assign(blocks, std::numeric_limits<double>::infinity());
    sum.highs.assign(blocks, -std::numeric_limits<double>::infinity());
    sum.whole.assign(blocks, 1);
    sum.lowAt.assign(blocks, 0);
    sum.highAt.assign(blocks, 0);
    ys_.view().Visit([&](auto ys) {
        for (std::size_t b = 0; b < blocks; ++b) {
            double low = sum.lows[b], high = sum.highs[b];
            std::size_t lowAt = 0, highAt = 0;
            bool whole = true;
            for (std::size_t k = 0; k < YSummary::kBlock; ++k) {
                const double y = ys[b * YSummary::kBlock + k];
                if (std::isnan(y)) {
                    whole = false;
                    continue;
                }
                // Strictly smaller or larger: the first of equal extremes counts, as in drawing.
                if (y < low) {
                    low = y;
                    lowAt = k;
                }
                if (y > high) {
                    high = y;
                    highAt = k;
                }
            }
            sum.lows[b] = low;
            sum.highs[b] = high;
            sum.whole[b] = whole ? 1 : 0;
            sum.lowAt[b] = static_cast<std::uint8_t>(lowAt);
            sum.highAt[b] = static_cast<std::uint8_t>(highAt);
        }
    });
    sum.version = dataVersion_;
    return sum;
}

PointBlocks Series::pointBlocks() const
{
    const YSummary& sum = dataHolder().ySummary();
    return {sum.whole.data(), sum.lowAt.data(), sum.highAt.data(), sum.whole.size()};
}

bool Series::yRangeIn(double from, double to, double& low, double& high) const
{
    const Series& h = dataHolder();
    const TimeView xs = h.xs_.view();
    const std::size_t begin = static_cast<std::size_t>(lowerBound(from));
    const std::size_t end = static_cast<std::size_t>(
        std::upper_bound(xs.begin() + static_cast<std::ptrdiff_t>(begin), xs.end(), to) -
        xs.begin());
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    const auto scan = [&](std::size_t a, std::size_t b) {
        h.ys_.view().Visit([&](auto ys) {
            for (std::size_t i = a; i < b; ++i) {
                const double y = ys[i];
                if (std::isnan(y))
                    continue;
                lo = std::min(lo, y);
                hi = std::max(hi, y);
            }
        });
    };
    constexpr std::size_t kBlock = YSummary::kBlock;
    const std::size_t firstWhole = (begin + kBlock - 1) / kBlock;
    const std::size_t lastWhole = end / kBlock; // one past
    if (end - begin < 4 * kBlock || firstWhole >= lastWhole) {
        scan(begin, end);
    } else {
        const YSummary& sum = h.ySummary();
        scan(begin, firstWhole * kBlock);
        for (std::size_t b = firstWhole; b < lastWhole; ++b) {
            lo = std::min(lo, sum.lows[b]);
            hi = std::max(hi, sum.highs[b]);
        }
        scan(lastWhole * kBlock, end);
    }
    if (!(lo <= hi))
        return false;
    low = lo;
    high = hi;
    return true;
}

namespace {

// The first non-null Y that beats all others (better(a, b): a replaces b); 0 when none.
template <class Better>
double BestY(const ValueView& ys, Better better)
{
    return ys.Visit([&](auto v) {
        bool any = false;
        double best = 0;
        for (std::size_t i = 0; i < ys.size(); ++i) {
            const double y = v[i];
            if (std::isnan(y))
                continue;
            if (!any || better(y, best))
                best = y;
            any = true;
        }
        return best;
    });
}

} // namespace

double Series::largestY() const
{
    return BestY(ys(), [](double a, double b) { return a > b; });
}

double Series::smallestY() const
{
    return BestY(ys(), [](double a, double b) { return a < b; });
}

void Series::setOffset(int) {}

void Series::storeOffset(int value)
{
    offset_ = value;
    touchData();
}

std::uint64_t Series::dataVersion() const
{
    std::uint64_t v = dataVersion_;
    for (const Series* s = source_.get(); s; s = s->source_.get())
        v += s->dataVersion_;
    return v;
}

void Series::setColour(Colour c)
{
    restyle(colour_, c);
}

void Series::setTitle(const std::string& t)
{
    if (title_ != t) {
        title_ = t;
        touchStyle();
    }
}

void Series::setPenWidth(int w)
{
    restyle(penWidth_, w);
}

void Series::setStairs(bool on)
{
    restyle(stairs_, on);
}

void Series::setAxis(VerticalAxis a)
{
    restyle(axis_, a);
}

void Series::setShowInLegend(bool on)
{
    restyle(showInLegend_, on);
}

void Series::setOutlineVisible(bool on)
{
    restyle(outlineVisible_, on);
}

void Series::setOutlineColour(Colour c)
{
    restyle(outlineColour_, c);
}

void Series::setOutlineWidth(int w)
{
    restyle(outlineWidth_, w);
}

void Series::setBarWidthPercent(int percent)
{
    restyle(barWidthPercent_, percent);
}

void Series::setFixedBarWidth(int pixels)
{
    restyle(fixedBarWidth_, pixels);
}

void Series::setYOrigin(double origin, bool use)
{
    if (yOrigin_ != origin || useYOrigin_ != use) {
        yOrigin_ = origin;
        useYOrigin_ = use;
        touchStyle();
    }
}

void Series::setMarksVisible(bool on)
{
    restyle(marksVisible_, on);
}

} // namespace korvex
