// The function check on generated logs of a solar controller: a clean installation gives no
// incident; each fault planted at a known minute is found with its exact start and end, at one-,
// two- and five-minute intervals, across midnight, up to a gap, and in compressed runs.

#include "core/check/FunctionCheck.h"

#include "core/check/CheckTexts.h"
#include "core/logdata/Aggregation.h"
#include "tests/core/logdata/LogTestSupport.h"
#include "tests/core/views/YieldTestSupport.h"
#include "tools/samplegen/SampleLogs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <set>

namespace korvex::test {
namespace {

// One line of the solar controller: collector, store, outdoor and a fourth sensor, flow, pump.
struct Line {
    double t1 = 0, t2 = 0, t3 = 0, t4 = 0, v = 0, r1 = 0;
    bool skip = false;  // the line is missing from the file
    bool t4Err = false; // the fourth sensor's cell reads "Err"
};

using Plant = std::function<void(int minute, Line& line)>;

// A clean day: the collector follows the sun, the pump runs while it is well above the store.
Line Clean(int minute)
{
    Line l;
    const double sun = minute >= 360 && minute < 1080 ? std::sin(M_PI * (minute - 360) / 720.0) : 0;
    l.t1 = 15 + 45 * sun;
    l.t2 = 40 + 10 * minute / 1440.0;
    l.t3 = 5 + 10 * sun + (minute % 7) * 0.1; // outdoor, never still for long
    l.t4 = 50 + (minute % 11) * 0.1;
    l.r1 = l.t1 - l.t2 > 5 ? 100 : 0;
    l.v = l.r1 > 0 ? 3.5 : 0;
    return l;
}

std::string Cell(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    std::string s = buf;
    for (char& c : s)
        if (c == '.')
            c = ',';
    return s;
}

std::string DayFile(DayTime day, int interval, const Plant& plant)
{
    std::vector<std::pair<std::string, std::string>> lines;
    for (int m = 0; m < 1440; m += interval) {
        Line l = Clean(m);
        if (plant)
            plant(m, l);
        if (l.skip)
            continue;
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d", m / 60, m % 60);
        lines.push_back({time, Cell(l.t1) + ";" + Cell(l.t2) + ";" + Cell(l.t3) + ";" +
                                   (l.t4Err ? std::string("Err") : Cell(l.t4)) + ";" + Cell(l.v) +
                                   ";" + Cell(l.r1)});
    }
    return DayLog("T1[\u00b0C];T2[\u00b0C];T3[\u00b0C];T4[\u00b0C];V'[l/min];R1[%]", day, lines);
}

const DayTime kFirst = EncodeDate(2008, 5, 10);

std::string Time(DayTime t)
{
    return FormatDayTime("dd hh:nn", t);
}

// "rule device fields start end" per incident, for readable failures.
std::vector<std::string> Describe(const std::vector<Incident>& incidents)
{
    std::vector<std::string> out;
    for (const Incident& i : incidents) {
        std::string fields;
        for (const std::string& f : i.fields)
            fields += (fields.empty() ? "" : ",") + f;
        out.push_back(i.rule + " " + i.device + " " + fields + " " + Time(i.start) + "-" +
                      Time(i.end));
    }
    return out;
}

class FunctionCheck : public LogDataTest {
protected:
    // Loads days of device 10 (day offset, plant of that day) at the interval and checks them.
    std::vector<Incident> Check(int interval, const std::vector<std::pair<int, Plant>>& days,
                                CheckThresholds thresholds = {}, std::vector<DayTime> failed = {})
    {
        AnalysisDataSet& set = makeSet();
        for (const auto& [offset, plant] : days)
            EXPECT_EQ(loadBytes(set, LogName(10, kFirst + offset),
                                DayFile(kFirst + offset, interval, plant)),
                      "");
        // As the window and korvex-report build a device after loading.
        Aggregate(set);
        set.updateAvailability();
        CheckDevice device;
        device.set = &set;
        device.number = "10";
        device.roles = DefaultRoles(*set.deviceSettings());
        device.thresholds = thresholds;
        device.failedDays = std::move(failed);
        return RunFunctionCheck({device});
    }
};

TEST_F(FunctionCheck, SolarControllersGetTheirDefaultRoles)
{
    AnalysisDataSet& set = makeSet();
    ASSERT_EQ(loadBytes(set, LogName(10, kFirst), DayFile(kFirst, 5, {})), "");
    const DeviceRoles roles = DefaultRoles(*set.deviceSettings());
    EXPECT_EQ(roles.key(CheckRole::Collector), "T1");
    EXPECT_EQ(roles.key(CheckRole::Store), "T2");
    EXPECT_EQ(roles.key(CheckRole::Pump), "R1");
    EXPECT_EQ(roles.key(CheckRole::Flow), "V");
    DeviceSettings other(21, "", true);
    EXPECT_EQ(DefaultRoles(other), DeviceRoles{});
    EXPECT_EQ(CheckRoleFromName("store"), CheckRole::Store);
    EXPECT_FALSE(CheckRoleFromName("Store"));
}

TEST_F(FunctionCheck, CleanDaysGiveNoIncidentAtAnyInterval)
{
    for (int interval : {1, 2, 5}) {
        SCOPED_TRACE(interval);
        EXPECT_EQ(Describe(Check(interval, {{0, {}}, {1, {}}, {2, {}}})),
                  std::vector<std::string>{});
    }
}

TEST_F(FunctionCheck, NightCirculationAcrossMidnightAtEachInterval)
{
    for (int interval : {1, 2, 5}) {
        SCOPED_TRACE(interval);
        // Collector at 55 °C with the pump off from 23:40 to 00:20 of the next day's file.
        const Plant late = [](int m, Line& l) {
            if (m >= 23 * 60 + 40)
                l.t1 = 55;
        };
        const Plant early = [](int m, Line& l) {
            if (m <= 20)
                l.t1 = 55;
        };
        const auto found = Check(interval, {{0, late}, {1, early}});
        ASSERT_EQ(found.size(), 1u) << ::testing::PrintToString(Describe(found));
        EXPECT_EQ(found[0].rule, "night-circulation");
        EXPECT_EQ(found[0].fields, (std::vector<std::string>{"T1", "R1"}));
        EXPECT_EQ(Time(found[0].start), "10 23:40");
        EXPECT_EQ(Time(found[0].end), "11 00:20");
        EXPECT_EQ(found[0].peak, 55);
        EXPECT_FALSE(found[0].text.empty());
    }
}

TEST_F(FunctionCheck, NightCirculationStartsAtTheNightsEdgeInsideACompressedRun)
{
    // 45 °C from 22:00 to 02:00, all other fields still too: the reader keeps only the run's
    // first and last point, yet the incident starts with the night at 23:00.
    const Plant warm = [](int m, Line& l) {
        if (m >= 22 * 60) {
            l.t1 = 45;
            l.t3 = 4;
            l.t4 = 50;
        }
    };
    const Plant morning = [](int m, Line& l) {
        if (m <= 120) {
            l.t1 = 45;
            l.t3 = 4;
            l.t4 = 50;
        }
    };
    const auto found = Check(1, {{0, warm}, {1, morning}});
    ASSERT_EQ(found.size(), 1u) << ::testing::PrintToString(Describe(found));
    EXPECT_EQ(Time(found[0].start), "10 23:00");
    EXPECT_EQ(Time(found[0].end), "11 02:00");
}

TEST_F(FunctionCheck, ARunEndsAtTheLastSampleBeforeAGap)
{
    // Warm collector at night from 01:00; lines from 01:30 to 02:29 are missing.
    const Plant plant = [](int m, Line& l) {
        if (m >= 60 && m < 180)
            l.t1 = 50 + (m % 3);
        l.skip = m >= 90 && m < 150;
    };
    const auto found = Check(1, {{0, plant}});
    EXPECT_EQ(Describe(found),
              (std::vector<std::string>{"night-circulation 10 T1,R1 10 01:00-10 01:29",
                                        "log-gap 10  10 01:30-10 02:29",
                                        "night-circulation 10 T1,R1 10 02:30-10 02:59"}));
    EXPECT_EQ(found[0].peak, 52);
}

TEST_F(FunctionCheck, RolesRulesFindTheirFaultsAtTheMinute)
{
    for (int interval : {1, 2, 5}) {
        SCOPED_TRACE(interval);
        const Plant faults = [](int m, Line& l) {
            if (m >= 12 * 60 && m <= 12 * 60 + 30) { // far above the store, pump on
                l.t1 = l.t2 + 60;
                l.r1 = 100;
                l.v = 3.5;
            }
            if (m >= 13 * 60 && m <= 13 * 60 + 10) { // pump on, no flow
                l.r1 = 100;
                l.v = 0;
            }
            if (m >= 14 * 60 && m <= 14 * 60 + 20) { // stagnation, pump off
                l.t1 = 130 + (m % 4);
                l.r1 = 0;
                l.v = 0;
            }
            if (m >= 15 * 60 && m <= 15 * 60 + 20) { // pump off although warm enough
                l.t1 = l.t2 + 25;
                l.r1 = 0;
                l.v = 0;
            }
        };
        const auto found = Check(interval, {{0, faults}});
        EXPECT_EQ(Describe(found),
                  (std::vector<std::string>{"delta-t-high 10 T1,T2,R1 10 12:00-10 12:30",
                                            "no-flow 10 R1,V 10 13:00-10 13:10",
                                            "stagnation 10 T1 10 14:00-10 14:20",
                                            "pump-not-running 10 T1,T2,R1 10 15:00-10 15:20"}));
        if (found.size() == 4) {
            // Both temperatures are logged to a tenth: the difference may be a tenth off.
            EXPECT_NEAR(*found[0].peak, 60, 0.11);
            EXPECT_FALSE(found[1].peak);
            EXPECT_EQ(found[2].peak, interval == 2 ? 132 : 133); // even minutes miss 133
            EXPECT_NEAR(*found[3].peak, 25, 0.11);
        }
    }
}

TEST_F(FunctionCheck, ShortFaultsAndChangedThresholds)
{
    // Pump on without flow for four minutes: below the five the rule needs, until lowered.
    const Plant brief = [](int m, Line& l) {
        if (m >= 13 * 60 && m <= 13 * 60 + 4) {
            l.r1 = 100;
            l.v = 0;
        }
    };
    EXPECT_EQ(Describe(Check(1, {{0, brief}})), std::vector<std::string>{});
    CheckThresholds lower;
    lower.noFlowMinutes = 4;
    EXPECT_EQ(Describe(Check(1, {{0, brief}}, lower)),
              std::vector<std::string>{"no-flow 10 R1,V 10 13:00-10 13:04"});
}

TEST_F(FunctionCheck, PumpCyclingJoinsOverlappingHours)
{
    // The pump starts every four minutes from 16:00 to 16:48 (13 starts), then runs on.
    const Plant cycling = [](int m, Line& l) {
        if (m >= 16 * 60 && m < 16 * 60 + 50) {
            l.r1 = (m - 960) % 4 < 2 ? 100 : 0;
            l.v = l.r1 > 0 ? 3.5 : 0;
        }
    };
    const auto found = Check(1, {{0, cycling}});
    // The clean day's own start at 06:xx and stop later do not reach ten in an hour.
    ASSERT_EQ(found.size(), 1u) << ::testing::PrintToString(Describe(found));
    EXPECT_EQ(Describe(found)[0], "pump-cycling 10 R1 10 16:00-10 16:48");
    EXPECT_EQ(found[0].peak, 13);
}

TEST_F(FunctionCheck, SensorsOutOfRangeOrStuck)
{
    // T4 reads 300 from 10:00 to 10:05; T3 stays at 8.0 from 06:00 to 12:00 the next day.
    const Plant first = [](int m, Line& l) {
        if (m >= 600 && m <= 605)
            l.t4 = 300 + (m - 600);
        if (m >= 360)
            l.t3 = 8;
    };
    const Plant second = [](int m, Line& l) {
        if (m <= 720)
            l.t3 = 8;
    };
    const auto found = Check(2, {{0, first}, {1, second}});
    EXPECT_EQ(Describe(found),
              (std::vector<std::string>{"sensor-stuck 10 T3 10 06:00-11 12:00",
                                        "sensor-fault 10 T4 10 10:00-10 10:04"}));
    if (found.size() == 2) {
        EXPECT_EQ(found[0].peak, 8);
        EXPECT_EQ(found[1].peak, 304);
    }
}

// "Err" cells of a broken sensor: one incident per run of lines, across midnight into the next
// file; the series itself has no point for them.
TEST_F(FunctionCheck, ErrCellsAreASensorFaultAcrossMidnight)
{
    const Plant evening = [](int m, Line& l) { l.t4Err = m >= 23 * 60 + 50 || (m >= 600 && m <= 604); };
    const Plant morning = [](int m, Line& l) { l.t4Err = m <= 10; };
    const auto found = Check(2, {{0, evening}, {1, morning}});
    EXPECT_EQ(Describe(found), (std::vector<std::string>{"sensor-fault 10 T4 10 10:00-10 10:04",
                                                         "sensor-fault 10 T4 10 23:50-11 00:10"}));
    if (found.size() == 2) {
        EXPECT_FALSE(found[1].peak);
    }
}

TEST_F(FunctionCheck, AStillSensorAcrossMissingDaysIsNotStuck)
{
    // 8.0 from 12:00 of the first day and again until 12:00 of the fifth: the three days between
    // are missing, so neither side lasts a day.
    const Plant evening = [](int m, Line& l) {
        if (m >= 720)
            l.t3 = 8;
    };
    const Plant morning = [](int m, Line& l) {
        if (m <= 720)
            l.t3 = 8;
    };
    const auto found = Check(5, {{0, evening}, {4, morning}}, {}, {kFirst + 2});
    EXPECT_EQ(Describe(found), std::vector<std::string>{"missing-days 10  11 00:00-13 23:59"});
    if (!found.empty()) {
        EXPECT_FALSE(IsAboutTheInstallation(found[0]));
        EXPECT_EQ(found[0].text, CheckText("missing-days-failed"));
    }
}

// A generated year of the sample installation, with and without its log faults: the clean year
// has no incident at all; with faults only its log gaps and its runs of "Err" cells.
TEST_F(FunctionCheck, AGeneratedYear)
{
    for (const bool faults : {false, true}) {
        SCOPED_TRACE(faults);
        AnalysisDataSet& set = makeSet();
        SampleOptions options;
        options.faults = faults;
        options.intervalMinutes = 2;
        const DayTime first = EncodeDate(2023, 1, 1);
        for (DayTime day = first; day < EncodeDate(2024, 1, 1); ++day)
            ASSERT_EQ(loadBytes(set, SampleFileName(10, day), SampleLogBytes(10, day, options)), "");
        Aggregate(set);
        set.updateAvailability();
        ASSERT_EQ(set.dayBlocks().size(), 365u);
        CheckDevice device;
        device.set = &set;
        device.number = "10";
        device.roles = DefaultRoles(*set.deviceSettings());
        const std::vector<Incident> found = RunFunctionCheck({device});
        std::printf("%zu incidents with faults=%d\n", found.size(), faults);
        std::set<std::string> rules;
        for (const Incident& i : found)
            rules.insert(i.rule);
        if (!faults)
            EXPECT_EQ(Describe(found), std::vector<std::string>{});
        else
            EXPECT_EQ(rules, (std::set<std::string>{"log-gap", "sensor-fault"}))
                << ::testing::PrintToString(Describe(found));
        for (const Incident& i : found)
            if (i.rule == "sensor-fault") {
                EXPECT_FALSE(i.peak); // an Err run, no reading out of range
            }
    }
}

} // namespace
} // namespace korvex::test
