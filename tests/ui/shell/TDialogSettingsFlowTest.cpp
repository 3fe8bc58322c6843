// The settings command of an analysis window with the real dialog: edit, apply, and keep the
// settings in the settings file only when the user agrees.

#include "tests/ui/doubles/UiTestSupport.h"
#include "tests/ui/shell/OpenTestSupport.h"
#include "tests/ui/shell/TDialogSettingsTestSupport.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/services/AppSettings.h"
#include "core/services/Errors.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/UiText.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include <functional>

namespace korvex::test {
namespace {

class SettingsDialogFlow : public SettingsDialogFixture {
protected:
    void SetUp() override
    {
        SettingsDialogFixture::SetUp();
        TChildform::SetSettingsEditor(dialog.get());
        window = std::make_unique<TChildform>();
        Load({1, 2});
    }
    void TearDown() override
    {
        TChildform::SetSettingsEditor(nullptr);
        window.reset();
        SettingsDialogFixture::TearDown();
    }

    void Load(const std::vector<int>& devices) { Load(devices, *window); }

    // One day of every device, loaded as the open dialog does.
    void Load(const std::vector<int>& devices, TChildform& into)
    {
        TChildform* window = &into;
        const QDate day(2010, 5, 1);
        const QString dir = logs.path();
        std::vector<std::string> numbers;
        std::vector<std::string> files;
        for (int device : devices) {
            WriteDays(dir, device, day, day);
            numbers.push_back(
                QStringLiteral("%1").arg(device, 2, 10, QLatin1Char('0')).toStdString());
            files.push_back((dir + "/" + LogName(device, day)).toStdString());
        }
        const DayTime start = EncodeDate(2010, 5, 1);
        window->BeginAnalysis(static_cast<int>(files.size()), numbers, start, start);
        for (const std::string& file : files)
            window->AddLogFile(file);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            window->BuildDeviceView(static_cast<int>(i));
        window->FinishAnalysis();
    }

    DeviceSettings& Device(int i) { return *window->State().DataSet(i)->deviceSettings(); }

    // While the dialog is open: label T1 of the second device, fixed axis 0..90, then OK or Cancel.
    void EditThenPress(QPushButton* button, std::function<void()> first = {})
    {
        WhenVisible(dialog.get(), [this, button, first] {
            if (first)
                first();
            Select(1, "T1");
            TypeInto(c().EditLabel, "Roof");
            c().RadioAxisFixed->click();
            TypeInto(c().EditYMin, "0");
            TypeInto(c().EditYMax, "90");
            button->click();
        });
    }

    TempSettingsHome home;
    QTemporaryDir logs;
    std::unique_ptr<TChildform> window;
};

TEST_F(SettingsDialogFlow, YesAppliesAndKeepsTheSettingsForFutureAnalyses)
{
    // The second tab is the selected one: its device is selected, the order stays.
    window->Widgets().tabSetDevices->setCurrentIndex(1);
    DeviceSettings* selected = nullptr;
    EditThenPress(c().OKBtn, [&] { selected = dialog->CurrentDevice(); });
    doubles.prompts.answers.push_back(PromptAnswer::Yes);

    window->ActionOpenSettingsExecute();

    EXPECT_EQ(selected, &Device(1));
    EXPECT_EQ(Device(1).label(Device(1).find("T1")), "Roof");
    EXPECT_EQ(window->State().defaults.axisMax, 90);
    EXPECT_FALSE(window->State().defaults.dynamicScaling);
    ASSERT_EQ(doubles.prompts.calls.size(), 1u);
    const FakePrompts::Call& question = doubles.prompts.calls[0];
    EXPECT_EQ(question.caption, UiText(TextId::CaptionQuestion) + ":");
    EXPECT_EQ(question.text, UiText(TextId::SettingsAdoptedSaveToo));
    EXPECT_EQ(question.icon, PromptIcon::Question);
    EXPECT_EQ(question.buttons, PromptButtons::YesNo);

    AppSettings::Release();
    AppSettings& settings = AppSettings::Get();
    EXPECT_EQ(settings.childDefaults().axisMin, 0);
    EXPECT_EQ(settings.childDefaults().axisMax, 90);
    EXPECT_FALSE(settings.childDefaults().dynamicScaling);
    EXPECT_EQ(settings.readLabel(2, "T1[°C]", ""), "Roof");
    EXPECT_EQ(settings.readLabel(1, "T1[°C]", ""), "T1");
    EXPECT_EQ(settings.file().readInteger("Dev:1", "LineWidth", 0), 2);
    EXPECT_EQ(settings.file().readInteger("Dev:2", "LineWidth", 0), 2);
}

// Line width and styles kept for the future come back when the device is analysed again; a
// device saved with its defaults keeps them.
TEST_F(SettingsDialogFlow, LineWidthAndStylesComeBackInTheNextAnalysis)
{
    WhenVisible(dialog.get(), [this] {
        Select(0, "T1");
        TypeInto(c().EditLineWidth, "5");
        c().RadioOthersUseLines->click();
        c().RadioOutputsUseBars->click();
        c().OKBtn->click();
    });
    doubles.prompts.answers.push_back(PromptAnswer::Yes);
    window->ActionOpenSettingsExecute();
    ASSERT_EQ(Device(0).lineWidth(), 5u);
    window.reset();

    AppSettings::Release();
    TChildform next;
    Load({1, 2}, next);
    const AnalysisDataSet& first = *next.State().DataSet(0);
    const AnalysisDataSet& second = *next.State().DataSet(1);
    const DeviceSettings& saved = *first.deviceSettings();
    EXPECT_EQ(saved.lineWidth(), 5u);
    EXPECT_FALSE(saved.othersAsBars());
    EXPECT_TRUE(saved.outputsAsBars());
    EXPECT_EQ(first.series(saved.find("T1"))->penWidth(), 5);
    EXPECT_EQ(first.series(saved.find("R1"))->seriesClass(), SeriesClass::OffsetArea);

    const DeviceSettings& other = *second.deviceSettings();
    EXPECT_EQ(other.lineWidth(), 2u);
    EXPECT_TRUE(other.othersAsBars());
    EXPECT_FALSE(other.outputsAsBars());
    EXPECT_EQ(second.series(other.find("T1"))->penWidth(), 2);
    EXPECT_EQ(second.series(other.find("R1"))->seriesClass(), SeriesClass::OffsetLine);
}

TEST_F(SettingsDialogFlow, NoKeepsTheSettingsInTheWindowOnly)
{
    AppSettings::Get();
    const QByteArray before = home.ReadIni();
    EditThenPress(c().OKBtn);
    doubles.prompts.answers.push_back(PromptAnswer::No);

    window->ActionOpenSettingsExecute();

    EXPECT_EQ(Device(1).label(Device(1).find("T1")), "Roof");
    EXPECT_EQ(window->State().defaults.axisMax, 90);
    EXPECT_EQ(doubles.prompts.calls.size(), 1u);
    EXPECT_EQ(home.ReadIni(), before);
}

TEST_F(SettingsDialogFlow, CancelChangesNothingAndAsksNothing)
{
    const ChildDefaults before = window->State().defaults;
    EditThenPress(c().CancelBtn);

    window->ActionOpenSettingsExecute();

    EXPECT_EQ(Device(1).label(Device(1).find("T1")), "T1");
    EXPECT_EQ(window->State().defaults.axisMax, before.axisMax);
    EXPECT_TRUE(doubles.prompts.calls.empty());
}

TEST_F(SettingsDialogFlow, UnavailableSettingsFileStillAppliesThenRaisesText94)
{
    home.MakeUnavailable();
    AppSettings::Release();
    EditThenPress(c().OKBtn);

    try {
        window->ActionOpenSettingsExecute();
        FAIL() << "no settings-file error";
    } catch (const SettingsFileError& error) {
        EXPECT_EQ(std::string(error.what()), Text(TextId::SettingsFileAccessFailed));
    }
    EXPECT_EQ(window->State().defaults.axisMax, 90);
    EXPECT_EQ(window->Widgets().chart->LeftAxis().Maximum(), 90);
    EXPECT_EQ(Device(1).label(Device(1).find("T1")), "Roof");
    EXPECT_TRUE(doubles.prompts.calls.empty());
}

} // namespace
} // namespace korvex::test
