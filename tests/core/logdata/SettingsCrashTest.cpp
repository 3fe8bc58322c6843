// A process that writes settings is killed at random moments: the file must always read, every
// group must hold one generation of values (old or new, never a mix), and the temporary files
// of killed writes must go with the next successful write.
#include "core/logdata/DeviceSettings.h"
#include "core/services/AppSettings.h"
#include "core/services/IniFile.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace korvex;

namespace {

namespace fs = std::filesystem;

const char* const kFields[] = {"T1", "T2", "Q", "R1"};
const char* const kUnits[] = {"[\xC2\xB0"
                              "C]",
                              "[\xC2\xB0"
                              "C]",
                              "[kWh]", "[%]"};
const FieldCategory kCategories[] = {FieldCategory::Inputs, FieldCategory::Inputs,
                                     FieldCategory::Others, FieldCategory::Outputs};

// Writes the three groups the program writes, generation after generation, until killed.
[[noreturn]] void WriteForever(int generation)
{
    try {
        AppSettings::Release();
        AppSettings& s = AppSettings::Get();
        DeviceSettings device(3, "", true);
        for (int i = 0; i < 4; ++i)
            device.registerField(kFields[i], kUnits[i], kCategories[i], nullptr);
        for (int g = generation;; ++g) {
            s.setLanguageAndLastDir(g % 8, "/logs/" + std::to_string(g) + "/");
            ChildDefaults c;
            c.axisMin = -g;
            c.axisMax = g;
            c.printTitle = "Title " + std::to_string(g);
            c.dynamicScaling = g % 2 == 0;
            c.headerWidth0 = g + 100;
            c.headerWidth1 = g + 7;
            c.headerWidth2 = g + 13;
            s.setChildDefaults(c);
            device.setLineWidth(static_cast<unsigned>(g % 5 + 1));
            device.setOthersAsBars(g % 3 == 0);
            for (int i = 0; i < device.fieldCount(); ++i) {
                device.setLabel(i, "L" + std::to_string(g) + "-" + std::to_string(i));
                device.setColour(i, static_cast<Colour>(g * 16 + i));
            }
            SaveDeviceSettings(s, device);
        }
    } catch (...) {
        ::_exit(3);
    }
}

// The generation each group was last written with; -1 when it was never written.
struct Generations {
    long long main = -1, child = -1, device = -1;
};

long long Number(const IniFile& f, const char* section, const std::string& key)
{
    return f.readInteger(section, key, -999999);
}

// Reads the file and checks that each group is whole; fills the generations.
void CheckFile(const std::string& path, Generations& out, std::string& firstLabels)
{
    IniFile f(path);
    ASSERT_TRUE(f.reload()) << "the file reads after a kill";

    const std::string dir = f.readString("Main", "LastUsedDir", "");
    if (dir.empty()) {
        EXPECT_FALSE(f.valueExists("Main", "Language"));
    } else {
        ASSERT_EQ(dir.substr(0, 6), "/logs/");
        out.main = std::stoll(dir.substr(6));
        EXPECT_EQ(dir, "/logs/" + std::to_string(out.main) + "/");
        EXPECT_EQ(Number(f, "Main", "Language"), out.main % 8);
    }

    if (f.sectionExists("Child")) {
        const long long g = -Number(f, "Child", "AxisMin");
        out.child = g;
        EXPECT_EQ(Number(f, "Child", "AxisMax"), g);
        EXPECT_EQ(f.readString("Child", "PrintTitle", ""), "Title " + std::to_string(g));
        EXPECT_EQ(Number(f, "Child", "DynamicScaling"), g % 2 == 0 ? 1 : 0);
        EXPECT_EQ(Number(f, "Child", "HeaderWidth0"), g + 100);
        EXPECT_EQ(Number(f, "Child", "HeaderWidth1"), g + 7);
        EXPECT_EQ(Number(f, "Child", "HeaderWidth2"), g + 13);
    }

    if (f.sectionExists("Dev:3")) {
        const std::string first = f.readString("Labels:3",
                                               "T1[\xC2\xB0"
                                               "C]",
                                               "");
        ASSERT_EQ(first.substr(0, 1), "L");
        const long long g = std::stoll(first.substr(1));
        out.device = g;
        EXPECT_EQ(Number(f, "Dev:3", "LineWidth"), g % 5 + 1);
        EXPECT_EQ(Number(f, "Dev:3", "OthersUseBars"), g % 3 == 0 ? 1 : 0);
        for (int i = 0; i < 4; ++i) {
            const std::string key = std::string(kFields[i]) + kUnits[i];
            EXPECT_EQ(f.readString("Labels:3", key, ""),
                      "L" + std::to_string(g) + "-" + std::to_string(i));
            EXPECT_EQ(Number(f, "Colors:3", key), g * 16 + i);
        }
        // The Default entries are written once and never again.
        std::string defaults;
        for (int i = 0; i < 4; ++i)
            defaults += f.readString("Labels:Default", std::string(kFields[i]) + kUnits[i], "?");
        if (firstLabels.empty())
            firstLabels = defaults;
        EXPECT_EQ(defaults, firstLabels);
    }
}

int TemporaryFiles(const fs::path& folder)
{
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename().string().rfind(".Korvex.ini.", 0) == 0)
            ++n;
    return n;
}

std::string FastTempBase()
{
    // Writes sync every file: tmpfs keeps 300 rounds quick where there is one.
    return fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path().string();
}

} // namespace

TEST(SettingsCrash, AKilledWriterLeavesEveryGroupOldOrNew)
{
    std::string pattern = FastTempBase() + "/korvex-crash-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path base = pattern;
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string savedValue = saved ? saved : "";
    ::setenv("XDG_CONFIG_HOME", base.c_str(), 1);
    AppSettings::Release();
    const std::string path = (base / "Halvo/Korvex.ini").string();
    fs::create_directories(base / "Halvo");

    std::mt19937 random(20081205);
    std::uniform_int_distribution<int> delayUs(0, 10000);
    Generations last;
    std::string firstLabels;
    int roundsWithTemporary = 0;
    int roundsWithProgress = 0;
    // The test proves something only when kills land in the middle of a write (a temporary file
    // left behind): on a machine fast enough to finish most writes it goes on until some did.
    constexpr int kRounds = 300;
    constexpr int kMaxRounds = 3000;
    constexpr int kWantedMidWrite = 5;
    int round = 0;
    for (; (round < kRounds || roundsWithTemporary < kWantedMidWrite) && round < kMaxRounds &&
           !HasFatalFailure();
         ++round) {
        const long long next = std::max({last.main, last.child, last.device}) + 1;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            WriteForever(static_cast<int>(next));
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the writer failed by itself in round " << round;

        Generations now;
        SCOPED_TRACE("round " + std::to_string(round));
        CheckFile(path, now, firstLabels);
        EXPECT_GE(now.main, last.main);
        EXPECT_GE(now.child, last.child);
        EXPECT_GE(now.device, last.device);
        // Each generation writes Main, then Child, then the device.
        EXPECT_GE(now.main, now.child);
        EXPECT_GE(now.child, now.device);
        roundsWithProgress += now.main > last.main;
        last = now;
        roundsWithTemporary += TemporaryFiles(base / "Halvo") > 0;
    }
    EXPECT_GT(roundsWithProgress, kRounds / 10) << "the writer hardly ever wrote";
    RecordProperty("roundsWithTemporary", roundsWithTemporary);
    std::printf("kills with a temporary file left: %d of %d\n", roundsWithTemporary, round);
    EXPECT_GE(roundsWithTemporary, kWantedMidWrite) << "no kill landed in the middle of a write";

    // The next successful write removes what killed writers left.
    IniFile file(path);
    ASSERT_TRUE(file.writeString("Main", "ExcelPath", "/usr/bin/calc"));
    EXPECT_EQ(TemporaryFiles(base / "Halvo"), 0);

    AppSettings::Release();
    if (saved)
        ::setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(base);
}
