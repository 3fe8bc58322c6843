#include "tests/tools/ToolTestSupport.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/LogDirectory.h"
#include "core/logdata/LogFileReader.h"
#include "core/services/Cp1252.h"
#include "tools/samplegen/SampleLogs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace korvex::test {
namespace {

namespace fs = std::filesystem;

class SampleLogs : public ToolTest {
protected:
    // Reads the days of one device through the program's own reader; returns the data set.
    std::unique_ptr<AnalysisDataSet> Read(int device, DayTime from, DayTime to,
                                          const SampleOptions& options = {})
    {
        auto set = std::make_unique<AnalysisDataSet>(from, to, nullptr, nullptr);
        LogFileReader reader([this](const std::string& m) { warnings.push_back(m); });
        for (DayTime d = from; d <= to; d += 1) {
            const std::string path = "/samples/" + SampleFileName(device, d);
            reader.loadBytes(*set, path, SampleLogBytes(device, d, options));
        }
        return set;
    }

    static std::vector<std::string> Keys(const AnalysisDataSet& set)
    {
        std::vector<std::string> keys;
        for (int i = 0; i < set.deviceSettings()->fieldCount(); ++i)
            keys.push_back(set.deviceSettings()->key(i));
        return keys;
    }

    std::vector<std::string> warnings;
};

TEST_F(SampleLogs, SolarControllerReadsCompletely)
{
    const DayTime from = EncodeDate(2024, 6, 1);
    const auto set = Read(10, from, from + 6);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(set->fileCount(), 7);
    EXPECT_EQ(set->deviceSettings()->displayName(), "Solar controller");
    // Qsum is a running total and is left out; Qday becomes the day yield Ptag.
    EXPECT_EQ(Keys(*set),
              (std::vector<std::string>{"T1", "T2", "T3", "T4", "V", "P", "Ptag", "R1", "R2"}));
    EXPECT_EQ(set->unit(5), "[kW]");

    // A June week: the collector gets hot, the pump runs, the day yield is plausible.
    const Series& collector = *set->series(0);
    double hottest = -100;
    for (int i = 0; i < collector.count(); ++i)
        if (!collector.isNull(i))
            hottest = std::max(hottest, collector.y(i));
    EXPECT_GT(hottest, 50);
    EXPECT_LT(hottest, 140);
    const Series& dayYield = *set->series(6);
    ASSERT_EQ(dayYield.count(), 7);
    for (int i = 0; i < dayYield.count(); ++i) {
        EXPECT_EQ(dayYield.x(i), from + i + 0.5);
        EXPECT_GE(dayYield.y(i), 0.5);
        EXPECT_LE(dayYield.y(i), 60);
    }
}

TEST_F(SampleLogs, HeatingCircuitAndFreshWaterRead)
{
    const DayTime day = EncodeDate(2024, 1, 15);
    const std::string heating = SampleLogBytes(21, day);
    EXPECT_EQ(heating.substr(0, heating.find("\r\n")), "dd.mm.yy hh:mm;T1[\xB0"
                                                       "C];T2[\xB0"
                                                       "C];T3[\xB0"
                                                       "C];T4[\xB0"
                                                       "C];R1[%];R2[%];R3[%]");
    EXPECT_NE(heating.find("\r\n15.01.2024 00:00;"), std::string::npos);

    const auto circuit = Read(21, day, day + 2);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(circuit->fileCount(), 3);
    EXPECT_EQ(circuit->deviceSettings()->displayName(), "Heating circuit 1");
    // A January circuit heats: its pump runs.
    const Series& pump = *circuit->series(4);
    double maxPump = 0;
    for (int i = 0; i < pump.count(); ++i)
        if (!pump.isNull(i))
            maxPump = std::max(maxPump, pump.y(i));
    EXPECT_EQ(maxPump, 100);

    const auto station = Read(30, day, day + 2);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(Keys(*station), (std::vector<std::string>{"T1", "T2", "T3", "T4", "V", "P", "R1"}));
}

TEST_F(SampleLogs, DeterministicPerDayAndLineInterval)
{
    const DayTime day = EncodeDate(2023, 3, 20);
    EXPECT_EQ(SampleLogBytes(10, day), SampleLogBytes(10, day));
    SampleOptions other;
    other.seed = 7;
    EXPECT_NE(SampleLogBytes(10, day), SampleLogBytes(10, day, other));

    SampleOptions clean;
    clean.faults = false;
    clean.intervalMinutes = 5;
    const std::string bytes = SampleLogBytes(30, day, clean);
    std::size_t lines = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
         at = bytes.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 1u + 288u);                         // header and one line per five minutes
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1); // every line ends in CR LF

    EXPECT_THROW(SampleLogBytes(5, day), std::invalid_argument);
    EXPECT_THROW(SampleLogBytes(10, EncodeDate(1999, 12, 31)), std::invalid_argument);
}

TEST_F(SampleLogs, FaultsLeaveGapsAndErrCells)
{
    // Over a year, some days miss hours and some cells read "Err"; without faults none do.
    SampleOptions faulty;
    faulty.intervalMinutes = 10;
    SampleOptions clean = faulty;
    clean.faults = false;
    int shortDays = 0;
    int errDays = 0;
    DayTime gapDay = 0;
    const DayTime first = EncodeDate(2022, 1, 1);
    for (int d = 0; d < 365; ++d) {
        const std::string bytes = SampleLogBytes(10, first + d, faulty);
        const auto lines = std::count(bytes.begin(), bytes.end(), '\n');
        if (lines < 145) {
            ++shortDays;
            gapDay = first + d;
        }
        errDays += bytes.find(";Err") != std::string::npos;
        if (d % 30 == 0) {
            const std::string tidy = SampleLogBytes(10, first + d, clean);
            EXPECT_EQ(std::count(tidy.begin(), tidy.end(), '\n'), 145);
            EXPECT_EQ(tidy.find(";Err"), std::string::npos);
        }
    }
    EXPECT_GT(shortDays, 3);
    EXPECT_LT(shortDays, 40);
    EXPECT_GT(errDays, 10);

    // A missing stretch shows as a gap: the reader adds a null point inside the day.
    ASSERT_NE(gapDay, 0);
    const auto set = Read(10, gapDay, gapDay, faulty);
    const Series& t4 = *set->series(3);
    int nulls = 0;
    for (int i = 0; i < t4.count(); ++i)
        nulls += t4.isNull(i);
    EXPECT_EQ(nulls, 2); // the gap and the end of the day
}

TEST_F(SampleLogs, WrittenFilesAreFoundByTheScan)
{
    SampleOptions options;
    options.monthFolders = true;
    options.intervalMinutes = 60;
    const std::size_t written = WriteSampleLogs((temp_ / "logs").string(), EncodeDate(2024, 1, 30),
                                                EncodeDate(2024, 2, 2), {10, 21}, options);
    EXPECT_EQ(written, 8u);
    EXPECT_TRUE(fs::exists(temp_ / "logs" / "2024-02" / "21240202.csv"));

    const LogDirectoryScan scan = ScanLogDirectory(temp_.string()); // two levels below
    EXPECT_EQ(scan.files.size(), 8u);
    EXPECT_EQ(scan.firstDay, EncodeDate(2024, 1, 30));
    EXPECT_EQ(scan.lastDay, EncodeDate(2024, 2, 2));

    EXPECT_THROW(WriteSampleLogs((temp_ / "x").string(), EncodeDate(2024, 1, 1),
                                 EncodeDate(2024, 1, 1), {44}),
                 std::invalid_argument);
}

TEST_F(SampleLogs, GeneratorProgram)
{
    const std::string dir = (temp_ / "gen dir").string();
    ToolResult r = Run("korvex-samplegen",
                       {dir, "2024-02-28", "2024-03-01", "--devices", "10,30", "--interval", "10"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "6 sample log files written to " + dir + "\n");
    EXPECT_TRUE(fs::exists(fs::path(dir) / "30240229.csv"));

    EXPECT_EQ(Run("korvex-samplegen", {dir, "2024-03-01"}).exitCode, 2);
    EXPECT_EQ(Run("korvex-samplegen", {dir, "2024-03-02", "2024-03-01"}).exitCode, 2);
    EXPECT_EQ(Run("korvex-samplegen", {dir, "1999-03-01", "2024-03-01"}).exitCode, 2);
    EXPECT_EQ(
        Run("korvex-samplegen", {dir, "2024-03-01", "2024-03-01", "--devices", "10,5"}).exitCode,
        2);
    r = Run("korvex-samplegen",
            {(temp_ / "gen dir" / "30240229.csv" / "below").string(), "2024-03-01", "2024-03-01"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.empty());
}

} // namespace
} // namespace korvex::test
