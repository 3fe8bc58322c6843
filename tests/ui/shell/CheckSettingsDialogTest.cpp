// The function check's roles and thresholds in the settings dialog: chosen per device, kept by
// OK in the settings file, dropped by Cancel, and a failed write reported as text 94.

#include "tests/ui/doubles/UiTestSupport.h"
#include "tests/ui/shell/TDialogSettingsTestSupport.h"

#include "core/check/CheckSettings.h"
#include "core/services/AppSettings.h"
#include "ui/platform/UiText.h"
#include "ui/shell/TDialogCheckSettings.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>

namespace korvex::test {
namespace {

class CheckSettingsDialog : public SettingsDialogFixture {
protected:
    void SetUp() override
    {
        SettingsDialogFixture::SetUp();
        AppSettings::Release();
        solar = MakeSolarDevice(10);
        module = MakeInputsOnlyDevice(21);
    }
    void TearDown() override
    {
        AppSettings::Release();
        SettingsDialogFixture::TearDown();
    }

    const CheckSettingsControls& cc() const { return dialog->CheckSettingsDialog().Controls(); }

    static void Choose(QComboBox* box, const QString& key)
    {
        const int index = box->findData(key);
        ASSERT_GE(index, 0) << key.toStdString();
        box->setCurrentIndex(index);
    }
    QLineEdit* Edit(const char* key) const
    {
        for (std::size_t i = 0; i < kThresholdEntries.size(); ++i)
            if (std::string(kThresholdEntries[i].key) == key)
                return cc().ThresholdEdits[i];
        ADD_FAILURE() << key;
        return nullptr;
    }
    QComboBox* Role(CheckRole role) const { return cc().RoleBoxes[static_cast<std::size_t>(role)]; }

    // Opens the check settings of the device in tree row deviceRow, does what the user does
    // there, and comes back when that dialog closed.
    void InCheckSettings(int deviceRow, std::function<void()> action)
    {
        tree().setCurrentItem(tree().topLevelItem(deviceRow));
        WhenVisible(&dialog->CheckSettingsDialog(), std::move(action));
        c().CheckSettingsBtn->click();
    }

    void ShowBoth()
    {
        dialog->AddDeviceAndSelect(*solar);
        dialog->AddDevice(*module);
        dialog->show();
    }

    TempSettingsHome home;
    std::unique_ptr<DeviceSettings> solar;
    std::unique_ptr<DeviceSettings> module;
};

TEST_F(CheckSettingsDialog, SetThenOkKeepsThemPerDevice)
{
    home.WriteIni("[Main]\r\nLanguage=2\r\n");
    int changed = 0;
    QObject::connect(dialog.get(), &TDialogSettings::CheckSettingsChanged, [&] { ++changed; });
    ShowBoth();
    InCheckSettings(0, [&] {
        // The logged fields, none of the day totals.
        QStringList keys;
        for (int i = 0; i < Role(CheckRole::Store)->count(); ++i)
            keys << Role(CheckRole::Store)->itemData(i).toString();
        EXPECT_EQ(keys, (QStringList{"", "T1", "T2", "P", "V", "R1", "R2"}));
        // The defaults of a solar controller to begin with.
        EXPECT_EQ(Role(CheckRole::Collector)->currentData().toString(), QStringLiteral("T1"));
        EXPECT_EQ(Role(CheckRole::Flow)->currentData().toString(), QStringLiteral("V"));
        EXPECT_EQ(Edit("Stagnation")->text(), QStringLiteral("120"));
        Choose(Role(CheckRole::Collector), "T2");
        Choose(Role(CheckRole::Store), "");
        Choose(Role(CheckRole::Pump), "R2");
        TypeInto(Edit("Stagnation"), "112,5");
        TypeInto(Edit("NightMinutes"), "3");
        TypeInto(Edit("SensorLowest"), "-30.25");
        cc().OKBtn->click();
    });
    EXPECT_FALSE(dialog->CheckSettingsDialog().isVisible());
    // Nothing is written before the settings dialog's own OK.
    EXPECT_EQ(home.ReadIni(), QByteArray("[Main]\r\nLanguage=2\r\n"));

    // Opened again in the same showing: what was confirmed there.
    InCheckSettings(0, [&] {
        EXPECT_EQ(Role(CheckRole::Collector)->currentData().toString(), QStringLiteral("T2"));
        EXPECT_EQ(Edit("NightMinutes")->text(), QStringLiteral("3"));
        cc().CancelBtn->click();
    });
    InCheckSettings(1, [&] {
        EXPECT_EQ(Role(CheckRole::Collector)->currentData().toString(), QString());
        Choose(Role(CheckRole::Collector), "T3");
        TypeInto(Edit("StuckHours"), "36");
        cc().OKBtn->click();
    });
    c().OKBtn->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(changed, 1);

    AppSettings::Release();
    const AppSettings& stored = AppSettings::Get();
    DeviceRoles ten;
    ten.keys = {"T2", "", "R2", "V"};
    EXPECT_EQ(StoredRoles(stored, *solar), ten);
    CheckThresholds tenThresholds;
    tenThresholds.stagnation = 112.5;
    tenThresholds.nightMinutes = 3;
    tenThresholds.sensorLowest = -30.25;
    EXPECT_EQ(StoredThresholds(stored, 10), tenThresholds);
    DeviceRoles twentyOne;
    twentyOne.keys = {"T3", "", "", ""};
    EXPECT_EQ(StoredRoles(stored, *module), twentyOne);
    EXPECT_EQ(StoredThresholds(stored, 21).stuckHours, 36);
    EXPECT_EQ(StoredThresholds(stored, 21).stagnation, 120);
}

TEST_F(CheckSettingsDialog, CancelKeepsTheStoredOnes)
{
    const QByteArray before = "[Roles:10]\r\ncollector=T1\r\nstore=T2\r\npump=R1\r\nflow=\r\n"
                              "[Check:10]\r\nStagnation=115\r\n";
    home.WriteIni(before);
    int changed = 0;
    QObject::connect(dialog.get(), &TDialogSettings::CheckSettingsChanged, [&] { ++changed; });
    ShowBoth();
    InCheckSettings(0, [&] {
        EXPECT_EQ(Role(CheckRole::Flow)->currentData().toString(), QString());
        EXPECT_EQ(Edit("Stagnation")->text(), QStringLiteral("115"));
        Choose(Role(CheckRole::Flow), "V");
        TypeInto(Edit("Stagnation"), "99");
        cc().OKBtn->click();
    });
    c().CancelBtn->click();
    EXPECT_EQ(home.ReadIni(), before);
    EXPECT_EQ(changed, 0);

    // The next showing starts from the file again, and its OK writes nothing new.
    dialog->AddDeviceAndSelect(*solar);
    dialog->show();
    InCheckSettings(0, [&] {
        EXPECT_EQ(Edit("Stagnation")->text(), QStringLiteral("115"));
        EXPECT_EQ(Role(CheckRole::Flow)->currentData().toString(), QString());
        cc().CancelBtn->click();
    });
    c().OKBtn->click();
    EXPECT_EQ(changed, 0);
    AppSettings::Release();
    EXPECT_EQ(StoredThresholds(AppSettings::Get(), 10).stagnation, 115);
}

TEST_F(CheckSettingsDialog, AFailedWriteShowsText94AndKeepsTheDialog)
{
    home.WriteIni("");
    AppSettings::Get();
    ShowBoth();
    InCheckSettings(0, [&] {
        TypeInto(Edit("DeltaTHigh"), "45");
        cc().OKBtn->click();
    });
    // A folder where the file should be.
    QFile::remove(home.IniPath());
    QDir().mkpath(home.IniPath());
    c().OKBtn->click();
    ASSERT_EQ(doubles.prompts.calls.size(), 1u);
    EXPECT_EQ(doubles.prompts.calls[0].text, UiText(TextId::SettingsFileAccessFailed));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(solar->hasBackup());

    // Once the file can be written, the same OK keeps the edit.
    QDir(home.IniPath()).removeRecursively();
    c().OKBtn->click();
    EXPECT_FALSE(dialog->isVisible());
    AppSettings::Release();
    EXPECT_EQ(StoredThresholds(AppSettings::Get(), 10).deltaTHigh, 45);
}

TEST_F(CheckSettingsDialog, ThresholdsMustBeNumbersAndDefaultsComeBack)
{
    home.WriteIni("[Roles:10]\r\ncollector=T2\r\nstore=T1\r\npump=R2\r\nflow=P\r\n");
    ShowBoth();
    InCheckSettings(0, [&] {
        TypeInto(Edit("CyclingStarts"), "ten");
        Role(CheckRole::Collector)->setFocus(); // the user has moved on
        cc().OKBtn->click();
        ASSERT_EQ(doubles.prompts.calls.size(), 1u);
        EXPECT_EQ(doubles.prompts.calls[0].text, QStringLiteral("The thresholds must be numbers."));
        EXPECT_TRUE(dialog->CheckSettingsDialog().isVisible());
        // The field takes the focus of its dialog (hasFocus also needs the dialog to be the
        // active window, which the offscreen platform settles at its own pace).
        EXPECT_EQ(dialog->CheckSettingsDialog().focusWidget(), Edit("CyclingStarts"));

        cc().DefaultsBtn->click();
        EXPECT_EQ(Edit("CyclingStarts")->text(), QStringLiteral("10"));
        EXPECT_EQ(Role(CheckRole::Collector)->currentData().toString(), QStringLiteral("T1"));
        EXPECT_EQ(Role(CheckRole::Store)->currentData().toString(), QStringLiteral("T2"));
        EXPECT_EQ(Role(CheckRole::Flow)->currentData().toString(), QStringLiteral("V"));
        cc().OKBtn->click();
    });
    EXPECT_FALSE(dialog->CheckSettingsDialog().isVisible());
    c().OKBtn->click();
    AppSettings::Release();
    EXPECT_EQ(StoredRoles(AppSettings::Get(), *solar), DefaultRoles(*solar));
}

TEST_F(CheckSettingsDialog, AStoredKeyTheDeviceLacksStaysChosen)
{
    home.WriteIni("[Roles:21]\r\ncollector=T9\r\nstore=T3\r\n");
    ShowBoth();
    InCheckSettings(1, [&] {
        EXPECT_EQ(Role(CheckRole::Collector)->currentData().toString(), QStringLiteral("T9"));
        EXPECT_EQ(Role(CheckRole::Store)->currentData().toString(), QStringLiteral("T3"));
        EXPECT_EQ(Role(CheckRole::Pump)->currentData().toString(), QString());
        cc().OKBtn->click();
    });
    c().OKBtn->click();
    AppSettings::Release();
    EXPECT_EQ(StoredRoles(AppSettings::Get(), *module).key(CheckRole::Collector), "T9");
}

} // namespace
} // namespace korvex::test
