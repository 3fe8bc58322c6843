// The chart title as the navigation writes it for the long spans: the displayed months and the
// yield summary, word for word.

#include "tests/ui/analysis/TablePartTestSupport.h"

#include <QSlider>

namespace korvex::test {
namespace {

class YieldSummaryTitle : public TableWindowTest {
protected:
    void SetUp() override { Load(); }

    QString Title() const { return window->Widgets().chart->TitleLines().join(QLatin1Char('\n')); }
    static QString Expected(const std::string& period, TextId textId, const std::string& yields)
    {
        return QString::fromStdString(period + "  -  " + Text(textId) + " " + yields);
    }
};

TEST_F(YieldSummaryTitle, NamesThePeriodAndTheYieldsOfTheShownDevice)
{
    const ChildWidgets& w = window->Widgets();
    // The first day is 27 February: the month span shows February.
    w.spanTime->setCurrentIndex(SpanOneMonth);
    EXPECT_EQ(Title(),
              Expected("Feb 2010", TextId::MonthlyYield, "V: 220,00 [l]  -  Q: 0,74 [kWh]"));

    w.sliderTime->setValue(2); // the months run from January, the period's first
    EXPECT_EQ(Title(),
              Expected("Mar 2010", TextId::MonthlyYield, "V: 660,00 [l]  -  Q: 2,22 [kWh]"));

    w.spanTime->setCurrentIndex(SpanOneQuarter);
    EXPECT_EQ(Title(), Expected("Jan 2010 - Mar 2010", TextId::QuarterlyYield,
                                "V: 880,00 [l]  -  Q: 2,96 [kWh]"));

    w.spanTime->setCurrentIndex(SpanOneYear);
    EXPECT_EQ(Title(), Expected("Jan 2010 - Dec 2010", TextId::AnnualYield,
                                "V: 880,00 [l]  -  Q: 2,96 [kWh]"));

    // The other device's yields; its April day counts in the year.
    w.tabSetDevices->setCurrentIndex(1);
    EXPECT_EQ(Title(), Expected("Jan 2010 - Dec 2010", TextId::AnnualYield,
                                "V: 330,00 [l]  -  Q: 2,19 [kWh]"));

    // The short spans carry no summary.
    w.spanTime->setCurrentIndex(SpanOneDay);
    EXPECT_EQ(window->Summary().YieldSummary(), "");
    EXPECT_EQ(Title(), QStringLiteral("01. Jan 2010"));
}

} // namespace
} // namespace korvex::test
