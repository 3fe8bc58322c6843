#include "ui/chart/AxisTicker.h"

#include "core/services/DayTime.h"
#include "core/services/NumberFormat.h"
#include "ui/chart/ChartAxis.h"
#include "ui/chart/ChartWidget.h"

#include <QFontMetrics>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace korvex {

namespace {

constexpr double kMonthDays = 30.4375;
constexpr double kYearDays = 365.25;
constexpr int kMaxTicks = 5000;
constexpr double kEpsilon = 1e-9;

// Day 2 (1 January 1900) was a Monday: weekly steps count from it.
constexpr double kMondayOrigin = 2.0;

bool IsWholeWeeks(double increment)
{
    const double days = std::round(increment);
    return std::fabs(increment - days) < 1e-9 && days >= 7 && static_cast<long long>(days) % 7 == 0;
}

QVector<double> Multiples(double first, double last, double step, double origin)
{
    QVector<double> out;
    const double k0 = std::ceil((first - origin) / step - kEpsilon);
    const double k1 = std::floor((last - origin) / step + kEpsilon);
    if (k1 - k0 > kMaxTicks)
        return out;
    for (double k = k0; k <= k1; k += 1.0)
        out.push_back(origin + k * step);
    return out;
}

QVector<double> MonthSteps(double first, double last, int months)
{
    QVector<double> out;
    int y = 0, m = 0, d = 0;
    DecodeDate(first, y, m, d);
    long long index = static_cast<long long>(y) * 12 + (m - 1);
    index -= ((index % months) + months) % months;
    for (int guard = 0; guard < kMaxTicks; ++guard, index += months) {
        const int year = static_cast<int>(index / 12);
        const int month = static_cast<int>(index % 12) + 1;
        DayTime t = 0;
        if (!TryEncodeDate(year, month, 1, t))
            break;
        if (t > last + kEpsilon)
            break;
        if (t >= first - kEpsilon)
            out.push_back(t);
    }
    return out;
}

// Readable steps: 1, 2, 5 times a power of ten.
double NiceStep(double rough)
{
    if (!(rough > 0) || !std::isfinite(rough))
        return 1.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    const double mantissa = rough / magnitude;
    double nice = 10.0;
    if (mantissa <= 1.0 + 1e-9)
        nice = 1.0;
    else if (mantissa <= 2.0 + 1e-9)
        nice = 2.0;
    else if (mantissa <= 5.0 + 1e-9)
        nice = 5.0;
    return nice * magnitude;
}

QRect TextBounds(const QFontMetrics& metrics, const QString& text)
{
    // The same measure the axis painter uses for its label column.
    return metrics.boundingRect(0, 0, 0, 0, Qt::TextDontClip | Qt::AlignHCenter, text);
}

} // namespace

TimeStepPlan PlanTimeSteps(double increment, bool exactDate)
{
    TimeStepPlan plan;
    plan.step = increment > 0 ? increment : 1.0;
    if (exactDate && plan.step >= 28.0) {
        int months = std::max(1, static_cast<int>(std::lround(plan.step / kMonthDays)));
        if (months >= 12)
            months = 12 * std::max(1, static_cast<int>(std::lround(months / 12.0)));
        plan.months = months;
    } else if (IsWholeWeeks(plan.step)) {
        plan.origin = kMondayOrigin;
    }
    return plan;
}

QVector<double> TimeTicks(double first, double last, const TimeStepPlan& plan)
{
    if (!(plan.step > 0) || !(last >= first) || !std::isfinite(first) || !std::isfinite(last))
        return {};
    if (plan.months > 0)
        return MonthSteps(first, last, plan.months);
    return Multiples(first, last, plan.step, plan.origin);
}

long long TimeTickNumber(double tick, const TimeStepPlan& plan)
{
    if (plan.months > 0) {
        int y = 0, m = 0, d = 0;
        DecodeDate(tick, y, m, d);
        return (static_cast<long long>(y) * 12 + (m - 1)) / plan.months;
    }
    return std::llround((tick - plan.origin) / plan.step);
}

double AutoTimeStep(double span, double axisPixels, double labelPixels)
{
    static const double kSteps[] = {1 * kOneSecond,
                                    2 * kOneSecond,
                                    5 * kOneSecond,
                                    10 * kOneSecond,
                                    15 * kOneSecond,
                                    30 * kOneSecond,
                                    1 * kOneMinute,
                                    2 * kOneMinute,
                                    5 * kOneMinute,
                                    10 * kOneMinute,
                                    15 * kOneMinute,
                                    20 * kOneMinute,
                                    30 * kOneMinute,
                                    1 * kOneHour,
                                    2 * kOneHour,
                                    3 * kOneHour,
                                    4 * kOneHour,
                                    6 * kOneHour,
                                    8 * kOneHour,
                                    12 * kOneHour,
                                    1,
                                    2,
                                    7,
                                    14,
                                    1 * kMonthDays,
                                    2 * kMonthDays,
                                    3 * kMonthDays,
                                    6 * kMonthDays,
                                    1 * kYearDays,
                                    2 * kYearDays,
                                    5 * kYearDays,
                                    10 * kYearDays,
                                    20 * kYearDays,
                                    50 * kYearDays,
                                    100 * kYearDays};
    if (!(span > 0) || !(axisPixels > 0))
        return 1.0;
    for (double step : kSteps) {
        if (step * axisPixels / span >= labelPixels)
            return step;
    }
    return kSteps[std::size(kSteps) - 1];
}

QVector<double> ValueTicks(double first, double last, double increment, double axisPixels,
                           double minSpacingPixels)
{
    if (!(last >= first) || !std::isfinite(first) || !std::isfinite(last))
        return {};
    const double span = last - first;
    double step = increment;
    if (!(step > 0) || span / step > kMaxTicks) {
        const double count = std::max(1.0, axisPixels / std::max(1.0, minSpacingPixels));
        step = NiceStep(span / count);
    }
    if (!(step > 0))
        return {};
    QVector<double> ticks = Multiples(first, last, step, 0.0);
    // k * step leaves rounding dust (0.30000000000000004); snap to the step's own precision.
    for (double& t : ticks) {
        if (std::fabs(t) < step * 1e-9)
            t = 0.0;
    }
    return ticks;
}

QString FormatAxisValue(double v, const QString& pattern, QChar decimalSeparator)
{
    if (!std::isfinite(v))
        return QString();
    int firstCode = -1, lastCode = -1;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'0' || c == u'#' || c == u',' || c == u'.') {
            if (firstCode < 0)
                firstCode = i;
            lastCode = i;
        }
    }
    if (firstCode < 0)
        return pattern;
    const QString prefix = pattern.left(firstCode);
    const QString suffix = pattern.mid(lastCode + 1);
    const QString code = pattern.mid(firstCode, lastCode - firstCode + 1);
    const int dot = code.indexOf(u'.');
    const QString intPart = dot < 0 ? code : code.left(dot);
    const QString fracPart = dot < 0 ? QString() : code.mid(dot + 1);
    const bool group = intPart.contains(u',');
    const int minInt = std::max<int>(1, intPart.count(u'0'));
    const int minFrac = fracPart.count(u'0');
    const int maxFrac = std::min(15, minFrac + static_cast<int>(fracPart.count(u'#')));

    // to_chars, not printf: the C locale follows the desktop (a German one prints "36,000").
    char buffer[400];
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(v),
                                       std::chars_format::fixed, maxFrac);
    if (printed.ec != std::errc())
        return QString();
    QString digits = QString::fromLatin1(buffer, static_cast<int>(printed.ptr - buffer));
    QString integral = digits, fraction;
    const int point = digits.indexOf(u'.');
    if (point >= 0) {
        integral = digits.left(point);
        fraction = digits.mid(point + 1);
    }
    while (fraction.size() > minFrac && fraction.endsWith(u'0'))
        fraction.chop(1);
    while (integral.size() < minInt)
        integral.prepend(u'0');
    // "0" with an optional '#' in front: "###0" of 0.4 is "0", of 0 also "0".
    if (intPart.count(u'0') == 0 && integral == QLatin1String("0") && !fraction.isEmpty())
        integral = QStringLiteral("0");
    if (group) {
        const QChar groupChar = decimalSeparator == u',' ? u'.' : u',';
        for (int i = integral.size() - 3; i > 0; i -= 3)
            integral.insert(i, groupChar);
    }
    QString out = integral;
    if (!fraction.isEmpty())
        out += decimalSeparator + fraction;
    bool zero = true;
    for (QChar c : std::as_const(out)) {
        if (c.isDigit() && c != u'0') {
            zero = false;
            break;
        }
    }
    if (v < 0 && !zero)
        out.prepend(u'-');
    return prefix + out + suffix;
}

double AxisTicker::AxisPixels() const
{
    QCPAxis* axis = axis_.Raw();
    QCPAxisRect* rect = axis->axisRect();
    const QRect viewport = axis->parentPlot()->viewport();
    if (axis_.IsVertical())
        return rect->height() > 0 ? rect->height() : viewport.height() * 0.8;
    return rect->width() > 0 ? rect->width() : viewport.width() * 0.8;
}

QString AxisTicker::Format(double value) const
{
    if (axis_.IsTimeAxis()) {
        return QString::fromStdString(
            FormatDayTime(axis_.dateTimeFormat_.toStdString(), value, axis_.Chart().Months()));
    }
    return FormatAxisValue(value, axis_.valueFormat_, QChar::fromLatin1(DecimalSeparator()));
}

QRect AxisTicker::Bounds(const QFontMetrics& metrics, const QString& text) const
{
    // The font and its height (which follows the screen's resolution) decide every bound.
    const QFont& font = axis_.Raw()->tickLabelFont();
    if (boundsHeight_ != metrics.height() || boundsFont_ != font || bounds_.size() > 512) {
        bounds_.clear();
        boundsFont_ = font;
        boundsHeight_ = metrics.height();
    }
    const auto known = bounds_.constFind(text);
    if (known != bounds_.constEnd())
        return *known;
    const QRect bounds = TextBounds(metrics, text);
    bounds_.insert(text, bounds);
    return bounds;
}

void AxisTicker::DropOverlapping(QVector<double>& ticks, QVector<QString>& labels) const
{
    const QFontMetrics metrics(axis_.Raw()->tickLabelFont());
    const bool vertical = axis_.IsVertical();
    const double gap = vertical ? 2.0 : 8.0;
    QVector<double> keptTicks;
    QVector<QString> keptLabels;
    keptTicks.reserve(ticks.size());
    keptLabels.reserve(labels.size());
    bool haveLast = false;
    double lastPixel = 0, lastHalf = 0;
    for (int i = 0; i < ticks.size(); ++i) {
        const QString& text = labels[i];
        if (text.isEmpty()) {
            keptTicks.push_back(ticks[i]);
            keptLabels.push_back(text);
            continue;
        }
        const QRect bounds = Bounds(metrics, text);
        const double half = (vertical ? bounds.height() : bounds.width()) / 2.0;
        const double pixel = axis_.Raw()->coordToPixel(ticks[i]);
        if (haveLast && std::fabs(pixel - lastPixel) < lastHalf + half + gap)
            continue;
        haveLast = true;
        lastPixel = pixel;
        lastHalf = half;
        keptTicks.push_back(ticks[i]);
        keptLabels.push_back(text);
    }
    ticks.swap(keptTicks);
    labels.swap(keptLabels);
}

void AxisTicker::ThinTimeLabels(const TimeStepPlan& plan, QVector<double>& ticks,
                                QVector<QString>& labels) const
{
    if (ticks.size() < 2)
        return;
    const QFontMetrics metrics(axis_.Raw()->tickLabelFont());
    double widest = 0;
    for (const QString& text : std::as_const(labels)) {
        if (!text.isEmpty())
            widest = std::max<double>(widest, Bounds(metrics, text).width());
    }
    double closest = -1;
    for (int i = 0; i + 1 < ticks.size(); ++i) {
        const double d = std::fabs(axis_.Raw()->coordToPixel(ticks[i + 1]) -
                                   axis_.Raw()->coordToPixel(ticks[i]));
        if (closest < 0 || d < closest)
            closest = d;
    }
    if (!(closest > 0) || widest == 0)
        return;
    const long long stride = static_cast<long long>(std::ceil((widest + 8.0) / closest - 1e-9));
    if (stride <= 1)
        return;
    QVector<double> keptTicks;
    QVector<QString> keptLabels;
    for (int i = 0; i < ticks.size(); ++i) {
        const long long number = TimeTickNumber(ticks[i], plan);
        if (((number % stride) + stride) % stride == 0) {
            keptTicks.push_back(ticks[i]);
            keptLabels.push_back(labels[i]);
        }
    }
    ticks.swap(keptTicks);
    labels.swap(keptLabels);
}

void AxisTicker::generate(const QCPRange& range, const QLocale&, QChar, int, QVector<double>& ticks,
                          QVector<double>* subTicks, QVector<QString>* tickLabels)
{
    ChartWidget& chart = axis_.Chart();
    QCPAxis* axis = axis_.Raw();
    const QFontMetrics metrics(axis->tickLabelFont());
    const double pixels = AxisPixels();

    QVector<double> values;
    TimeStepPlan plan;
    if (axis_.IsTimeAxis()) {
        double increment = axis_.increment_;
        bool calendar = axis_.exactDate_;
        if (!(increment > 0)) {
            double widest = 0;
            for (double sample : {range.lower, range.center(), range.upper})
                widest = std::max<double>(widest, Bounds(metrics, Format(sample)).width());
            increment = AutoTimeStep(range.size(), pixels, widest + 12.0);
            calendar = true;
        }
        plan = PlanTimeSteps(increment, calendar);
        values = TimeTicks(range.lower, range.upper, plan);
    } else {
        values =
            ValueTicks(range.lower, range.upper, axis_.increment_, pixels, 2.0 * metrics.height());
    }

    QVector<QString> texts;
    if (tickLabels) {
        // A hidden axis draws no labels, so nobody is asked about them.
        const bool raise = !chart.LabelEventsSuppressed() && axis->visible();
        if (raise)
            chart.RaiseGetNextAxisLabel(axis_);
        texts.reserve(values.size());
        for (double v : std::as_const(values)) {
            QString text = Format(v);
            if (raise)
                chart.RaiseGetAxisLabel(axis_, v, text);
            texts.push_back(text);
        }
        if (axis_.IsTimeAxis())
            ThinTimeLabels(plan, values, texts);
        DropOverlapping(values, texts);
    }

    if (subTicks) {
        subTicks->clear();
        const int n = axis_.minorTickCount_;
        for (int i = 0; n > 0 && i + 1 < values.size(); ++i) {
            const double step = (values[i + 1] - values[i]) / (n + 1);
            for (int k = 1; k <= n; ++k)
                subTicks->push_back(values[i] + k * step);
        }
    }

    // A fixed label column: pad the difference to the widest label so that the axis takes
    // exactly the column's room (the title, if any, moves to the column's outer edge).
    int measured = 0;
    for (const QString& text : std::as_const(texts)) {
        if (text.isEmpty())
            continue;
        const QRect bounds = Bounds(metrics, text);
        measured = std::max(measured, axis_.IsVertical() ? bounds.width() : bounds.height());
    }
    int labelPadding = axis_.basePadding_;
    int outerPadding = 0;
    if (axis_.labelColumnSize_ > 0 && tickLabels) {
        const int extra = axis_.labelColumnSize_ - measured;
        if (axis->label().isEmpty())
            outerPadding = extra;
        else
            labelPadding += extra;
    }
    if (axis->labelPadding() != labelPadding)
        axis->setLabelPadding(labelPadding);
    if (axis->padding() != outerPadding)
        axis->setPadding(outerPadding);

    ticks = values;
    if (tickLabels)
        *tickLabels = texts;
    axis_.labelValues_ = values;
    axis_.labelTexts_ = texts;
}

} // namespace korvex
