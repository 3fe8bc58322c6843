#include "ui/shell/TDialogCheckSettings.h"

#include "core/check/CheckUiTexts.h"
#include "core/logdata/DeviceSettings.h"
#include "core/services/Errors.h"
#include "core/services/NumberFormat.h"
#include "ui/platform/Prompts.h"
#include "ui/platform/UiText.h"
#include "ui/shell/SettingsTree.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <charconv>
#include <string>

namespace korvex {

namespace {

constexpr int kThresholdRows = (static_cast<int>(kThresholdEntries.size()) + 1) / 2;

QString Caption(const std::string& key)
{
    return QString::fromUtf8(CheckUiText(key));
}

QString NumberText(double value)
{
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text = ec == std::errc() ? std::string(buffer, end) : std::string("0");
    for (char& c : text)
        if (c == '.')
            c = DecimalSeparator();
    return QString::fromStdString(text);
}

} // namespace

TDialogCheckSettings::TDialogCheckSettings(QWidget* parent) : QDialog(parent)
{
    setModal(true);
    BuildLayout();
    ApplyLanguage();
}

void TDialogCheckSettings::BuildLayout()
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // The settings dialog's font, so that both look alike.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    root->setSpacing(8);

    c_.GroupRoles = new QGroupBox(this);
    auto* roles = new QGridLayout(c_.GroupRoles);
    roles->setHorizontalSpacing(8);
    for (int i = 0; i < kCheckRoleCount; ++i) {
        auto& label = c_.RoleLabels[static_cast<std::size_t>(i)];
        auto& box = c_.RoleBoxes[static_cast<std::size_t>(i)];
        label = new QLabel(c_.GroupRoles);
        box = new QComboBox(c_.GroupRoles);
        box->setMinimumContentsLength(14);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        label->setBuddy(box);
        // Two roles a line: collector and store, pump and flow.
        const int row = i / 2;
        const int column = (i % 2) * 2;
        roles->addWidget(label, row, column);
        roles->addWidget(box, row, column + 1);
    }
    roles->setColumnStretch(1, 1);
    roles->setColumnStretch(3, 1);
    root->addWidget(c_.GroupRoles);

    c_.GroupThresholds = new QGroupBox(this);
    auto* thresholds = new QGridLayout(c_.GroupThresholds);
    thresholds->setHorizontalSpacing(8);
    thresholds->setVerticalSpacing(4);
    for (std::size_t i = 0; i < kThresholdEntries.size(); ++i) {
        c_.ThresholdLabels[i] = new QLabel(c_.GroupThresholds);
        c_.ThresholdEdits[i] = new QLineEdit(c_.GroupThresholds);
        c_.ThresholdEdits[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        c_.ThresholdEdits[i]->setFixedWidth(56);
        c_.ThresholdLabels[i]->setBuddy(c_.ThresholdEdits[i]);
        const int row = static_cast<int>(i) % kThresholdRows;
        const int column = static_cast<int>(i) / kThresholdRows * 3;
        thresholds->addWidget(c_.ThresholdLabels[i], row, column);
        thresholds->addWidget(c_.ThresholdEdits[i], row, column + 1);
    }
    thresholds->setColumnMinimumWidth(2, 12);
    root->addWidget(c_.GroupThresholds);

    auto* buttons = new QHBoxLayout;
    c_.DefaultsBtn = new QPushButton(this);
    c_.OKBtn = new QPushButton(this);
    c_.CancelBtn = new QPushButton(this);
    for (QPushButton* button : {c_.DefaultsBtn, c_.OKBtn, c_.CancelBtn})
        button->setMinimumWidth(88);
    c_.OKBtn->setDefault(true);
    c_.DefaultsBtn->setAutoDefault(false);
    c_.CancelBtn->setAutoDefault(false);
    buttons->addWidget(c_.DefaultsBtn);
    buttons->addStretch(1);
    buttons->addWidget(c_.OKBtn);
    buttons->addWidget(c_.CancelBtn);
    root->addLayout(buttons);
    root->setSizeConstraint(QLayout::SetFixedSize);

    connect(c_.DefaultsBtn, &QPushButton::clicked, this, [this] { DefaultsBtnClick(); });
    connect(c_.OKBtn, &QPushButton::clicked, this, [this] { OKButtonPressed(); });
    connect(c_.CancelBtn, &QPushButton::clicked, this, [this] { reject(); });
}

void TDialogCheckSettings::ApplyLanguage()
{
    setWindowTitle(Caption("settings-title").replace(QStringLiteral("%1"),
                                                     QString::number(deviceNumber_)));
    c_.GroupRoles->setTitle(Caption("settings-roles"));
    for (int i = 0; i < kCheckRoleCount; ++i) {
        c_.RoleLabels[static_cast<std::size_t>(i)]->setText(
            Caption(std::string("role-") + kCheckRoleNames[static_cast<std::size_t>(i)]));
        if (QComboBox* box = c_.RoleBoxes[static_cast<std::size_t>(i)]; box->count() > 0)
            box->setItemText(0, Caption("role-none"));
    }
    c_.GroupThresholds->setTitle(Caption("settings-thresholds"));
    for (std::size_t i = 0; i < kThresholdEntries.size(); ++i)
        c_.ThresholdLabels[i]->setText(
            Caption(std::string("threshold-") + kThresholdEntries[i].key));
    c_.DefaultsBtn->setText(Caption("settings-defaults"));
    c_.OKBtn->setText(UiText(TextId::ButtonOk));
    c_.CancelBtn->setText(UiText(TextId::ButtonCancel));
}

void TDialogCheckSettings::Load(const DeviceSettings& device, const DeviceRoles& roles,
                                const CheckThresholds& thresholds)
{
    device_ = &device;
    deviceNumber_ = device.number();
    for (QComboBox* box : c_.RoleBoxes) {
        box->clear();
        box->addItem(Caption("role-none"), QString());
        for (int field = 0; field < device.fieldCount(); ++field)
            if (!device.derived(field))
                box->addItem(QString::fromStdString(FieldNodeText(device, field)),
                             QString::fromStdString(device.key(field)));
    }
    Show(roles, thresholds);
    ApplyLanguage();
}

void TDialogCheckSettings::Show(const DeviceRoles& roles, const CheckThresholds& thresholds)
{
    for (int i = 0; i < kCheckRoleCount; ++i) {
        QComboBox* box = c_.RoleBoxes[static_cast<std::size_t>(i)];
        const QString key = QString::fromStdString(roles.keys[static_cast<std::size_t>(i)]);
        int index = box->findData(key);
        // A stored key the device no longer logs stays chosen rather than vanish unseen.
        if (index < 0) {
            box->addItem(key, key);
            index = box->count() - 1;
        }
        box->setCurrentIndex(index);
    }
    for (std::size_t i = 0; i < kThresholdEntries.size(); ++i)
        c_.ThresholdEdits[i]->setText(NumberText(thresholds.*(kThresholdEntries[i].value)));
}

DeviceRoles TDialogCheckSettings::Roles() const
{
    DeviceRoles roles;
    for (int i = 0; i < kCheckRoleCount; ++i)
        roles.keys[static_cast<std::size_t>(i)] =
            c_.RoleBoxes[static_cast<std::size_t>(i)]->currentData().toString().toStdString();
    return roles;
}

CheckThresholds TDialogCheckSettings::Thresholds() const
{
    CheckThresholds thresholds;
    for (std::size_t i = 0; i < kThresholdEntries.size(); ++i) {
        const std::string text = c_.ThresholdEdits[i]->text().toStdString();
        double value = 0;
        if (!ParseNumber(text, value, ',') && !ParseNumber(text, value, '.')) {
            c_.ThresholdEdits[i]->setFocus();
            c_.ThresholdEdits[i]->selectAll();
            throw KorvexError(CheckUiText("settings-not-a-number"));
        }
        thresholds.*(kThresholdEntries[i].value) = value;
    }
    return thresholds;
}

void TDialogCheckSettings::DefaultsBtnClick()
{
    if (device_ != nullptr)
        Show(DefaultRoles(*device_), CheckThresholds{});
}

void TDialogCheckSettings::OKBtnClick()
{
    Thresholds();
    accept();
}

void TDialogCheckSettings::OKButtonPressed()
{
    try {
        OKBtnClick();
    } catch (const KorvexError& error) {
        ShowErrorBox(this, QString::fromUtf8(error.what()));
    }
}

} // namespace korvex
