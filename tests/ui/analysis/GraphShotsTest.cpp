// TEMPORARY: pictures of the window for a visual check (removed after use).
#include "GraphTestSupport.h"

#include <QTabBar>
#include <QPixmap>
#include <cmath>

namespace korvex::test {
namespace {

std::vector<LogColumn> Realistic()
{
    auto sun = [](int m) { return std::max(0.0, std::sin((m - 360) / 720.0 * M_PI)); };
    return {
        {"T1[\xB0" "C]", [sun](int m) { return 15 + 70 * sun(m); }},
        {"T2[\xB0" "C]", [sun](int m) { return 35 + 20 * sun(m - 60); }},
        {"T3[\xB0" "C]", [](int m) { return 55 + 3 * std::sin(m / 90.0); }},
        {"V'[l/min]", [sun](int m) { return sun(m) > 0.2 ? 6.5 : 0.0; }},
        {"P[kW]", [sun](int m) { return 4.5 * sun(m); }},
        {"R1[%]", [sun](int m) { return sun(m) > 0.2 ? 100.0 : 0.0; }},
        {"R2[%]", [](int m) { return m >= 300 && m < 400 ? 100.0 : 0.0; }},
        {"R3[%]", [](int m) { return (m / 60) % 3 == 0 ? 100.0 : 0.0; }},
    };
}

class GraphShots : public GraphWindow {};

TEST_F(GraphShots, Pictures)
{
    if (qEnvironmentVariableIsEmpty("KORVEX_SHOTS"))
        GTEST_SKIP();
    const QString out = qEnvironmentVariable("KORVEX_SHOTS");
    Window().resize(1200, 800);
    Load({10}, QDate(2010, 5, 3), QDate(2010, 5, 4), Realistic());
    for (const char* key : {"T1", "T2", "V", "P", "R1", "R2", "R3"})
        Click(Row(key)->ShowBox());
    Set(0).deviceSettings()->setLabel(Field("R1"), "Solar pump");
    G().UpdateOutputChart(false, false);
    WaitUntil([] { return false; }, 300);
    Window().grab().save(out + "/one-device.png");

    delete window;
    window = nullptr;
    Window().resize(1200, 800);
    Load({10, 21, 30}, QDate(2010, 5, 3), QDate(2010, 5, 4), Realistic());
    for (int d = 0; d < 3; ++d) {
        W().tabSetDevices->setCurrentIndex(d);
        QApplication::processEvents();
        for (const char* key : {"T1", "P", "R1"})
            Click(Row(key, d)->ShowBox());
        Click(Row("T1", d)->OverviewBox());
        Click(Row("R1", d)->OverviewBox());
    }
    W().tabSetDevices->setCurrentIndex(1);
    WaitUntil([] { return false; }, 300);
    Window().grab().save(out + "/three-devices.png");
    {
        QPixmap left = W().panelLeft->grab();
        left.scaled(left.size() * 3).save(out + "/left-x3.png");
        const THeaderControl& h = *W().headerControl;
        printf("header w=%d sections %d %d %d panelLeft=%d list viewport=%d\n", h.width(), h.SectionWidth(0),
               h.SectionWidth(1), h.SectionWidth(2), W().panelLeft->width(), List(1)->viewport()->width());
        printf("caption2=%s\n", qPrintable(h.SectionCaption(2)));
    }
    W().tabSetDevices->setCurrentIndex(3);
    WaitUntil([] { return false; }, 300);
    Window().grab().save(out + "/overview.png");
    W().spanTime->setCurrentIndex(4);
    WaitUntil([] { return false; }, 300);
    Window().grab().save(out + "/overview-month.png");
}

} // namespace
} // namespace korvex::test
