// The analysis window: its empty state, the loading operations, caption and language, tabs,
// chart settings, the settings command and what closing writes.

#include "tests/ui/doubles/PlatformDoubles.h"
#include "tests/ui/doubles/UiTestSupport.h"
#include "tests/ui/shell/OpenTestSupport.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/services/AppSettings.h"
#include "core/services/Errors.h"
#include "ui/analysis/parts/ChildGraphs.h"
#include "ui/analysis/parts/ChildNavigation.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/analysis/widgets/THeaderControl.h"
#include "ui/analysis/widgets/TXPButton.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/UiText.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QTabBar>

#include <gtest/gtest.h>

namespace korvex::test {
namespace {

DayTime Day(int y, int m, int d)
{
    return EncodeDate(y, m, d);
}

class Childform : public ::testing::Test {
protected:
    Childform()
    {
        dir = logs.path() + QStringLiteral("/logs");
    }
    ~Childform() override { delete window; }

    TChildform& Window()
    {
        if (!window)
            window = new TChildform;
        return *window;
    }

    // Loads days first..last of every device into the window, as the open dialog does.
    void Load(const std::vector<int>& devices, const QDate& first, const QDate& last)
    {
        std::vector<std::string> numbers;
        std::vector<std::pair<std::size_t, std::string>> files;
        for (int device : devices) {
            WriteDays(dir, device, first, last);
            numbers.push_back(
                QStringLiteral("%1").arg(device, 2, 10, QLatin1Char('0')).toStdString());
            for (QDate d = first; d <= last; d = d.addDays(1))
                files.emplace_back(numbers.size() - 1,
                                   (dir + "/" + LogName(device, d)).toStdString());
        }
        TChildform& w = Window();
        w.BeginAnalysis(static_cast<int>(files.size()), numbers,
                        Day(first.year(), first.month(), first.day()),
                        Day(last.year(), last.month(), last.day()));
        for (const auto& file : files)
            w.AddLogFile(file.second);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            w.BuildDeviceView(static_cast<int>(i));
        w.FinishAnalysis();
    }

    const ChildWidgets& W() { return Window().Widgets(); }

    PrivateHome home;
    PlatformDoubles doubles;
    QTemporaryDir logs;
    QString dir;
    TChildform* window = nullptr;
};

TEST_F(Childform, StartsEmpty)
{
    TChildform& w = Window();
    EXPECT_EQ(w.windowTitle(), UiText(TextId::MenuNew));
    EXPECT_FALSE(W().sliderTime->isEnabled());
    EXPECT_EQ(W().sliderTime->maximum(), 0);
    EXPECT_EQ(W().spanTime->currentIndex(), 3);
    EXPECT_EQ(W().spanTime->count(), 7);
    EXPECT_FALSE(W().actionOpenExcel->isEnabled());
    EXPECT_FALSE(w.HasGraphs());
    EXPECT_EQ(W().tabSetDevices->count(), 0);
    EXPECT_EQ(W().headerControl->SectionCount(), 3);
    EXPECT_EQ(W().headerControl->SectionWidth(0), 130);
    EXPECT_EQ(W().panelLeft->minimumHeight(), 415);
    EXPECT_EQ(W().labelHeadline->text(), UiText(TextId::SelectableMeasuredValue) + ":");
    EXPECT_EQ(W().actionOpenExcel->text(), UiText(TextId::OpenInExcel));
    EXPECT_EQ(W().buttonSettings->text(), UiText(TextId::MenuSettings));

    // Stored chart values replace the design range of the upper chart.
    const ChildDefaults defaults = AppSettings::Get().childDefaults();
    EXPECT_EQ(w.State().defaults, defaults);
    EXPECT_EQ(W().chart->LeftAxis().Minimum(), defaults.axisMin);
    EXPECT_EQ(W().chart->LeftAxis().Maximum(), defaults.axisMax);

    // Today is shown as one day on both charts.
    const DayTime today = static_cast<DayTime>(QDate(1899, 12, 30).daysTo(QDate::currentDate()));
    for (ChartWidget* c : {W().chart, W().chart2}) {
        EXPECT_EQ(c->BottomAxis().Minimum(), today);
        EXPECT_EQ(c->BottomAxis().Maximum(), today + 1);
        EXPECT_EQ(c->BottomAxis().DateTimeFormat(), QStringLiteral("hh:mm"));
    }
}

TEST_F(Childform, HighResolutionScreensGetATallerGraphColumn)
{
    doubles.desktop.pixelsPerInch = 144;
    EXPECT_EQ(Window().Widgets().panelLeft->minimumHeight(), 518);
}

TEST_F(Childform, CaptionNamesThePeriodAndFollowsTheLanguage)
{
    Load({1}, QDate(2010, 5, 1), QDate(2010, 5, 31));
    EXPECT_EQ(Window().windowTitle(),
              QStringLiteral("Analysis from 01.05.2010 to 31.05.2010. (31 files found)"));

    SelectTextBlock(BlockGerman);
    Window().ApplyLanguage();
    EXPECT_EQ(Window().windowTitle(), UiText(TextId::TitleAnalysisFromRange) + "01.05.2010" +
                                          UiText(TextId::TitleTo) + "31.05.2010" +
                                          UiText(TextId::TitleFileCountOpen) + "31" +
                                          UiText(TextId::TitleFilesFound));
    EXPECT_EQ(W().labelDisplayedTimeSpan->text(), UiText(TextId::DisplayedTimeWindow) + ":");
    EXPECT_EQ(W().labelSelectTimeSpan->text(), UiText(TextId::ImageScrollBar) + ":");
    EXPECT_EQ(W().actionOpenSettings->text(), UiText(TextId::MenuSettings));
    EXPECT_EQ(W().spanTime->itemText(6), UiText(TextId::SpanOneYear));
    EXPECT_EQ(W().spanTime->currentIndex(), 3);

    // Only a start date: "Analysis from <date>."
    Window().SetCaptionPeriod(Window().State().dateFromText, std::string(),
                              Window().State().fileCount);
    EXPECT_EQ(Window().windowTitle(), UiText(TextId::TitleAnalysisFromDay) + "01.05.2010.");
}

TEST_F(Childform, FinishingShowsTheFirstDayOfASingleDevice)
{
    // Month names follow the desktop's locale; the title is checked with English ones.
    W().chart->SetMonthNames(MonthNames::English());
    Load({1}, QDate(2010, 5, 3), QDate(2010, 5, 6));
    const ChildState& s = Window().State();

    EXPECT_EQ(Window().Navigation().Range().start, Day(2010, 5, 3));
    EXPECT_EQ(Window().Navigation().Range().end, Day(2010, 5, 7));
    EXPECT_EQ(s.dayList.front().first, "20100503");
    EXPECT_EQ(s.dayNumbers.size(), 4u);
    EXPECT_EQ(Window().Graphs().Selection().Current(), s.DataSet(0));
    EXPECT_EQ(W().chart->BottomAxis().Minimum(), Day(2010, 5, 3));
    EXPECT_EQ(W().chart2->BottomAxis().Maximum(), Day(2010, 5, 4));
    EXPECT_TRUE(W().sliderTime->isEnabled());
    EXPECT_EQ(W().sliderTime->maximum(), 3);
    EXPECT_EQ(W().spanTime->currentIndex(), 3);
    EXPECT_EQ(W().chart->TitleLines(), QStringList{QStringLiteral("03. May 2010")});
    EXPECT_TRUE(W().actionOpenExcel->isEnabled());

    // One device: no tabs, no overview column, and the column narrower by its width.
    EXPECT_EQ(W().tabSetDevices->count(), 0);
    EXPECT_EQ(W().headerControl->SectionCount(), 2);
    EXPECT_EQ(W().headerControl->SectionMinWidth(1), 18);
    EXPECT_EQ(W().headerControl->SectionCaption(1), QString());
    // (never below the width its heading needs)
    EXPECT_EQ(Window().PanelLeftWidth(), std::max(209 - 36, W().labelHeadline->width() + 5));
}

TEST_F(Childform, SeveralDevicesGetTabsAndTheOverview)
{
    Load({1, 2}, QDate(2010, 5, 1), QDate(2010, 5, 2));
    QTabBar& tabs = *W().tabSetDevices;

    ASSERT_EQ(tabs.count(), 3);
    EXPECT_EQ(tabs.tabText(0), QStringLiteral("BusID 1"));
    EXPECT_EQ(tabs.tabText(1), QStringLiteral("BusID 2"));
    EXPECT_EQ(tabs.tabText(2), UiText(TextId::Overview));
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(W().headerControl->SectionCount(), 3);
    // 209 at the columns' first widths, wider as far as their captions and names need.
    const THeaderControl& header = *W().headerControl;
    EXPECT_GE(Window().PanelLeftWidth(), 209);
    EXPECT_GE(header.SectionWidth(1), header.CaptionFitWidth(1));
    EXPECT_GE(header.SectionWidth(2), header.CaptionFitWidth(2));
    EXPECT_EQ(Window().PanelLeftWidth() - 209, header.SectionsTotal() - (130 + 36 + 36));

    // The spreadsheet action needs a device tab and a span of a day or less.
    EXPECT_TRUE(W().actionOpenExcel->isEnabled());
    tabs.setCurrentIndex(2);
    Window().UpdateExcelAction();
    EXPECT_FALSE(W().actionOpenExcel->isEnabled());
    tabs.setCurrentIndex(1);
    Window().UpdateExcelAction();
    EXPECT_TRUE(W().actionOpenExcel->isEnabled());
    W().spanTime->setCurrentIndex(4);
    Window().UpdateExcelAction();
    EXPECT_FALSE(W().actionOpenExcel->isEnabled());
    Window().UpdateExcelAction(true, true);
    EXPECT_TRUE(W().actionOpenExcel->isEnabled());

    // A language switch keeps the selected tab and renames the overview tab.
    SelectTextBlock(BlockFrench);
    Window().ApplyLanguage();
    Window().ApplyLanguage();
    EXPECT_EQ(tabs.currentIndex(), 1);
    EXPECT_EQ(tabs.tabText(2), UiText(TextId::Overview));
}

TEST_F(Childform, AxisPlaceholdersDoNotCountAsGraphs)
{
    Load({1}, QDate(2010, 5, 1), QDate(2010, 5, 1));
    ChildGraphs* graphs = &Window().Graphs();
    AnalysisDataSet& set = *Window().State().DataSet(0);
    for (int i = 0; i < set.slotCount(); ++i)
        graphs->HideField(set, i);
    EXPECT_FALSE(Window().HasGraphs());

    // Only the output: the upper chart holds a placeholder, which is no graph of its own.
    const int output = set.deviceSettings()->find("R1");
    ASSERT_GE(output, 0);
    ASSERT_TRUE(graphs->ShowField(set, output));
    EXPECT_TRUE(Window().Graphs().PlaceholdersOn()[0]);
    EXPECT_TRUE(Window().HasGraphs());
    graphs->HideField(set, output);
    EXPECT_FALSE(Window().HasGraphs());
}

TEST_F(Childform, FilesOfUnknownDevicesAndEmptyAnalysesFail)
{
    WriteDays(dir, 3, QDate(2010, 5, 1), QDate(2010, 5, 1));
    const std::string path = (dir + "/" + LogName(3, QDate(2010, 5, 1))).toStdString();
    TChildform& w = Window();
    w.BeginAnalysis(1, {"01"}, Day(2010, 5, 1), Day(2010, 5, 1));
    try {
        w.AddLogFile(path);
        FAIL() << "a file of device 03 was taken by device 01";
    } catch (const KorvexError& e) {
        EXPECT_EQ(std::string(e.what()), Text(TextId::LogFileNotAssigned) + "\n(" + path + ")");
    }
    try {
        w.FinishAnalysis();
        FAIL() << "an analysis without days was finished";
    } catch (const KorvexError& e) {
        EXPECT_EQ(std::string(e.what()), Text(TextId::NoFileToOpen));
    }
}

TEST_F(Childform, ResetEmptiesTheWindowForGood)
{
    Load({1, 2}, QDate(2010, 5, 1), QDate(2010, 5, 2));
    Window().ResetAnalysis();

    const ChildState& s = Window().State();
    EXPECT_EQ(Window().windowTitle(), UiText(TextId::MenuNew));
    EXPECT_TRUE(s.dataSets.empty());
    EXPECT_TRUE(s.deviceNumbers.empty());
    EXPECT_TRUE(s.dayList.empty());
    EXPECT_EQ(Window().Graphs().Selection().Current(), nullptr);
    EXPECT_EQ(W().tabSetDevices->count(), 0);
    EXPECT_TRUE(W().chart->TitleLines().isEmpty());
    EXPECT_FALSE(W().actionOpenExcel->isEnabled());

    // A later relabel does not bring the discarded period back.
    Window().ApplyLanguage();
    EXPECT_EQ(Window().windowTitle(), UiText(TextId::MenuNew));

    // The window can take a new analysis afterwards.
    Load({1}, QDate(2010, 6, 1), QDate(2010, 6, 1));
    EXPECT_EQ(Window().State().dayList.size(), 1u);
}

TEST_F(Childform, ChartSettingsOrderTheAxisAndWidenTheGraphColumn)
{
    TChildform& w = Window();
    ChildDefaults values;
    values.axisMin = 100;
    values.axisMax = 20;
    values.headerWidth0 = 200;
    values.headerWidth1 = 50;
    values.headerWidth2 = 500; // above the section's maximum of 300
    w.ApplyChartSettings(values);

    EXPECT_EQ(w.State().defaults.axisMin, 20);
    EXPECT_EQ(w.State().defaults.axisMax, 100);
    EXPECT_EQ(W().chart->LeftAxis().Minimum(), 20);
    EXPECT_EQ(W().chart->LeftAxis().Maximum(), 100);
    EXPECT_EQ(W().headerControl->SectionWidth(2), 300);
    // The column grows by what the header grew: 2 + 200 + 50 + 300 against 2 + 130 + 36 + 36.
    EXPECT_EQ(w.PanelLeftWidth(), 209 + (552 - 204));
    EXPECT_EQ(w.HeaderControlWidth(), 2 + W().headerControl->SectionsTotal());
}

TEST_F(Childform, ClosingStoresHeaderWidthsOnlyAfterTheUserResizedThem)
{
    const ChildDefaults before = AppSettings::Get().childDefaults();
    {
        QPointer<TChildform> w = new TChildform;
        ChildDefaults own = before;
        own.axisMin = 5;
        own.axisMax = 50;
        w->ApplyChartSettings(own);
        EXPECT_TRUE(w->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(w.isNull());
    }
    EXPECT_EQ(AppSettings::Get().childDefaults(), before);

    QPointer<TChildform> w = new TChildform;
    ChildDefaults own = before;
    own.axisMin = 5;
    w->ApplyChartSettings(own);
    // A drag of the first column's border, as the header reports it.
    w->Widgets().headerControl->resizeSection(0, 180);
    EXPECT_TRUE(w->Graphs().HeaderWidthsChanged());
    EXPECT_TRUE(w->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    AppSettings::Release();
    const ChildDefaults stored = AppSettings::Get().childDefaults();
    EXPECT_EQ(stored.headerWidth0, 180);
    EXPECT_EQ(stored.headerWidth1, before.headerWidth1);
    // The window's own axis values are not stored on closing.
    EXPECT_EQ(stored.axisMin, before.axisMin);
}

class FakeSettingsEditor final : public ChildSettingsEditor {
public:
    bool EditSettings(ChildDefaults& defaults, DeviceSettings* current,
                      const std::vector<DeviceSettings*>& further) override
    {
        ++calls;
        received = defaults;
        currentDevice = current;
        devices = further;
        if (!confirm)
            return false;
        defaults.axisMin = 0;
        defaults.axisMax = 80;
        defaults.dynamicScaling = false; // the fixed range stays on the axis
        return true;
    }
    bool confirm = true;
    int calls = 0;
    ChildDefaults received;
    DeviceSettings* currentDevice = nullptr;
    std::vector<DeviceSettings*> devices;
};

TEST_F(Childform, SettingsCommandHandsTheDevicesToTheEditorAndAppliesOk)
{
    FakeSettingsEditor editor;
    TChildform::SetSettingsEditor(&editor);
    Load({1, 2}, QDate(2010, 5, 1), QDate(2010, 5, 1));
    W().headerControl->SetSectionWidth(0, 150);

    editor.confirm = false;
    Window().ActionOpenSettingsExecute();
    EXPECT_EQ(editor.calls, 1);
    EXPECT_EQ(editor.received.headerWidth0, 150);
    ASSERT_EQ(editor.devices.size(), 2u);
    EXPECT_EQ(editor.devices[0], Window().State().DataSet(0)->deviceSettings());
    EXPECT_EQ(editor.currentDevice, editor.devices[0]);
    EXPECT_TRUE(doubles.prompts.calls.empty());
    EXPECT_NE(W().chart->LeftAxis().Maximum(), 80);

    editor.confirm = true;
    doubles.prompts.answers.push_back(PromptAnswer::No);
    Window().ActionOpenSettingsExecute();
    EXPECT_EQ(W().chart->LeftAxis().Minimum(), 0);
    EXPECT_EQ(W().chart->LeftAxis().Maximum(), 80);
    ASSERT_EQ(doubles.prompts.calls.size(), 1u);
    EXPECT_EQ(doubles.prompts.calls[0].text, UiText(TextId::SettingsAdoptedSaveToo));
    // Answered No: nothing written.
    EXPECT_NE(AppSettings::Get().childDefaults().axisMax, 80);

    TChildform::SetSettingsEditor(nullptr);
}

TEST_F(Childform, SettingsCommandOnANewWindowEditsTheChartValuesOnly)
{
    FakeSettingsEditor editor;
    editor.confirm = false;
    TChildform::SetSettingsEditor(&editor);
    Window().ActionOpenSettingsExecute();
    EXPECT_EQ(editor.calls, 1);
    EXPECT_TRUE(editor.devices.empty());
    EXPECT_EQ(editor.currentDevice, nullptr);
    TChildform::SetSettingsEditor(nullptr);
}

TEST_F(Childform, ExtraHeightGoesToTheButtonAreaBeyondTheListMaximum)
{
    TChildform& w = Window();
    w.resize(847, 1300);
    w.show();
    ASSERT_TRUE(WaitUntil([&] { return W().panelLeft->height() > 1000; }));
    w.PanelLeftResize();
    EXPECT_EQ(W().panelLeftBottom->height(), W().panelLeft->height() - 25 - 750);

    w.resize(847, 560);
    ASSERT_TRUE(WaitUntil([&] { return W().panelLeft->height() < 1000; }));
    w.PanelLeftResize();
    EXPECT_EQ(W().panelLeftBottom->height(), 70);
}

TEST(ChildControls, HeaderSectionsKeepTheirLimits)
{
    THeaderControl header;
    header.AddSection(130, 72, 300);
    header.AddSection(36, 36, 300);
    int resized = -1;
    QObject::connect(&header, &THeaderControl::SectionResize, [&](int s) { resized = s; });

    header.SetSectionWidth(0, 10);
    EXPECT_EQ(header.SectionWidth(0), 72);
    EXPECT_EQ(resized, -1); // set by the program: no resize event

    header.resizeSection(1, 400); // as a drag does it
    EXPECT_EQ(header.SectionWidth(1), 300);
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(header.SectionsTotal(), 372);
    EXPECT_EQ(header.SectionAt(50), 0);
    EXPECT_EQ(header.SectionAt(100), 1);
    EXPECT_EQ(header.SectionAt(1000), -1);

    header.DeleteSection(1);
    EXPECT_EQ(header.SectionCount(), 1);
}

TEST(ChildControls, DisabledButtonImageIsAGreyCopyTransparentAtTheCornerColour)
{
    QImage image(2, 2, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgb(30, 60, 90));
    image.setPixel(1, 0, qRgb(255, 255, 255));
    image.setPixel(0, 1, qRgb(0, 0, 0));
    image.setPixel(1, 1, qRgb(255, 0, 255));

    const QImage grey = GreyButtonImage(image);
    EXPECT_EQ(grey.pixel(0, 0), qRgb(126, 126, 126)); // 180 / 3 / 2 + 96
    EXPECT_EQ(grey.pixel(1, 0), qRgb(223, 223, 223)); // 765 / 3 / 2 + 96
    EXPECT_EQ(grey.pixel(0, 1), qRgb(96, 96, 96));

    const QImage clear = TransparentByCorner(image);
    EXPECT_EQ(qAlpha(clear.pixel(1, 1)), 0);
    EXPECT_EQ(qAlpha(clear.pixel(0, 0)), 255);

    // The pictures of the navigation buttons are transparent around their arrows.
    for (int i = 0; i < 4; ++i) {
        const QImage picture = TransparentByCorner(NavigationButtonImage(i));
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
        int opaque = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                opaque += qAlpha(picture.pixel(x, y)) == 255;
        EXPECT_GT(opaque, 10) << "picture " << i;
    }
}

} // namespace
} // namespace korvex::test
