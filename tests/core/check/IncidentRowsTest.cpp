#include "core/check/IncidentRows.h"
#include "core/services/TextCatalogue.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

Incident Make(const char* rule, const char* device, std::vector<std::string> fields, DayTime start,
              DayTime end, std::optional<double> peak)
{
    return {rule, device, std::move(fields), start, end, peak, "seen"};
}

class IncidentRows : public ::testing::Test {
protected:
    void SetUp() override { SelectTextBlock(BlockEnglish); }
    void TearDown() override { SelectTextBlock(BlockGerman); }
};

TEST_F(IncidentRows, CellsInTheProgramsFormats)
{
    const Incident across = Make("delta-t-high", "20", {"T1", "T2", "R1"},
                                 EncodeDateTime(2010, 2, 28, 23, 35),
                                 EncodeDateTime(2010, 3, 1, 0, 17), 63.456);
    EXPECT_EQ(IncidentCells(across, ','),
              (IncidentRow{"ΔT too high", "20", "T1, T2, R1", "28.02.2010 23:35",
                           "01.03.2010 00:17", "00:42", "63,46", "seen"}));
    // Days long, no peak, a point as separator.
    const Incident days = Make("missing-days", "10", {}, EncodeDate(2011, 12, 30),
                               EncodeDateTime(2012, 1, 2, 23, 59), std::nullopt);
    const IncidentRow row = IncidentCells(days, '.');
    EXPECT_EQ(row[ColumnRule], "Missing days");
    EXPECT_EQ(row[ColumnFields], "");
    EXPECT_EQ(row[ColumnDuration], "3 d 23:59");
    EXPECT_EQ(row[ColumnPeak], "");
    EXPECT_EQ(IncidentCells(Make("pump-cycling", "11", {"R1"}, 0, 0.5, 14), '.')[ColumnPeak],
              "14.00");
}

TEST_F(IncidentRows, TimesDurationAndPeakSortAsNumbers)
{
    const Incident a = Make("stagnation", "10", {"T1"}, EncodeDateTime(2010, 7, 9, 13, 0),
                            EncodeDateTime(2010, 7, 9, 15, 30), 131.5);
    const Incident b = Make("stagnation", "10", {"T1"}, EncodeDateTime(2010, 7, 10, 9, 0),
                            EncodeDateTime(2010, 7, 10, 9, 20), 9.5);
    // As text "10.07." < "09.07." would not hold, nor "131,50" < "9,50".
    EXPECT_LT(*IncidentSortValue(a, ColumnStart), *IncidentSortValue(b, ColumnStart));
    EXPECT_LT(*IncidentSortValue(a, ColumnEnd), *IncidentSortValue(b, ColumnEnd));
    EXPECT_GT(*IncidentSortValue(a, ColumnDuration), *IncidentSortValue(b, ColumnDuration));
    EXPECT_GT(*IncidentSortValue(a, ColumnPeak), *IncidentSortValue(b, ColumnPeak));
    // No peak sorts before every peak, negative ones too.
    Incident none = b;
    none.peak.reset();
    Incident cold = b;
    cold.peak = -45;
    EXPECT_LT(*IncidentSortValue(none, ColumnPeak), *IncidentSortValue(cold, ColumnPeak));
    EXPECT_FALSE(IncidentSortValue(a, ColumnRule));
    EXPECT_FALSE(IncidentSortValue(a, ColumnText));
}

TEST_F(IncidentRows, CopyTextHasTheHeadingsFirst)
{
    const std::string text = IncidentCopyText(
        {IncidentCells(Make("no-flow", "10", {"R1", "V"}, EncodeDateTime(2010, 5, 1, 6, 2),
                            EncodeDateTime(2010, 5, 1, 6, 9), std::nullopt),
                       ',')});
    EXPECT_EQ(text, "Rule\tDevice\tFields\tStart\tEnd\tDuration\tPeak\tText\n"
                    "No flow\t10\tR1, V\t01.05.2010 06:02\t01.05.2010 06:09\t00:07\t\tseen\n");
}

} // namespace
} // namespace korvex
