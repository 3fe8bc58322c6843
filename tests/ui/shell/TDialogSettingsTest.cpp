// The settings dialog on its own: tree, panels, editing, OK and Cancel.

#include "tests/ui/shell/TDialogSettingsTestSupport.h"

#include "core/services/Errors.h"
#include "ui/platform/UiText.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

namespace korvex::test {
namespace {

using SettingsDialogTree = SettingsDialogFixture;

TEST_F(SettingsDialogTree, ListsCategoriesAndPlacesDayTotalsAfterTheirSource)
{
    auto solar = MakeSolarDevice(10);
    auto module = MakeInputsOnlyDevice(20);
    dialog->AddDevice(*solar);
    dialog->AddDeviceAndSelect(*module);

    ASSERT_EQ(tree().topLevelItemCount(), 2);
    QTreeWidgetItem* solarNode = tree().topLevelItem(0);
    EXPECT_EQ(solarNode->text(0), QString("Solar 10"));
    EXPECT_EQ(ChildTexts(solarNode),
              (QStringList{UiText(TextId::CategoryInputs), UiText(TextId::CategoryOtherValues),
                           UiText(TextId::CategoryOutputs)}));
    EXPECT_EQ(ChildTexts(solarNode->child(0)), (QStringList{"T1 (Collector)", "T2"}));
    // Year and month totals get no node; each day total follows the field it sums.
    EXPECT_EQ(ChildTexts(solarNode->child(1)),
              (QStringList{"P", "Sum of energy (Q)", "V", "Sum of flow rate (V)"}));
    EXPECT_EQ(ChildTexts(solarNode->child(2)), (QStringList{"R1", "R2"}));

    // A device with inputs only has the one category.
    EXPECT_EQ(ChildTexts(tree().topLevelItem(1)), QStringList{UiText(TextId::CategoryInputs)});

    // Devices start collapsed with their categories open; the selected one is the new device.
    EXPECT_FALSE(solarNode->isExpanded());
    EXPECT_TRUE(solarNode->child(1)->isExpanded());
    EXPECT_EQ(tree().currentItem(), tree().topLevelItem(1));

    // Adding a device twice keeps one subtree (one backup, one restore).
    dialog->AddDevice(*solar);
    EXPECT_EQ(tree().topLevelItemCount(), 2);
}

TEST_F(SettingsDialogTree, ShowingExpandsTheSelectionAndBacksUpEveryDevice)
{
    auto first = MakeSolarDevice(10);
    auto second = MakeSolarDevice(11);
    dialog->AddDevice(*first);
    dialog->AddDeviceAndSelect(*second);
    dialog->show();

    EXPECT_TRUE(first->hasBackup());
    EXPECT_TRUE(second->hasBackup());
    EXPECT_FALSE(tree().topLevelItem(0)->isExpanded());
    EXPECT_TRUE(tree().topLevelItem(1)->isExpanded());
    EXPECT_EQ(dialog->CurrentDevice(), second.get());
    EXPECT_EQ(dialog->windowTitle(), UiText(TextId::MenuSettings));
    EXPECT_EQ(dialog->size(), QSize(673, 425));
    // Centred on the desktop work area.
    EXPECT_NEAR(dialog->frameGeometry().center().x(), 800, 1);
    EXPECT_NEAR(dialog->frameGeometry().center().y(), 500, 1);
}

TEST_F(SettingsDialogTree, FieldNodesCarryASwatchOfTheFieldColour)
{
    auto solar = MakeSolarDevice(10);
    const Colour teal = 0x808040;
    solar->setColour(solar->find("T2"), teal);
    dialog->AddDeviceAndSelect(*solar);
    dialog->show();

    QTreeWidgetItem* t2 = FindNode(tree().topLevelItem(0), "T2");
    const QRect row = tree().visualItemRect(t2);
    const QImage image = tree().viewport()->grab().toImage();
    const int width = tree().width();
    const QRect swatch = SettingsTreeDelegate::SwatchRect(0, row.top(), row.bottom() + 1, width);
    EXPECT_EQ(image.pixelColor(swatch.center()), QColor(64, 128, 128));
    // Left of the swatch the row stays white.
    EXPECT_EQ(image.pixelColor(swatch.left() - 4, swatch.center().y()), QColor(Qt::white));
    // A category row has no swatch.
    const QRect category = tree().visualItemRect(t2->parent());
    EXPECT_EQ(image.pixelColor(swatch.center().x(), category.center().y()), QColor(Qt::white));

    // The swatch keeps clear of long texts.
    EXPECT_EQ(SettingsTreeDelegate::SwatchRect(220, 0, 18, 257).left(), 222);
    EXPECT_EQ(SettingsTreeDelegate::SwatchRect(10, 0, 18, 257).left(), 197);
    EXPECT_EQ(SettingsTreeDelegate::SwatchRect(10, 0, 18, 257).right(), 231);
}

using SettingsDialogPanels = SettingsDialogFixture;

TEST_F(SettingsDialogPanels, FollowTheSelectedNode)
{
    auto solar = MakeSolarDevice(10);
    solar->setLineWidth(4);
    solar->setOthersAsBars(false);
    solar->setOutputsAsBars(true);
    dialog->AddDeviceAndSelect(*solar);
    dialog->show();

    // A device node: device values, no field controls.
    EXPECT_TRUE(c().GroupDeviceSettings->isEnabled());
    EXPECT_EQ(c().EditLineWidth->text(), QString("4"));
    EXPECT_TRUE(c().RadioOthersUseLines->isChecked());
    EXPECT_TRUE(c().RadioOutputsUseBars->isChecked());
    EXPECT_FALSE(c().EditLabel->isVisible());
    EXPECT_FALSE(c().PanelColor->isVisible());

    Select(0, "T1 (Collector)");
    EXPECT_TRUE(c().EditLabel->isVisible());
    EXPECT_EQ(c().EditLabel->text(), QString("Collector"));
    EXPECT_EQ(c().LabelField->text(), QString("T1"));
    EXPECT_EQ(c().PanelColor->CurrentColour(), solar->colour(solar->find("T1")));

    Select(0, "Sum of energy (Q)");
    EXPECT_EQ(c().LabelField->text(), UiText(TextId::Total) + " (P)");

    Select(0, UiText(TextId::CategoryOutputs));
    EXPECT_FALSE(c().LabelField->isVisible());
    EXPECT_TRUE(c().GroupGraphSettings->isEnabled());

    // Without devices nothing can be edited.
    TDialogSettings empty;
    empty.show();
    EXPECT_FALSE(empty.Controls().GroupDeviceSettings->isEnabled());
    EXPECT_FALSE(empty.Controls().GroupGraphSettings->isEnabled());
    EXPECT_EQ(empty.CurrentDevice(), nullptr);
}

using SettingsDialogEditing = SettingsDialogFixture;

TEST_F(SettingsDialogEditing, LabelsRenameTheNodeAndEmptyLabelsAreIgnored)
{
    auto solar = MakeSolarDevice(10);
    dialog->AddDeviceAndSelect(*solar);
    dialog->show();

    Select(0, "T2");
    TypeInto(c().EditLabel, "Tank");
    EXPECT_EQ(solar->label(solar->find("T2")), "Tank");
    EXPECT_EQ(tree().currentItem()->text(0), QString("T2 (Tank)"));

    // Back to the key name: only the key is shown.
    TypeInto(c().EditLabel, "T2");
    EXPECT_EQ(tree().currentItem()->text(0), QString("T2"));

    TypeInto(c().EditLabel, "");
    EXPECT_EQ(solar->label(solar->find("T2")), "T2");

    // A derived total shows its label alone.
    Select(0, "Sum of energy (Q)");
    TypeInto(c().EditLabel, "Yield");
    EXPECT_EQ(tree().currentItem()->text(0), QString("Yield"));
    EXPECT_EQ(solar->label(solar->find("Ptag")), "Yield");
}

TEST_F(SettingsDialogEditing, LineWidthIsStoredWithinOneToTenAndStylesFollowTheRadios)
{
    auto solar = MakeSolarDevice(10);
    dialog->AddDeviceAndSelect(*solar);
    dialog->show();

    TypeInto(c().EditLineWidth, "7");
    EXPECT_EQ(solar->lineWidth(), 7u);
    TypeInto(c().EditLineWidth, "15");
    EXPECT_EQ(solar->lineWidth(), 10u);
    TypeInto(c().EditLineWidth, "0");
    EXPECT_EQ(solar->lineWidth(), 1u);
    TypeInto(c().EditLineWidth, "x");
    EXPECT_EQ(solar->lineWidth(), 1u);

    TypeInto(c().EditLineWidth, "9");
    c().UpDownLineWidthUp->click();
    c().UpDownLineWidthUp->click();
    EXPECT_EQ(c().EditLineWidth->text(), QString("10"));
    EXPECT_EQ(solar->lineWidth(), 10u);
    c().UpDownLineWidthDown->click();
    EXPECT_EQ(solar->lineWidth(), 9u);

    c().RadioOthersUseLines->click();
    EXPECT_FALSE(solar->othersAsBars());
    c().RadioOutputsUseBars->click();
    EXPECT_TRUE(solar->outputsAsBars());
}

TEST_F(SettingsDialogEditing, ColourChooserStartsOnTheFieldColourAndCancelKeepsIt)
{
    auto solar = MakeSolarDevice(10);
    dialog->AddDeviceAndSelect(*solar);
    dialog->show();
    Select(0, "T2");
    const int t2 = solar->find("T2");
    const Colour before = solar->colour(t2);

    doubles.dialogs.colorAnswers.push_back(std::nullopt);
    ClickWidget(c().PanelColor);
    ASSERT_EQ(doubles.dialogs.colorCalls.size(), 1u);
    EXPECT_EQ(doubles.dialogs.colorCalls[0].start, before);
    EXPECT_EQ(doubles.dialogs.colorCalls[0].customColors[0], before);
    EXPECT_EQ(doubles.dialogs.colorCalls[0].customColors[1], 0x0000FFu);
    EXPECT_EQ(doubles.dialogs.colorCalls[0].customColors[15], 0xFFFF00u);
    EXPECT_EQ(solar->colour(t2), before);

    doubles.dialogs.colorAnswers.push_back(0x00ABCDEFu);
    ClickWidget(c().PanelColor);
    EXPECT_EQ(solar->colour(t2), 0x00ABCDEFu);
    EXPECT_EQ(c().PanelColor->CurrentColour(), 0x00ABCDEFu);
}

using SettingsDialogClosing = SettingsDialogFixture;

TEST_F(SettingsDialogClosing, CancelRestoresEveryDeviceAndTheGeneralValues)
{
    auto first = MakeSolarDevice(10);
    auto second = MakeSolarDevice(11);
    const DeviceSettings firstBefore(*first);
    ChildDefaults values;
    values.printTitle = "Roof";
    values.axisMin = 5;
    dialog->AddDeviceAndSelect(*first);
    dialog->AddDevice(*second);
    dialog->SetGeneralValues(values);
    dialog->show();

    Select(0, "T2");
    TypeInto(c().EditLabel, "Tank");
    doubles.dialogs.colorAnswers.push_back(0x123456u);
    ClickWidget(c().PanelColor);
    TypeInto(c().EditLineWidth, "6");
    Select(1, "T1 (Collector)");
    TypeInto(c().EditLabel, "Roof panel");
    c().RadioOthersUseLines->click();
    TypeInto(c().EditOutputHeadline, "Changed");
    TypeInto(c().EditYMin, "-30");

    c().CancelBtn->click();

    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(first->label(first->find("T2")), "T2");
    EXPECT_EQ(first->colour(first->find("T2")), firstBefore.colour(firstBefore.find("T2")));
    EXPECT_EQ(first->lineWidth(), 2u);
    EXPECT_EQ(second->label(second->find("T1")), "Collector");
    EXPECT_TRUE(second->othersAsBars());
    EXPECT_FALSE(first->hasBackup());
    EXPECT_FALSE(second->hasBackup());
    EXPECT_EQ(tree().topLevelItemCount(), 0);
    EXPECT_EQ(dialog->GeneralValues(), values);

    // The next showing starts from the confirmed values.
    dialog->show();
    EXPECT_EQ(c().EditOutputHeadline->text(), QString("Roof"));
    EXPECT_EQ(c().EditYMin->text(), QString("5"));
}

TEST_F(SettingsDialogClosing, EscAndTheCloseButtonActAsCancel)
{
    auto solar = MakeSolarDevice(10);
    dialog->AddDeviceAndSelect(*solar);
    dialog->show();
    Select(0, "T2");
    TypeInto(c().EditLabel, "Tank");
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(dialog.get(), &esc);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(solar->label(solar->find("T2")), "T2");

    dialog->AddDeviceAndSelect(*solar);
    dialog->show();
    Select(0, "T2");
    TypeInto(c().EditLabel, "Tank");
    dialog->close();
    EXPECT_EQ(solar->label(solar->find("T2")), "T2");
    EXPECT_FALSE(solar->hasBackup());
}

TEST_F(SettingsDialogClosing, OkRefusesALineWidthOutsideOneToTen)
{
    auto solar = MakeSolarDevice(10);
    dialog->AddDeviceAndSelect(*solar);
    dialog->show();

    // 15 stores 10 at once, but the field still shows 15.
    TypeInto(c().EditLineWidth, "15");
    EXPECT_EQ(solar->lineWidth(), 10u);
    try {
        dialog->OKBtnClick();
        FAIL() << "OK accepted a line width of 15";
    } catch (const KorvexError& error) {
        EXPECT_EQ(std::string(error.what()), Text(TextId::InvalidLineWidth));
    }
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(solar->hasBackup());
    EXPECT_EQ(tree().topLevelItemCount(), 1);

    // Through the button the error shows in the error box and the dialog stays.
    c().OKBtn->click();
    ASSERT_EQ(doubles.prompts.calls.size(), 1u);
    EXPECT_EQ(doubles.prompts.calls[0].caption, UiText(TextId::CaptionError));
    EXPECT_EQ(doubles.prompts.calls[0].text, UiText(TextId::InvalidLineWidth));
    EXPECT_EQ(doubles.prompts.calls[0].icon, PromptIcon::Error);
    EXPECT_TRUE(dialog->isVisible());

    TypeInto(c().EditLineWidth, "x");
    EXPECT_THROW(dialog->OKBtnClick(), KorvexError);

    TypeInto(c().EditLineWidth, "3");
    c().OKBtn->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(solar->lineWidth(), 3u);
    EXPECT_FALSE(solar->hasBackup());
}

TEST_F(SettingsDialogClosing, OkRefusesAxisBoundsThatAreNotWholeNumbers)
{
    auto solar = MakeSolarDevice(10);
    dialog->AddDeviceAndSelect(*solar);
    dialog->SetGeneralValues(ChildDefaults{});
    dialog->show();

    for (const QString& bad : {QString("1,5"), QString("ten"), QString("")}) {
        TypeInto(c().EditYMax, bad);
        try {
            dialog->OKBtnClick();
            FAIL() << "accepted " << bad.toStdString();
        } catch (const KorvexError& error) {
            EXPECT_EQ(std::string(error.what()), Text(TextId::YAxisFiguresOnly));
        }
        EXPECT_TRUE(dialog->isVisible());
    }
    // The refused attempt leaves the confirmed values alone.
    EXPECT_EQ(dialog->GeneralValues(), ChildDefaults{});

    // Min above Max is not the dialog's business.
    TypeInto(c().EditYMin, " 200 ");
    TypeInto(c().EditYMax, "-5");
    c().RadioAxisFixed->click();
    c().OKBtn->click();
    EXPECT_TRUE(doubles.prompts.calls.empty());
    EXPECT_EQ(dialog->GeneralValues().axisMin, 200);
    EXPECT_EQ(dialog->GeneralValues().axisMax, -5);
    EXPECT_FALSE(dialog->GeneralValues().dynamicScaling);
}

TEST_F(SettingsDialogClosing, OkWithoutDevicesIgnoresAStaleLineWidth)
{
    auto solar = MakeSolarDevice(10);
    dialog->AddDeviceAndSelect(*solar);
    dialog->show();
    TypeInto(c().EditLineWidth, "15");
    c().CancelBtn->click();

    // A window without devices: only the general values can be confirmed.
    dialog->show();
    TypeInto(c().EditOutputHeadline, "Plant");
    EXPECT_NO_THROW(dialog->OKBtnClick());
    EXPECT_EQ(dialog->GeneralValues().printTitle, "Plant");
}

// The settings editor the analysis window uses: runs modally and hands the values back.
TEST_F(SettingsDialogClosing, EditSettingsHandsBackTheConfirmedValues)
{
    auto first = MakeSolarDevice(10);
    auto second = MakeSolarDevice(11);
    auto third = MakeInputsOnlyDevice(12);
    ChildDefaults values;
    values.headerWidth0 = 151;
    values.headerWidth1 = 40;
    values.headerWidth2 = 41;

    QStringList treeSeen;
    DeviceSettings* selectedSeen = nullptr;
    QTimer::singleShot(0, dialog.get(), [&] {
        for (int i = 0; i < tree().topLevelItemCount(); ++i)
            treeSeen << tree().topLevelItem(i)->text(0);
        selectedSeen = dialog->CurrentDevice();
        TypeInto(c().EditOutputHeadline, "Roof plant");
        c().RadioAxisFixed->click();
        TypeInto(c().EditYMin, "-20");
        TypeInto(c().EditYMax, "95");
        Select(1, "T2");
        TypeInto(c().EditLabel, "Tank");
        c().OKBtn->click();
    });
    ASSERT_TRUE(
        dialog->EditSettings(values, second.get(), {first.get(), second.get(), third.get()}));

    // Window order, the current tab's device selected.
    EXPECT_EQ(treeSeen, (QStringList{"Solar 10", "Solar 11", "Module 12"}));
    EXPECT_EQ(selectedSeen, second.get());
    EXPECT_EQ(values.printTitle, "Roof plant");
    EXPECT_FALSE(values.dynamicScaling);
    EXPECT_EQ(values.axisMin, -20);
    EXPECT_EQ(values.axisMax, 95);
    EXPECT_EQ(values.headerWidth0, 151);
    EXPECT_EQ(values.headerWidth1, 40);
    EXPECT_EQ(values.headerWidth2, 41);
    EXPECT_EQ(second->label(second->find("T2")), "Tank");
    EXPECT_FALSE(second->hasBackup());
    EXPECT_EQ(tree().topLevelItemCount(), 0);

    // Cancel returns false and leaves the values as they were.
    const ChildDefaults kept = values;
    QTimer::singleShot(0, dialog.get(), [&] {
        TypeInto(c().EditOutputHeadline, "Other");
        c().CancelBtn->click();
    });
    EXPECT_FALSE(dialog->EditSettings(values, first.get(), {first.get()}));
    EXPECT_EQ(values, kept);
}

} // namespace
} // namespace korvex::test
