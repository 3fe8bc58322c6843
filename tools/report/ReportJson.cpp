#include "tools/report/ReportJson.h"

#include "tools/report/JsonWriter.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <future>
#include <limits>
#include <map>
#include <system_error>
#include <vector>

namespace korvex::report {

namespace {

// What the points of one series add up to.
struct SeriesFacts {
    std::size_t points = 0;
    std::size_t nulls = 0;
    double min = std::numeric_limits<double>::quiet_NaN();
    double max = std::numeric_limits<double>::quiet_NaN();
    double sum = 0;
};

SeriesFacts FactsOf(const Series& series)
{
    SeriesFacts f;
    const ValueView ys = series.ys();
    f.points = ys.size();
    // The form of the values is chosen once for the loop, not for every point.
    ys.Visit([&](const auto values) {
        std::size_t nulls = 0;
        // As std::min and std::max from the first value on; which of two equal zeros stays
        // is the same.
        double min = std::numeric_limits<double>::infinity();
        double max = -min;
        double sum = 0;
        for (std::size_t i = 0; i < f.points; ++i) {
            const double y = values[i];
            if (std::isnan(y)) {
                ++nulls;
                continue;
            }
            min = y < min ? y : min;
            max = max < y ? y : max;
            sum += y;
        }
        f.nulls = nulls;
        if (nulls < f.points) {
            f.min = min;
            f.max = max;
            f.sum = sum;
        } else {
            f.sum = std::numeric_limits<double>::quiet_NaN();
        }
    });
    return f;
}

void Point(JsonWriter& w, const Series& series, int i)
{
    w.BeginArray();
    w.Fixed(series.x(i), 9, true);
    if (series.isNull(i))
        w.Null();
    else
        w.Number(series.y(i));
    w.EndArray();
}

// The facts of every series of the data sets, on two threads: each series' sum must be taken
// point after point, so the series are shared out, not their points.
std::map<const Series*, SeriesFacts> FactsOfAll(const ReportAnalysis& analysis)
{
    std::vector<const Series*> all;
    for (const auto& set : analysis.dataSets) {
        if (!set || !set->deviceSettings())
            continue;
        for (int i = 0; i < set->deviceSettings()->fieldCount(); ++i)
            if (const Series* series = set->series(i))
                all.push_back(series);
    }
    // The longest first, each to whichever thread is free: the two finish close together.
    std::stable_sort(all.begin(), all.end(),
                     [](const Series* a, const Series* b) { return a->count() > b->count(); });
    std::vector<SeriesFacts> found(all.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t k; (k = next.fetch_add(1, std::memory_order_relaxed)) < all.size();)
            found[k] = FactsOf(*all[k]);
    };
    std::future<void> other;
    try {
        other = std::async(std::launch::async, work);
    } catch (const std::system_error&) {
        // no thread: every series here
    }
    work();
    if (other.valid())
        other.get();
    std::map<const Series*, SeriesFacts> facts;
    for (std::size_t k = 0; k < all.size(); ++k)
        facts.emplace(all[k], found[k]);
    return facts;
}

void Field(JsonWriter& w, const AnalysisDataSet& set, DeviceSettings& settings, int i,
           const std::map<const Series*, SeriesFacts>& facts)
{
    w.BeginObject();
    w.Key("index").Int(i);
    w.Key("key").String(settings.key(i));
    w.Key("unit").String(set.unit(i));
    w.Key("category").Int(static_cast<int>(settings.category(i)));
    w.Key("derived").Bool(settings.derived(i));
    w.Key("label").String(settings.label(i));
    w.Key("colour").Int(static_cast<long long>(settings.colour(i)));
    const Series* series = set.series(i);
    if (series) {
        const SeriesFacts& f = facts.at(series);
        w.Key("points").Int(static_cast<long long>(f.points));
        w.Key("nulls").Int(static_cast<long long>(f.nulls));
        w.Key("min").Number(f.min);
        w.Key("max").Number(f.max);
        w.Key("sum").Fixed(f.sum, 6, false);
        w.Key("first");
        if (series->empty())
            w.Null();
        else
            Point(w, *series, 0);
        w.Key("last");
        if (series->empty())
            w.Null();
        else
            Point(w, *series, series->count() - 1);
    } else {
        w.Key("points").Int(0);
        w.Key("nulls").Int(0);
        w.Key("min").Null();
        w.Key("max").Null();
        w.Key("sum").Null();
        w.Key("first").Null();
        w.Key("last").Null();
    }
    w.EndObject();
}

void Table(JsonWriter& w, const StringGrid& grid)
{
    w.BeginArray();
    for (int row = 0; row < grid.RowCount(); ++row) {
        w.BeginArray();
        for (int col = 0; col < grid.ColCount(); ++col)
            w.String(grid.Text(col, row));
        w.EndArray();
    }
    w.EndArray();
}

// A device whose first file failed early has no settings: its number comes from the file names.
int DeviceNumberOfText(const std::string& text)
{
    if (text.size() == 2 && std::isdigit(static_cast<unsigned char>(text[0])) &&
        std::isdigit(static_cast<unsigned char>(text[1])))
        return (text[0] - '0') * 10 + (text[1] - '0');
    return -1;
}

} // namespace

std::string ReportJson(ReportAnalysis& analysis, const LogLoadResult& load)
{
    const std::map<const Series*, SeriesFacts> facts = FactsOfAll(analysis);
    JsonWriter w;
    w.BeginObject();

    w.Key("files").BeginObject();
    w.Key("loaded").Int(static_cast<long long>(load.loaded));
    w.Key("failed").BeginArray();
    for (const LogLoadFailure& f : load.failures) {
        w.BeginObject();
        w.Key("path").String(std::filesystem::path(f.path).filename().string());
        w.Key("message").String(f.message);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();

    w.Key("days").BeginArray();
    for (int day : analysis.days)
        w.Int(day);
    w.EndArray();

    w.Key("devices").BeginArray();
    for (std::size_t d = 0; d < analysis.dataSets.size(); ++d) {
        AnalysisDataSet* set = analysis.dataSets[d].get();
        if (!set)
            continue;
        DeviceSettings* settings = set->deviceSettings();
        w.BeginObject();
        w.Key("number");
        if (settings)
            w.Int(settings->number());
        else
            w.Int(DeviceNumberOfText(analysis.deviceNumbers[d]));
        w.Key("name");
        if (settings)
            w.String(settings->displayName());
        else
            w.Null();
        w.Key("fields").BeginArray();
        if (settings)
            for (int i = 0; i < settings->fieldCount(); ++i)
                Field(w, *set, *settings, i, facts);
        w.EndArray();
        w.EndObject();
    }
    w.EndArray();

    w.Key("tables").BeginObject();
    w.Key("daily");
    Table(w, analysis.daily);
    w.Key("monthly");
    Table(w, analysis.monthly);
    w.Key("annual");
    Table(w, analysis.annual);
    w.EndObject();

    w.EndObject();
    std::string doc = w.take();
    doc.push_back('\n');
    return doc;
}

} // namespace korvex::report
