#include "tests/ui/analysis/PictureTestSupport.h"
#include "ui/chart/SeriesPlottable.h"
#include <QThread>
namespace korvex::test {
namespace {
class Scratch : public PrintWindow {};
TEST_F(Scratch, Dump) {
    Load({{10, QDate(2008,5,15)}}, QDate(2008,5,15), QDate(2008,5,15));
    G().ShowField(Set(0), Field("T1"));
    G().ShowField(Set(0), Field("R1"));
    G().ShowField(Set(0), Field("R2"));
    G().UpdateOutputChart(false, false);
    for (int i = 0; i < 5; ++i) { QApplication::processEvents(); QThread::msleep(60); }
    window->grab().save("/tmp/dbg_window.png");
    std::printf("labels: ");
    for (auto& t : W().chart2->LeftAxis().LabelTexts()) std::printf("[%s] ", t.toUtf8().constData());
    std::printf("\nvalues: ");
    for (auto v : W().chart2->LeftAxis().LabelValues()) std::printf("%g ", v);
    std::printf("\n");
    doubles.dialogs.fileAnswers.push_back("/tmp/dbg_two.png.bmp");
    P().SavePicture();
}
}
}
