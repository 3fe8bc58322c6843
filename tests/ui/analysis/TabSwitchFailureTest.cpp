// A device-tab switch that fails half-way leaves the window as it was before the switch, and the
// overview box of a graph row refills the table that is shown.

#include "tests/ui/analysis/ChildNavigationTestSupport.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/DeviceSettings.h"
#include "core/views/StringGrid.h"
#include "ui/analysis/widgets/TTableGrid.h"

#include "core/services/Errors.h"
#include "ui/chart/ChartAxis.h"

#include <QAction>

namespace korvex::test {
namespace {

const QDate kMar1(2010, 3, 1), kMar2(2010, 3, 2), kMar5(2010, 3, 5), kMar21(2010, 3, 21),
    kMar31(2010, 3, 31);

// Device 10 on 1, 2 and 5 March, device 20 on 2 and 21 March 2010; one month shown.
class TabSwitch : public NavigationWindow {
protected:
    void SetUp() override
    {
        Load({{10, kMar1}, {10, kMar2}, {10, kMar5}, {20, kMar2}, {20, kMar21}}, kMar1, kMar31);
        Span(SpanOneMonth);
        // With dynamic scaling every switch rescales the upper chart's left axis; a test can
        // make that fail once, in the middle of a switch.
        ChildDefaults defaults = S().defaults;
        defaults.dynamicScaling = true;
        window->ApplyChartSettings(defaults);
        QObject::connect(W().chart->LeftAxis().Raw(),
                         qOverload<const QCPRange&>(&QCPAxis::rangeChanged), window, [this] {
                             if (failRescale) {
                                 failRescale = false;
                                 throw KorvexError("Axis failure");
                             }
                         });
    }

    void FailNextRescale()
    {
        // A range no data gives: the next rescale changes it for sure.
        W().chart->LeftAxis().SetMinMax(-999, 999);
        failRescale = true;
    }

    QTabBar& Tabs() { return *W().tabSetDevices; }
    TTableGrid& Grid() { return *W().grid; }

    TGraphPanel* RowOf(int device, const std::string& key)
    {
        for (TGraphPanel* row : GraphRowsOf(G().GraphListOf(Set(device))->widget())) {
            if (row->Tag() == Field(key, device))
                return row;
        }
        return nullptr;
    }

    // The graph list a user sees: the one on top in the middle of the lists' panel.
    QScrollArea* FrontList()
    {
        QWidget* panel = W().panelGraphPanels;
        for (QWidget* w = panel->childAt(panel->rect().center()); w; w = w->parentWidget()) {
            if (auto* list = qobject_cast<QScrollArea*>(w); list && list->parentWidget() == panel)
                return list;
        }
        return nullptr;
    }

    std::vector<std::string> TableTexts()
    {
        std::vector<std::string> out;
        for (int r = 0; r < Grid().RowCount(); ++r)
            for (int c = 0; c < Grid().ColCount(); ++c)
                out.push_back(Grid().Content().Text(c, r));
        return out;
    }

    static void Click(QWidget* widget)
    {
        const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &release);
    }

    bool failRescale = false;
};

TEST_F(TabSwitch, FailedSwitchLeavesTheTabShownBeforeAsItWas)
{
    Tabs().setCurrentIndex(1);
    ASSERT_TRUE(G().ShowField(Set(1), Field("T1", 1)));
    Click(RowOf(1, "T1")->OverviewBox());
    ASSERT_TRUE(Set(1).selected(Field("T1", 1)));
    Tabs().setCurrentIndex(0);
    ASSERT_TRUE(G().ShowField(Set(0), Field("T2")));
    window->ShowTable(true);
    FailNextRescale();

    const std::vector<std::string> table = TableTexts();
    const std::string summary = window->Summary().YieldSummary();
    const QString title = Title();
    ASSERT_FALSE(summary.empty());
    ASSERT_EQ(FrontList(), G().GraphListOf(Set(0)));

    // To the Overview: the switch fails after the overview's list and series were in place.
    Tabs().setCurrentIndex(2);
    QApplication::processEvents();
    EXPECT_EQ(Errors(), std::vector<std::string>{"Axis failure"});
    EXPECT_EQ(Tabs().currentIndex(), 0);
    EXPECT_FALSE(G().Selection().Overview());
    EXPECT_EQ(G().Selection().Current(), &Set(0));
    EXPECT_EQ(FrontList(), G().GraphListOf(Set(0)));
    EXPECT_TRUE(W().chart->hasSeries(*Set(0).series(Field("T2"))));
    EXPECT_FALSE(W().chart->hasSeries(*Set(1).series(Field("T1", 1))));
    EXPECT_EQ(TableTexts(), table);
    EXPECT_EQ(window->Summary().YieldSummary(), summary);
    EXPECT_EQ(Title(), title);

    // The Overview itself, then a failing switch back to a device.
    Tabs().setCurrentIndex(2);
    ASSERT_TRUE(G().Selection().Overview());
    ASSERT_EQ(FrontList(), W().overview);
    const std::vector<std::string> overviewTable = TableTexts();
    FailNextRescale();
    Tabs().setCurrentIndex(1);
    QApplication::processEvents();
    EXPECT_EQ(Errors().size(), 2u);
    EXPECT_EQ(Tabs().currentIndex(), 2);
    EXPECT_TRUE(G().Selection().Overview());
    EXPECT_EQ(G().Selection().Current(), &Set(0));
    EXPECT_EQ(FrontList(), W().overview);
    EXPECT_TRUE(W().chart->hasSeries(*Set(1).series(Field("T1", 1))));
    EXPECT_FALSE(W().chart->hasSeries(*Set(0).series(Field("T2"))));
    EXPECT_EQ(TableTexts(), overviewTable);
    EXPECT_EQ(window->Summary().YieldSummary(), "");
    EXPECT_FALSE(W().actionOpenExcel->isEnabled());

    // The tabs go on working.
    Tabs().setCurrentIndex(1);
    EXPECT_EQ(G().Selection().Current(), &Set(1));
    EXPECT_FALSE(G().Selection().Overview());
    EXPECT_EQ(FrontList(), G().GraphListOf(Set(1)));
    EXPECT_EQ(Errors().size(), 2u);
}

TEST_F(TabSwitch, OverviewBoxRefillsTheShownTable)
{
    window->ShowTable(true);
    ASSERT_GE(Grid().ColCount(), 3);
    // The user widened a column; a refill lays the columns out anew.
    Grid().SetColWidth(2, 140);

    Click(RowOf(0, "V")->OverviewBox());
    EXPECT_TRUE(Set(0).selected(Field("V")));
    EXPECT_EQ(Grid().ColWidth(2), 80);

    // The mark is what the Overview table shows: device 10's yields alone.
    Tabs().setCurrentIndex(2);
    ASSERT_GE(Grid().RowCount(), 4);
    EXPECT_EQ(Grid().ColCount(), 3);
    EXPECT_EQ(Grid().Content().Text(1, 2), "1950,00"); // 1 March, device 10 only

    // Unmarked again on the device's tab, the refill runs there as well.
    Tabs().setCurrentIndex(0);
    Grid().SetColWidth(2, 140);
    Click(RowOf(0, "V")->OverviewBox());
    EXPECT_FALSE(Set(0).selected(Field("V")));
    EXPECT_EQ(Grid().ColWidth(2), 80);
}

} // namespace
} // namespace korvex::test
