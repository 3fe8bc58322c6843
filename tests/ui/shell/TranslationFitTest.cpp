// Texts that sit in fixed places must show whole in every language: the first step of the
// open-analysis dialog and the two labels left of the span list and the slider.

#include "tests/ui/doubles/PlatformDoubles.h"
#include "tests/ui/doubles/UiTestSupport.h"

#include "core/services/TextCatalogue.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/analysis/widgets/ChildWidgets.h"
#include "ui/shell/TDialogOpenAnalysis.h"
#include "ui/shell/TDialogFileError.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QSlider>

#include <gtest/gtest.h>

namespace korvex::test {
namespace {

TEST(TranslationsFit, FixedLabelsShowWholeInEveryLanguage)
{
    PrivateHome home;
    PlatformDoubles doubles;
    for (int block = 0; block < kTextBlockCount; ++block) {
        SelectTextBlock(block);
        TDialogFileError errors;
        TDialogOpenAnalysis dialog(errors);
        dialog.show();
        QApplication::processEvents();
        const auto* step1 = dialog.findChild<QLabel*>(QStringLiteral("LabelStep1"));
        ASSERT_NE(step1, nullptr);
        EXPECT_EQ(step1->text().toStdString(), Text(TextId::StepSelectDirectory));
        EXPECT_GE(step1->width(), step1->sizeHint().width()) << Text(TextId::StepSelectDirectory);
        EXPECT_LE(step1->geometry().right(), dialog.width()) << Text(TextId::StepSelectDirectory);
        dialog.hide();

        TChildform window;
        window.resize(900, 600);
        window.show();
        window.ApplyLanguage();
        QApplication::processEvents();
        const ChildWidgets& w = window.Widgets();
        EXPECT_LT(w.labelDisplayedTimeSpan->geometry().right(), w.spanTime->x()) << Text(TextId::DisplayedTimeWindow);
        EXPECT_LT(w.labelSelectTimeSpan->geometry().right(), w.sliderTime->x()) << Text(TextId::ImageScrollBar);
    }
    SelectTextBlock(BlockGerman);
}

} // namespace
} // namespace korvex::test
