#include "core/logdata/DeviceSettings.h"
#include "core/logdata/DeviceNames.h"
#include "tests/core/logdata/LogTestSupport.h"

#include <sstream>

namespace korvex::test {
namespace {

class DeviceSettingsTest : public LogDataTest {
protected:
    std::string settingsText()
    {
        std::ifstream in(settingsPath(), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(DeviceSettingsTest, PaletteCountsInputsWithOthersAndOutputsAlone)
{
    DeviceSettings dev(10, "x", false);
    dev.registerField("T1", "[°C]", FieldCategory::Inputs, nullptr);
    dev.registerField("T2", "[°C]", FieldCategory::Inputs, nullptr);
    dev.registerField("V", "[l/min]", FieldCategory::Others, nullptr);
    dev.registerField("R1", "[%]", FieldCategory::Outputs, nullptr);
    EXPECT_EQ(dev.colour(0), 0x0000FFu); // red
    EXPECT_EQ(dev.colour(1), 0xFF0000u); // blue
    EXPECT_EQ(dev.colour(2), 0x00ECFFu); // golden yellow
    EXPECT_EQ(dev.colour(3), 0x0000FFu); // outputs start at red again
    for (int i = 1; i < 21; ++i)
        dev.registerField("R" + std::to_string(i + 1), "[%]", FieldCategory::Outputs, nullptr);
    EXPECT_EQ(dev.colour(dev.find("R21")), 0x0000FFu); // the 21st output
    EXPECT_EQ(dev.colour(dev.find("R20")), 0x1AE6A8u);
}

TEST_F(DeviceSettingsTest, RegisteringKeepsCategoriesInOrderAndIgnoresKnownKeys)
{
    DeviceSettings dev(10, "x", false);
    EXPECT_EQ(dev.registerField("R1", "[%]", FieldCategory::Outputs, nullptr), 0);
    EXPECT_EQ(dev.registerField("P", "[kW]", FieldCategory::Others, nullptr), 0);
    EXPECT_EQ(dev.registerField("T1", "[°C]", FieldCategory::Inputs, nullptr), 0);
    EXPECT_EQ(dev.registerField("P", "[W]", FieldCategory::Others, nullptr), 1);
    ASSERT_EQ(dev.fieldCount(), 3);
    EXPECT_EQ(dev.key(1), "P");
    EXPECT_EQ(dev.unit(1), "[kW]");
    EXPECT_EQ(dev.find("R1"), 2);
    EXPECT_EQ(dev.find("r1"), -1);
    EXPECT_EQ(dev.category(0), FieldCategory::Inputs);
    EXPECT_EQ(dev.category(1), FieldCategory::Others);
    EXPECT_EQ(dev.category(2), FieldCategory::Outputs);
    EXPECT_EQ(dev.count(FieldCategory::Inputs), 1);
    EXPECT_EQ(dev.count(FieldCategory::Others), 2);
    EXPECT_EQ(dev.count(FieldCategory::Outputs), 3);
}

TEST_F(DeviceSettingsTest, LabelsAndColoursComeFromTheDevicesSections)
{
    writeSettings("[Labels:10]\r\nT1[\xB0"
                  "C]=Collector\r\n[Colors:10]\r\nT1[\xB0"
                  "C]=65280\r\n");
    DeviceSettings dev10(10, "a", false);
    DeviceSettings dev20(20, "b", false);
    dev10.registerField("T1", "[°C]", FieldCategory::Inputs);
    dev20.registerField("T1", "[°C]", FieldCategory::Inputs);
    EXPECT_EQ(dev10.label(0), "Collector");
    EXPECT_EQ(dev10.colour(0), 65280u);
    EXPECT_EQ(dev20.label(0), "T1");
    EXPECT_EQ(dev20.colour(0), 0x0000FFu);
}

TEST_F(DeviceSettingsTest, LineWidthAndStylesComeFromTheDevicesOwnSection)
{
    writeSettings("[Dev:Default]\r\nLineWidth=9\r\nOthersUseBars=0\r\nOutputsUseBars=1\r\n"
                  "[Dev:10]\r\nLineWidth=7\r\nOthersUseBars=0\r\n"
                  "[Dev:21]\r\nLineWidth=11\r\nOutputsUseBars=1\r\n");
    AnalysisDataSet& set10 = makeSet();
    AnalysisDataSet& set21 = makeSet();
    AnalysisDataSet& set30 = makeSet();
    set10.createDeviceSettings(10, "a", false);
    set21.createDeviceSettings(21, "b", false);
    set30.createDeviceSettings(30, "c", false);

    const DeviceSettings& dev10 = *set10.deviceSettings();
    EXPECT_EQ(dev10.lineWidth(), 7u);
    EXPECT_FALSE(dev10.othersAsBars());
    EXPECT_FALSE(dev10.outputsAsBars()); // missing key: the design default
    // A width no dialog could have stored is ignored; the styles still apply.
    EXPECT_EQ(set21.deviceSettings()->lineWidth(), 2u);
    EXPECT_TRUE(set21.deviceSettings()->outputsAsBars());
    // Dev:Default is written for others, never read.
    EXPECT_EQ(set30.deviceSettings()->lineWidth(), 2u);
    EXPECT_TRUE(set30.deviceSettings()->othersAsBars());
    EXPECT_FALSE(set30.deviceSettings()->outputsAsBars());
}

TEST_F(DeviceSettingsTest, BadIndicesRaiseText154)
{
    DeviceSettings dev(1, "x", false);
    dev.registerField("T1", "[°C]", FieldCategory::Inputs, nullptr);
    const std::string message = "Device setting: Access outside the valid range";
    for (int bad : {-1, 1}) {
        try {
            dev.label(bad);
            ADD_FAILURE();
        } catch (const KorvexError& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
        EXPECT_THROW(dev.setColour(bad, 1), KorvexError);
        EXPECT_THROW(dev.category(bad), KorvexError);
        EXPECT_THROW(dev.setDerived(bad, true), KorvexError);
    }
}

TEST_F(DeviceSettingsTest, LineWidthAndStyles)
{
    DeviceSettings dev(1, "x", false);
    EXPECT_EQ(dev.lineWidth(), 2u);
    EXPECT_TRUE(dev.othersAsBars());
    EXPECT_FALSE(dev.outputsAsBars());
    dev.setLineWidth(0);
    EXPECT_EQ(dev.lineWidth(), 1u);
}

TEST_F(DeviceSettingsTest, BackupRestoreAndDiscard)
{
    DeviceSettings dev(1, "x", false);
    dev.registerField("T1", "[°C]", FieldCategory::Inputs, nullptr);
    dev.restoreBackup(); // nothing to restore
    EXPECT_EQ(dev.label(0), "T1");

    dev.makeBackup();
    dev.setLabel(0, "changed");
    dev.setColour(0, 7);
    dev.setLineWidth(9);
    dev.makeBackup(); // overwrites the earlier backup
    dev.setLabel(0, "again");
    dev.restoreBackup();
    EXPECT_EQ(dev.label(0), "changed");
    EXPECT_EQ(dev.colour(0), 7u);
    EXPECT_EQ(dev.lineWidth(), 9u);
    EXPECT_FALSE(dev.hasBackup());

    dev.makeBackup();
    dev.setLabel(0, "kept");
    dev.discardBackup();
    dev.restoreBackup();
    EXPECT_EQ(dev.label(0), "kept");
}

TEST_F(DeviceSettingsTest, CopyFromTakesEverythingButTheBackup)
{
    DeviceSettings a(1, "a", false);
    a.registerField("T1", "[°C]", FieldCategory::Inputs, nullptr);
    a.setDerived(0, true);
    a.setOutputsAsBars(true);
    DeviceSettings b(2, "b", true);
    b.makeBackup();
    b.copyFrom(a);
    EXPECT_FALSE(b.hasBackup());
    EXPECT_EQ(b.number(), 1);
    EXPECT_EQ(b.name(), "a");
    EXPECT_FALSE(b.standardName());
    EXPECT_TRUE(b.derived(0));
    EXPECT_TRUE(b.outputsAsBars());
    EXPECT_EQ(b.find("T1"), 0);
    b.setLabel(0, "own");
    EXPECT_EQ(a.label(0), "T1");
}

TEST_F(DeviceSettingsTest, SumLabelsFollowTheLanguage)
{
    DeviceSettings dev(10, "x", true);
    dev.registerField("Ptag", "[kWh]", FieldCategory::Others, nullptr);
    dev.registerField("Vmonat", "[l]", FieldCategory::Others, nullptr);
    dev.registerField("P", "[kW]", FieldCategory::Others, nullptr);
    dev.setLabel(0, Text(TextId::SumOfEnergy) + " (Q)");
    dev.setLabel(1, Text(TextId::SumOfFlowRate) + " (V)");
    dev.setLabel(2, Text(TextId::SumOfEnergy) + " (Q)"); // not a sum field
    SelectTextBlock(BlockGerman);
    dev.translateSumLabels();
    EXPECT_EQ(dev.label(0), "Summe Energie (Q)");
    EXPECT_EQ(dev.label(1), TextOf(BlockGerman, TextId::SumOfFlowRate) + " (V)");
    EXPECT_EQ(dev.label(2), TextOf(BlockEnglish, TextId::SumOfEnergy) + " (Q)");
}

TEST_F(DeviceSettingsTest, SaveWritesDefaultsOncePerSettingsKey)
{
    writeSettings("");
    DeviceSettings one(1, "a", false);
    one.registerField("T1", "[°C]", FieldCategory::Inputs, nullptr);
    one.setLabel(0, "Collector");
    one.setColour(0, 255);
    one.setLineWidth(3);
    DeviceSettings two(2, "b", false);
    two.registerField("T1", "[°C]", FieldCategory::Inputs, nullptr);
    two.registerField("T2", "[°C]", FieldCategory::Inputs, nullptr);
    two.setLabel(0, "Other");
    two.setOthersAsBars(false);

    AppSettings& settings = AppSettings::Get();
    SaveDeviceSettings(settings, one);
    SaveDeviceSettings(settings, two);
    const IniFile& f = settings.file();
    EXPECT_EQ(f.readInteger("Dev:Default", "LineWidth", 0), 3);
    EXPECT_TRUE(f.readBool("Dev:Default", "OthersUseBars", false));
    EXPECT_EQ(f.readInteger("Dev:1", "LineWidth", 0), 3);
    EXPECT_FALSE(f.readBool("Dev:2", "OthersUseBars", true));
    EXPECT_EQ(f.readString("Labels:Default", "T1[°C]", ""), "Collector");
    EXPECT_EQ(f.readInteger("Colors:Default", "T1[°C]", 0), 255);
    EXPECT_EQ(f.readString("Labels:Default", "T2[°C]", ""), "T2");
    EXPECT_EQ(f.readString("Labels:1", "T1[°C]", ""), "Collector");
    EXPECT_EQ(f.readString("Labels:2", "T1[°C]", ""), "Other");
    EXPECT_EQ(f.readInteger("Colors:2", "T2[°C]", 0), 0xFF0000);

    // On disk in Windows-1252; a fresh settings object reads the labels back.
    EXPECT_NE(settingsText().find("T1[\xB0"
                                  "C]=Collector"),
              std::string::npos);
    AppSettings::Release();
    DeviceSettings again(1, "a", false);
    again.registerField("T1", "[°C]", FieldCategory::Inputs);
    EXPECT_EQ(again.label(0), "Collector");
    EXPECT_EQ(again.colour(0), 255u);
}

TEST_F(DeviceSettingsTest, SaveFailsWithText94WhenTheFileCannotBeWritten)
{
    writeSettings("");
    AppSettings& settings = AppSettings::Get();
    DeviceSettings dev(1, "a", false);
    std::filesystem::remove(settingsPath());
    std::filesystem::create_directory(settingsPath()); // a folder where the file should be
    try {
        SaveDeviceSettings(settings, dev);
        ADD_FAILURE() << "no error";
    } catch (const SettingsFileError& e) {
        EXPECT_EQ(std::string(e.what()), "Access to INI file failed. Settings cannot be saved.");
    }
    std::filesystem::remove_all(settingsPath());
}

TEST(DeviceNamesTest, NumberFromThePathAndStandardNames)
{
    SelectTextBlock(BlockEnglish);
    EXPECT_EQ(DeviceNumberFromPath("/data/logs/Lg10080515.csv"), 10);
    EXPECT_EQ(DeviceNumberFromPath("/data/logs/LgXX080515.csv"), -1);
    EXPECT_EQ(DeviceNumberText("abcd12"), "12"); // short paths read from position 5
    EXPECT_EQ(DeviceNumberFromPath("abc"), -1);
    EXPECT_EQ(StandardDisplayName(23), "Heating circuit 3");
    EXPECT_EQ(StandardDisplayName(35), "Fresh water 5");
    EXPECT_EQ(StandardDisplayName(41), "Extension 1");
    EXPECT_EQ(StandardDisplayName(20), "Solar controller");
    EXPECT_EQ(StandardDisplayName(0), "BusMaster");
    EXPECT_EQ(StandardDisplayName(5), "BusID 5");
    EXPECT_THROW(StandardDisplayName(-1), KorvexError);
    EXPECT_TRUE(IsStandardDeviceName("Heating circuit 12 ", 22));
    EXPECT_FALSE(IsStandardDeviceName("Heating circuit", 10));
    EXPECT_FALSE(IsStandardDeviceName("Pump", -1));
    EXPECT_TRUE(IsStandardDeviceName("", -1));
    SelectTextBlock(BlockGerman);
}

} // namespace
} // namespace korvex::test
