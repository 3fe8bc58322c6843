// Loading with reading threads gives exactly what one-by-one reading gives: the whole data sets,
// the failures and the warnings, for generated logs and for files that fail in every way.

#include "core/logdata/LoadFaults.h"
#include "core/logdata/LogDirectoryLoad.h"
#include "core/logdata/LogReadAhead.h"
#include "core/logdata/ParsedLogFile.h"
#include "tests/core/logdata/LogTestSupport.h"
#include "tools/samplegen/SampleLogs.h"

#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>

namespace korvex::test {
namespace {

namespace fs = std::filesystem;

// One data set per device, as the analysis window keeps them.
class SetsTarget : public LogLoadTarget {
public:
    explicit SetsTarget(const LogFileSelection& selection) : devices_(selection.devices)
    {
        sets.resize(devices_.size());
    }
    void AddLogFile(const std::string& path) override { setFor(path).load(path); }
    void AddParsedLogFile(const ParsedLogFile& file) override { setFor(file.path).load(file); }
    void BuildDeviceView(std::size_t) override {}

    std::vector<std::unique_ptr<AnalysisDataSet>> sets;

private:
    AnalysisDataSet& setFor(const std::string& path)
    {
        auto& set = sets[static_cast<std::size_t>(DataSetIndexForFile(devices_, path))];
        if (!set)
            set = std::make_unique<AnalysisDataSet>(0, 1e6, nullptr, nullptr);
        return *set;
    }
    std::vector<std::string> devices_;
};

std::string Hex(double v)
{
    char text[40];
    std::snprintf(text, sizeof text, "%a", v);
    return text;
}

// Everything a data set holds after loading, every double to the bit.
std::string Dump(const AnalysisDataSet& set)
{
    std::ostringstream out;
    if (const DeviceSettings* dev = set.deviceSettings()) {
        out << "device " << dev->number() << " '" << dev->name() << "' " << dev->standardName()
            << "\n";
        for (int i = 0; i < dev->fieldCount(); ++i)
            out << " field " << dev->key(i) << dev->unit(i) << " '" << dev->label(i) << "' "
                << dev->colour(i) << " cat " << static_cast<int>(dev->category(i)) << "\n";
    }
    for (const std::string& unit : set.units())
        out << " unit " << unit << "\n";
    for (int i = 0; i < set.slotCount(); ++i) {
        const Series& s = *set.series(i);
        out << " slot " << i << " cat " << static_cast<int>(set.slot(i).category) << " class "
            << static_cast<int>(s.dataHolder().seriesClass()) << ":";
        for (int p = 0; p < s.count(); ++p)
            out << " " << Hex(s.x(p)) << "=" << Hex(s.y(p));
        out << "\n";
    }
    for (const DayBlock& b : set.dayBlocks())
        out << " block " << Hex(b.day) << " " << b.started << " " << Hex(b.allowedStep) << " "
            << Hex(b.lastTime) << " " << Hex(b.learnedInterval) << " " << int(b.dayOfMonth) << "."
            << int(b.month) << "." << b.year << "\n";
    for (const std::string& name : set.fileNames())
        out << " file " << name << "\n";
    out << " count " << set.fileCount() << " warning pending " << set.unitWarningPending() << "\n";
    return out.str();
}

class ParallelLoad : public LogDataTest {
protected:
    void SetUp() override
    {
        LogDataTest::SetUp();
        dir_ = settingsPath().parent_path().parent_path() / "logs";
        fs::create_directories(dir_);
        SetLogWarningHandler([this](const std::string& m) { warnings.push_back(m); });
    }
    void TearDown() override
    {
        SetLogWarningHandler({});
        LogDataTest::TearDown();
    }

    std::string write(const std::string& name, const std::string& bytes)
    {
        const fs::path path = dir_ / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    // Loads the files in the order given with that many workers, with a head start that has
    // taken every file before the load begins when asked; the dump of it all.
    std::string loadAll(const std::vector<std::string>& paths, std::size_t workers,
                        bool headStart = false)
    {
        LogFileSelection selection;
        for (const std::string& p : paths) {
            LogFileEntry entry;
            entry.path = p;
            selection.files.push_back(entry);
            const std::string device = p.substr(p.size() - 12, 2);
            if (std::find(selection.devices.begin(), selection.devices.end(), device) ==
                selection.devices.end())
                selection.devices.push_back(device);
        }
        std::sort(selection.devices.begin(), selection.devices.end());
        // Each load starts from the same settings, not from what the last one wrote.
        AppSettings::Release();
        warnings.clear();
        SetsTarget target(selection);
        LogLoadObserver quiet;
        LogLoadResult result;
        if (headStart) {
            LogLoadHeadStart start(selection, quiet, workers);
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (start.filesRead() < paths.size() && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            EXPECT_EQ(start.filesRead(), paths.size());
            result = RunLogLoad(selection, target, quiet, start);
        } else {
            result = RunLogLoad(selection, target, quiet, workers);
        }
        std::string dump = "loaded " + std::to_string(result.loaded) + "\n";
        for (const LogLoadFailure& f : result.failures)
            dump += "failed " + f.path + ": " + f.message + "\n";
        for (const std::string& w : warnings)
            dump += "warning " + w + "\n";
        for (const auto& set : target.sets)
            dump += set ? Dump(*set) : "no data set\n";
        return dump;
    }

    void expectSameWithAnyWorkers(const std::vector<std::string>& paths)
    {
        const std::string oneByOne = loadAll(paths, 1);
        for (const std::size_t workers : {2u, 8u}) {
            for (const bool headStart : {false, true}) {
                SCOPED_TRACE("workers " + std::to_string(workers) +
                             (headStart ? ", head start" : ""));
                const std::string parallel = loadAll(paths, workers, headStart);
                EXPECT_EQ(parallel.size(), oneByOne.size());
                EXPECT_TRUE(parallel == oneByOne);
            }
        }
    }

    fs::path dir_;
    std::vector<std::string> warnings;
};

TEST_F(ParallelLoad, GeneratedLogsWithFaultsLoadAlikeWithOneTwoAndEightWorkers)
{
    std::vector<std::string> paths;
    SampleOptions options;
    options.faults = true;
    for (const int device : {10, 21, 30}) {
        options.intervalMinutes = device == 21 ? 3 : device == 30 ? 2 : 1;
        options.seed = static_cast<unsigned>(device);
        for (DayTime day = EncodeDate(2023, 6, 1); day <= EncodeDate(2023, 6, 9); ++day)
            paths.push_back(
                write(SampleFileName(device, day), SampleLogBytes(device, day, options)));
    }
    std::sort(paths.begin(), paths.end());
    const std::string oneByOne = loadAll(paths, 1);
    EXPECT_NE(oneByOne.find("loaded 27\n"), std::string::npos);
    expectSameWithAnyWorkers(paths);
}

// Files of device 47 that fail in every way the reader knows, between good ones; a second file of
// one day; a unit that differs from the one the field was registered with.
TEST_F(ParallelLoad, FailuresTheirOrderAndWhatFailedFilesKeepAreAlike)
{
    const std::string head = "Pump station;DATE & TIME;T1[\xB0"
                             "C];P[W];Qday[kWh];R1[%]\r\n";
    const auto day = [&](int d, int minutes, int step, double base) {
        std::string text = head;
        char line[160];
        for (int m = 0; m < minutes; m += step) {
            std::snprintf(line, sizeof line, "x;2023-05-%02d %02d:%02d;%d,%d;%d;%s;%d\r\n", d,
                          m / 60, m % 60, static_cast<int>(base) + m / 7, m % 10, 1000 + m * 3,
                          m + step >= minutes ? "4,25" : "", (m / 30) % 2 * 100);
            text += line;
        }
        return text;
    };
    std::vector<std::string> paths;
    paths.push_back(write("47230501.csv", day(1, 300, 1, 20)));
    paths.push_back(write("47230502.csv", ""));                   // 84
    paths.push_back(write("a/47230502.csv", day(2, 200, 2, 30))); // same day
    paths.push_back(write("47230503.csv", "Pump station;T1[\xB0"
                                          "C]\r\n1;2\r\n")); // 85
    paths.push_back(write("47230504.csv", "Other pump;DATE & TIME;T1[\xB0"
                                          "C]\r\n"
                                          "x;2023-05-04 00:00;1\r\n")); // 151
    paths.push_back(write("47230505.csv",
                          "Pump station;DATE & TIME;T2[\xB0"
                          "C];Qday[kWh]\r\n"
                          "x;2023-05-05 00:00;1;2\r\nx;2023-05-05 00:01;1;abc\r\n"));
    paths.push_back(write("47230506.csv", "Pump station;DATE & TIME;T3[\xB0"
                                          "C];[kW]\r\n"
                                          "x;2023-05-06 00:00;1;2\r\n")); // unnamed
    paths.push_back(write("47230507.csv", "Pump station;DATE & TIME\r\n"
                                          "x;2023-05-07 00:00\r\n")); // 83
    std::string cut = day(8, 240, 1, 25);
    cut.insert(cut.find("2023-05-08 02:00;") + 17, "1x5"); // a bad number after complete lines
    paths.push_back(write("47230508.csv", cut));
    std::string shortLine = day(9, 120, 3, 22);
    shortLine += "x;2023-05-09 02:00;5\r\n"; // too few cells
    paths.push_back(write("47230509.csv", shortLine));
    paths.push_back(write("47230510.csv",
                          "Pump station;DATE & TIME;T1[\xB0"
                          "F];R1[%]\r\n"
                          "x;2023-05-10 00:00;70;0\r\nx;2023-05-10 00:05;71;100\r\n"));
    paths.push_back((dir_ / "47230511.csv").string()); // missing
    fs::create_directories(dir_ / "47230512.csv");     // a folder: cannot be read
    paths.push_back((dir_ / "47230512.csv").string());
    paths.push_back(write("47230513.csv", day(13, 100, 5, 18)));

    const std::string oneByOne = loadAll(paths, 1);
    // The one-by-one load itself, so that the comparison means something.
    EXPECT_NE(oneByOne.find("loaded 4\n"), std::string::npos) << oneByOne;
    EXPECT_NE(oneByOne.find("warning Different units"), std::string::npos);
    EXPECT_NE(oneByOne.find("47230506.csv: " + Text(TextId::FileIsNoLogFile) + "\n\n[kW]"),
              std::string::npos);
    EXPECT_NE(oneByOne.find("field T3"), std::string::npos); // registered before the failure
    expectSameWithAnyWorkers(paths);
}

// A parse without the data set assumes a known field's series ends in a null and keeps the class
// its first column in the file gives. Both are false here; the threads' result must not stand.
TEST_F(ParallelLoad, WhatAThreadCannotKnowOfTheDataSetIsReadAgain)
{
    std::vector<std::string> paths;
    // Ptag as a plain line (not bars), then a yield column's end-of-day point 5 on it.
    paths.push_back(write("48230601.csv", "DATE & TIME;Ptag[kWh]\r\n"
                                          "2023-06-01 00:00;1\r\n2023-06-01 00:01;2\r\n"));
    paths.push_back(write("48230602.csv", "DATE & TIME;Qday[kWh];T1[\xB0"
                                          "C]\r\n"
                                          "2023-06-02 00:00;;1\r\n2023-06-02 23:00;5;1\r\n"));
    // Its first values equal that point: one-by-one reading moves it instead of adding one.
    paths.push_back(write("48230603.csv", "DATE & TIME;Ptag[kWh]\r\n2023-06-03 00:00;5\r\n"
                                          "2023-06-03 00:01;5\r\n2023-06-03 00:02;5\r\n"));
    // Qday read line by line on a new device makes Ptag bars; a plain Ptag column follows.
    paths.push_back(write("49230601.csv", "DATE & TIME;Qday[kWh]\r\n"
                                          "2023-06-01 00:00;1\r\n2023-06-01 00:01;\r\n"));
    paths.push_back(write("49230602.csv", "DATE & TIME;Ptag[kWh]\r\n"
                                          "2023-06-02 00:00;3\r\n2023-06-02 00:01;3\r\n"
                                          "2023-06-02 00:02;3\r\n"));
    expectSameWithAnyWorkers(paths);
}

TEST_F(ParallelLoad, CancelDropsTheFilesReadAhead)
{
    std::vector<std::string> paths;
    for (DayTime d = EncodeDate(2023, 7, 1); d <= EncodeDate(2023, 7, 12); ++d)
        paths.push_back(write(SampleFileName(30, d), SampleLogBytes(30, d)));
    struct CancelAfter : LogLoadObserver {
        std::size_t files = 0;
        bool CancelRequested() override { return files >= 3; }
        void FileDone(std::size_t done, std::size_t, std::uintmax_t) override { files = done; }
    } observer;
    LogFileSelection selection;
    for (const std::string& p : paths)
        selection.files.push_back(LogFileEntry{p, 0, "30", -1, 0});
    selection.devices = {"30"};
    SetsTarget target(selection);
    const LogLoadResult result = RunLogLoad(selection, target, observer, 4);
    EXPECT_EQ(result.outcome, LogLoadOutcome::Cancelled);
    EXPECT_EQ(result.loaded, 3u);
    ASSERT_TRUE(target.sets[0]);
    EXPECT_EQ(target.sets[0]->fileCount(), 3);
}

// Memory running out on a reading thread, or no thread to be had: the loading thread reads the
// files itself and the load ends as one-by-one reading ends it.
TEST_F(ParallelLoad, FailingThreadsLeaveTheFilesToTheLoadingThread)
{
    std::vector<std::string> paths;
    SampleOptions options;
    options.faults = true;
    for (const int device : {12, 31}) {
        options.intervalMinutes = device == 12 ? 1 : 4;
        options.seed = static_cast<unsigned>(device * 7);
        for (DayTime day = EncodeDate(2024, 2, 27); day <= EncodeDate(2024, 3, 2); ++day)
            paths.push_back(
                write(SampleFileName(device, day), SampleLogBytes(device, day, options)));
    }
    std::sort(paths.begin(), paths.end());
    const std::string oneByOne = loadAll(paths, 1);
    ASSERT_NE(oneByOne.find("loaded 10\n"), std::string::npos) << oneByOne;
    struct Case {
        const char* what;
        LoadFault step;
        int skip;
        int times;
    };
    for (const Case& c : {Case{"result of the 1st file", LoadFault::ReadAheadResult, 0, 1},
                          Case{"results of the 3rd to 6th", LoadFault::ReadAheadResult, 2, 4},
                          Case{"thread list", LoadFault::ThreadList, 0, 1},
                          Case{"every thread", LoadFault::StartThread, 0, 64},
                          Case{"the 2nd thread on", LoadFault::StartThread, 1, 64}}) {
        SCOPED_TRACE(c.what);
        ArmLoadFault(c.step, c.skip, c.times);
        const std::string parallel = loadAll(paths, 4);
        DisarmLoadFault();
        EXPECT_TRUE(parallel == oneByOne);
    }
}

// Registering a field runs out of memory half-way through a header: the file fails before its
// first data line, so the columns applied before keep no value of it, only their end-of-day
// yields; the same with the file parsed by a reading thread.
TEST_F(ParallelLoad, AHeaderFailingInTheApplyKeepsNoLineOfTheFile)
{
    const std::string head = "DATE & TIME;Qday[kWh];T1[\xB0"
                             "C];T2[\xB0"
                             "C];P[W]\r\n";
    const auto day = [&](int d, int lines, int step) {
        std::string text = head;
        char line[120];
        for (int i = 0; i < lines; ++i) {
            const int m = i * step;
            std::snprintf(line, sizeof line, "2008-05-%02d %02d:%02d;%s;%d,%d;%d;%d\r\n", d, m / 60,
                          m % 60, i + 1 == lines ? "7,5" : "", 20 + i % 9, i % 10, 40 - i % 5,
                          500 + 37 * i);
            text += line;
        }
        return text;
    };
    for (const bool parsedApart : {false, true}) {
        SCOPED_TRACE(parsedApart ? "parsed apart" : "one by one");
        AnalysisDataSet& set = makeSet();
        ASSERT_EQ(loadBytes(set, "Lg10080501.csv", day(1, 30, 3)), "");
        std::vector<int> before;
        for (int i = 0; i < set.slotCount(); ++i)
            before.push_back(set.series(i)->count());
        // Day 2 brings a new field after two known ones: its registration fails.
        std::string second = day(2, 45, 2);
        second.replace(second.find("P[W]"), 4, "R1[%]");
        ArmLoadFault(LoadFault::RegisterField);
        std::string message;
        try {
            LogFileReader reader([](const std::string&) {});
            if (parsedApart)
                reader.loadParsed(set, ParseLogFile("Lg10080502.csv", second));
            else
                reader.loadBytes(set, "Lg10080502.csv", second);
        } catch (const KorvexError& e) {
            message = e.what();
        }
        DisarmLoadFault();
        EXPECT_EQ(message, Text(TextId::DataStructureNoMemory));
        EXPECT_EQ(set.fileCount(), 1);
        ASSERT_EQ(set.slotCount(), 4); // R1 was not registered
        // Qday's values go to the day's yield bars, field Ptag.
        const int qday = set.deviceSettings()->find("Ptag");
        ASSERT_GE(qday, 0);
        for (int i = 0; i < set.slotCount(); ++i) {
            const Series& s = *set.series(i);
            // Ptag gets day 2's end-of-day yield; T1 and T2 nothing of day 2.
            EXPECT_EQ(s.count(), before[static_cast<std::size_t>(i)] + (i == qday ? 1 : 0))
                << set.deviceSettings()->key(i);
            for (int p = 0; p < s.count(); ++p)
                EXPECT_LT(s.x(p), EncodeDate(2008, 5, 2) + (i == qday ? 1 : 0));
        }
    }
}

TEST(LogReadWorkers, ForcedByTheEnvironmentWithinOneToSixtyFour)
{
    const char* saved = std::getenv("KORVEX_READ_WORKERS");
    const std::string keep = saved ? saved : "";
    ::unsetenv("KORVEX_READ_WORKERS");
    const std::size_t cores = LogReadWorkers();
    EXPECT_GE(cores, 1u);
    EXPECT_LE(cores, 8u);
    for (const auto& [text, expected] :
         std::vector<std::pair<std::string, std::size_t>>{{"1", 1},
                                                          {"3", 3},
                                                          {"64", 64},
                                                          {"0", cores},
                                                          {"65", cores},
                                                          {"2x", cores},
                                                          {"", cores}}) {
        ::setenv("KORVEX_READ_WORKERS", text.c_str(), 1);
        EXPECT_EQ(LogReadWorkers(), expected) << text;
    }
    if (saved)
        ::setenv("KORVEX_READ_WORKERS", keep.c_str(), 1);
    else
        ::unsetenv("KORVEX_READ_WORKERS");
}

} // namespace
} // namespace korvex::test
