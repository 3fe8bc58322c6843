#include "core/views/YieldSummary.h"

#include "core/logdata/Aggregation.h"
#include "core/services/TextCatalogue.h"

namespace korvex {

namespace {

int YieldColumn(const StringGrid& table, int device, int field)
{
    int c = 1;
    while (c < table.ColCount() && table.Value(c, 0) != device)
        ++c;
    for (; c < table.ColCount() && table.Value(c, 0) == device; ++c) {
        if (table.Value(c, 1) == field)
            return c;
    }
    return -1;
}

TextId TitleTextOf(int mode)
{
    switch (mode) {
        case ModeMonth:
            return TextId::MonthlyYield;
        case ModeQuarter:
            return TextId::QuarterlyYield;
        default:
            return TextId::AnnualYield;
    }
}

} // namespace

double PeriodYield(const StringGrid* monthly, const StringGrid* annual, int device, int field,
                   int mode, DayTime periodStart, char separator)
{
    const StringGrid* table = nullptr;
    double startKey = 0;
    double endKey = 0;
    switch (mode) {
        case ModeMonth:
        case ModeQuarter:
            table = monthly;
            startKey = periodStart;
            endKey = StartOfMonth(periodStart + (mode == ModeMonth ? 31 : 93));
            break;
        case ModeYear: {
            table = annual;
            int y = 0, m = 0, d = 0;
            DecodeDate(WholeDay(periodStart), y, m, d);
            startKey = y;
            endKey = y + 1;
            break;
        }
        default:
            return 0;
    }
    if (!table)
        return 0;
    const int column = YieldColumn(*table, device, field);
    if (column < 0)
        return 0;
    double sum = 0;
    for (int r = 2; r < table->RowCount() - 1; ++r) {
        const int key = table->Value(0, r);
        if (key >= endKey)
            break;
        if (key < startKey)
            continue;
        const std::string& text = table->Text(column, r);
        double value = 0;
        if (!text.empty() && ParseNumber(text, value, separator))
            sum += value;
    }
    return sum;
}

std::string BuildYieldSummary(const SummaryRequest& request)
{
    std::string summary;
    if (request.sets.empty() || request.overviewShown || !request.current ||
        !IsLongSpan(request.spanItem))
        return summary;
    int device = -1;
    for (std::size_t i = 0; i < request.sets.size(); ++i) {
        if (request.sets[i].get() == request.current)
            device = static_cast<int>(i);
    }
    const DeviceSettings* settings = request.current->deviceSettings();
    if (device < 0 || !settings)
        return summary;

    const int mode = SpanModeOf(request.spanItem);
    const DayTime start = YieldPeriodStart(mode, request.windowStart);
    const char separator = request.format.separator;
    for (int f = settings->inputsCount(); f < settings->count(FieldCategory::Others); ++f) {
        const std::string& key = settings->key(f);
        if (settings->derived(f) || key.empty() || (key.front() != 'P' && key.front() != 'V'))
            continue;
        if (summary.empty()) {
            summary += Text(TitleTextOf(mode));
            summary += ' ';
        } else {
            summary += "  -  ";
        }
        summary += YieldName(key);
        summary += ": ";
        summary += FormatYield(
            PeriodYield(request.monthly, request.annual, device, f, mode, start, separator),
            separator);
        summary += ' ';
        summary += SumUnit(request.current->unit(f));
    }
    return summary;
}

} // namespace korvex
