#include "core/check/CheckSettings.h"
#include "tests/core/logdata/LogTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace korvex::test {
namespace {

class CheckSettingsSave : public LogDataTest {
protected:
    // A solar controller with a second store sensor and no flow meter, or with one.
    static DeviceSettings Controller(int number, bool withFlow)
    {
        DeviceSettings device(number, "x", false);
        for (const char* key : {"T1", "T2", "T3"})
            device.registerField(key, "[°C]", FieldCategory::Inputs, nullptr);
        device.registerField("R1", "[%]", FieldCategory::Outputs, nullptr);
        if (withFlow)
            device.registerField("V", "[l/h]", FieldCategory::Others, nullptr);
        return device;
    }

    std::string FileText()
    {
        std::ifstream in(settingsPath(), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    static DeviceRoles Roles(const char* collector, const char* store, const char* pump,
                             const char* flow)
    {
        DeviceRoles r;
        r.keys = {collector, store, pump, flow};
        return r;
    }
};

TEST_F(CheckSettingsSave, RolesAndThresholdsReadBackPerDevice)
{
    writeSettings("[Main]\r\nLanguage=2\r\n");
    const DeviceSettings ten = Controller(10, true);
    const DeviceSettings twenty = Controller(20, false);
    CheckThresholds changed;
    changed.stagnation = 112.5;
    changed.cyclingStarts = 7;
    changed.sensorLowest = -32.25;
    CheckThresholds other;
    other.noFlowMinutes = 3;
    SaveCheckSettings(AppSettings::Get(), ten, Roles("T1", "T3", "R1", ""), changed);
    SaveCheckSettings(AppSettings::Get(), twenty, Roles("T2", "T1", "", ""), other);

    AppSettings::Release();
    const AppSettings& again = AppSettings::Get();
    // flow was V by default: "none" must survive as none, not fall back to the default.
    EXPECT_EQ(StoredRoles(again, ten), Roles("T1", "T3", "R1", ""));
    EXPECT_EQ(StoredRoles(again, twenty), Roles("T2", "T1", "", ""));
    EXPECT_EQ(StoredThresholds(again, 10), changed);
    EXPECT_EQ(StoredThresholds(again, 20), other);
    EXPECT_NE(FileText().find("Language=2"), std::string::npos);
}

TEST_F(CheckSettingsSave, DefaultsAreNotWrittenUntilTheFileHoldsThem)
{
    writeSettings("");
    const DeviceSettings ten = Controller(10, true);
    SaveCheckSettings(AppSettings::Get(), ten, DefaultRoles(ten), CheckThresholds{});
    EXPECT_EQ(FileText().find("Roles:10"), std::string::npos);
    EXPECT_EQ(FileText().find("Check:10"), std::string::npos);

    // Changed once, then back to the default: the stored value follows back.
    CheckThresholds night;
    night.nightCollector = 35;
    SaveCheckSettings(AppSettings::Get(), ten, Roles("T2", "T3", "R1", "V"), night);
    SaveCheckSettings(AppSettings::Get(), ten, DefaultRoles(ten), CheckThresholds{});
    AppSettings::Release();
    EXPECT_EQ(StoredRoles(AppSettings::Get(), ten), DefaultRoles(ten));
    EXPECT_EQ(StoredThresholds(AppSettings::Get(), 10), CheckThresholds{});
    EXPECT_EQ(FileText().find("StuckHours"), std::string::npos);
}

TEST_F(CheckSettingsSave, NumbersAreWrittenWithAPointWhateverTheLocale)
{
    writeSettings("");
    CheckThresholds t;
    t.deltaTHigh = 47.75;
    t.gapMinutes = 0.5;
    SaveCheckSettings(AppSettings::Get(), Controller(11, false), DeviceRoles{}, t);
    EXPECT_NE(FileText().find("DeltaTHigh=47.75"), std::string::npos) << FileText();
    EXPECT_NE(FileText().find("GapMinutes=0.5"), std::string::npos) << FileText();
}

TEST_F(CheckSettingsSave, AFailedWriteRaisesText94)
{
    writeSettings("");
    AppSettings& settings = AppSettings::Get();
    std::filesystem::remove(settingsPath());
    std::filesystem::create_directory(settingsPath()); // a folder where the file should be
    CheckThresholds t;
    t.stagnation = 100;
    try {
        SaveCheckSettings(settings, Controller(10, true), Roles("T1", "T2", "", ""), t);
        ADD_FAILURE() << "no error";
    } catch (const SettingsFileError& e) {
        EXPECT_EQ(std::string(e.what()), Text(TextId::SettingsFileAccessFailed));
    }
    std::filesystem::remove_all(settingsPath());
}

} // namespace
} // namespace korvex::test
