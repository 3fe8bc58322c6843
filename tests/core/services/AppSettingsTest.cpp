#include "core/services/AppSettings.h"

#include "TempFolder.h"
#include "core/services/BuildInfo.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

using namespace korvex;
using korvex::test::ReadBytes;
using korvex::test::TempFolder;
using korvex::test::WriteBytes;

namespace {

class SavedEnv {
public:
    explicit SavedEnv(const char* name) : name_(name)
    {
        if (const char* v = std::getenv(name))
            value_ = v;
    }
    ~SavedEnv()
    {
        if (value_)
            setenv(name_, value_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> value_;
};

class AppSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppSettings::Release();
        setenv("XDG_CONFIG_HOME", base.path().c_str(), 1);
    }
    void TearDown() override { AppSettings::Release(); }

    std::string iniPath() const { return base / "Halvo/Korvex.ini"; }
    void writeIni(const std::string& bytes)
    {
        std::filesystem::create_directories(base / "Halvo");
        WriteBytes(iniPath(), bytes);
    }
    void expectSettingsError()
    {
        try {
            AppSettings::Get();
            FAIL() << "no error";
        } catch (const SettingsFileError& e) {
            EXPECT_EQ(std::string(e.what()), Text(TextId::SettingsFileAccessFailed));
        }
        EXPECT_EQ(AppSettings::Instance(), nullptr);
    }

    SavedEnv xdg{"XDG_CONFIG_HOME"};
    SavedEnv home{"HOME"};
    TempFolder base;
};

} // namespace

TEST_F(AppSettingsTest, AFreshUserGetsTheFolderAndTheDefaultsButNoFile)
{
    setenv("XDG_CONFIG_HOME", (base / "deep/config").c_str(), 1);
    AppSettings& s = AppSettings::Get();
    EXPECT_EQ(&s, AppSettings::Instance());
    EXPECT_EQ(s.path(), base / "deep/config/Halvo/Korvex.ini");
    EXPECT_TRUE(std::filesystem::is_directory(base / "deep/config/Halvo"));
    EXPECT_FALSE(std::filesystem::exists(s.path()));
    EXPECT_TRUE(s.isOpen());
    EXPECT_EQ(s.excelPath(), "");
    EXPECT_EQ(s.language(), 0);
    EXPECT_EQ(s.lastUsedDir(), ProgramDirectory());
    EXPECT_EQ(s.lastUsedDir().back(), '/');
    EXPECT_TRUE(std::filesystem::equivalent(s.lastUsedDir(), std::string(KORVEX_BIN_DIR)));
    EXPECT_EQ(s.childDefaults(), ChildDefaults{});

    s.setExcelPath("/usr/bin/gnumeric");
    EXPECT_EQ(ReadBytes(s.path()), "[Main]\r\nExcelPath=/usr/bin/gnumeric\r\n");
}

TEST_F(AppSettingsTest, ReadsTheStoredValuesAndMendsBadOnes)
{
    writeIni("[main]\r\nlanguage=12\r\nLastUsedDir=/data/logs/\r\nExcelPath=C:\\x.exe\r\n"
             "[Child]\r\nAxisMin=abc\r\nAxisMax=0x10\r\nPrintTitle=Anlage S\xFC"
             "d\r\nDynamicScaling=0\r\n"
             "HeaderWidth0=99999999999\r\nHeaderWidth1=40\r\n");
    AppSettings& s = AppSettings::Get();
    EXPECT_EQ(s.language(), 0);
    EXPECT_EQ(s.lastUsedDir(), "/data/logs/");
    EXPECT_EQ(s.excelPath(), "C:\\x.exe");
    const ChildDefaults& c = s.childDefaults();
    EXPECT_EQ(c.axisMin, -10);
    EXPECT_EQ(c.axisMax, 16);
    EXPECT_EQ(c.printTitle, "Anlage Süd");
    EXPECT_FALSE(c.dynamicScaling);
    EXPECT_EQ(c.headerWidth0, 130); // beyond 32 bits
    EXPECT_EQ(c.headerWidth1, 40);
    EXPECT_EQ(c.headerWidth2, 36);

    for (const auto& [stored, expected] :
         {std::pair{"-3", 0}, {"7", 7}, {"300", 0}, {"260", 0}, {"2", 2}}) {
        AppSettings::Release();
        writeIni(std::string("[Main]\r\nLanguage=") + stored + "\r\n");
        EXPECT_EQ(AppSettings::Get().language(), expected) << stored;
    }
}

TEST_F(AppSettingsTest, WritesEachGroupInItsOrder)
{
    AppSettings& s = AppSettings::Get();
    ChildDefaults c;
    c.printTitle = "Süd";
    c.axisMin = -20;
    c.axisMax = 90;
    c.dynamicScaling = false;
    c.headerWidth0 = 140;
    s.setChildDefaults(c);
    s.setLanguageAndLastDir(3, "/home/user/logs/");
    EXPECT_EQ(ReadBytes(s.path()), "[Child]\r\nAxisMin=-20\r\nAxisMax=90\r\nPrintTitle=S\xFC"
                                   "d\r\nDynamicScaling=0\r\n"
                                   "HeaderWidth0=140\r\nHeaderWidth1=36\r\nHeaderWidth2=36\r\n"
                                   "[Main]\r\nLanguage=3\r\nLastUsedDir=/home/user/logs/\r\n");

    AppSettings::Release();
    AppSettings& again = AppSettings::Get();
    EXPECT_EQ(again.childDefaults(), c);
    EXPECT_EQ(again.language(), 3);
    EXPECT_EQ(again.lastUsedDir(), "/home/user/logs/");
}

TEST_F(AppSettingsTest, AFailedWriteRaisesTheErrorWithMemoryChanged)
{
    AppSettings& s = AppSettings::Get();
    std::filesystem::remove_all(base / "Halvo");
    WriteBytes(base / "Halvo", "in the way");
    try {
        s.setLanguageAndLastDir(4, "/x/");
        FAIL() << "no error";
    } catch (const SettingsFileError& e) {
        EXPECT_EQ(std::string(e.what()), Text(TextId::SettingsFileAccessFailed));
    }
    EXPECT_EQ(s.language(), 4);
    EXPECT_EQ(s.lastUsedDir(), "/x/");
    ChildDefaults c;
    c.axisMax = 1;
    EXPECT_THROW(s.setChildDefaults(c), SettingsFileError);
    EXPECT_EQ(s.childDefaults().axisMax, 1);
    EXPECT_THROW(s.setExcelPath("/y"), SettingsFileError);
    EXPECT_EQ(s.excelPath(), "/y");
}

TEST_F(AppSettingsTest, AnUnusableFolderFailsCreationUntilItIsMended)
{
    WriteBytes(base / "Halvo", "a file, not a folder");
    expectSettingsError();
    std::filesystem::remove(base / "Halvo");
    EXPECT_NO_THROW(AppSettings::Get());

    AppSettings::Release();
    std::filesystem::remove_all(base / "Halvo");
    std::filesystem::create_directories(base / "Halvo/Korvex.ini"); // unreadable as a file
    expectSettingsError();
}

TEST_F(AppSettingsTest, TheBaseFolderComesFromTheEnvironment)
{
    setenv("XDG_CONFIG_HOME", "", 1);
    unsetenv("HOME");
    expectSettingsError();

    setenv("HOME", base.path().c_str(), 1);
    EXPECT_EQ(ResolveSettingsPath(), base / ".config/Halvo/Korvex.ini");
    EXPECT_TRUE(std::filesystem::is_directory(base / ".config/Halvo"));

    setenv("XDG_CONFIG_HOME", "relative/path", 1); // not absolute: ignored
    EXPECT_EQ(ResolveSettingsPath(), base / ".config/Halvo/Korvex.ini");

    setenv("XDG_CONFIG_HOME", (base.path() + "/cfg//").c_str(), 1);
    EXPECT_EQ(ResolveSettingsPath(), base / "cfg/Halvo/Korvex.ini");
}

TEST_F(AppSettingsTest, ReadsLabelsAndColoursPerDevice)
{
    writeIni("[Labels:3]\r\nT1[\xB0"
             "C]=Kollektor\r\n[Colors:3]\r\nt1[\xB0"
             "c]=255\r\nT2[\xB0"
             "C]=0xFF00\r\n"
             "T3[\xB0"
             "C]=-1\r\nT4[\xB0"
             "C]=red\r\n[Labels:03]\r\nT2[\xB0"
             "C]=wrong section\r\n");
    const AppSettings& s = AppSettings::Get();
    EXPECT_EQ(s.readLabel(3, "T1[°C]", "T1"), "Kollektor");
    EXPECT_EQ(s.readLabel(3, "T2[°C]", "T2"), "T2");
    EXPECT_EQ(s.readLabel(4, "T1[°C]", "T1"), "T1");
    EXPECT_EQ(s.readColor(3, "T1[°C]", 7), 0xFFu);
    EXPECT_EQ(s.readColor(3, "T2[°C]", 7), 0xFF00u);
    EXPECT_EQ(s.readColor(3, "T3[°C]", 7), 0xFFFFFFFFu);
    EXPECT_EQ(s.readColor(3, "T4[°C]", 7), 7u);
    EXPECT_EQ(s.readColor(3, "T5[°C]", 0x123456), 0x123456u);
}

// An installed program (prefix/bin) looks for the samples below prefix/share; a build's program
// keeps them in its own folder and finds nothing there.
TEST_F(AppSettingsTest, TheInstalledSamplesAreTheFirstStartsFolder)
{
    const std::filesystem::path bin = std::filesystem::path(base / "prefix") / "bin";
    std::filesystem::create_directories(bin);
    const std::filesystem::path samples = (bin / SamplesFromProgramDirectory()).lexically_normal();
    ASSERT_EQ(samples.string().find(".."), std::string::npos);
    ASSERT_EQ(samples.string().rfind(base.path(), 0), 0u) << samples;

    EXPECT_EQ(InstalledSamplesDirectory(bin.string() + "/"), "");
    std::filesystem::create_directories(samples.parent_path());
    WriteBytes(samples.string(), "a file, not a folder");
    EXPECT_EQ(InstalledSamplesDirectory(bin.string() + "/"), "");
    std::filesystem::remove(samples);
    std::filesystem::create_directories(samples / "2024-05");

    const std::string expected = samples.string() + "/";
    EXPECT_EQ(InstalledSamplesDirectory(bin.string() + "/"), expected);
    EXPECT_EQ(InstalledSamplesDirectory(bin.string()), expected);
    EXPECT_EQ(InstalledSamplesDirectory(""), "");

    // The test program runs from the build, which has no such folder.
    EXPECT_EQ(InstalledSamplesDirectory(ProgramDirectory()), "");
    EXPECT_EQ(DefaultLogDirectory(), ProgramDirectory());
}

TEST_F(AppSettingsTest, GraphChoicePerDeviceInOneWrite)
{
    AppSettings& s = AppSettings::Get();
    EXPECT_FALSE(s.hasGraphChoice(10));
    s.writeGraphChoice(10, {{"T1[\u00b0C]", true}, {"R1[%]", false}});
    s.writeGraphChoice(21, {{"T1[\u00b0C]", false}});
    EXPECT_EQ(ReadBytes(s.path()), "[Graphs:10]\r\nR1[%]=0\r\nT1[\xB0"
                                   "C]=1\r\n[Graphs:21]\r\nT1[\xB0"
                                   "C]=0\r\n");
    AppSettings::Release();
    AppSettings& again = AppSettings::Get();
    EXPECT_TRUE(again.hasGraphChoice(10));
    EXPECT_EQ(again.readGraphShown(10, "T1[\u00b0C]"), true);
    EXPECT_EQ(again.readGraphShown(10, "R1[%]"), false);
    EXPECT_EQ(again.readGraphShown(10, "P[kW]"), std::nullopt);
    EXPECT_EQ(again.readGraphShown(21, "T1[\u00b0C]"), false);
    EXPECT_FALSE(again.hasGraphChoice(30));

    std::filesystem::remove_all(base / "Halvo");
    WriteBytes(base / "Halvo", "in the way");
    EXPECT_THROW(again.writeGraphChoice(10, {{"T1[\u00b0C]", false}}), SettingsFileError);
    EXPECT_THROW(again.setReadingOptions({false, true}), SettingsFileError);
    EXPECT_EQ(again.readingOptions(), (ReadingOptions{false, true}));
}

TEST_F(AppSettingsTest, RecentDirectoriesNewestFirstWithoutMissingOnes)
{
    AppSettings& s = AppSettings::Get();
    EXPECT_EQ(s.readingOptions(), ReadingOptions{});
    std::vector<std::string> made;
    for (int i = 0; i < 10; ++i) {
        made.push_back(base / ("logs" + std::to_string(i)));
        std::filesystem::create_directories(made.back());
        s.addRecentDir(made.back());
    }
    s.addRecentDir(made[5]); // again: moves to the front, once
    std::vector<std::string> expected = {made[5], made[9], made[8], made[7],
                                         made[6], made[4], made[3], made[2]};
    EXPECT_EQ(s.recentDirs(true), expected);
    std::filesystem::remove(made[8]);
    AppSettings::Release();
    AppSettings& again = AppSettings::Get();
    EXPECT_EQ(again.recentDirs(false), expected);
    expected.erase(expected.begin() + 2);
    EXPECT_EQ(again.recentDirs(true), expected);
    again.setReadingOptions({false, true});
    AppSettings::Release();
    EXPECT_EQ(AppSettings::Get().readingOptions(), (ReadingOptions{false, true}));
}

namespace {

TEST_F(AppSettingsTest, StatisticsHeightKeptBesideTheReadingOptions)
{
    writeIni("[Reading]\r\nStatistics=1\r\nStatisticsHeight=187\r\n");
    AppSettings& s = AppSettings::Get();
    EXPECT_EQ(s.statisticsHeight(), 187);
    // Writing the options leaves the height, writing the height leaves the options.
    s.setReadingOptions({false, true});
    s.setStatisticsHeight(242);
    AppSettings::Release();
    AppSettings& again = AppSettings::Get();
    EXPECT_EQ(again.statisticsHeight(), 242);
    EXPECT_EQ(again.readingOptions(), (ReadingOptions{false, true}));
    EXPECT_NE(ReadBytes(again.path()).find("StatisticsHeight=242\r\n"), std::string::npos);

    // Hand-edited heights no screen has are no height.
    for (const char* bad : {"-40", "10001", "x"}) {
        AppSettings::Release();
        writeIni(std::string("[Reading]\r\nStatisticsHeight=") + bad + "\r\n");
        EXPECT_EQ(AppSettings::Get().statisticsHeight(), 0) << bad;
    }
    AppSettings::Release();
    writeIni("[Reading]\r\nStatisticsHeight=10000\r\n");
    EXPECT_EQ(AppSettings::Get().statisticsHeight(), 10000);

    std::filesystem::remove_all(base / "Halvo");
    WriteBytes(base / "Halvo", "in the way");
    EXPECT_THROW(AppSettings::Get().setStatisticsHeight(90), SettingsFileError);
}

} // namespace
