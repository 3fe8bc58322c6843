#include "tools/report/ReportOptions.h"

#include "tools/common/IsoDate.h"

#include <cctype>

namespace korvex::report {

const char* const kReportUsage =
    "usage: korvex-report DIR [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
    "                     [--language de|en|fr|es|it|pt] [--table daily|monthly|annual]\n"
    "                     [--span 1h|3h|8h|day|month|quarter|year [--at YYYY-MM-DD]]\n"
    "                     [--device NN] [--json] [--progress]\n"
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
    "  Exit codes: 0 success, 1 no file could be loaded, 2 usage error.\n";

namespace {

[[noreturn]] void Fail(std::string reason) { throw UsageError{std::move(reason)}; }

DayTime DateValue(const std::string& option, const std::string& text)
{
    DayTime day = 0;
    if (!ParseIsoDate(text, day))
        Fail(option + " needs a date as YYYY-MM-DD, not \"" + text + "\"");
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
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                Fail(arg + " needs a value");
            return args[++i];
        };
        if (arg == "--from") {
            o.from = DateValue(arg, value());
        } else if (arg == "--to") {
            o.to = DateValue(arg, value());
        } else if (arg == "--language") {
            o.textBlock = LanguageBlock(value());
        } else if (arg == "--table") {
            o.table = Table(value());
            tableGiven = true;
        } else if (arg == "--span") {
            o.spanItem = SpanItem(value());
        } else if (arg == "--at") {
            o.at = DateValue(arg, value());
        } else if (arg == "--device") {
            o.device = DeviceText(value());
        } else if (arg == "--json") {
            o.json = true;
        } else if (arg == "--progress") {
            o.progress = true;
        } else if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            Fail("unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (o.help)
        return o;
    if (positional.size() != 1)
        Fail(positional.empty() ? "DIR is missing" : "only one DIR can be given");
    o.dir = positional[0];
    if (o.from && o.to && *o.to < *o.from)
        Fail("--to lies before --from");
    if (o.at && !o.spanItem)
        Fail("--at needs --span");
    if (o.spanItem && tableGiven)
        Fail("--table and --span exclude each other: the span chooses the table");
    if (o.json && (o.spanItem || tableGiven || o.device))
        Fail("--json prints everything; it takes no --table, --span, --at or --device");
    return o;
}

} // namespace korvex::report
