#include "core/logdata/LogFileReader.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/CustomSeries.h"
#include "core/logdata/DeviceNames.h"
#include "core/logdata/FieldKeys.h"
#include "core/logdata/LogLines.h"
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

constexpr std::string_view kKeywordYmd = "DATE & TIME";
constexpr std::string_view kKeywordDmy = "dd.mm.yy hh:mm";
constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

// Failure while reading data lines: reported as text 83 alone.
struct DataLineFailure {};

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

DateOrder Other(DateOrder order)
{
    return order == DateOrder::YearMonthDay ? DateOrder::DayMonthYear : DateOrder::YearMonthDay;
}

std::string_view CellBefore(std::string_view line, char sep = ';')
{
    const void* hit = std::memchr(line.data(), sep, line.size());
    return hit ? line.substr(0, static_cast<const char*>(hit) - line.data()) : line;
}

// Points of one series gathered while a file is read; they reach the series in one step when
// the file is done (or has failed), which spares a sorted insert per point.
struct Stage {
    Series* series = nullptr;
    bool sumBars = false;
    int existing = 0;      // points the series held before this file
    bool moveLast = false; // the run compression moved the series' own last point
    double moveLastX = 0;
    std::vector<double> xs;
    std::vector<double> ys;

    int count() const { return existing + static_cast<int>(xs.size()); }
    double yAt(int i) const
    {
        return i >= existing ? ys[static_cast<std::size_t>(i - existing)] : series->y(i);
    }
    void add(double x, double y)
    {
        xs.push_back(x);
        ys.push_back(y);
    }
    void moveLastTo(double x)
    {
        if (!xs.empty())
            xs.back() = x;
        else {
            moveLast = true;
            moveLastX = x;
        }
    }
};

struct PendingYield {
    Series* series;
    double x;
    double y;
};

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
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        throw KorvexError(Text(TextId::ErrorOpeningFile) + "\n\n" + BaseName(path));
    std::string bytes;
    bool readOk = false;
    if (S_ISREG(info.st_mode)) {
        if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
            try {
                bytes.resize(static_cast<std::size_t>(info.st_size));
                const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
                bytes.resize(got);
                // The file may have grown since stat: take the rest too.
                char buffer[65536];
                std::size_t more = 0;
                while ((more = std::fread(buffer, 1, sizeof buffer, f)) > 0)
                    bytes.append(buffer, more);
                readOk = !std::ferror(f);
            } catch (const std::bad_alloc&) {
                readOk = false;
            }
            std::fclose(f);
        }
    }
    if (!readOk)
        throw KorvexError(Text(TextId::ErrorOpeningFile) + "\r\n\r\n" + BaseName(path));
    loadBytes(dataSet, path, bytes);
}

namespace {

// One file being read: header, day, data lines, all of it against one data set.
class FileLoad {
public:
    FileLoad(AnalysisDataSet& set, const std::string& path, std::string_view bytes,
             const LogWarningHandler& warn, ColumnMap& map)
        : set_(set), path_(path), lines_(bytes), warn_(warn), map_(map)
    {}

    void run();

private:
    void readHeader(std::string_view header);
    void readDays(DayBlock& block);
    void keepWhatWasRead() noexcept;
    void parseHeader(std::string_view header);
    void identifyDevice(const std::string& name);
    void addColumn(std::string_view cell, std::size_t column);
    void mapIgnored();
    int fieldOf(const HeaderColumn& column);
    void mapField(const HeaderColumn& column, int field, std::size_t index);
    bool endOfDayValue(std::size_t column, float scale, double& x, double& y);
    bool parseStamp(std::string_view cell, double& t);
    DayTime fileDay();
    void readDataLines(DayBlock& block);
    void readLine(std::string_view line, DayBlock& block);
    void readCells(const char* p, const char* end);
    void applyLine(double t, bool gap);
    void closeDay(DayBlock& block);
    void commit();
    std::string_view strip(std::string_view line) const;
    int stageFor(Series* series);

    AnalysisDataSet& set_;
    const std::string& path_;
    LogLines lines_;
    const LogWarningHandler& warn_;
    ColumnMap& map_;

    bool deviceCell_ = false;
    DateOrder fileOrder_ = DateOrder::YearMonthDay;
    DateOrder order_ = DateOrder::YearMonthDay;
    bool lastLineKnown_ = false;
    std::vector<std::string_view> lastCells_;
    std::vector<int> stageOf_;
    std::vector<Stage> stages_;
    std::unordered_map<const Series*, int> stageIndex_;
    std::vector<std::uint8_t> hadValue_;
    std::vector<double> values_; // the cells of the line being read; NaN = no value
    bool linesApplied_ = false;
    double lastApplied_ = 0; // time of the last line whose values were stored
    std::vector<PendingYield> yields_;
};

std::string_view FileLoad::strip(std::string_view line) const
{
    if (!deviceCell_)
        return line;
    const void* hit = std::memchr(line.data(), ';', line.size());
    if (!hit)
        return line;
    return line.substr(static_cast<std::size_t>(static_cast<const char*>(hit) - line.data()) + 1);
}

void FileLoad::run()
{
    std::string_view header;
    if (!lines_.findHeader(header) || lines_.dataLineCount() == 0)
        throw KorvexError(Text(TextId::FileHasNoValues));

    DayBlock block;
    try {
        readHeader(header);
        block = DayBlock::ForDay(fileDay());
        readDays(block);
    } catch (const KorvexError&) {
        keepWhatWasRead();
        throw;
    }
    try {
        commit();
        order_ = fileOrder_;
        set_.appendDayBlock(block);
        set_.appendFileName(path_);
    } catch (const std::exception&) {
        throw KorvexError(Text(TextId::ErrorOpeningFile));
    }
}

void FileLoad::readHeader(std::string_view header)
{
    try {
        parseHeader(header);
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

void FileLoad::readDays(DayBlock& block)
{
    try {
        if (map_.empty())
            throw DataLineFailure{};
        readDataLines(block);
        closeDay(block);
    } catch (const DataLineFailure&) {
        throw KorvexError(Text(TextId::ErrorOpeningFile));
    } catch (const std::exception&) {
        // Whatever went wrong while reading the lines, the user learns that the file failed.
        throw KorvexError(Text(TextId::ErrorOpeningFile));
    }
}

// A failed file keeps what it had read: the values of its complete lines and the end-of-day
// yields. A line that failed part-way is left out whole, as a cut line's last cell may be cut
// too. A null after the kept points stops the next file's first point from joining them.
void FileLoad::keepWhatWasRead() noexcept
{
    try {
        if (linesApplied_) {
            for (Stage& stage : stages_) {
                if (!stage.xs.empty())
                    stage.add(lastApplied_, kNull);
            }
        }
        commit();
    } catch (const std::exception&) {
        // Out of memory while keeping them: the message of the failure itself is what counts.
    }
}

void FileLoad::parseHeader(std::string_view header)
{
    // Values of this file, the end-of-day yields included, use the decimal comma; so does
    // every later formatting of the program.
    SetDecimalSeparator(',');

    const bool hasKeyword = header.find(kKeywordYmd) != std::string_view::npos ||
                            header.find(kKeywordDmy) != std::string_view::npos;
    if (!hasKeyword || header.find(';') == std::string_view::npos)
        throw KorvexError(Text(TextId::FileIsNoLogFile));

    std::string_view first = CellBefore(header);
    if (first != kKeywordYmd && first != kKeywordDmy) {
        deviceCell_ = true;
        header.remove_prefix(first.size() + 1);
        identifyDevice(Cp1252ToUtf8(first));
        first = CellBefore(header);
    } else {
        identifyDevice(std::string());
    }
    if (first == kKeywordYmd)
        fileOrder_ = DateOrder::YearMonthDay;
    else if (first == kKeywordDmy)
        fileOrder_ = DateOrder::DayMonthYear;
    else
        throw KorvexError(Text(TextId::FileIsNoLogFile));
    order_ = fileOrder_;
    header.remove_prefix(first.size() < header.size() ? first.size() + 1 : header.size());

    map_.entries.clear();
    std::size_t column = 0;
    while (!header.empty()) {
        if (column >= LogFileReader::kMaxColumns)
            throw KorvexError(Text(TextId::FileIsNoLogFile));
        const std::string_view cell = CellBefore(header);
        header.remove_prefix(cell.size() < header.size() ? cell.size() + 1 : header.size());
        addColumn(cell, column);
        ++column;
    }
    hadValue_.assign(map_.entries.size(), 0);
    values_.assign(map_.entries.size(), kNull);
}

void FileLoad::identifyDevice(const std::string& name)
{
    const int number = DeviceNumberFromPath(path_);
    const bool standard = IsStandardDeviceName(name, number);
    const std::string shownName = standard ? StandardDisplayName(number) : name;
    if (!set_.deviceSettings())
        set_.createDeviceSettings(number, shownName, standard);
    if (!standard && set_.deviceSettings()->name() != name)
        throw KorvexError(Text(TextId::DeviceNumberClash));
}

void FileLoad::addColumn(std::string_view cell, std::size_t column)
{
    const HeaderColumn normalised = NormaliseHeaderColumn(cell);
    // A unit without a name cannot address a field.
    if (normalised.kind == HeaderColumnKind::Unnamed)
        throw KorvexError(Text(TextId::FileIsNoLogFile) + "\n\n" + Cp1252ToUtf8(cell.substr(0, 80)));
    if (normalised.kind != HeaderColumnKind::Value) {
        mapIgnored();
        return;
    }
    mapField(normalised, fieldOf(normalised), column);
}

void FileLoad::mapIgnored()
{
    map_.entries.emplace_back();
    stageOf_.push_back(-1);
}

int FileLoad::fieldOf(const HeaderColumn& column)
{
    DeviceSettings& settings = *set_.deviceSettings();
    int field = settings.find(column.name);
    if (field < 0) {
        field = settings.registerField(column.name, column.unit, column.category);
        set_.insertUnit(field, column.unit);
        set_.insertSlot(field, column.category, column.yield);
    } else if (set_.unitWarningPending() && set_.unit(field) != column.unit) {
        set_.clearUnitWarningPending();
        if (warn_)
            warn_(Text(TextId::UnitsDifferForField) + column.name + Text(TextId::UnitsProbablyFaulty));
    }
    return field;
}

void FileLoad::mapField(const HeaderColumn& column, int field, std::size_t index)
{
    Series* series = set_.series(field);
    ColumnEntry entry;
    entry.field = field;
    entry.scale = column.scale;
    entry.yield = column.yield;
    double x = 0, y = 0;
    if (column.yield && series && endOfDayValue(index, column.scale, x, y)) {
        // The day's yield is taken from the last line at once; the column is not read.
        yields_.push_back({series, x, y});
        map_.entries.push_back(entry);
        stageOf_.push_back(-1);
        return;
    }
    entry.series = series;
    map_.entries.push_back(entry);
    stageOf_.push_back(series ? stageFor(series) : -1);
}

int FileLoad::stageFor(Series* series)
{
    const auto known = stageIndex_.find(series);
    if (known != stageIndex_.end())
        return known->second;
    Stage stage;
    stage.series = series;
    stage.sumBars = series->dataHolder().seriesClass() == SeriesClass::SumBars;
    stage.existing = series->count();
    // A day of one-minute lines without growing; a file of millions of lines grows as it goes.
    const std::size_t expected = std::min<std::size_t>(lines_.dataLineCount() + 2, 4096);
    stage.xs.reserve(expected);
    stage.ys.reserve(expected);
    stages_.push_back(std::move(stage));
    const int index = static_cast<int>(stages_.size()) - 1;
    stageIndex_.emplace(series, index);
    return index;
}

bool FileLoad::parseStamp(std::string_view cell, double& t)
{
    if (ParseLogTimestamp(cell, order_, t))
        return true;
    order_ = Other(order_);
    return ParseLogTimestamp(cell, order_, t);
}

bool FileLoad::endOfDayValue(std::size_t column, float scale, double& x, double& y)
{
    if (!lastLineKnown_) {
        // The cells of the last non-empty line, split once for all yield columns.
        lastLineKnown_ = true;
        LogLines::Cursor cursor = lines_.dataLines();
        std::string_view line, last;
        while (cursor.next(line)) {
            const std::string_view data = strip(line);
            if (!data.empty())
                last = data;
        }
        while (!last.empty()) {
            const std::string_view cell = CellBefore(last);
            lastCells_.push_back(cell);
            if (cell.size() == last.size())
                break;
            last.remove_prefix(cell.size() + 1);
        }
    }
    // Cell 0 is the timestamp; value column k is cell k + 1.
    if (column + 1 >= lastCells_.size())
        return false;
    const std::string_view cell = lastCells_[column + 1];
    if (cell.empty() || cell == "Err")
        return false;
    double value = 0;
    if (!ParseLogNumber(cell, value))
        throw KorvexError(Text(TextId::FileIsNoLogFile));
    double t = 0;
    if (!parseStamp(lastCells_[0], t))
        return false;
    x = t;
    y = value * static_cast<double>(scale);
    return true;
}

DayTime FileLoad::fileDay()
{
    LogLines::Cursor cursor = lines_.dataLines();
    std::string_view line;
    const std::size_t middle = lines_.dataLineCount() / 2;
    for (std::size_t i = 0; i <= middle; ++i)
        cursor.next(line);
    line = strip(line);
    double t = 0;
    if (ParseLogDate(line.substr(0, 10), fileOrder_, t) ||
        ParseLogTimestamp(line.substr(0, 16), DateOrder::DayMonthYear, t))
        return std::floor(t);
    throw KorvexError(Text(TextId::FileIsNoLogFile));
}

void FileLoad::readDataLines(DayBlock& block)
{
    LogLines::Cursor cursor = lines_.dataLines();
    std::string_view first;
    cursor.next(first);
    first = strip(first);

    // A first record stamped with the previous day's date but the new day's time moves onto
    // the file's day.
    std::string repaired;
    if (lines_.dataLineCount() >= 2) {
        LogLines::Cursor peek = cursor;
        std::string_view second;
        peek.next(second);
        second = strip(second);
        double t1 = 0, t2 = 0;
        const auto stamp = [this](std::string_view line, double& t) {
            const std::string_view cell = CellBefore(line);
            return ParseLogTimestamp(cell, order_, t) || ParseLogTimestamp(cell, Other(order_), t);
        };
        if (first.size() > 10 && second.size() > 10 && stamp(first, t1) && t1 < block.day &&
            stamp(second, t2) && std::trunc(t2 - t1) >= 1) {
            repaired.assign(second.substr(0, 10));
            repaired.append(first.substr(10));
            first = repaired;
        }
    }
    readLine(first, block);
    std::string_view line;
    while (cursor.next(line))
        readLine(strip(line), block);
}

void FileLoad::readLine(std::string_view line, DayBlock& block)
{
    const std::string_view stampCell = CellBefore(line);
    double t = 0;
    if (!parseStamp(stampCell, t))
        t = block.lastTime + (block.learnedInterval != 0 ? block.learnedInterval : 1.0 / 1440.0);

    if (!block.started) {
        if (t < block.day)
            return;
        block.started = true;
        block.lastTime = t;
    }
    if (block.learnedInterval == 0) {
        block.learnedInterval = t - block.lastTime;
        block.allowedStep = std::floor(block.learnedInterval * 1440.0 + 0.5);
    }
    bool gap = false;
    const double step = std::floor((t - block.lastTime) * 1440.0 + 0.5);
    if (step > block.allowedStep) {
        gap = true;
        block.learnedInterval = 0;
        block.allowedStep = 1440;
    }
    if (t < block.lastTime)
        return;
    block.lastTime = t;

    const char* p = stampCell.size() < line.size() ? line.data() + stampCell.size() + 1
                                                   : line.data() + line.size();
    // Every cell is read before any is stored: a line that fails leaves nothing behind.
    readCells(p, line.data() + line.size());
    applyLine(t, gap);
}

void FileLoad::readCells(const char* p, const char* const end)
{
    const std::size_t n = map_.entries.size();
    for (std::size_t k = 0; k < n; ++k) {
        if (p == end && k + 1 != n)
            throw DataLineFailure{};
        const char* sep =
            static_cast<const char*>(std::memchr(p, ';', static_cast<std::size_t>(end - p)));
        const char* cellEnd = sep ? sep : end;
        const std::string_view cell(p, static_cast<std::size_t>(cellEnd - p));
        p = sep ? sep + 1 : end;

        double& value = values_[k];
        if (stageOf_[k] < 0 || cell.empty() || cell == "Err") {
            value = kNull;
            continue;
        }
        if (!ParseLogNumber(cell, value))
            throw DataLineFailure{};
        const float scale = map_.entries[k].scale;
        if (scale != 1.0f)
            value *= static_cast<double>(scale);
    }
}

void FileLoad::applyLine(double t, bool gap)
{
    const std::size_t n = values_.size();
    for (std::size_t k = 0; k < n; ++k) {
        const double value = values_[k];
        if (std::isnan(value)) {
            hadValue_[k] = 0;
            continue;
        }
        Stage& stage = stages_[static_cast<std::size_t>(stageOf_[k])];
        if (gap) {
            stage.add(t, kNull);
            hadValue_[k] = 0;
        }
        // A run of equal values keeps only its first and its last point. Sum bars keep one
        // bar per day anyway; moving one would take it off the middle of its day.
        const int m = stage.count();
        if (!stage.sumBars && hadValue_[k] && m >= 2) {
            const double last = stage.yAt(m - 1);
            const double before = stage.yAt(m - 2);
            if (last == value && before == value) {
                stage.moveLastTo(t);
                continue;
            }
        }
        stage.add(t, value);
        hadValue_[k] = 1;
    }
    linesApplied_ = true;
    lastApplied_ = t;
}

void FileLoad::closeDay(DayBlock& block)
{
    // The next day's first point must not join this day's last one.
    for (Stage& stage : stages_) {
        if (stage.count() > 0)
            stage.add(block.lastTime, kNull);
    }
    block.lastTime = block.day + 1;
}

void FileLoad::commit()
{
    for (Stage& stage : stages_) {
        if (stage.moveLast && stage.existing > 0)
            stage.series->setX(stage.existing - 1, stage.moveLastX);
        if (stage.sumBars) {
            for (std::size_t i = 0; i < stage.xs.size(); ++i) {
                if (std::isnan(stage.ys[i]))
                    stage.series->addNullPoint(stage.xs[i]);
                else
                    stage.series->addPoint(stage.xs[i], stage.ys[i]);
            }
        } else {
            stage.series->appendPoints(stage.xs.data(), stage.ys.data(), stage.xs.size());
        }
    }
    for (const PendingYield& y : yields_)
        y.series->addPoint(y.x, y.y);
}

} // namespace

void LogFileReader::loadBytes(AnalysisDataSet& dataSet, const std::string& path,
                              std::string_view bytes)
{
    map_.entries.clear();
    const LogWarningHandler& warn = warningHandler_ ? warningHandler_ : GetLogWarningHandler();
    if (warn) {
        FileLoad(dataSet, path, bytes, warn, map_).run();
        return;
    }
    // Without any handler the warning is still counted as shown.
    const LogWarningHandler none = [](const std::string&) {};
    FileLoad(dataSet, path, bytes, none, map_).run();
}

} // namespace korvex
