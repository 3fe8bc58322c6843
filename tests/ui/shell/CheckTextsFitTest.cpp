// The function check's texts in the settings dialogs must show whole in every language.

#include "tests/ui/shell/TDialogSettingsTestSupport.h"

#include "core/check/CheckUiTexts.h"
#include "ui/shell/TDialogCheckSettings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace korvex::test {
namespace {

// A group box's title needs its text and a little room on either side.
void ExpectTitleFits(const QGroupBox* group)
{
    const int needed = group->fontMetrics().horizontalAdvance(group->title()) + 16;
    EXPECT_GE(group->width(), needed) << group->title().toStdString();
}

void ExpectWhole(const QWidget* widget, const QWidget* window, const QString& text)
{
    EXPECT_GE(widget->width(), widget->sizeHint().width()) << text.toStdString();
    const QRect inWindow(widget->mapTo(window, QPoint(0, 0)), widget->size());
    EXPECT_TRUE(window->rect().contains(inWindow)) << text.toStdString();
}

class CheckTextsFit : public SettingsDialogFixture {};

TEST_F(CheckTextsFit, CheckSettingsShowWholeInEveryLanguage)
{
    auto solar = MakeSolarDevice(10);
    for (int block = 0; block < kTextBlockCount; ++block) {
        SelectTextBlock(block);
        TDialogCheckSettings check;
        check.Load(*solar, DefaultRoles(*solar), CheckThresholds{});
        check.show();
        QApplication::processEvents();
        const CheckSettingsControls& c = check.Controls();
        // Small enough for the smallest screens the program runs on.
        EXPECT_LE(check.width(), 800) << block;
        EXPECT_LE(check.height(), 560) << block;
        EXPECT_TRUE(check.windowTitle().contains(QStringLiteral("10"))) << block;
        ExpectTitleFits(c.GroupRoles);
        ExpectTitleFits(c.GroupThresholds);
        for (QLabel* label : c.RoleLabels)
            ExpectWhole(label, &check, label->text());
        for (QLabel* label : c.ThresholdLabels)
            ExpectWhole(label, &check, label->text());
        // The widest field name and "none" show whole in the combos.
        for (QComboBox* box : c.RoleBoxes) {
            for (int i = 0; i < box->count(); ++i) {
                const int text = box->fontMetrics().horizontalAdvance(box->itemText(i));
                EXPECT_LT(text, box->width() - 20) << box->itemText(i).toStdString();
            }
        }
        for (QPushButton* button : {c.DefaultsBtn, c.OKBtn, c.CancelBtn})
            ExpectWhole(button, &check, button->text());
    }
}

TEST_F(CheckTextsFit, TheButtonFitsTheSettingsDialogWithoutCrowdingIt)
{
    auto solar = MakeSolarDevice(10);
    for (int block = 0; block < kTextBlockCount; ++block) {
        SelectTextBlock(block);
        dialog->AddDeviceAndSelect(*solar);
        dialog->show();
        QApplication::processEvents();
        EXPECT_EQ(c().CheckSettingsBtn->text().toStdString(), CheckUiText("settings-button"));
        ExpectWhole(c().CheckSettingsBtn, dialog.get(), c().CheckSettingsBtn->text());
        // The styles beside it keep their room.
        for (QRadioButton* radio : {c().RadioOthersUseBars, c().RadioOthersUseLines,
                                    c().RadioOutputsUseBars, c().RadioOutputsUseLines})
            ExpectWhole(radio, dialog.get(), radio->text());
        ExpectWhole(c().LabelOthersHeader, dialog.get(), c().LabelOthersHeader->text());
        ExpectWhole(c().OKBtn, dialog.get(), c().OKBtn->text());
        dialog->reject();
    }
}

} // namespace
} // namespace korvex::test
