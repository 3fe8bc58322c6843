#include "core/logdata/LogFileReader.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/CustomSeries.h"
#include "core/logdata/DeviceNames.h"
#include "core/logdata/FieldKeys.h"
#include "core/logdata/LoadFaults.h"
#include "core/logdata/ParsedLogFile.h"
#include "core/services/Cp1252.h"
#include "core/services/Errors.h"
#include "core/services/NumberFormat.h"
#include "core/services/TextCatalogue.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <unordered_map>

namespace korvex {

namespace {

constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

LogWarningHandler& ProcessWarningHandler()
{
    static LogWarningHandler handler;
    return handler;
}

std::string BaseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The buffer stays for the next file, unless a large file made it large.
void ReleaseLargeBuffer(LogFileBuffer& buffer)
{
    if (buffer.size() > (4u << 20))
        buffer.release();
}

} // namespace

void SetLogWarningHandler(LogWarningHandler handler)
{
    ProcessWarningHandler() = std::move(handler);
}

const LogWarningHandler& GetLogWarningHandler()
{
    return ProcessWarningHandler();
}

LogFileReader::LogFileReader(LogWarningHandler warningHandler)
    : warningHandler_(std::move(warningHandler))
{}

void LogFileReader::load(AnalysisDataSet& dataSet, const std::string& path)
{
    thread_local LogFileBuffer buffer;
    std::size_t size = 0;
    switch (ReadLogFileBytes(path, buffer, size)) {
        case LogFailure::None:
            break;
        case LogFailure::Missing:
            throw KorvexError(Text(TextId::ErrorOpeningFile) + "\n\n" + BaseName(path));
        default:
            throw KorvexError(Text(TextId::ErrorOpeningFile) + "\r\n\r\n" + BaseName(path));
    }
    try {
        loadBytes(dataSet, path, std::string_view(buffer.data(), size));
    } catch (...) {
        ReleaseLargeBuffer(buffer);
        throw;
    }
    ReleaseLargeBuffer(buffer);
}

namespace {

std::string FailureMessage(const ParsedLogFile& file)
{
    switch (file.failure) {
        case LogFailure::Missing:
            return Text(TextId::ErrorOpeningFile) + "\n\n" + BaseName(file.path);
        case LogFailure::Unreadable:
            return Text(TextId::ErrorOpeningFile) + "\r\n\r\n" + BaseName(file.path);
        case LogFailure::NoValues:
            return Text(TextId::FileHasNoValues);
        case LogFailure::UnnamedColumn:
            return Text(TextId::FileIsNoLogFile) + "\n\n" + file.failureCell;
        case LogFailure::NoMemory:
            return Text(TextId::DataStructureNoMemory);
        case LogFailure::BadLines:
            return Text(TextId::ErrorOpeningFile);
        case LogFailure::NotALogFile:
        case LogFailure::None:
        default:
            return Text(TextId::FileIsNoLogFile);
    }
}

bool IsSumBars(const Series& series)
{
    return series.dataHolder().seriesClass() == SeriesClass::SumBars;
}

// Whether what a parse without the data set assumed of the device's known fields holds.
bool AssumptionsHold(const AnalysisDataSet& set, const ParsedLogFile& file)
{
    const DeviceSettings* settings = set.deviceSettings();
    if (file.withDataSet || !settings)
        return true;
    for (const ParsedStage& stage : file.stages) {
        const int index = settings->find(stage.field);
        const Series* series = index >= 0 ? set.series(index) : nullptr;
        if (!series)
            continue; // a new field: its series is made from the file's own first column
        if (IsSumBars(*series) != stage.sumBars)
            return false;
        const int n = series->count();
        if (stage.assumedPriorNull && n > 0 && !std::isnan(series->y(n - 1)))
            return false;
    }
    return true;
}

// A parsed file done to its data set, in the order the reader has always worked: device, fields
// column by column (registration, unit warning), then the points, the block and the name.
class FileApply {
public:
    FileApply(AnalysisDataSet& set, const ParsedLogFile& file, const LogWarningHandler& warn,
              ColumnMap& map)
        : set_(set), file_(file), warn_(warn), map_(map), stageSeries_(file.stages.size())
    {}

    void run();

private:
    void applyHeader();
    void identifyDevice(const std::string& name);
    int fieldOf(const HeaderColumn& column);
    void mapColumn(const ParsedColumn& column, int field);
    void keepWhatWasRead() noexcept;
    void commitStages(bool closeDay);
    void commitYields();
    // What a series is likely to hold after the period's last file.
    std::size_t expectedPoints(const Series& series, std::size_t adding) const;

    AnalysisDataSet& set_;
    const ParsedLogFile& file_;
    const LogWarningHandler& warn_;
    ColumnMap& map_;
    std::vector<Series*> stageSeries_;
    std::vector<Series*> yieldSeries_; // per applied column: where its end-of-day yield goes
    bool headerApplied_ = false;       // the data lines come after it
};

void FileApply::run()
{
    if (file_.failure == LogFailure::Missing || file_.failure == LogFailure::Unreadable ||
        !file_.hasHeader)
        throw KorvexError(FailureMessage(file_));
    // Values of this file, the end-of-day yields included, use the decimal comma; so does
    // every later formatting of the program.
    SetDecimalSeparator(',');
    try {
        applyHeader();
        if (!file_.dayRead || file_.failure != LogFailure::None)
            throw KorvexError(FailureMessage(file_));
    } catch (const KorvexError&) {
        keepWhatWasRead();
        throw;
    }
    try {
        commitStages(true);
        commitYields();
        set_.appendDayBlock(file_.block);
        set_.appendFileName(file_.path);
    } catch (const std::exception&) {
        throw KorvexError(Text(TextId::ErrorOpeningFile));
    }
}

void FileApply::applyHeader()
{
    try {
        if (!file_.deviceRead)
            throw KorvexError(Text(TextId::FileIsNoLogFile));
        identifyDevice(file_.deviceName);
        map_.entries.clear();
        for (std::size_t i = 0; i < file_.columns.size(); ++i) {
            const ParsedColumn& column = file_.columns[i];
            if (column.header.kind != HeaderColumnKind::Value) {
                map_.entries.emplace_back();
                yieldSeries_.push_back(nullptr);
                continue;
            }
            const int field = fieldOf(column.header);
            if (file_.lastColumnFails && i + 1 == file_.columns.size())
                throw KorvexError(Text(TextId::FileIsNoLogFile));
            mapColumn(column, field);
        }
        if (!file_.headerRead)
            throw KorvexError(FailureMessage(file_));
        headerApplied_ = true;
    } catch (const KorvexError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw KorvexError(Text(TextId::DataStructureNoMemory));
    } catch (const std::length_error&) {
        throw KorvexError(Text(TextId::DataStructureNoMemory));
    } catch (const std::exception&) {
        throw KorvexError(Text(TextId::FileIsNoLogFile));
    }
}

void FileApply::identifyDevice(const std::string& name)
{
    const int number = DeviceNumberFromPath(file_.path);
    const bool standard = IsStandardDeviceName(name, number);
    const std::string shownName = standard ? StandardDisplayName(number) : name;
    if (!set_.deviceSettings())
        set_.createDeviceSettings(number, shownName, standard);
    if (!standard && set_.deviceSettings()->name() != name)
        throw KorvexError(Text(TextId::DeviceNumberClash));
}

int FileApply::fieldOf(const HeaderColumn& column)
{
    DeviceSettings& settings = *set_.deviceSettings();
    int field = settings.find(column.name);
    if (field < 0) {
        LoadFaultPoint(LoadFault::RegisterField);
        field = settings.registerField(column.name, column.unit, column.category);
        set_.insertUnit(field, column.unit);
        set_.insertSlot(field, column.category, column.yield);
    } else if (set_.unitWarningPending() && set_.unit(field) != column.unit) {
        set_.clearUnitWarningPending();
        if (warn_)
            warn_(Text(TextId::UnitsDifferForField) + column.name +
                  Text(TextId::UnitsProbablyFaulty));
    }
    return field;
}

void FileApply::mapColumn(const ParsedColumn& column, int field)
{
    Series* series = set_.series(field);
    ColumnEntry entry;
    entry.field = field;
    entry.scale = column.header.scale;
    entry.yield = column.header.yield;
    if (column.yieldFound) {
        // The day's yield was taken from the last line; the column is not read.
        yieldSeries_.push_back(series);
    } else {
        yieldSeries_.push_back(nullptr);
        entry.series = series;
        if (column.stage >= 0)
            stageSeries_[static_cast<std::size_t>(column.stage)] = series;
    }
    map_.entries.push_back(entry);
}

// A failed file keeps what it had read: the values of its complete lines (the parse closed them
// with a null) and the end-of-day yields of the columns before the failure. A header that fails
// here fails before the first data line, however many lines the parse read.
void FileApply::keepWhatWasRead() noexcept
{
    try {
        if (headerApplied_)
            commitStages(false);
        commitYields();
    } catch (const std::exception&) {
        // Out of memory while keeping them: the message of the failure itself is what counts.
    }
}

void FileApply::commitStages(bool closeDay)
{
    for (std::size_t s = 0; s < file_.stages.size(); ++s) {
        Series* series = stageSeries_[s];
        if (!series)
            continue;
        const ParsedStage& stage = file_.stages[s];
        set_.addErrRuns(stage.field, stage.errRuns);
        const double* xs = stage.xs.data();
        const double* ys = stage.ys.data();
        std::size_t n = stage.xs.size();
        // A field without values in this file still closes the day when it holds points.
        const double closing[2] = {file_.closeTime, kNull};
        if (closeDay && n == 0 && series->count() > 0) {
            xs = &closing[0];
            ys = &closing[1];
            n = 1;
        }
        if (stage.sumBars) {
            for (std::size_t i = 0; i < n; ++i) {
                if (std::isnan(ys[i]))
                    series->addNullPoint(xs[i]);
                else
                    series->addPoint(xs[i], ys[i]);
            }
        } else {
            series->appendPoints(xs, ys, n, expectedPoints(*series, n));
        }
    }
}

std::size_t FileApply::expectedPoints(const Series& series, std::size_t adding) const
{
    // One file per day and device: the points per file so far, over the days of the period
    // still to come. The first two files are too few to tell (a first day often starts late).
    const std::size_t files = set_.dayBlocks().size() + 1;
    if (files < 3)
        return 0;
    const std::size_t points = static_cast<std::size_t>(series.count()) + adding;
    const double daysLeft = std::max(0.0, std::floor(set_.rangeEnd() - file_.block.day));
    const double perFile = static_cast<double>(points) / static_cast<double>(files);
    const double expected = static_cast<double>(points) + std::ceil(perFile * daysLeft * 1.05);
    // A period far wider than its files (or a guess from a quiet start) grows in steps of at
    // most four times, never into a reservation of its own.
    return static_cast<std::size_t>(std::min(expected, 4.0 * static_cast<double>(points)));
}

void FileApply::commitYields()
{
    for (std::size_t i = 0; i < yieldSeries_.size(); ++i) {
        if (yieldSeries_[i])
            yieldSeries_[i]->addPoint(file_.columns[i].yieldX, file_.columns[i].yieldY);
    }
}

} // namespace

void LogFileReader::loadBytes(AnalysisDataSet& dataSet, const std::string& path,
                              std::string_view bytes)
{
    apply(dataSet, ParseLogFile(path, bytes, &dataSet));
}

void LogFileReader::loadParsed(AnalysisDataSet& dataSet, const ParsedLogFile& file)
{
    // What the parse had to assume of the data set did not hold: read the file once more, now
    // against the data set itself.
    if (file.failure == LogFailure::Unparsed || !AssumptionsHold(dataSet, file)) {
        load(dataSet, file.path);
        return;
    }
    apply(dataSet, file);
}

void LogFileReader::apply(AnalysisDataSet& dataSet, const ParsedLogFile& file)
{
    map_.entries.clear();
    const LogWarningHandler& warn = warningHandler_ ? warningHandler_ : GetLogWarningHandler();
    if (warn) {
        FileApply(dataSet, file, warn, map_).run();
        return;
    }
    // Without any handler the warning is still counted as shown.
    const LogWarningHandler none = [](const std::string&) {};
    FileApply(dataSet, file, none, map_).run();
}

} // namespace korvex
