// What must stay readable in an analysis window: the graph list's column headers, the charts
// beside a shown statistics panel in a low window, the panel's remembered height, and the day a
// dragged slider will show.

#include "tests/ui/analysis/ChildNavigationTestSupport.h"

#include "core/services/AppSettings.h"
#include "ui/analysis/widgets/ChartSplitter.h"
#include "ui/analysis/parts/ReadingParts.h"
#include "ui/analysis/parts/StatisticsPanel.h"
#include "ui/analysis/widgets/TGraphPanel.h"
#include "ui/analysis/widgets/THeaderControl.h"
#include "ui/platform/UiText.h"

#include <QDir>
#include <QFile>
#include <QSplitter>
#include <QSplitterHandle>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>

#include <gtest/gtest.h>

namespace korvex::test {
namespace {

void SendMouse(QWidget* target, QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Drags a widget with the left button from one point to another, through its own handlers.
void Drag(QWidget* target, const QPoint& from, const QPoint& to)
{
    SendMouse(target, QEvent::MouseButtonPress, from, Qt::LeftButton);
    SendMouse(target, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    SendMouse(target, QEvent::MouseMove, to, Qt::LeftButton);
    SendMouse(target, QEvent::MouseButtonRelease, to, Qt::NoButton);
    QApplication::processEvents();
}

TEST(ChartSplitterHeights, ThePanelGivesWayBeforeTheCharts)
{
    const ChartHeights minimum{95, 95};
    EXPECT_EQ(PanelHeight(600, 130, 50, minimum), 130);    // room enough
    EXPECT_EQ(PanelHeight(300, 130, 50, minimum), 110);    // the charts keep their minimums
    EXPECT_EQ(PanelHeight(240, 130, 50, minimum), 50);     // down to its own minimum
    EXPECT_EQ(PanelHeight(100, 130, 50, minimum), 50);     // never below
    EXPECT_EQ(PanelHeight(600, 20, 50, minimum), 50);      // a remembered height below it
    EXPECT_EQ(PanelHeight(190 + 77, 77, 77, minimum), 77); // exactly
}

class StatisticsLayout : public GraphWindow {
protected:
    void ShowStatistics()
    {
        ReadingOptions options;
        options.statistics = true;
        Window().Reading().Apply(options);
        QApplication::processEvents();
        QApplication::processEvents();
    }
    QSplitter& Splitter() { return *W().splitterChart; }
    QWidget* Panel() { return Splitter().widget(2); }
};

// Three windows tiled one above the other leave each at its minimum height.
TEST_F(StatisticsLayout, ChartsKeepTheirMinimumBesideTheShownPanel)
{
    Load({10}, QDate(2010, 5, 1), QDate(2010, 5, 3));
    ShowStatistics();
    ASSERT_EQ(Splitter().count(), 3);
    ASSERT_TRUE(Panel()->isVisible());
    for (int height : {Window().minimumHeight(), Window().minimumHeight() + 40, 700}) {
        Window().resize(1000, height);
        QApplication::processEvents();
        EXPECT_GE(W().chart->height(), W().chart->minimumHeight()) << height;
        EXPECT_GE(W().chart2->height(), W().chart2->minimumHeight()) << height;
        EXPECT_GE(Panel()->height(), Panel()->minimumHeight()) << height;
        // Nothing drawn over another: the panel starts below the lower chart.
        EXPECT_LE(W().chart2->geometry().bottom(), Panel()->geometry().top()) << height;
        EXPECT_LE(W().chart->geometry().bottom(), W().chart2->geometry().top()) << height;
    }
    // At the full height the panel has its preferred height and the upper chart the rest.
    EXPECT_EQ(Panel()->height(), ChartSplitter::kDefaultPanelHeight);
    EXPECT_GT(W().chart->height(), W().chart2->height());
}

TEST_F(StatisticsLayout, PanelHeightIsDraggedAndRemembered)
{
    Load({10}, QDate(2010, 5, 1), QDate(2010, 5, 3));
    Window().resize(1000, 760);
    ShowStatistics();
    const int before = Panel()->height();
    QSplitterHandle* handle = Splitter().handle(2);
    const QPoint middle(handle->width() / 2, handle->height() / 2);
    Drag(handle, middle, middle - QPoint(0, 70));
    EXPECT_NEAR(Panel()->height(), before + 70, 2);
    const int dragged = Panel()->height();
    EXPECT_NE(home.ReadIni().indexOf("StatisticsHeight=" + QByteArray::number(dragged)), -1)
        << home.ReadIni().toStdString();
    EXPECT_TRUE(doubles.prompts.calls.empty());

    // The chart handle's drags leave the panel's height as it is.
    QSplitterHandle* charts = Splitter().handle(1);
    Drag(charts, QPoint(charts->width() / 2, 1), QPoint(charts->width() / 2, -30));
    EXPECT_EQ(Panel()->height(), dragged);

    // The next window starts with it.
    TChildform second;
    second.resize(1000, 760);
    second.show();
    ReadingOptions options;
    options.statistics = true;
    second.Reading().Apply(options);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(second.Widgets().splitterChart->widget(2)->height(), dragged);
}

TEST_F(StatisticsLayout, AFailedWriteOfTheHeightSaysSo)
{
    Load({10}, QDate(2010, 5, 1), QDate(2010, 5, 2));
    Window().resize(1000, 760);
    ShowStatistics();
    // The settings folder becomes a file: no write can replace the settings file now.
    const QString folder = QFileInfo(home.IniPath()).absolutePath();
    QDir(folder).removeRecursively();
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const std::size_t before = doubles.prompts.calls.size();
    QSplitterHandle* handle = Splitter().handle(2);
    const QPoint middle(handle->width() / 2, handle->height() / 2);
    Drag(handle, middle, middle - QPoint(0, 40));
    ASSERT_EQ(doubles.prompts.calls.size(), before + 1);
    EXPECT_EQ(doubles.prompts.calls.back().text, UiText(TextId::SettingsFileAccessFailed));
}

// German captions and names are longer than the columns' first widths.
TEST_F(StatisticsLayout, GraphListColumnsAreAsWideAsTheirTexts)
{
    SelectTextBlock(BlockGerman);
    Load({10, 30}, QDate(2010, 5, 1), QDate(2010, 5, 2));
    const THeaderControl& header = *W().headerControl;
    ASSERT_EQ(header.SectionCount(), 3);
    EXPECT_FALSE(header.SectionCaption(1).isEmpty());
    EXPECT_EQ(header.SectionCaption(2), UiText(TextId::OverviewDisplay));
    const QFontMetrics metrics(header.font());
    for (int i = 1; i < 3; ++i) {
        EXPECT_GE(header.SectionWidth(i), header.CaptionFitWidth(i)) << i;
        EXPECT_GT(header.SectionWidth(i), metrics.horizontalAdvance(header.SectionCaption(i)))
            << header.SectionCaption(i).toStdString();
    }
    // No name in the device's list is cut, and the rows' boxes follow the wider columns.
    for (TGraphPanel* row : GraphRowsOf(List(0)->widget())) {
        EXPECT_GE(row->NameLabel()->width(), row->NameLabel()->CaptionWidth())
            << row->NameLabel()->text().toStdString();
        EXPECT_GE(row->ShowBox()->x(), header.SectionLeft(1));
        EXPECT_LE(row->ShowBox()->x() + row->ShowBox()->width() / 2, header.SectionLeft(2));
    }
    // The panel is as wide as the columns.
    EXPECT_GE(W().panelLeft->width(), header.SectionsTotal());
    SelectTextBlock(BlockEnglish);
}

using SliderDrag = NavigationWindow;

TEST_F(SliderDrag, TheTargetDayShowsWhileDraggingAndTheChartsMoveOnRelease)
{
    std::vector<std::pair<int, QDate>> files;
    for (QDate d(2010, 5, 1); d <= QDate(2010, 6, 9); d = d.addDays(1))
        if (d.day() % 3 != 0) // gaps: the slider counts days with data
            files.emplace_back(10, d);
    Load(files, QDate(2010, 5, 1), QDate(2010, 6, 9));
    ASSERT_EQ(W().spanTime->currentIndex(), 3);
    const DayTime start = Start();

    QSlider* slider = W().sliderTime;
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = Qt::Horizontal;
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = option.sliderValue = slider->value();
    option.tickPosition = slider->tickPosition();
    const QRect handle = slider->style()->subControlRect(QStyle::CC_Slider, &option,
                                                         QStyle::SC_SliderHandle, slider);
    const QPoint grab = handle.center();
    SendMouse(slider, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    ASSERT_TRUE(slider->isSliderDown());
    SendMouse(slider, QEvent::MouseMove, QPoint(slider->width() / 2, grab.y()), Qt::LeftButton);
    const int middle = slider->sliderPosition();
    EXPECT_GT(middle, 0);
    EXPECT_TRUE(QToolTip::isVisible());
    const DayTime middleDay = S().dayNumbers[static_cast<std::size_t>(middle)];
    EXPECT_EQ(QToolTip::text().toStdString(),
              ChartTitleText(3, {middleDay, middleDay + 1}, "", MonthNames::English()));
    EXPECT_EQ(Start(), start); // no redraw yet

    SendMouse(slider, QEvent::MouseMove, QPoint(slider->width() - 1, grab.y()), Qt::LeftButton);
    EXPECT_EQ(slider->sliderPosition(), SliderMax());
    const DayTime last = DayOf(QDate(2010, 6, 8));
    EXPECT_EQ(QToolTip::text().toStdString(),
              ChartTitleText(3, {last, last + 1}, "", MonthNames::English()));
    EXPECT_NE(QToolTip::text().indexOf(QStringLiteral("08. Jun 2010")), -1);
    EXPECT_EQ(Start(), start);

    SendMouse(slider, QEvent::MouseButtonRelease, QPoint(slider->width() - 1, grab.y()),
              Qt::NoButton);
    QApplication::processEvents();
    EXPECT_EQ(Start(), last);
    EXPECT_EQ(SliderPos(), SliderMax());
    EXPECT_TRUE(WaitUntil([] { return !QToolTip::isVisible(); }, 2000));
}

} // namespace
} // namespace korvex::test
