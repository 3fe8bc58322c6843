#pragma once

// A log file read and parsed apart from any data set, so that files can be parsed on worker
// threads while the data sets are filled in file order on one thread. The parse records, in
// order, everything the reader does to its device's data set; ApplyParsedLog (LogFileReader.h)
// then does it. Only the data set's state decides field registration, the device check and the
// unit warning: the parse leaves those to the apply, and what it had to assume about the data set
// is checked there before anything changes.

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/FieldKeys.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvex {

// Why a file fails, before the message is worded in the interface language.
enum class LogFailure : std::uint8_t {
    None,
    Missing,       // text 83, LF LF, the file name
    Unreadable,    // text 83, CR LF CR LF, the file name
    NoValues,      // text 84
    NotALogFile,   // text 85
    UnnamedColumn, // text 85, LF LF, the cell
    NoMemory,      // text 97
    BadLines,      // text 83 alone
    Unparsed,      // a reading thread could not parse it: the loading thread reads it itself
};

// The points one field receives from the file, in X order (closing null included).
struct ParsedStage {
    std::string field;
    bool sumBars = false; // the field's series keeps one bar per day (no run compression)
    // A run compression looked at the series' last point from before this file and found it
    // null or missing; parsed without the data set, that was assumed.
    bool assumedPriorNull = false;
    std::vector<double> xs;
    std::vector<double> ys;
    // Lines whose cell read "Err", as runs of consecutive lines (first, last); they add no point.
    std::vector<std::pair<double, double>> errRuns;
};

struct ParsedColumn {
    HeaderColumn header;
    int stage = -1;          // index into stages; -1 when the column's cells are not read
    bool yieldFound = false; // the end-of-day value of a yield column, taken at header time
    double yieldX = 0;
    double yieldY = 0;
};

struct ParsedLogFile {
    std::string path;
    LogFailure failure = LogFailure::None;
    std::string failureCell; // UnnamedColumn: the cell (UTF-8)

    // How far the file got; the apply stops where the parse stopped.
    bool hasHeader = false;            // a header with data lines: the decimal comma is set
    bool deviceRead = false;           // the device cell was taken (the device is identified)
    std::string deviceName;            // the device cell (UTF-8), empty without one
    std::vector<ParsedColumn> columns; // value columns read, in header order
    bool lastColumnFails = false;      // the last column's field is registered, then the file fails
    bool headerRead = false;           // every column was read
    bool dayRead = false;              // the file's day is known: block is valid

    DayBlock block;
    std::vector<ParsedStage> stages;
    // Last accepted time: where a field without points of its own in this file gets its
    // closing null (when its series holds points).
    double closeTime = 0;
    bool withDataSet = false; // parsed against the data set itself: nothing was assumed
};

// Parses bytes as the log file at path. With dataSet (the one the file is to go to, unchanged
// until the apply), nothing is assumed about it; without, the result may have to be parsed again.
// A stop flag that turns true ends the parse early with a result that must not be applied.
ParsedLogFile ParseLogFile(const std::string& path, std::string_view bytes,
                           const AnalysisDataSet* dataSet = nullptr,
                           const std::atomic<bool>* stop = nullptr);

// The bytes of a file being read. It grows without filling the new bytes: zeroing a large file's
// buffer first would take time that a stop cannot cut short.
class LogFileBuffer {
public:
    char* data() { return bytes_.get(); }
    std::size_t size() const { return size_; }
    // Keeps the bytes that fit.
    void resize(std::size_t n)
    {
        std::unique_ptr<char[]> grown = std::make_unique_for_overwrite<char[]>(n);
        if (size_ > 0 && n > 0)
            std::memcpy(grown.get(), bytes_.get(), std::min(size_, n));
        bytes_ = std::move(grown);
        size_ = n;
    }
    void release()
    {
        bytes_.reset();
        size_ = 0;
    }

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_ = 0;
};

// Reads the file's bytes into buffer (kept between calls). None, Missing or Unreadable (also when
// the stop flag turned true meanwhile).
LogFailure ReadLogFileBytes(const std::string& path, LogFileBuffer& buffer, std::size_t& size,
                            const std::atomic<bool>* stop = nullptr);

// Reads and parses the file at path without a data set: the work of a reading thread.
ParsedLogFile ReadAndParseLogFile(const std::string& path, LogFileBuffer& buffer,
                                  const std::atomic<bool>* stop = nullptr);

} // namespace korvex
