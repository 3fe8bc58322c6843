#include "core/logdata/PointColumns.h"

#include <algorithm>

namespace korvex {

namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

} // namespace

bool TimeCodec::Adapt(double x, std::vector<std::int32_t>& codes)
{
    if (!codes.empty() || !(std::fabs(x) < 1.0e7))
        return false;
    base_ = static_cast<std::int64_t>(std::floor(x));
    baseDay_ = static_cast<double>(base_);
    based_ = true;
    return true;
}

bool DecimalCodec::EncodeSpecial(double y, std::int32_t& code)
{
    // Only the null point's own NaN: another NaN's bits would not come back.
    if (SameBits(y, std::numeric_limits<double>::quiet_NaN())) {
        code = PackedDecimals::kNull;
        return true;
    }
    if (SameBits(y, -0.0)) {
        code = PackedDecimals::kMinusZero;
        return true;
    }
    return false;
}

bool DecimalCodec::Adapt(double y, std::vector<std::int32_t>& codes)
{
    for (int d = decimals_ + 1; d <= PackedDecimals::kMostDecimals; ++d) {
        const double scale = kPowersOfTen[d];
        const double r = y * scale;
        if (!(std::fabs(r) <= PackedDecimals::kLargest))
            return false; // more decimals only make it larger
        const auto code = static_cast<std::int32_t>(r + (r < 0 ? -0.5 : 0.5));
        if (!SameBits(PackedDecimals::Decode(code, scale), y))
            continue;
        // m / 10^d and m * 10^k / 10^(d + k) are the same rational with exact operands, so the
        // division rounds both to the same double: the stored values keep their bits.
        const auto factor = static_cast<std::int32_t>(kPowersOfTen[d - decimals_]);
        const std::int32_t limit = PackedDecimals::kLargest / factor;
        for (std::int32_t c : codes)
            if (c > PackedDecimals::kMinusZero && (c > limit || c < -limit))
                return false;
        for (std::int32_t& c : codes)
            if (c > PackedDecimals::kMinusZero)
                c *= factor;
        decimals_ = d;
        scale_ = scale;
        return true;
    }
    return false;
}

template <class Codec>
void PointColumn<Codec>::Widen()
{
    const View packed = view();
    std::vector<double> values;
    values.reserve(std::max(codes_.capacity(), codes_.size()));
    packed.Visit([&](auto v) {
        for (std::size_t i = 0; i < codes_.size(); ++i)
            values.push_back(v[i]);
    });
    values_.swap(values);
    std::vector<std::int32_t>().swap(codes_);
    wide_ = true;
}

template <class Codec>
void PointColumn<Codec>::append(const double* v, std::size_t n)
{
    if (!wide_) {
        std::size_t i = 0;
        std::int32_t code;
        for (; i < n && Fit(v[i], code); ++i)
            codes_.push_back(code);
        if (i == n)
            return;
        Widen();
        v += i;
        n -= i;
    }
    values_.insert(values_.end(), v, v + n);
}

template <class Codec>
void PointColumn<Codec>::permute(const std::vector<std::size_t>& order)
{
    auto gather = [&](auto& from) {
        std::remove_reference_t<decltype(from)> to;
        to.reserve(from.capacity());
        for (std::size_t k : order)
            to.push_back(from[k]);
        from.swap(to);
    };
    if (wide_)
        gather(values_);
    else
        gather(codes_);
}

template class PointColumn<TimeCodec>;
template class PointColumn<DecimalCodec>;

} // namespace korvex
