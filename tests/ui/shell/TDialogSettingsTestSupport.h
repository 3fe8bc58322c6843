#pragma once

// Shared pieces of the settings dialog tests: sample devices, typing and clicking.

#include "core/logdata/DeviceSettings.h"
#include "core/services/TextCatalogue.h"
#include "tests/ui/doubles/PlatformDoubles.h"
#include "tests/ui/doubles/UiTestSupport.h"
#include "ui/shell/SettingsTree.h"
#include "ui/shell/TDialogSettings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace korvex::test {

// A solar controller with two sensors, power and flow with their derived sums (day totals from
// the aggregation, a month total and a logged year total) and two outputs.
inline std::unique_ptr<DeviceSettings> MakeSolarDevice(int number = 10)
{
    auto device =
        std::make_unique<DeviceSettings>(number, "Solar " + std::to_string(number), false);
    device->registerField("T1", "[°C]", FieldCategory::Inputs, nullptr);
    device->registerField("T2", "[°C]", FieldCategory::Inputs, nullptr);
    device->registerField("P", "[kW]", FieldCategory::Others, nullptr);
    device->registerField("Pjahr", "[kWh]", FieldCategory::Others, nullptr);
    device->registerField("V", "[l/min]", FieldCategory::Others, nullptr);
    device->registerField("Ptag", "[kWh]", FieldCategory::Others, nullptr);
    device->registerField("Vtag", "[l]", FieldCategory::Others, nullptr);
    device->registerField("Pmonat", "[kWh]", FieldCategory::Others, nullptr);
    device->registerField("R1", "[%]", FieldCategory::Outputs, nullptr);
    device->registerField("R2", "[%]", FieldCategory::Outputs, nullptr);
    for (const char* key : {"Pjahr", "Ptag", "Vtag", "Pmonat"})
        device->setDerived(device->find(key), true);
    device->setLabel(device->find("Ptag"), "Sum of energy (Q)");
    device->setLabel(device->find("Vtag"), "Sum of flow rate (V)");
    device->setLabel(device->find("T1"), "Collector");
    return device;
}

inline std::unique_ptr<DeviceSettings> MakeInputsOnlyDevice(int number)
{
    auto device =
        std::make_unique<DeviceSettings>(number, "Module " + std::to_string(number), false);
    device->registerField("T1", "[°C]", FieldCategory::Inputs, nullptr);
    device->registerField("T3", "[°C]", FieldCategory::Inputs, nullptr);
    return device;
}

// Types text into a line edit as a user would, replacing what it holds.
inline void TypeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty()) {
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(edit, &del);
        return;
    }
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(edit, &press);
    }
}

inline void ClickWidget(QWidget* widget)
{
    const QPointF centre(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, centre, widget->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, widget->mapToGlobal(centre),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// The texts of an item's children.
inline QStringList ChildTexts(const QTreeWidgetItem* item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}

// The first node below root (depth first) with this text.
inline QTreeWidgetItem* FindNode(QTreeWidgetItem* root, const QString& text)
{
    for (int i = 0; i < root->childCount(); ++i) {
        QTreeWidgetItem* child = root->child(i);
        if (child->text(0) == text)
            return child;
        if (QTreeWidgetItem* found = FindNode(child, text))
            return found;
    }
    return nullptr;
}

// A private home (English texts), platform doubles and one dialog per test.
class SettingsDialogFixture : public ::testing::Test {
protected:
    void SetUp() override { dialog = std::make_unique<TDialogSettings>(); }
    void TearDown() override { dialog.reset(); }

    const SettingsDialogControls& c() const { return dialog->Controls(); }
    SettingsTree& tree() const { return *dialog->Controls().Tree; }
    // Selects the node of the device's top-level row with this text.
    void Select(int deviceRow, const QString& text)
    {
        QTreeWidgetItem* top = tree().topLevelItem(deviceRow);
        QTreeWidgetItem* node = top->text(0) == text ? top : FindNode(top, text);
        ASSERT_NE(node, nullptr) << text.toStdString();
        tree().setCurrentItem(node);
    }

    PrivateHome home;
    PlatformDoubles doubles;
    std::unique_ptr<TDialogSettings> dialog;

private:
};

} // namespace korvex::test
