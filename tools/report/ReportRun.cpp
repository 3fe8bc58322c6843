#include "tools/report/ReportRun.h"

#include "core/logdata/LogDirectory.h"
#include "core/logdata/LogDirectoryLoad.h"
#include "core/logdata/LogFileReader.h"
#include "core/services/BuildInfo.h"
#include "core/services/Cp1252.h"
#include "core/services/Errors.h"
#include "core/services/MonthNameTables.h"
#include "core/services/TextCatalogue.h"
#include "tools/report/ProgressBar.h"
#include "tools/report/ReportAnalysis.h"
#include "tools/report/ReportCheck.h"
#include "tools/report/ReportJson.h"
#include "tools/report/ReportLanguage.h"
#include "tools/report/ReportMessages.h"
#include "tools/report/ReportOptions.h"
#include "tools/report/ReportStats.h"
#include "tools/report/ReportText.h"
#include "tools/report/ReportWorkbook.h"

#include <algorithm>
#include <future>
#include <system_error>
#include <optional>

namespace korvex::report {

namespace {

// A message on one line: its line breaks become blanks.
std::string OneLine(const std::string& text)
{
    std::string line;
    bool lastWasBreak = false;
    for (char c : text) {
        const bool isBreak = c == '\r' || c == '\n';
        if (isBreak) {
            if (!lastWasBreak && !line.empty())
                line.push_back(' ');
        } else {
            line.push_back(c);
        }
        lastWasBreak = isBreak;
    }
    return line;
}

class ConsoleObserver : public LogLoadObserver {
public:
    ConsoleObserver(std::FILE* err, bool progress)
    {
        if (progress)
            bar_.emplace(err);
    }
    void FileDone(std::size_t done, std::size_t total, std::uintmax_t bytes) override
    {
        if (bar_)
            bar_->Update(done, total, bytes);
    }
    void DeviceFailed(std::size_t, const std::exception& error) override
    {
        deviceErrors.push_back(error.what());
    }
    void Finish()
    {
        if (bar_)
            bar_->Finish();
    }
    // The run ends after its output: the system takes the whole heap back then.
    bool ReturnHeapAfterFiles() override { return false; }

    std::vector<std::string> deviceErrors;

private:
    std::optional<ProgressBar> bar_;
};

// One line on the error stream in the run's language.
void Tell(std::FILE* err, const std::string& english, const std::vector<std::string>& values = {})
{
    std::fprintf(err, "korvex-report: %s\n", Message(english, values).c_str());
}

// A usage error: what is wrong and where to read more, on one line.
void TellUsage(std::FILE* err, int block, const std::string& english,
               const std::vector<std::string>& values = {})
{
    std::fprintf(
        err, "korvex-report: %s\n",
        MessageIn(block, "%1 (try korvex-report --help)", {MessageIn(block, english, values)})
            .c_str());
}

std::string IsoDay(DayTime day)
{
    return FormatDayTime("yyyy-mm-dd", day);
}

bool Write(std::FILE* out, const std::string& text)
{
    return std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fflush(out) == 0;
}

// The files of the range, or an exit code with its message written.
struct RangeChoice {
    std::optional<int> exit;
    LogFileSelection selection;
    DayTime from = 0;
    DayTime to = 0;
};

RangeChoice ChooseRange(const ReportOptions& options, std::FILE* err)
{
    RangeChoice choice;
    const LogDirectoryScan scan = ScanLogDirectory(options.dir);
    if (scan.status == ScanStatus::NoDirectory) {
        Tell(err, "%1: no such directory", {options.dir});
        choice.exit = ExitNothingLoaded;
        return choice;
    }
    if (scan.status == ScanStatus::Unreadable) {
        Tell(err, "%1: the directory cannot be read", {options.dir});
        choice.exit = ExitNothingLoaded;
        return choice;
    }
    if (!scan.Found()) {
        std::fprintf(err, "korvex-report: %s\n", Text(TextId::NoFilesFound).c_str());
        choice.exit = ExitNothingLoaded;
        return choice;
    }

    // As the date pickers, the range is held within the days the names cover.
    choice.from = std::clamp(options.from.value_or(scan.firstDay), scan.firstDay, scan.lastDay);
    choice.to = std::clamp(options.to.value_or(scan.lastDay), scan.firstDay, scan.lastDay);
    if (choice.from <= choice.to && (!options.from || *options.from <= scan.lastDay) &&
        (!options.to || *options.to >= scan.firstDay))
        choice.selection = SelectLogFiles(scan, choice.from, choice.to);
    if (choice.selection.files.empty()) {
        // The path is right: only the range holds nothing.
        std::string asked;
        if (options.from)
            asked = "--from " + IsoDay(*options.from);
        if (options.to)
            asked += (asked.empty() ? "" : " ") + std::string("--to ") + IsoDay(*options.to);
        Tell(err,
             "no data in the range chosen (%1): the log files of this directory cover %2 to %3",
             {asked, IsoDay(scan.firstDay), IsoDay(scan.lastDay)});
        choice.exit = ExitNothingLoaded;
    }
    return choice;
}

// The position of --device among the selection's devices; false (usage written) when absent.
bool FindDevice(const ReportOptions& options, const LogFileSelection& selection,
                std::optional<std::size_t>& device, std::FILE* err)
{
    if (!options.device)
        return true;
    const auto it = std::find(selection.devices.begin(), selection.devices.end(), *options.device);
    if (it == selection.devices.end()) {
        std::string found;
        for (const std::string& d : selection.devices)
            found += (found.empty() ? "" : ", ") + d;
        TellUsage(err, CurrentTextBlock(), "device %1 has no file in the range (devices: %2)",
                  {*options.device, found});
        return false;
    }
    device = static_cast<std::size_t>(it - selection.devices.begin());
    return true;
}

void ReportLoadErrors(const LogLoadResult& load, const ConsoleObserver& observer, std::FILE* err)
{
    for (const LogLoadFailure& f : load.failures)
        std::fprintf(err, "%s: %s\n", f.path.c_str(), OneLine(f.message).c_str());
    for (const std::string& e : observer.deviceErrors)
        std::fprintf(err, "korvex-report: %s\n", OneLine(e).c_str());
}

int WritePicture(const ReportOptions& options, const RangeChoice& range,
                 std::optional<std::size_t> device, const PictureRenderer& renderer,
                 ConsoleObserver& observer, std::FILE* out, std::FILE* err)
{
    PictureJob job{range.selection,  range.from, range.to,          *options.spanItem,
                   options.at,       device,     options.tableView, options.graphs,
                   *options.picture, observer};
    const PictureResult result = renderer(job);
    observer.Finish();
    ReportLoadErrors(result.load, observer, err);
    for (const std::string& e : result.errors)
        std::fprintf(err, "korvex-report: %s\n", OneLine(e).c_str());
    if (result.writtenPath.empty())
        return ExitNothingLoaded;
    if (!Write(out, result.writtenPath + "\n")) {
        Tell(err, "the output cannot be written");
        return ExitNothingLoaded;
    }
    return ExitSuccess;
}

// The text the options ask for: window statistics, JSON, one window's table, or a yield table.
std::string ReportOutput(const ReportOptions& options, ReportAnalysis& analysis,
                         const LogLoadResult& load, std::optional<std::size_t> device)
{
    const MonthNames& months = MonthNamesForBlock(options.textBlock);
    if (options.stats) {
        const DayTime at = options.at.value_or(static_cast<DayTime>(analysis.days.front()));
        const WindowPlacement placement =
            options.atHasTime ? WindowPlacement::ExactlyAt : WindowPlacement::AsTheWindowPlacesIt;
        const StatisticsReport stats =
            ReportStatistics(analysis, *options.spanItem, at, placement, device);
        return options.json ? StatisticsJson(stats) : StatisticsText(stats, options.textBlock);
    }
    if (options.json)
        return ReportJson(analysis, load);
    if (options.spanItem) {
        const DayTime at = options.at.value_or(static_cast<DayTime>(analysis.days.front()));
        const WindowReport window = ReportWindow(analysis, *options.spanItem, at, device, months);
        return GridText(window.table) + Utf8ToCp1252(window.title) + "\r\n";
    }
    return GridText(PresentYieldTable(analysis, options.table, device, months));
}

int WriteReport(const ReportOptions& options, const RangeChoice& range,
                std::optional<std::size_t> device, ConsoleObserver& observer, std::FILE* out,
                std::FILE* err)
{
    ReportAnalysis analysis;
    analysis.Begin(range.selection, range.from, range.to);
    const LogLoadResult load = RunLogLoad(range.selection, analysis, observer);
    observer.Finish();
    ReportLoadErrors(load, observer, err);

    const MonthNames& months = MonthNamesForBlock(options.textBlock);
    // The check only reads the loaded data sets, as the yield tables do: both at once.
    std::future<CheckOutcome> check;
    if (options.check && load.loaded > 0) {
        try {
            check = std::async(std::launch::async,
                               [&] { return RunCheck(options, analysis, load, device); });
        } catch (const std::system_error&) {
            // no thread: the check runs after the tables
        }
    }
    try {
        analysis.Finish(months);
    } catch (const KorvexError& e) {
        if (load.loaded == 0 && !load.failures.empty()) {
            // Files were there, so "no file found" would mislead.
            Tell(err, "no file could be read (%1 of %2 failed)",
                 {std::to_string(load.failures.size()),
                  std::to_string(range.selection.files.size())});
            if (options.json && !options.check && !Write(out, ReportJson(analysis, load)))
                Tell(err, "the output cannot be written");
        } else {
            std::fprintf(err, "korvex-report: %s\n", OneLine(e.what()).c_str());
        }
        return ExitNothingLoaded;
    }
    if (options.workbook)
        return WriteYieldWorkbook(analysis, device, months, *options.workbook, out, err);
    if (options.check) {
        const CheckOutcome outcome =
            check.valid() ? check.get() : RunCheck(options, analysis, load, device);
        if (outcome.exitCode == ExitUsage) {
            TellUsage(err, CurrentTextBlock(), "%1", {outcome.usage});
            return ExitUsage;
        }
        if (!Write(out, outcome.output)) {
            Tell(err, "the output cannot be written");
            return ExitNothingLoaded;
        }
        return outcome.exitCode;
    }
    if (!Write(out, ReportOutput(options, analysis, load, device))) {
        Tell(err, "the output cannot be written");
        return ExitNothingLoaded;
    }
    return ExitSuccess;
}

} // namespace

int RunReport(const std::vector<std::string>& args, std::FILE* out, std::FILE* err,
              const PictureRenderer& renderer)
{
    ReportOptions options;
    try {
        options = ParseReportOptions(args);
    } catch (const UsageError& e) {
        const bool json = std::find(args.begin(), args.end(), "--json") != args.end();
        const int named = BlockOfLanguageOption(args);
        TellUsage(err,
                  named >= 0 ? named
                  : json     ? BlockEnglish
                             : BlockOfEnvironment(),
                  e.reason, e.values);
        return ExitUsage;
    }
    // One language for the whole run: scripts reading --json get English unless they ask.
    if (!options.languageGiven)
        options.textBlock = options.json ? BlockEnglish : BlockOfEnvironment();
    SelectTextBlock(options.textBlock);
    if (options.help) {
        std::fputs(HelpText(options.textBlock), out);
        return ExitSuccess;
    }
    if (options.version) {
        std::fprintf(out, "korvex-report %s\n", ProgramVersion());
        return ExitSuccess;
    }
    if (options.picture && !renderer) {
        TellUsage(err, options.textBlock,
                  "--picture needs a korvex-report built with the user interface");
        return ExitUsage;
    }

    const RangeChoice range = ChooseRange(options, err);
    if (range.exit)
        return *range.exit;
    std::optional<std::size_t> device;
    if (!FindDevice(options, range.selection, device, err))
        return ExitUsage;

    // The program shows the unit warning as an error box; here it is a line on the error stream.
    SetLogWarningHandler(
        [err](const std::string& message) { Tell(err, "warning: %1", {OneLine(message)}); });

    ConsoleObserver observer(err, options.progress);
    if (options.picture)
        return WritePicture(options, range, device, renderer, observer, out, err);
    return WriteReport(options, range, device, observer, out, err);
}

} // namespace korvex::report
