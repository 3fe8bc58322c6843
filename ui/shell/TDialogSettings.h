#pragma once

// TDialogSettings: edits the display settings of one analysis window, the window's general
// chart values and, per device, line width, bars or lines and each field's label and colour.
// Device settings are edited in place behind a backup that Cancel restores. Created once by the
// main window and reused; it serves the analysis windows as their settings editor.

#include "core/check/FunctionCheck.h"
#include "core/logdata/FieldCategory.h"
#include "core/services/AppSettings.h"
#include "ui/analysis/parts/ChildParts.h"

#include <QDialog>
#include <QFrame>

#include <functional>
#include <map>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeWidgetItem;

namespace korvex {

class DeviceSettings;
class SettingsTree;
class TDialogCheckSettings;

// A colour panel that reports clicks.
class ColorPanel : public QFrame {
public:
    explicit ColorPanel(QWidget* parent = nullptr);
    void SetColour(Colour colour);
    Colour CurrentColour() const { return colour_; }
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Colour colour_ = 0xFFFFFF;
};

// The dialog's components, named as on the form, for the dialog and its tests.
struct SettingsDialogControls {
    QLabel* LabelTreeHeadline = nullptr;
    SettingsTree* Tree = nullptr;
    QGroupBox* GroupCommonSettings = nullptr;
    QGroupBox* GroupOutputTitle = nullptr;
    QLineEdit* EditOutputHeadline = nullptr;
    QGroupBox* GroupAxisLabels = nullptr;
    QRadioButton* RadioAxisDynamic = nullptr;
    QRadioButton* RadioAxisFixed = nullptr;
    QLabel* LabelYMin = nullptr;
    QLineEdit* EditYMin = nullptr;
    QLabel* LabelYMax = nullptr;
    QLineEdit* EditYMax = nullptr;
    QGroupBox* GroupDeviceSettings = nullptr;
    QGroupBox* GroupLineWidth = nullptr;
    QLineEdit* EditLineWidth = nullptr;
    QToolButton* UpDownLineWidthUp = nullptr;
    QToolButton* UpDownLineWidthDown = nullptr;
    QGroupBox* GroupOthersType = nullptr;
    QLabel* LabelOthersHeader = nullptr;
    QRadioButton* RadioOthersUseBars = nullptr;
    QRadioButton* RadioOthersUseLines = nullptr;
    QGroupBox* GroupOutputsType = nullptr;
    QLabel* LabelOutputsHeader = nullptr;
    QRadioButton* RadioOutputsUseBars = nullptr;
    QRadioButton* RadioOutputsUseLines = nullptr;
    QPushButton* CheckSettingsBtn = nullptr;
    QGroupBox* GroupGraphSettings = nullptr;
    QLabel* LabelLogFileEntry = nullptr;
    QLabel* LabelField = nullptr;
    QLabel* LabelDisplayName = nullptr;
    QLineEdit* EditLabel = nullptr;
    QLabel* LabelDisplayColor = nullptr;
    ColorPanel* PanelColor = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

class TDialogSettings : public QDialog, public ChildSettingsEditor {
    Q_OBJECT
public:
    static constexpr int kMinLineWidth = 1;
    static constexpr int kMaxLineWidth = 10;

    explicit TDialogSettings(QWidget* parent = nullptr);
    ~TDialogSettings() override;

    // Appends the device's subtree (collapsed, categories expanded); the second form also
    // selects the device node.
    void AddDevice(DeviceSettings& device);
    void AddDeviceAndSelect(DeviceSettings& device);
    // Sets both the working and the confirmed copy.
    void SetGeneralValues(const ChildDefaults& values);
    // The confirmed copy.
    const ChildDefaults& GeneralValues() const { return confirmed_; }

    // The analysis window's settings command: fills the tree (devices in the order of further,
    // current selected; current goes first when further lacks it), shows the dialog modally and
    // on OK hands the confirmed values back. True only for OK.
    bool EditSettings(ChildDefaults& defaults, DeviceSettings* current,
                      const std::vector<DeviceSettings*>& further) override;

    // OK: checks the axis bounds (text 103) and the line width (text 104) and throws those
    // errors with the dialog left open; writes the function check settings confirmed for the
    // devices (SettingsFileError, text 94, with the dialog left open when that fails);
    // otherwise keeps the edits and closes.
    void OKBtnClick();
    // Cancel, Esc and the close button: restores every device and the general values.
    void CancelBtnClick();

    // Opens the function check settings of the current device: the values confirmed in this
    // showing, else the stored ones. OK there keeps them until this dialog's OK.
    void CheckSettingsBtnClick();
    TDialogCheckSettings& CheckSettingsDialog() const { return *checkDialog_; }

    // The device whose subtree holds the selected node, or none.
    DeviceSettings* CurrentDevice() const { return currentDevice_; }
    const SettingsDialogControls& Controls() const { return c_; }

signals:
    // After OK wrote changed function check settings: the check is to run again.
    void CheckSettingsChanged();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    void Relabel();
    void FormShow();
    void UpdatePanels();
    void FillGeneralControls();
    QTreeWidgetItem* SelectedFieldNode() const;

    void EditLineWidthChange();
    void StepLineWidth(int delta);
    void RadioOthersGraphStyleClick();
    void RadioOutputsGraphStyleClick();
    void EditLabelChange();
    void ColorSelectClick();
    // The OK button's handler: errors become the error box, the dialog stays open.
    void OKButtonPressed();
    void EmptyTree();

    struct CheckEdit {
        DeviceRoles roles;
        CheckThresholds thresholds;
    };

    SettingsDialogControls c_;
    TDialogCheckSettings* checkDialog_ = nullptr;
    std::map<DeviceSettings*, CheckEdit> checkEdits_; // confirmed, not yet written
    ChildDefaults working_;
    ChildDefaults confirmed_;
    DeviceSettings* currentDevice_ = nullptr;
};

} // namespace korvex
