#include "core/check/IncidentRows.h"

#include "core/check/CheckTexts.h"
#include "core/check/CheckUiTexts.h"
#include "core/services/NumberFormat.h"
#include "core/services/TextCatalogue.h"
#include "core/views/Readout.h"

#include <limits>

namespace korvex {

namespace {

constexpr const char* kTimeFormat = "dd.mm.yyyy hh:nn";

} // namespace

IncidentRow IncidentHeadings()
{
    return {CheckText("heading-rule"),  Text(TextId::StatisticsDevice),
            CheckText("heading-fields"), CheckText("heading-start"),
            CheckText("heading-end"),   CheckUiText("heading-duration"),
            CheckText("heading-peak"),  CheckText("heading-text")};
}

IncidentRow IncidentCells(const Incident& incident, char separator)
{
    std::string fields;
    for (const std::string& key : incident.fields)
        fields += (fields.empty() ? "" : ", ") + key;
    return {RuleDisplayName(incident.rule),
            incident.device,
            fields,
            FormatDayTime(kTimeFormat, incident.start),
            FormatDayTime(kTimeFormat, incident.end),
            DurationText(incident.end - incident.start, false),
            incident.peak ? FormatYield(*incident.peak, separator) : std::string(),
            incident.text};
}

std::optional<double> IncidentSortValue(const Incident& incident, int column)
{
    switch (column) {
        case ColumnStart:
            return incident.start;
        case ColumnEnd:
            return incident.end;
        case ColumnDuration:
            return incident.end - incident.start;
        case ColumnPeak:
            return incident.peak ? *incident.peak : -std::numeric_limits<double>::infinity();
        default:
            return std::nullopt;
    }
}

std::string IncidentCopyText(const std::vector<IncidentRow>& rows)
{
    std::vector<std::vector<std::string>> out;
    out.reserve(rows.size() + 1);
    const IncidentRow headings = IncidentHeadings();
    out.emplace_back(headings.begin(), headings.end());
    for (const IncidentRow& row : rows)
        out.emplace_back(row.begin(), row.end());
    return TabSeparated(out);
}

} // namespace korvex
