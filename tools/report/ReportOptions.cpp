#include "tools/report/ReportOptions.h"

#include "tools/common/IsoDate.h"

#include <algorithm>
#include <cctype>

namespace korvex::report {

const char* const kReportUsage =
    "usage: korvex-report DIR [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
    "                     [--language de|en|fr|es|it|pt] [--table daily|monthly|annual]\n"
    "                     [--span 1h|3h|8h|day|month|quarter|year [--at YYYY-MM-DD]]\n"
    "                     [--device NN] [--json] [--progress]\n"
    "       korvex-report DIR --picture FILE.jpg|FILE.bmp [--view chart|table]\n"
    "                     --span 1h|...|year [--at YYYY-MM-DD] [--device NN]\n"
    "                     [--graphs KEY,KEY...] [--from ...] [--to ...] [--language ..]\n"
    "       korvex-report DIR --stats --span 1h|...|year [--at 'YYYY-MM-DD[ hh:mm]']\n"
    "                     [--device NN]\n"
    "                     [--json] [--from ...] [--to ...]\n"
    "       korvex-report DIR --workbook FILE.xlsx [--from ...] [--to ...] [--language ..]\n"
    "                     [--device NN]\n"
    "       korvex-report DIR --check [--roles NN:ROLE=KEY,...;NN:...] [--device NN]\n"
    "                     [--json] [--from ...] [--to ...] [--language ..]\n"
    "       korvex-report --help | --version\n"
    "  Reads the log files of DIR and of its subdirectories (two levels) for the days\n"
    "  --from to --to (default: all days found) and prints a yield table as\n"
    "  semicolon-separated Windows-1252 text with CR LF.\n"
    "  --table     which yield table to print (default daily)\n"
    "  --span/--at the table as the analysis window shows it for a displayed time window\n"
    "              of that length at that day (default: the first day with data), and the\n"
    "              window's title with the yield summary\n"
    "  --device    only this device's columns (default: all devices)\n"
    "  --json      one JSON document (UTF-8) with files, days, devices, fields and tables\n"
    "  --progress  a progress bar on standard error while loading\n"
    "  --picture   saves what the analysis window shows for --span/--at as a JPEG or\n"
    "              bitmap picture (by the name's extension) and prints the file's name;\n"
    "              the charts, or with --view table the table; --device chooses the\n"
    "              device tab (default: the first device); --graphs the measured values\n"
    "              shown, by their keys such as T1,P,R1 (default: every measured value\n"
    "              and output of the device). Needs no display.\n"
    "  --stats     per measured field of the --span/--at window: minimum and maximum\n"
    "              with their times, the time-weighted mean and, for power and flow, the\n"
    "              energy or volume; one line per field after the window used and a\n"
    "              heading, or with --json one document; --at with a time of day\n"
    "              (\"YYYY-MM-DD hh:mm\") starts the window at exactly that minute\n"
    "  --workbook  writes the daily, monthly and annual yield tables as the three sheets\n"
    "              of an .xlsx workbook (numbers and dates as such) and prints its name\n"
    "  --check     the function check: every incident of the logs (rule, device, fields,\n"
    "              start, end, peak, text); --roles sets a device's roles (collector,\n"
    "              store, pump, flow) to field keys, the others none\n"
    "  --language  language of the tables, the pictures and the messages; without it the\n"
    "              first set one of LC_ALL, LC_MESSAGES, LANG chooses (de, en, fr, es, it,\n"
    "              pt; others English), and --json is English\n"
    "  Exit codes: 0 success, 1 no file could be loaded or nothing was written,\n"
    "  2 usage error, 3 --check found an incident about the installation.\n";

namespace {

[[noreturn]] void Fail(std::string reason, std::vector<std::string> values = {})
{
    throw UsageError{std::move(reason), std::move(values)};
}

DayTime DateValue(const std::string& option, const std::string& text)
{
    DayTime day = 0;
    if (!ParseIsoDate(text, day))
        Fail("%1 needs a date as YYYY-MM-DD, not \"%2\"", {option, text});
    return day;
}

int LanguageBlock(const std::string& code)
{
    static const char* const kCodes[] = {"de", "en", "fr", "es", "it", "pt"};
    for (int i = 0; i < 6; ++i)
        if (code == kCodes[i])
            return i;
    Fail("--language needs one of de, en, fr, es, it, pt");
}

int SpanItem(const std::string& span)
{
    static const char* const kSpans[] = {"1h", "3h", "8h", "day", "month", "quarter", "year"};
    for (int i = 0; i < 7; ++i)
        if (span == kSpans[i])
            return i;
    Fail("--span needs one of 1h, 3h, 8h, day, month, quarter, year");
}

// A picture's name must say its format: the analysis window would add ".jpg" to any other.
std::string PictureFile(const std::string& path)
{
    auto endsWith = [&](const char* ext) {
        const std::string e(ext);
        return path.size() > e.size() && path.compare(path.size() - e.size(), e.size(), e) == 0 &&
               path[path.size() - e.size() - 1] != '/';
    };
    if (!endsWith(".jpg") && !endsWith(".bmp"))
        Fail("--picture needs a file name ending in .jpg or .bmp");
    return path;
}

bool TableView(const std::string& view)
{
    if (view == "chart")
        return false;
    if (view == "table")
        return true;
    Fail("--view needs chart or table");
}

std::vector<std::string> GraphKeys(const std::string& list)
{
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        if (comma == start)
            Fail("--graphs needs field keys separated by commas, such as T1,P,R1");
        keys.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return keys;
}

std::string WorkbookFile(const std::string& path)
{
    const std::string ext = ".xlsx";
    if (path.size() <= ext.size() || path.compare(path.size() - ext.size(), ext.size(), ext) != 0 ||
        path[path.size() - ext.size() - 1] == '/')
        Fail("--workbook needs a file name ending in .xlsx");
    return path;
}

TableKind Table(const std::string& name)
{
    if (name == "daily")
        return TableKind::Daily;
    if (name == "monthly")
        return TableKind::Monthly;
    if (name == "annual")
        return TableKind::Annual;
    Fail("--table needs one of daily, monthly, annual");
}

std::string DeviceText(const std::string& text)
{
    // One digit is taken as the number with a leading zero, as the names carry two.
    if (text.size() == 1 && std::isdigit(static_cast<unsigned char>(text[0])))
        return "0" + text;
    if (text.size() == 2 && std::isdigit(static_cast<unsigned char>(text[0])) &&
        std::isdigit(static_cast<unsigned char>(text[1])))
        return text;
    Fail("--device needs a two-digit device number such as 10");
}

} // namespace

ReportOptions ParseReportOptions(const std::vector<std::string>& args)
{
    ReportOptions o;
    bool tableGiven = false;
    bool viewGiven = false;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                Fail("%1 needs a value", {arg});
            return args[++i];
        };
        if (arg == "--from") {
            o.from = DateValue(arg, value());
        } else if (arg == "--to") {
            o.to = DateValue(arg, value());
        } else if (arg == "--language") {
            o.textBlock = LanguageBlock(value());
            o.languageGiven = true;
        } else if (arg == "--table") {
            o.table = Table(value());
            tableGiven = true;
        } else if (arg == "--span") {
            o.spanItem = SpanItem(value());
        } else if (arg == "--at") {
            const std::string text = value();
            DayTime minute = 0;
            if (ParseIsoDateMinute(text, minute)) {
                o.at = minute;
                o.atHasTime = true;
            } else {
                o.at = DateValue(arg, text);
            }
        } else if (arg == "--device") {
            o.device = DeviceText(value());
        } else if (arg == "--picture") {
            o.picture = PictureFile(value());
        } else if (arg == "--view") {
            o.tableView = TableView(value());
            viewGiven = true;
        } else if (arg == "--graphs") {
            o.graphs = GraphKeys(value());
        } else if (arg == "--stats") {
            o.stats = true;
        } else if (arg == "--check") {
            o.check = true;
        } else if (arg == "--roles") {
            o.roles = value();
        } else if (arg == "--workbook") {
            o.workbook = WorkbookFile(value());
        } else if (arg == "--json") {
            o.json = true;
        } else if (arg == "--progress") {
            o.progress = true;
        } else if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            Fail("unknown option %1", {arg});
        } else {
            positional.push_back(arg);
        }
    }
    if (o.help || o.version)
        return o;
    if (positional.size() != 1)
        Fail(positional.empty() ? "DIR is missing" : "only one DIR can be given");
    o.dir = positional[0];
    if (o.from && o.to && *o.to < *o.from)
        Fail("--to lies before --from");
    if (o.at && !o.spanItem)
        Fail("--at needs --span");
    if (o.atHasTime && !o.stats)
        Fail("--at with a time of day needs --stats");
    if (o.spanItem && tableGiven)
        Fail("--table and --span exclude each other: the span chooses the table");
    if (viewGiven && !o.picture)
        Fail("--view needs --picture");
    if (!o.graphs.empty() && !o.picture)
        Fail("--graphs needs --picture");
    if (o.picture && !o.spanItem)
        Fail("--picture needs --span: the span chooses what the window shows");
    if (o.picture && o.json)
        Fail("--picture and --json exclude each other");
    if (o.workbook && (o.json || o.picture || o.spanItem || tableGiven || o.stats))
        Fail("--workbook writes all three tables; it takes no --table, --span, --json, "
             "--stats or --picture");
    if (o.stats && !o.spanItem)
        Fail("--stats needs --span: the span chooses the window");
    if (o.stats && (o.picture || tableGiven))
        Fail("--stats takes no --picture or --table");
    if (o.roles && !o.check)
        Fail("--roles needs --check");
    if (o.check && (o.stats || o.picture || o.workbook || o.spanItem || tableGiven))
        Fail("--check takes no --table, --span, --stats, --picture or --workbook");
    if (o.json && !o.stats && !o.check && (o.spanItem || tableGiven || o.device))
        Fail("--json prints everything; it takes no --table, --span, --at or --device");
    return o;
}

} // namespace korvex::report
