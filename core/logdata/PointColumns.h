#pragma once

// Storage of one coordinate of a series' points in 4 bytes per point where that loses nothing.
//
// Log times are whole seconds and log values short decimals, and both come out of the reader as
// one correctly rounded division (day + second / 86400, mantissa / 10^decimals). A column keeps
// the integers of that division and repeats it when read, which gives the very same double. A
// value is packed only after decoding its code gave back its exact bits; the first one that does
// not fit turns the column into plain doubles for good, so every reader sees the same numbers
// whichever form holds them.
//
// Readers get a view (ColumnView). Its operator[] picks the form on every access; loops over
// many points resolve the form once with Visit(), which hands them the concrete accessor.

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <vector>

namespace korvex {

// Plain doubles.
struct WideValues {
    const double* values = nullptr;
    double operator[](std::size_t i) const { return values[i]; }
};

// Times packed as dayOffset * 2^17 + secondOfDay around a base day: the codes order as the times.
struct PackedTimes {
    static constexpr int kDayShift = 17;
    static constexpr std::int32_t kSecondMask = (1 << kDayShift) - 1;
    static constexpr std::int32_t kFirstOffset = -(1 << 14), kLastOffset = (1 << 14) - 1;

    const std::int32_t* codes = nullptr;
    double baseDay = 0;

    static double Decode(std::int32_t code, double baseDay)
    {
        // As the reader forms a time: the whole day plus the rounded fraction.
        return (baseDay + static_cast<double>(code >> kDayShift)) +
               static_cast<double>(code & kSecondMask) / 86400.0;
    }
    double operator[](std::size_t i) const { return Decode(codes[i], baseDay); }
};

// Values packed as a mantissa over a power of ten shared by the column; two codes stand for the
// null point's NaN and for -0.0, which no mantissa gives.
struct PackedDecimals {
    static constexpr std::int32_t kNull = std::numeric_limits<std::int32_t>::min();
    static constexpr std::int32_t kMinusZero = kNull + 1;
    static constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max() - 1;
    static constexpr int kMostDecimals = 9;

    const std::int32_t* codes = nullptr;
    double scale = 1; // 10^decimals

    static double Decode(std::int32_t code, double scale)
    {
        // Selected, not branched on, so that loops over codes stay straight.
        const double v = static_cast<double>(code) / scale;
        const double special = code == kNull ? std::numeric_limits<double>::quiet_NaN() : -0.0;
        return code <= kMinusZero ? special : v;
    }
    double operator[](std::size_t i) const { return Decode(codes[i], scale); }
};

// Random-access iterator over anything with operator[](size_t) -> double; it yields values, so
// it suits the standard searches and loops but cannot write.
template <class Values>
class ValueIterator {
public:
    using iterator_category = std::random_access_iterator_tag;
    using iterator_concept = std::random_access_iterator_tag;
    using value_type = double;
    using difference_type = std::ptrdiff_t;
    using reference = double;
    using pointer = void;

    ValueIterator() = default;
    ValueIterator(Values values, difference_type i) : values_(values), i_(i) {}

    double operator*() const { return values_[static_cast<std::size_t>(i_)]; }
    double operator[](difference_type k) const { return values_[static_cast<std::size_t>(i_ + k)]; }
    ValueIterator& operator++()
    {
        ++i_;
        return *this;
    }
    ValueIterator operator++(int)
    {
        ValueIterator t = *this;
        ++i_;
        return t;
    }
    ValueIterator& operator--()
    {
        --i_;
        return *this;
    }
    ValueIterator operator--(int)
    {
        ValueIterator t = *this;
        --i_;
        return t;
    }
    ValueIterator& operator+=(difference_type k)
    {
        i_ += k;
        return *this;
    }
    ValueIterator& operator-=(difference_type k)
    {
        i_ -= k;
        return *this;
    }
    friend ValueIterator operator+(ValueIterator a, difference_type k) { return a += k; }
    friend ValueIterator operator+(difference_type k, ValueIterator a) { return a += k; }
    friend ValueIterator operator-(ValueIterator a, difference_type k) { return a -= k; }
    friend difference_type operator-(const ValueIterator& a, const ValueIterator& b)
    {
        return a.i_ - b.i_;
    }
    friend bool operator==(const ValueIterator& a, const ValueIterator& b) { return a.i_ == b.i_; }
    friend auto operator<=>(const ValueIterator& a, const ValueIterator& b)
    {
        return a.i_ <=> b.i_;
    }
    difference_type index() const { return i_; }

private:
    Values values_{};
    difference_type i_ = 0;
};

// Read-only view of one column, valid until its series' points change.
template <class Packed>
class ColumnView {
public:
    using value_type = double;
    using size_type = std::size_t;
    using const_iterator = ValueIterator<ColumnView>;
    using iterator = const_iterator;

    ColumnView() = default;
    ColumnView(const double* wide, Packed packed, std::size_t n, bool isWide)
        : wide_(wide), packed_(packed), n_(n), isWide_(isWide)
    {}

    std::size_t size() const { return n_; }
    bool empty() const { return n_ == 0; }
    double operator[](std::size_t i) const { return isWide_ ? wide_[i] : packed_[i]; }
    double front() const { return (*this)[0]; }
    double back() const { return (*this)[n_ - 1]; }
    const_iterator begin() const { return const_iterator(*this, 0); }
    const_iterator end() const { return const_iterator(*this, static_cast<std::ptrdiff_t>(n_)); }

    bool isWide() const { return isWide_; }
    // Start of the stored block, whichever form: tells whether the points moved.
    const void* data() const
    {
        return isWide_ ? static_cast<const void*>(wide_) : static_cast<const void*>(packed_.codes);
    }
    // Calls f with the accessor of the form in use (WideValues or Packed).
    template <class F>
    decltype(auto) Visit(F&& f) const
    {
        if (isWide_)
            return f(WideValues{wide_});
        return f(packed_);
    }

private:
    const double* wide_ = nullptr;
    Packed packed_{};
    std::size_t n_ = 0;
    bool isWide_ = true;
};

using TimeView = ColumnView<PackedTimes>;
using ValueView = ColumnView<PackedDecimals>;

// Decodes values[first, first + N) into out. Loops of a fixed length over codes vectorise (the
// divisions run several at a time); the rare special codes are mended in a second pass.
template <int N>
void DecodeBlock(const double* values, std::size_t first, double* out)
{
    std::copy(values + first, values + first + N, out);
}
template <int N>
void DecodeBlock(const WideValues& values, std::size_t first, double* out)
{
    DecodeBlock<N>(values.values, first, out);
}
template <int N>
void DecodeBlock(const PackedTimes& times, std::size_t first, double* out)
{
    const std::int32_t* codes = times.codes + first;
    for (int k = 0; k < N; ++k)
        out[k] = PackedTimes::Decode(codes[k], times.baseDay);
}
template <int N>
void DecodeBlock(const PackedDecimals& values, std::size_t first, double* out)
{
    const std::int32_t* codes = values.codes + first;
    for (int k = 0; k < N; ++k)
        out[k] = static_cast<double>(codes[k]) / values.scale;
    for (int k = 0; k < N; ++k)
        if (codes[k] <= PackedDecimals::kMinusZero)
            out[k] = PackedDecimals::Decode(codes[k], values.scale);
}

// Resolves the forms of both columns once: f(xs, ys) gets concrete accessors.
template <class F>
decltype(auto) VisitPoints(const TimeView& xs, const ValueView& ys, F&& f)
{
    return xs.Visit([&](auto x) -> decltype(auto) {
        return ys.Visit([&](auto y) -> decltype(auto) { return f(x, y); });
    });
}

// Index of the first of values[first, last) that is not below x (std::lower_bound on indices).
template <class Values>
std::size_t LowerBoundIndex(const Values& values, std::size_t first, std::size_t last, double x)
{
    using It = ValueIterator<Values>;
    return static_cast<std::size_t>(std::lower_bound(It(values, static_cast<std::ptrdiff_t>(first)),
                                                     It(values, static_cast<std::ptrdiff_t>(last)),
                                                     x)
                                        .index());
}

// Index of the first of values[first, last) above x (std::upper_bound on indices).
template <class Values>
std::size_t UpperBoundIndex(const Values& values, std::size_t first, std::size_t last, double x)
{
    using It = ValueIterator<Values>;
    return static_cast<std::size_t>(std::upper_bound(It(values, static_cast<std::ptrdiff_t>(first)),
                                                     It(values, static_cast<std::ptrdiff_t>(last)),
                                                     x)
                                        .index());
}

// A contiguous vector of values: the view's elements as plain doubles.
template <class Packed>
std::vector<double> ToVector(const ColumnView<Packed>& view)
{
    return std::vector<double>(view.begin(), view.end());
}

inline bool SameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// The fraction of the day of every whole minute, the very double that second / 86400.0 gives:
// most log times are whole minutes, and a look-up costs a fraction of a division.
inline constexpr std::array<double, 1440> kWholeMinuteFractions = [] {
    std::array<double, 1440> fractions{};
    for (std::size_t m = 0; m < fractions.size(); ++m)
        fractions[m] = static_cast<double>(m * 60) / 86400.0;
    return fractions;
}();

// The packing of times: a base day taken from the first time stored.
class TimeCodec {
public:
    using Packed = PackedTimes;
    Packed Accessor(const std::int32_t* codes) const { return Packed{codes, baseDay_}; }
    bool Encode(double x, std::int32_t& code) const
    {
        // Beyond this the seconds no longer fit the conversions below; such times stay wide.
        if (!based_ || !(std::fabs(x) < 1.0e7))
            return false;
        // Truncation with a step down for negative times is a floor without a library call.
        // The fraction is exact once x lies a day or more from the epoch; the check below
        // catches whatever does not come back.
        std::int64_t day = static_cast<std::int64_t>(x);
        day -= x < static_cast<double>(day) ? 1 : 0;
        const double s = (x - static_cast<double>(day)) * 86400.0;
        const auto second = static_cast<std::int64_t>(s + 0.5);
        const std::int64_t offset = day - base_;
        if (offset < PackedTimes::kFirstOffset || offset > PackedTimes::kLastOffset)
            return false;
        code = static_cast<std::int32_t>(offset * (std::int64_t{1} << PackedTimes::kDayShift) +
                                         second);
        // PackedTimes::Decode, with the whole minutes looked up (second lies in 0 to 86400).
        const auto minute = static_cast<std::uint32_t>(second) / 60u;
        const double fraction = minute * 60u == static_cast<std::uint32_t>(second) && minute < 1440u
                                    ? kWholeMinuteFractions[minute]
                                    : static_cast<double>(second) / 86400.0;
        return SameBits((baseDay_ + static_cast<double>(offset)) + fraction, x);
    }
    // Makes room for x if it can: only an empty column takes a base day.
    bool Adapt(double x, std::vector<std::int32_t>& codes);
    void Reset() { based_ = false; }

private:
    std::int64_t base_ = 0;
    double baseDay_ = 0;
    bool based_ = false;
};

// The packing of values: as many decimals as the most precise value stored needed.
class DecimalCodec {
public:
    using Packed = PackedDecimals;
    Packed Accessor(const std::int32_t* codes) const { return Packed{codes, scale_}; }
    bool Encode(double y, std::int32_t& code) const
    {
        const double r = y * scale_;
        if (std::fabs(r) <= PackedDecimals::kLargest) {
            code = static_cast<std::int32_t>(r + (r < 0 ? -0.5 : 0.5));
            // PackedDecimals::Decode of a code this size, which is never one of the two marks.
            if (SameBits(static_cast<double>(code) / scale_, y))
                return true;
        }
        return EncodeSpecial(y, code);
    }
    // Raises the decimals (scaling the stored codes) when x needs more of them and they fit.
    bool Adapt(double y, std::vector<std::int32_t>& codes);
    void Reset()
    {
        decimals_ = 0;
        scale_ = 1;
    }
    int decimals() const { return decimals_; }

private:
    static bool EncodeSpecial(double y, std::int32_t& code);
    int decimals_ = 0;
    double scale_ = 1;
};

// One coordinate of a series' points: packed codes while every value fits, else doubles.
template <class Codec>
class PointColumn {
public:
    using View = ColumnView<typename Codec::Packed>;

    View view() const
    {
        if (wide_)
            return View(values_.data(), {}, values_.size(), true);
        return View(nullptr, codec_.Accessor(codes_.data()), codes_.size(), false);
    }
    std::size_t size() const { return wide_ ? values_.size() : codes_.size(); }
    std::size_t capacity() const { return wide_ ? values_.capacity() : codes_.capacity(); }
    bool isWide() const { return wide_; }
    std::size_t heapBytes() const
    {
        return codes_.capacity() * sizeof(std::int32_t) + values_.capacity() * sizeof(double);
    }

    void reserve(std::size_t n)
    {
        if (wide_)
            values_.reserve(n);
        else
            codes_.reserve(n);
    }
    void shrinkToFit()
    {
        codes_.shrink_to_fit();
        values_.shrink_to_fit();
    }
    // The wide form stays: a column that once held an unfit value will likely see another.
    void clear()
    {
        codes_.clear();
        values_.clear();
        codec_.Reset();
    }
    void pushBack(double v)
    {
        std::int32_t code;
        if (!wide_) {
            if (Fit(v, code)) {
                codes_.push_back(code);
                return;
            }
            Widen();
        }
        values_.push_back(v);
    }
    void insert(std::size_t at, double v)
    {
        std::int32_t code;
        if (!wide_) {
            if (Fit(v, code)) {
                codes_.insert(codes_.begin() + static_cast<std::ptrdiff_t>(at), code);
                return;
            }
            Widen();
        }
        values_.insert(values_.begin() + static_cast<std::ptrdiff_t>(at), v);
    }
    void set(std::size_t i, double v)
    {
        std::int32_t code;
        if (!wide_) {
            if (Fit(v, code)) {
                codes_[i] = code;
                return;
            }
            Widen();
        }
        values_[i] = v;
    }
    // Appends n values; the capacity is the caller's business (reserve first).
    void append(const double* v, std::size_t n);
    // Reorders to element order[k] at k (order is a permutation of 0..size()-1), keeping the
    // capacity.
    void permute(const std::vector<std::size_t>& order);

private:
    bool Fit(double v, std::int32_t& code)
    {
        return codec_.Encode(v, code) || (codec_.Adapt(v, codes_) && codec_.Encode(v, code));
    }
    void Widen();

    std::vector<std::int32_t> codes_;
    std::vector<double> values_;
    Codec codec_;
    bool wide_ = false;
};

using TimeColumn = PointColumn<TimeCodec>;
using ValueColumn = PointColumn<DecimalCodec>;

extern template class PointColumn<TimeCodec>;
extern template class PointColumn<DecimalCodec>;

// Summaries of a series' points in blocks of kSize from the first point: whether a block holds
// no null point, and where its first smallest and its first largest Y lie (offsets in the block).
// A block that falls into one pixel column draws as those points and its first and last.
struct PointBlocks {
    static constexpr std::size_t kSize = 64;
    const std::uint8_t* whole = nullptr;
    const std::uint8_t* lowAt = nullptr;
    const std::uint8_t* highAt = nullptr;
    std::size_t count = 0;
};

} // namespace korvex
