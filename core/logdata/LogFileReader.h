#pragma once

#include "core/logdata/FieldCategory.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

class AnalysisDataSet;
class Series;
struct ParsedLogFile;

// Receives non-fatal warnings of the reader (the unit warning, texts 149 + name + 150). The
// program routes it to its error handler; reading goes on afterwards.
using LogWarningHandler = std::function<void(const std::string& message)>;

// Process-wide handler used by readers built without their own (AnalysisDataSet::load).
void SetLogWarningHandler(LogWarningHandler handler);
const LogWarningHandler& GetLogWarningHandler();

// One entry per value column of a header, in header order.
struct ColumnEntry {
    Series* series = nullptr; // receives the column's values; null = column ignored
    int field = -1;           // field index at header time (indices shift on later inserts)
    float scale = 1.0f;       // 0.001 for "[W]" columns
    bool yield = false;       // a "Q..." yield column
};

struct ColumnMap {
    std::vector<ColumnEntry> entries;
    bool empty() const { return entries.empty(); }
    std::size_t size() const { return entries.size(); }
};

// How the timestamps of a file are written.
enum class DateOrder : std::uint8_t {
    YearMonthDay, // "DATE & TIME": 2008-05-15 14:30
    DayMonthYear, // "dd.mm.yy hh:mm": 15.05.2008 14:30
};

// Parses "date[ time]" in the given order (time hh:mm[:ss[.zzz]]), blanks around allowed.
bool ParseLogTimestamp(std::string_view text, DateOrder order, double& out);
// Parses a date alone in the given order.
bool ParseLogDate(std::string_view text, DateOrder order, double& out);
// A number with decimal comma (blanks around allowed; no inf/nan).
bool ParseLogNumber(std::string_view text, double& out);

// Reads one log file into the data set of its device. A file that fails adds no day block, file
// name or count, but what it had read stays: the device settings, the fields its header
// registered, its end-of-day yields and the values of its complete lines (closed by a null).
class LogFileReader {
public:
    // Without a handler the process-wide one is used.
    explicit LogFileReader(LogWarningHandler warningHandler = {});

    // Throws KorvexError with the message of the failure (texts 83, 84, 85, 94, 97, 151).
    void load(AnalysisDataSet& dataSet, const std::string& path);
    // The same with the file's bytes given (tests, fuzzing); path names the file.
    void loadBytes(AnalysisDataSet& dataSet, const std::string& path, std::string_view bytes);
    // The same with the file read and parsed already (ParseLogFile, on any thread); the result
    // is that of load(dataSet, file.path) when the file has not changed since.
    void loadParsed(AnalysisDataSet& dataSet, const ParsedLogFile& file);

    // The map of the last header read (for tests).
    const ColumnMap& columnMap() const { return map_; }

    // More value columns than this make the file invalid (text 85).
    static constexpr std::size_t kMaxColumns = 16384;

private:
    void apply(AnalysisDataSet& dataSet, const ParsedLogFile& file);

    LogWarningHandler warningHandler_;
    ColumnMap map_;
};

} // namespace korvex
