// Reading a log file without its data set: the header, the day and the data lines into staged
// points per field. Runs on reading threads; touches nothing shared.
#include "core/logdata/ParsedLogFile.h"

#include "core/logdata/CustomSeries.h"
#include "core/logdata/LogCells.h"
#include "core/services/Cp1252.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <unordered_map>

namespace korvex {

namespace {

constexpr std::string_view kKeywordYmd = "DATE & TIME";
constexpr std::string_view kKeywordDmy = "dd.mm.yy hh:mm";
constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

// Ends the parse with the file's failure.
struct Stop {
    LogFailure failure;
};

DateOrder Other(DateOrder order)
{
    return order == DateOrder::YearMonthDay ? DateOrder::DayMonthYear : DateOrder::YearMonthDay;
}

// Twice for every line: a call would cost more than its search.
[[gnu::always_inline]] inline std::string_view CellBefore(std::string_view line)
{
    const char* hit = FindSemicolon(line.data(), line.data() + line.size());
    return line.substr(0, static_cast<std::size_t>(hit - line.data()));
}

// A field of the file: its stage, and what the run compression needs of its series.
struct FieldState {
    int stage = -1;
    bool sumBars = false;
    int existing = 0;      // points before this file (known only with the data set)
    double priorY = kNull; // the last of them
};

class Parser {
public:
    Parser(ParsedLogFile& out, std::string_view bytes, const AnalysisDataSet* set,
           const std::atomic<bool>* stop)
        : out_(out), bytes_(bytes), set_(set), stop_(stop)
    {}

    void run();
    void keepWhatWasRead();

private:
    void readHeader(std::string_view header);
    void addColumn(std::string_view cell, std::size_t column);
    FieldState& fieldOf(const HeaderColumn& column);
    int stageFor(FieldState& field, const std::string& name);
    bool endOfDayValue(std::size_t column, float scale, double& x, double& y);
    bool parseStamp(std::string_view cell, double& t);
    DayTime fileDay();
    void readDataLines();
    void readLine(std::string_view line);
    void readCells(const char* p, const char* end);
    void applyLine(double t, bool gap);
    void extendLine(double t);
    [[gnu::always_inline]] std::string_view strip(std::string_view line) const;
    std::string_view dataLine(std::size_t i) const { return lines_[first_ + i]; }

    ParsedLogFile& out_;
    std::string_view bytes_;
    const AnalysisDataSet* set_;
    const std::atomic<bool>* stop_;
    std::vector<std::string_view> lines_;
    std::size_t first_ = 0; // index of the first data line
    std::size_t count_ = 0; // data lines

    bool deviceCell_ = false;
    DateOrder fileOrder_ = DateOrder::YearMonthDay;
    DateOrder order_ = DateOrder::YearMonthDay;
    LogStampReader stamps_;
    bool lastLineKnown_ = false;
    std::vector<std::string_view> lastCells_;
    std::unordered_map<std::string, FieldState> fields_;
    std::vector<FieldState*> fieldOfStage_;
    std::vector<int> stageOf_; // per column; -1: not read
    std::vector<float> scaleOf_;
    // Each column's last cell that was read: slowly moving values repeat from line to line, and
    // the same bytes give the same value.
    struct LastCell {
        const char* text = nullptr; // null: none yet
        std::size_t size = 0;
        double value = 0;
        bool err = false;
    };
    // What a line's reading needs of a column, in one place: the hot loops touch nothing else.
    struct ColumnRead {
        ParsedStage* stage = nullptr; // null: the column is not read
        const FieldState* field = nullptr;
        float scale = 1.0f;
        double value = kNull; // the cell of the line being read; NaN = no value
        bool errNow = false;  // the line's cell read "Err"
        bool errOpen = false; // the previous line's cell did too: the run goes on
        bool hadValue = false;
        LastCell last;
    };
    std::vector<ColumnRead> reads_;
    // The cells after the stamp of the last line whose cells were read: night lines often
    // repeat the line before but for the stamp, and then hold its values.
    std::string_view lastRead_;
    bool lastReadKnown_ = false;
    // The last line applied only moved run ends: the same cells again do that and nothing else.
    bool steady_ = false;
    bool linesApplied_ = false;
    double lastApplied_ = 0;
};

inline std::string_view Parser::strip(std::string_view line) const
{
    if (!deviceCell_)
        return line;
    const char* hit = FindSemicolon(line.data(), line.data() + line.size());
    if (hit == line.data() + line.size())
        return line;
    return line.substr(static_cast<std::size_t>(hit - line.data()) + 1);
}

void Parser::run()
{
    try {
        if (!SplitLogLines(bytes_, lines_, stop_))
            throw Stop{LogFailure::Unparsed};
    } catch (const std::bad_alloc&) {
        throw Stop{LogFailure::NoMemory};
    } catch (const std::length_error&) {
        throw Stop{LogFailure::NoMemory};
    }
    while (first_ < lines_.size() && lines_[first_].empty())
        ++first_;
    if (first_ == lines_.size() || first_ + 1 == lines_.size())
        throw Stop{LogFailure::NoValues};
    const std::string_view header = lines_[first_];
    ++first_;
    count_ = lines_.size() - first_;
    out_.hasHeader = true;

    try {
        readHeader(header);
    } catch (const Stop&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw Stop{LogFailure::NoMemory};
    } catch (const std::length_error&) {
        throw Stop{LogFailure::NoMemory};
    } catch (const std::exception&) {
        throw Stop{LogFailure::NotALogFile};
    }
    out_.headerRead = true;
    out_.block = DayBlock::ForDay(fileDay());
    out_.dayRead = true;
    try {
        if (out_.columns.empty())
            throw Stop{LogFailure::BadLines};
        readDataLines();
    } catch (const std::exception&) {
        // Whatever went wrong while reading the lines, the user learns that the file failed.
        throw Stop{LogFailure::BadLines};
    }
    // The next day's first point must not join this day's last one.
    for (ParsedStage& stage : out_.stages) {
        if (!stage.xs.empty()) {
            stage.xs.push_back(out_.block.lastTime);
            stage.ys.push_back(kNull);
        }
    }
    out_.closeTime = out_.block.lastTime;
    out_.block.lastTime = out_.block.day + 1;
}

// A failed file keeps the values of its complete lines; a null after them stops the next file's
// first point from joining them.
void Parser::keepWhatWasRead()
{
    if (!linesApplied_)
        return;
    for (ParsedStage& stage : out_.stages) {
        if (!stage.xs.empty()) {
            stage.xs.push_back(lastApplied_);
            stage.ys.push_back(kNull);
        }
    }
}

void Parser::readHeader(std::string_view header)
{
    const bool hasKeyword = header.find(kKeywordYmd) != std::string_view::npos ||
                            header.find(kKeywordDmy) != std::string_view::npos;
    if (!hasKeyword || header.find(';') == std::string_view::npos)
        throw Stop{LogFailure::NotALogFile};

    std::string_view first = CellBefore(header);
    if (first != kKeywordYmd && first != kKeywordDmy) {
        deviceCell_ = true;
        header.remove_prefix(first.size() + 1);
        out_.deviceName = Cp1252ToUtf8(first);
        first = CellBefore(header);
    }
    out_.deviceRead = true;
    if (first == kKeywordYmd)
        fileOrder_ = DateOrder::YearMonthDay;
    else if (first == kKeywordDmy)
        fileOrder_ = DateOrder::DayMonthYear;
    else
        throw Stop{LogFailure::NotALogFile};
    order_ = fileOrder_;
    header.remove_prefix(first.size() < header.size() ? first.size() + 1 : header.size());

    std::size_t column = 0;
    while (!header.empty()) {
        if (column >= LogFileReader::kMaxColumns)
            throw Stop{LogFailure::NotALogFile};
        const std::string_view cell = CellBefore(header);
        header.remove_prefix(cell.size() < header.size() ? cell.size() + 1 : header.size());
        addColumn(cell, column);
        ++column;
    }
    // The stages are complete: pointers to them stay valid while the lines are read.
    reads_.assign(out_.columns.size(), ColumnRead{});
    for (std::size_t k = 0; k < reads_.size(); ++k) {
        if (const int s = stageOf_[k]; s >= 0) {
            reads_[k].stage = &out_.stages[static_cast<std::size_t>(s)];
            reads_[k].field = fieldOfStage_[static_cast<std::size_t>(s)];
            reads_[k].scale = scaleOf_[k];
        }
    }
}

void Parser::addColumn(std::string_view cell, std::size_t column)
{
    ParsedColumn parsed;
    parsed.header = NormaliseHeaderColumn(cell);
    const HeaderColumn& h = parsed.header;
    // A unit without a name cannot address a field.
    if (h.kind == HeaderColumnKind::Unnamed) {
        out_.failureCell = Cp1252ToUtf8(cell.substr(0, 80));
        throw Stop{LogFailure::UnnamedColumn};
    }
    if (h.kind != HeaderColumnKind::Value) {
        out_.columns.push_back(std::move(parsed));
        stageOf_.push_back(-1);
        scaleOf_.push_back(1.0f);
        return;
    }
    FieldState& field = fieldOf(h);
    if (h.yield) {
        double x = 0, y = 0;
        bool found = false;
        try {
            found = endOfDayValue(column, h.scale, x, y);
        } catch (const Stop&) {
            // The field is registered before its yield fails the file.
            out_.columns.push_back(std::move(parsed));
            out_.lastColumnFails = true;
            throw;
        }
        if (found) {
            // The day's yield is taken from the last line at once; the column is not read.
            parsed.yieldFound = true;
            parsed.yieldX = x;
            parsed.yieldY = y;
            out_.columns.push_back(std::move(parsed));
            stageOf_.push_back(-1);
            scaleOf_.push_back(1.0f);
            return;
        }
    }
    parsed.stage = stageFor(field, h.name);
    stageOf_.push_back(parsed.stage);
    scaleOf_.push_back(h.scale);
    out_.columns.push_back(std::move(parsed));
}

// The field a column goes to. A field new to the data set gets the series of its first column in
// this file; with the data set at hand, a known field's series is asked.
FieldState& Parser::fieldOf(const HeaderColumn& column)
{
    const auto known = fields_.find(column.name);
    if (known != fields_.end())
        return known->second;
    FieldState state;
    state.sumBars = column.yield && column.category == FieldCategory::Others;
    if (set_ && set_->deviceSettings()) {
        const int index = set_->deviceSettings()->find(column.name);
        if (const Series* series = index >= 0 ? set_->series(index) : nullptr) {
            state.sumBars = series->dataHolder().seriesClass() == SeriesClass::SumBars;
            state.existing = series->count();
            if (state.existing > 0)
                state.priorY = series->y(state.existing - 1);
        }
    }
    return fields_.emplace(column.name, state).first->second;
}

int Parser::stageFor(FieldState& field, const std::string& name)
{
    if (field.stage >= 0)
        return field.stage;
    ParsedStage stage;
    stage.field = name;
    stage.sumBars = field.sumBars;
    // A day of one-minute lines without growing; a file of millions of lines grows as it goes.
    const std::size_t expected = std::min<std::size_t>(count_ + 2, 4096);
    stage.xs.reserve(expected);
    stage.ys.reserve(expected);
    out_.stages.push_back(std::move(stage));
    field.stage = static_cast<int>(out_.stages.size()) - 1;
    fieldOfStage_.push_back(&field);
    return field.stage;
}

bool Parser::parseStamp(std::string_view cell, double& t)
{
    if (stamps_.parse(cell, order_, t))
        return true;
    order_ = Other(order_);
    return stamps_.parse(cell, order_, t);
}

bool Parser::endOfDayValue(std::size_t column, float scale, double& x, double& y)
{
    if (!lastLineKnown_) {
        // The cells of the last non-empty line, split once for all yield columns.
        lastLineKnown_ = true;
        std::string_view last;
        for (std::size_t i = count_; i-- > 0;) {
            const std::string_view data = strip(dataLine(i));
            if (!data.empty()) {
                last = data;
                break;
            }
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
        throw Stop{LogFailure::NotALogFile};
    double t = 0;
    if (!parseStamp(lastCells_[0], t))
        return false;
    x = t;
    y = value * static_cast<double>(scale);
    return true;
}

DayTime Parser::fileDay()
{
    const std::string_view line = strip(dataLine(count_ / 2));
    double t = 0;
    if (ParseLogDate(line.substr(0, 10), fileOrder_, t) ||
        ParseLogTimestamp(line.substr(0, 16), DateOrder::DayMonthYear, t))
        return std::floor(t);
    throw Stop{LogFailure::NotALogFile};
}

void Parser::readDataLines()
{
    std::string_view first = strip(dataLine(0));
    // A first record stamped with the previous day's date but the new day's time moves onto
    // the file's day.
    std::string repaired;
    if (count_ >= 2) {
        const std::string_view second = strip(dataLine(1));
        double t1 = 0, t2 = 0;
        const auto stamp = [this](std::string_view line, double& t) {
            const std::string_view cell = CellBefore(line);
            return ParseLogTimestamp(cell, order_, t) || ParseLogTimestamp(cell, Other(order_), t);
        };
        if (first.size() > 10 && second.size() > 10 && stamp(first, t1) && t1 < out_.block.day &&
            stamp(second, t2) && std::trunc(t2 - t1) >= 1) {
            repaired.assign(second.substr(0, 10));
            repaired.append(first.substr(10));
            first = repaired;
        }
    }
    readLine(first);
    if (!repaired.empty()) {
        // The repeats are compared in the file's own bytes only.
        lastReadKnown_ = false;
        for (ColumnRead& read : reads_)
            read.last.text = nullptr;
    }
    for (std::size_t i = 1; i < count_; ++i) {
        if (stop_ && i % 256 == 0 && stop_->load(std::memory_order_relaxed))
            throw Stop{LogFailure::Unparsed};
        readLine(strip(dataLine(i)));
    }
}

void Parser::readLine(std::string_view line)
{
    DayBlock& block = out_.block;
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
    // The step in whole minutes, rounded, is above the allowed one (a whole number far below
    // 2^53) exactly when the unrounded step reaches the next whole number: no floor per line.
    if ((t - block.lastTime) * 1440.0 + 0.5 >= block.allowedStep + 1) {
        gap = true;
        block.learnedInterval = 0;
        block.allowedStep = 1440;
    }
    if (t < block.lastTime)
        return;
    block.lastTime = t;

    const char* p = stampCell.size() < line.size() ? line.data() + stampCell.size() + 1
                                                   : line.data() + line.size();
    const char* const end = line.data() + line.size();
    const std::string_view cells(p, static_cast<std::size_t>(end - p));
    if (lastReadKnown_ && cells == lastRead_) {
        if (steady_ && !gap) {
            extendLine(t);
            return;
        }
        // The columns still hold these values; their Err marks went on into errOpen.
        for (ColumnRead& read : reads_)
            read.errNow = read.errOpen;
        applyLine(t, gap);
        return;
    }
    // Every cell is read before any is stored: a line that fails leaves nothing behind.
    readCells(p, end);
    lastRead_ = cells;
    lastReadKnown_ = true;
    applyLine(t, gap);
}

// The cell at p holds the size bytes at text, and nothing more. text lies before p in the same
// bytes, which go on to bytesEnd; the line at p ends at end, which is bytesEnd or a line break.
inline bool SameCell(const char* p, const char* end, const char* bytesEnd, const char* text,
                     std::size_t size)
{
    if constexpr (std::endian::native == std::endian::little) {
        // Short cells in one comparison of eight bytes each, masked to the cell's own. No cell
        // holds a line break, so bytes running past the line's end never compare equal.
        if (size < 8 && bytesEnd - p >= 8) {
            std::uint64_t a = 0, b = 0;
            std::memcpy(&a, p, 8);
            std::memcpy(&b, text, 8);
            if (((a ^ b) & ((std::uint64_t{1} << (8 * size)) - 1)) != 0)
                return false;
            return p + size == end || p[size] == ';';
        }
    }
    if (static_cast<std::size_t>(end - p) < size)
        return false;
    for (std::size_t i = 0; i < size; ++i) {
        if (p[i] != text[i])
            return false;
    }
    return p + size == end || p[size] == ';';
}

void Parser::readCells(const char* p, const char* const end)
{
    const char* const bytesEnd = bytes_.data() + bytes_.size();
    const std::size_t n = reads_.size();
    for (std::size_t k = 0; k < n; ++k) {
        if (p == end && k + 1 != n)
            throw Stop{LogFailure::BadLines};
        ColumnRead& read = reads_[k];
        if (!read.stage) {
            SkipCell(p, end);
            continue;
        }
        LastCell& last = read.last;
        if (last.text && SameCell(p, end, bytesEnd, last.text, last.size)) {
            read.value = last.value;
            read.errNow = last.err;
            p += last.size;
            p += p == end ? 0 : 1;
            continue;
        }
        const char* const start = p;
        double value = 0;
        const CellValue kind = ReadValueCell(p, end, value);
        read.errNow = kind == CellValue::Err;
        if (kind == CellValue::Empty || kind == CellValue::Err) {
            value = kNull;
        } else if (kind == CellValue::Bad) {
            throw Stop{LogFailure::BadLines};
        } else if (read.scale != 1.0f) {
            value *= static_cast<double>(read.scale);
        }
        read.value = value;
        // A cell holds no ';': one just before p ended it.
        const bool closed = p > start && p[-1] == ';';
        last = {start, static_cast<std::size_t>(p - start) - (closed ? 1 : 0), value, read.errNow};
    }
}

void Parser::applyLine(double t, bool gap)
{
    bool moved = gap; // anything beyond a run end
    for (ColumnRead& read : reads_) {
        if (!read.stage)
            continue;
        ParsedStage& stage = *read.stage;
        const double value = read.value;
        if (read.errNow) {
            auto& runs = stage.errRuns;
            if (read.errOpen && !gap && !runs.empty()) {
                runs.back().second = t;
            } else {
                runs.emplace_back(t, t);
                moved = true;
            }
        }
        read.errOpen = read.errNow;
        read.errNow = false;
        if (std::isnan(value)) {
            read.hadValue = false;
            continue;
        }
        if (gap) {
            stage.xs.push_back(t);
            stage.ys.push_back(kNull);
            read.hadValue = false;
        }
        // A run of equal values keeps only its first and its last point. Sum bars keep one
        // bar per day anyway; moving one would take it off the middle of its day.
        if (!stage.sumBars && read.hadValue) {
            const std::size_t own = stage.ys.size(); // at least 1: this column added a point
            double before = kNull;
            bool two = true;
            if (own >= 2) {
                before = stage.ys[own - 2];
            } else if (set_) {
                two = read.field->existing > 0;
                before = read.field->priorY;
            } else {
                stage.assumedPriorNull = true;
            }
            if (two && stage.ys[own - 1] == value && before == value) {
                stage.xs.back() = t;
                continue;
            }
        }
        stage.xs.push_back(t);
        stage.ys.push_back(value);
        read.hadValue = true;
        moved = true;
    }
    steady_ = !moved;
    linesApplied_ = true;
    lastApplied_ = t;
}

// applyLine for the cells of a steady line once more without a gap: every branch it takes
// again only moves a run's end to t.
void Parser::extendLine(double t)
{
    for (const ColumnRead& read : reads_) {
        if (!read.stage)
            continue;
        if (read.errOpen)
            read.stage->errRuns.back().second = t;
        if (!std::isnan(read.value))
            read.stage->xs.back() = t;
    }
    linesApplied_ = true;
    lastApplied_ = t;
}

} // namespace

ParsedLogFile ParseLogFile(const std::string& path, std::string_view bytes,
                           const AnalysisDataSet* dataSet, const std::atomic<bool>* stop)
{
    ParsedLogFile out;
    out.path = path;
    out.withDataSet = dataSet != nullptr;
    Parser parser(out, bytes, dataSet, stop);
    try {
        parser.run();
    } catch (const Stop& stop) {
        out.failure = stop.failure;
        if (out.failure == LogFailure::BadLines)
            parser.keepWhatWasRead();
    } catch (const std::exception&) {
        out.failure = LogFailure::NotALogFile;
    }
    return out;
}

LogFailure ReadLogFileBytes(const std::string& path, LogFileBuffer& buffer, std::size_t& size,
                            const std::atomic<bool>* stop)
{
    // Read in pieces, so that a stop is seen within milliseconds even for a large file.
    constexpr std::size_t kPiece = 4u << 20;
    size = 0;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return LogFailure::Missing;
    if (!S_ISREG(info.st_mode))
        return LogFailure::Unreadable;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return LogFailure::Unreadable;
    bool ok = true;
    try {
        // One byte more than stat gave: a file that grew since is read to its end too.
        const auto wanted = static_cast<std::size_t>(info.st_size) + 1;
        if (buffer.size() < wanted)
            buffer.resize(std::max(wanted, buffer.size() * 2));
        for (;;) {
            if (size == buffer.size())
                buffer.resize(buffer.size() * 2);
            if (stop && stop->load(std::memory_order_relaxed)) {
                ok = false;
                break;
            }
            const ssize_t got =
                ::read(fd, buffer.data() + size, std::min(buffer.size() - size, kPiece));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                ok = false;
                break;
            }
            if (got == 0)
                break;
            size += static_cast<std::size_t>(got);
        }
    } catch (const std::exception&) {
        ok = false;
    }
    ::close(fd);
    return ok ? LogFailure::None : LogFailure::Unreadable;
}

ParsedLogFile ReadAndParseLogFile(const std::string& path, LogFileBuffer& buffer,
                                  const std::atomic<bool>* stop)
{
    std::size_t size = 0;
    const LogFailure read = ReadLogFileBytes(path, buffer, size, stop);
    if (read != LogFailure::None) {
        ParsedLogFile out;
        out.path = path;
        out.failure = stop && stop->load() ? LogFailure::Unparsed : read;
        return out;
    }
    return ParseLogFile(path, std::string_view(buffer.data(), size), nullptr, stop);
}

} // namespace korvex
