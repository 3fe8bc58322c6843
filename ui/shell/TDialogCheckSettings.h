#pragma once

// The function check's settings of one device: which field plays which role (or none) and the
// thresholds of the rules. Opened from the settings dialog, which keeps what OK confirms until
// its own OK writes it.

#include "core/check/FunctionCheck.h"

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvex {

class DeviceSettings;

struct CheckSettingsControls {
    QGroupBox* GroupRoles = nullptr;
    std::array<QLabel*, kCheckRoleCount> RoleLabels{};
    std::array<QComboBox*, kCheckRoleCount> RoleBoxes{};
    QGroupBox* GroupThresholds = nullptr;
    std::array<QLabel*, kThresholdEntries.size()> ThresholdLabels{};
    std::array<QLineEdit*, kThresholdEntries.size()> ThresholdEdits{};
    QPushButton* DefaultsBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};

class TDialogCheckSettings : public QDialog {
    Q_OBJECT
public:
    explicit TDialogCheckSettings(QWidget* parent = nullptr);

    // Shows these values for the device: a combo per role of the device's logged fields and
    // "none", a field per threshold with the decimal separator in force.
    void Load(const DeviceSettings& device, const DeviceRoles& roles,
              const CheckThresholds& thresholds);
    // What the controls hold. Thresholds throws KorvexError when a field is not a number (a
    // point or a comma may separate the decimals) and puts the focus on it.
    DeviceRoles Roles() const;
    CheckThresholds Thresholds() const;
    // The defaults of the device loaded last, into the controls.
    void DefaultsBtnClick();
    // Checks the thresholds (KorvexError, the dialog stays) and closes with Accepted.
    void OKBtnClick();
    void ApplyLanguage();

    const CheckSettingsControls& Controls() const { return c_; }

private:
    void BuildLayout();
    void Show(const DeviceRoles& roles, const CheckThresholds& thresholds);
    void OKButtonPressed();

    CheckSettingsControls c_;
    const DeviceSettings* device_ = nullptr;
    int deviceNumber_ = 0;
};

} // namespace korvex
