#include "ui/shell/TDialogSettings.h"

#include "core/check/CheckSettings.h"
#include "core/check/CheckUiTexts.h"
#include "core/logdata/DeviceSettings.h"
#include "core/services/Errors.h"
#include "ui/platform/CommonDialogs.h"
#include "ui/platform/Platform.h"
#include "ui/platform/Prompts.h"
#include "ui/platform/UiText.h"
#include "ui/shell/SettingsTree.h"
#include "ui/shell/TDialogCheckSettings.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace korvex {

namespace {

constexpr int kClientWidth = 673;
constexpr int kClientHeight = 425;
constexpr int kTreeWidth = 257;
constexpr int kTreeHeight = 353;
constexpr int kSwatchWidth = 49;
constexpr int kSwatchHeight = 17;

// A whole decimal integer, blanks around it allowed.
bool ParseInteger(const QString& text, int& value)
{
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok, 10);
    if (ok)
        value = parsed;
    return ok;
}

void KeepSpaceWhenHidden(QWidget* widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

QToolButton* MakeArrowButton(Qt::ArrowType arrow, QWidget* parent, int height)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(16, height);
    return button;
}

} // namespace

// ---- ColorPanel ----

ColorPanel::ColorPanel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFixedSize(kSwatchWidth, kSwatchHeight);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void ColorPanel::SetColour(Colour colour)
{
    colour_ = colour;
    update();
}

void ColorPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && onClick) {
        event->accept();
        onClick();
        return;
    }
    QFrame::mousePressEvent(event);
}

void ColorPanel::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Space || event->key() == Qt::Key_Return) && onClick) {
        event->accept();
        onClick();
        return;
    }
    QFrame::keyPressEvent(event);
}

void ColorPanel::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), QColor(static_cast<int>(colour_ & 0xFF),
                                                static_cast<int>((colour_ >> 8) & 0xFF),
                                                static_cast<int>((colour_ >> 16) & 0xFF)));
    }
    QFrame::paintEvent(event);
}

// ---- TDialogSettings ----

TDialogSettings::TDialogSettings(QWidget* parent) : QDialog(parent)
{
    setModal(true);
    checkDialog_ = new TDialogCheckSettings(this);
    BuildLayout();
    Relabel();
    UpdatePanels();
}

TDialogSettings::~TDialogSettings() = default;

void TDialogSettings::BuildLayout()
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    // The form's own font, as the analysis window uses it; the layout is measured for it.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    root->setSpacing(8);

    // Left column: the tree.
    auto* treeColumn = new QVBoxLayout;
    treeColumn->setSpacing(4);
    c_.LabelTreeHeadline = new QLabel(this);
    c_.Tree = new SettingsTree(this);
    c_.Tree->setFixedSize(kTreeWidth, kTreeHeight);
    treeColumn->addWidget(c_.LabelTreeHeadline);
    treeColumn->addWidget(c_.Tree);
    treeColumn->addStretch(1);
    root->addLayout(treeColumn);

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    root->addLayout(right, 1);

    // General settings: output heading and Y axis.
    // The three sections are titled rules; the groups inside them carry frames.
    c_.GroupCommonSettings = new QGroupBox(this);
    c_.GroupCommonSettings->setFlat(true);
    auto* common = new QHBoxLayout(c_.GroupCommonSettings);
    common->setContentsMargins(0, 2, 0, 0);
    common->setSpacing(6);
    c_.GroupOutputTitle = new QGroupBox(c_.GroupCommonSettings);
    auto* titleLayout = new QVBoxLayout(c_.GroupOutputTitle);
    c_.EditOutputHeadline = new QLineEdit(c_.GroupOutputTitle);
    titleLayout->addStretch(1);
    titleLayout->addWidget(c_.EditOutputHeadline);
    titleLayout->addStretch(1);
    common->addWidget(c_.GroupOutputTitle, 3);

    c_.GroupAxisLabels = new QGroupBox(c_.GroupCommonSettings);
    auto* axis = new QGridLayout(c_.GroupAxisLabels);
    axis->setHorizontalSpacing(6);
    c_.RadioAxisDynamic = new QRadioButton(c_.GroupAxisLabels);
    c_.RadioAxisFixed = new QRadioButton(c_.GroupAxisLabels);
    c_.LabelYMin = new QLabel(c_.GroupAxisLabels);
    c_.LabelYMax = new QLabel(c_.GroupAxisLabels);
    c_.EditYMin = new QLineEdit(c_.GroupAxisLabels);
    c_.EditYMax = new QLineEdit(c_.GroupAxisLabels);
    for (QLineEdit* edit : {c_.EditYMin, c_.EditYMax}) {
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edit->setFixedWidth(48);
    }
    c_.LabelYMin->setBuddy(c_.EditYMin);
    c_.LabelYMax->setBuddy(c_.EditYMax);
    axis->addWidget(c_.RadioAxisDynamic, 0, 0);
    axis->addWidget(c_.RadioAxisFixed, 1, 0);
    axis->addWidget(c_.LabelYMin, 0, 1, Qt::AlignRight);
    axis->addWidget(c_.EditYMin, 0, 2);
    axis->addWidget(c_.LabelYMax, 1, 1, Qt::AlignRight);
    axis->addWidget(c_.EditYMax, 1, 2);
    axis->setColumnStretch(0, 1);
    common->addWidget(c_.GroupAxisLabels, 2);
    right->addWidget(c_.GroupCommonSettings);

    // Device-specific: line width and the styles of other values and outputs.
    c_.GroupDeviceSettings = new QGroupBox(this);
    c_.GroupDeviceSettings->setFlat(true);
    // Line width on the left; the two styles one above the other, each on one line, so that
    // the longer languages fit.
    auto* device = new QGridLayout(c_.GroupDeviceSettings);
    device->setContentsMargins(0, 2, 0, 0);
    device->setHorizontalSpacing(6);
    device->setVerticalSpacing(4);

    c_.GroupLineWidth = new QGroupBox(c_.GroupDeviceSettings);
    auto* widthLayout = new QHBoxLayout(c_.GroupLineWidth);
    widthLayout->setContentsMargins(6, 4, 6, 6);
    widthLayout->setSpacing(1);
    c_.EditLineWidth = new QLineEdit(c_.GroupLineWidth);
    c_.EditLineWidth->setMaxLength(2);
    c_.EditLineWidth->setFixedWidth(30);
    c_.EditLineWidth->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c_.EditLineWidth->setText(QStringLiteral("2"));
    // The up-down control sits against the field, as tall as it.
    const int editHeight = c_.EditLineWidth->sizeHint().height();
    auto* upDownBox = new QWidget(c_.GroupLineWidth);
    upDownBox->setFixedSize(16, editHeight);
    auto* upDown = new QVBoxLayout(upDownBox);
    upDown->setContentsMargins(0, 0, 0, 0);
    upDown->setSpacing(0);
    c_.UpDownLineWidthUp = MakeArrowButton(Qt::UpArrow, upDownBox, editHeight / 2);
    c_.UpDownLineWidthDown = MakeArrowButton(Qt::DownArrow, upDownBox, editHeight - editHeight / 2);
    upDown->addWidget(c_.UpDownLineWidthUp);
    upDown->addWidget(c_.UpDownLineWidthDown);
    widthLayout->addWidget(c_.EditLineWidth, 0, Qt::AlignTop);
    widthLayout->addWidget(upDownBox, 0, Qt::AlignTop);
    widthLayout->addStretch(1);
    device->addWidget(c_.GroupLineWidth, 0, 0, 2, 1);

    const auto styleGroup = [this](QGroupBox*& group, QLabel*& header, QRadioButton*& bars,
                                   QRadioButton*& lines) {
        group = new QGroupBox(c_.GroupDeviceSettings);
        auto* layout = new QHBoxLayout(group);
        layout->setContentsMargins(6, 2, 6, 4);
        layout->setSpacing(8);
        header = new QLabel(group);
        bars = new QRadioButton(group);
        lines = new QRadioButton(group);
        layout->addWidget(header);
        layout->addWidget(bars);
        layout->addWidget(lines);
        layout->addStretch(1);
    };
    styleGroup(c_.GroupOthersType, c_.LabelOthersHeader, c_.RadioOthersUseBars,
               c_.RadioOthersUseLines);
    styleGroup(c_.GroupOutputsType, c_.LabelOutputsHeader, c_.RadioOutputsUseBars,
               c_.RadioOutputsUseLines);
    device->addWidget(c_.GroupOthersType, 0, 1);
    device->addWidget(c_.GroupOutputsType, 1, 1);
    device->setColumnStretch(1, 1);
    // A line of its own: the styles above need all the width the long languages take.
    c_.CheckSettingsBtn = new QPushButton(c_.GroupDeviceSettings);
    c_.CheckSettingsBtn->setAutoDefault(false);
    device->addWidget(c_.CheckSettingsBtn, 2, 0, 1, 2, Qt::AlignLeft);
    right->addWidget(c_.GroupDeviceSettings);

    // Graph settings: the selected field.
    c_.GroupGraphSettings = new QGroupBox(this);
    c_.GroupGraphSettings->setFlat(true);
    auto* graph = new QGridLayout(c_.GroupGraphSettings);
    graph->setContentsMargins(6, 4, 0, 0);
    graph->setHorizontalSpacing(10);
    graph->setVerticalSpacing(6);
    c_.LabelLogFileEntry = new QLabel(c_.GroupGraphSettings);
    c_.LabelField = new QLabel(c_.GroupGraphSettings);
    c_.LabelField->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = c_.LabelField->font();
    bold.setBold(true);
    c_.LabelField->setFont(bold);
    c_.LabelDisplayName = new QLabel(c_.GroupGraphSettings);
    c_.EditLabel = new QLineEdit(c_.GroupGraphSettings);
    c_.LabelDisplayName->setBuddy(c_.EditLabel);
    c_.LabelDisplayColor = new QLabel(c_.GroupGraphSettings);
    c_.PanelColor = new ColorPanel(c_.GroupGraphSettings);
    for (QWidget* widget :
         {static_cast<QWidget*>(c_.LabelField), static_cast<QWidget*>(c_.EditLabel),
          static_cast<QWidget*>(c_.PanelColor)})
        KeepSpaceWhenHidden(widget);
    graph->addWidget(c_.LabelLogFileEntry, 0, 0);
    graph->addWidget(c_.LabelField, 0, 1);
    graph->addWidget(c_.LabelDisplayName, 1, 0);
    graph->addWidget(c_.EditLabel, 1, 1);
    graph->addWidget(c_.LabelDisplayColor, 2, 0);
    graph->addWidget(c_.PanelColor, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
    graph->setColumnStretch(1, 1);
    right->addWidget(c_.GroupGraphSettings);
    right->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    c_.OKBtn = new QPushButton(this);
    c_.CancelBtn = new QPushButton(this);
    for (QPushButton* button : {c_.OKBtn, c_.CancelBtn})
        button->setMinimumWidth(88);
    c_.OKBtn->setDefault(true);
    c_.OKBtn->setAutoDefault(true);
    c_.CancelBtn->setAutoDefault(false);
    buttons->addWidget(c_.OKBtn);
    buttons->addWidget(c_.CancelBtn);
    right->addLayout(buttons);

    // Events.
    connect(c_.Tree, &QTreeWidget::itemSelectionChanged, this, [this] { UpdatePanels(); });
    connect(c_.EditLineWidth, &QLineEdit::textEdited, this, [this] { EditLineWidthChange(); });
    connect(c_.UpDownLineWidthUp, &QToolButton::clicked, this, [this] { StepLineWidth(+1); });
    connect(c_.UpDownLineWidthDown, &QToolButton::clicked, this, [this] { StepLineWidth(-1); });
    for (QRadioButton* radio : {c_.RadioOthersUseBars, c_.RadioOthersUseLines})
        connect(radio, &QRadioButton::clicked, this, [this] { RadioOthersGraphStyleClick(); });
    for (QRadioButton* radio : {c_.RadioOutputsUseBars, c_.RadioOutputsUseLines})
        connect(radio, &QRadioButton::clicked, this, [this] { RadioOutputsGraphStyleClick(); });
    connect(c_.EditLabel, &QLineEdit::textEdited, this, [this] { EditLabelChange(); });
    c_.PanelColor->onClick = [this] { ColorSelectClick(); };
    connect(c_.CheckSettingsBtn, &QPushButton::clicked, this, [this] { CheckSettingsBtnClick(); });
    connect(c_.OKBtn, &QPushButton::clicked, this, [this] { OKButtonPressed(); });
    connect(c_.CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
}

void TDialogSettings::Relabel()
{
    setWindowTitle(UiText(TextId::MenuSettings));
    c_.LabelTreeHeadline->setText(UiText(TextId::DevicesAndMeasurements));
    c_.GroupCommonSettings->setTitle(UiText(TextId::GeneralSettings));
    c_.GroupOutputTitle->setTitle(UiText(TextId::OutputHeading));
    c_.GroupAxisLabels->setTitle(UiText(TextId::ScaleYAxis) + QLatin1Char(' '));
    c_.RadioAxisDynamic->setText(UiText(TextId::ScaleDynamic));
    c_.RadioAxisFixed->setText(UiText(TextId::ScaleFixed));
    c_.LabelYMin->setText(UiText(TextId::ScaleMin));
    c_.LabelYMax->setText(UiText(TextId::ScaleMax));
    c_.GroupDeviceSettings->setTitle(UiText(TextId::DeviceSpecific));
    c_.GroupLineWidth->setTitle(UiText(TextId::LineWidth) + QLatin1Char(' '));
    c_.GroupOthersType->setTitle(UiText(TextId::CategoryOtherValues));
    c_.LabelOthersHeader->setText(UiText(TextId::DisplayAs));
    c_.RadioOthersUseBars->setText(UiText(TextId::DrawBars));
    c_.RadioOthersUseLines->setText(UiText(TextId::DrawLines));
    c_.GroupOutputsType->setTitle(UiText(TextId::CategoryOutputs));
    c_.LabelOutputsHeader->setText(UiText(TextId::DisplayAs));
    c_.RadioOutputsUseBars->setText(UiText(TextId::DrawBars));
    c_.RadioOutputsUseLines->setText(UiText(TextId::DrawLines));
    c_.CheckSettingsBtn->setText(QString::fromUtf8(CheckUiText("settings-button")));
    checkDialog_->ApplyLanguage();
    c_.GroupGraphSettings->setTitle(UiText(TextId::GraphSettings));
    c_.LabelLogFileEntry->setText(UiText(TextId::LogFileEntry));
    c_.LabelDisplayName->setText(UiText(TextId::DisplayName));
    c_.LabelDisplayColor->setText(UiText(TextId::DisplayColour));
    c_.OKBtn->setText(UiText(TextId::ButtonOk));
    c_.CancelBtn->setText(UiText(TextId::ButtonCancel));
}

void TDialogSettings::AddDevice(DeviceSettings& device)
{
    c_.Tree->AddDevice(device);
}

void TDialogSettings::AddDeviceAndSelect(DeviceSettings& device)
{
    QTreeWidgetItem* node = c_.Tree->AddDevice(device);
    c_.Tree->setCurrentItem(node);
}

void TDialogSettings::SetGeneralValues(const ChildDefaults& values)
{
    working_ = values;
    confirmed_ = values;
}

bool TDialogSettings::EditSettings(ChildDefaults& defaults, DeviceSettings* current,
                                   const std::vector<DeviceSettings*>& further)
{
    EmptyTree();
    std::vector<DeviceSettings*> devices;
    if (current != nullptr && std::find(further.begin(), further.end(), current) == further.end())
        devices.push_back(current);
    for (DeviceSettings* device : further) {
        if (device != nullptr && std::find(devices.begin(), devices.end(), device) == devices.end())
            devices.push_back(device);
    }
    DeviceSettings* selected = current != nullptr ? current
                               : devices.empty()  ? nullptr
                                                  : devices.front();
    for (DeviceSettings* device : devices) {
        if (device == selected)
            AddDeviceAndSelect(*device);
        else
            AddDevice(*device);
    }
    SetGeneralValues(defaults);
    if (exec() != QDialog::Accepted)
        return false;
    defaults = confirmed_;
    return true;
}

void TDialogSettings::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TDialogSettings::FormShow()
{
    if (const std::optional<QRect> area = ThePlatform().desktop->WorkArea()) {
        QRect frame = frameGeometry();
        frame.moveCenter(area->center());
        move(frame.topLeft());
    }
    currentDevice_ = nullptr;
    Relabel();
    for (DeviceSettings* device : c_.Tree->Devices())
        device->makeBackup();
    FillGeneralControls();
    UpdatePanels();
    if (QTreeWidgetItem* node = c_.Tree->currentItem(); node != nullptr && node->isSelected()) {
        c_.Tree->expandRecursively(c_.Tree->currentIndex());
        c_.Tree->setFocus();
    }
}

void TDialogSettings::FillGeneralControls()
{
    c_.RadioAxisDynamic->setChecked(working_.dynamicScaling);
    c_.RadioAxisFixed->setChecked(!working_.dynamicScaling);
    c_.EditYMin->setText(QString::number(working_.axisMin));
    c_.EditYMax->setText(QString::number(working_.axisMax));
    c_.EditOutputHeadline->setText(QString::fromStdString(working_.printTitle));
}

QTreeWidgetItem* TDialogSettings::SelectedFieldNode() const
{
    const QList<QTreeWidgetItem*> selected = c_.Tree->selectedItems();
    if (selected.isEmpty() || SettingsTree::KindOf(selected.front()) != SettingsNodeKind::Field)
        return nullptr;
    return selected.front();
}

void TDialogSettings::UpdatePanels()
{
    const QList<QTreeWidgetItem*> selected = c_.Tree->selectedItems();
    QTreeWidgetItem* node = selected.isEmpty() ? nullptr : selected.front();
    if (node != nullptr)
        currentDevice_ = c_.Tree->DeviceOf(node);

    const bool active = node != nullptr && currentDevice_ != nullptr;
    c_.GroupLineWidth->setEnabled(active);
    c_.GroupGraphSettings->setEnabled(active);
    c_.GroupDeviceSettings->setEnabled(active);
    c_.EditLabel->setVisible(active);
    c_.LabelField->setVisible(active);
    c_.PanelColor->setVisible(active);
    if (!active)
        return;

    c_.EditLineWidth->setText(QString::number(currentDevice_->lineWidth()));
    c_.RadioOthersUseBars->setChecked(currentDevice_->othersAsBars());
    c_.RadioOthersUseLines->setChecked(!currentDevice_->othersAsBars());
    c_.RadioOutputsUseBars->setChecked(currentDevice_->outputsAsBars());
    c_.RadioOutputsUseLines->setChecked(!currentDevice_->outputsAsBars());

    const int field = SettingsTree::FieldOf(node);
    if (field < 0) {
        c_.EditLabel->hide();
        c_.LabelField->hide();
        c_.PanelColor->hide();
        return;
    }
    c_.EditLabel->setText(QString::fromStdString(currentDevice_->label(field)));
    c_.PanelColor->SetColour(currentDevice_->colour(field));
    c_.LabelField->setText(QString::fromStdString(LogFileEntryText(*currentDevice_, field)));
}

void TDialogSettings::EditLineWidthChange()
{
    if (currentDevice_ == nullptr)
        return;
    int width = 0;
    if (!ParseInteger(c_.EditLineWidth->text(), width))
        return;
    width = std::clamp(width, kMinLineWidth, kMaxLineWidth);
    currentDevice_->setLineWidth(static_cast<unsigned>(width));
}

void TDialogSettings::StepLineWidth(int delta)
{
    if (currentDevice_ == nullptr)
        return;
    int width = 0;
    if (!ParseInteger(c_.EditLineWidth->text(), width))
        width = static_cast<int>(currentDevice_->lineWidth());
    width = std::clamp(std::clamp(width, kMinLineWidth, kMaxLineWidth) + delta, kMinLineWidth,
                       kMaxLineWidth);
    c_.EditLineWidth->setText(QString::number(width));
    EditLineWidthChange();
}

void TDialogSettings::RadioOthersGraphStyleClick()
{
    if (currentDevice_ != nullptr)
        currentDevice_->setOthersAsBars(c_.RadioOthersUseBars->isChecked());
}

void TDialogSettings::RadioOutputsGraphStyleClick()
{
    if (currentDevice_ != nullptr)
        currentDevice_->setOutputsAsBars(c_.RadioOutputsUseBars->isChecked());
}

void TDialogSettings::EditLabelChange()
{
    QTreeWidgetItem* node = SelectedFieldNode();
    if (node == nullptr || currentDevice_ == nullptr) {
        UpdatePanels();
        return;
    }
    const QString text = c_.EditLabel->text();
    if (text.isEmpty())
        return;
    currentDevice_->setLabel(SettingsTree::FieldOf(node), text.toStdString());
    c_.Tree->RefreshFieldText(node);
}

void TDialogSettings::ColorSelectClick()
{
    QTreeWidgetItem* node = SelectedFieldNode();
    if (node == nullptr || currentDevice_ == nullptr) {
        UpdatePanels();
        return;
    }
    const int field = SettingsTree::FieldOf(node);
    const Colour before = currentDevice_->colour(field);
    std::uint32_t chosen = before;
    if (ChooseColor(chosen, this) && chosen != before) {
        currentDevice_->setColour(field, chosen);
        c_.PanelColor->SetColour(chosen);
    }
    c_.Tree->viewport()->update();
}

void TDialogSettings::OKBtnClick()
{
    working_.printTitle = c_.EditOutputHeadline->text().toStdString();
    working_.dynamicScaling = c_.RadioAxisDynamic->isChecked();

    int axisMin = 0;
    int axisMax = 0;
    if (!ParseInteger(c_.EditYMin->text(), axisMin) || !ParseInteger(c_.EditYMax->text(), axisMax))
        throw KorvexError(Text(TextId::YAxisFiguresOnly));
    working_.axisMin = axisMin;
    working_.axisMax = axisMax;

    // The line width is only checked while it belongs to a device: without one the field is
    // disabled and could not be corrected.
    if (currentDevice_ != nullptr && c_.GroupLineWidth->isEnabled()) {
        int width = 0;
        if (!ParseInteger(c_.EditLineWidth->text(), width) || width < kMinLineWidth ||
            width > kMaxLineWidth) {
            c_.EditLineWidth->setFocus();
            throw KorvexError(Text(TextId::InvalidLineWidth));
        }
    }

    for (auto& [device, edit] : checkEdits_)
        SaveCheckSettings(AppSettings::Get(), *device, edit.roles, edit.thresholds);
    const bool checkChanged = !checkEdits_.empty();
    checkEdits_.clear();

    for (DeviceSettings* device : c_.Tree->Devices())
        device->discardBackup();
    confirmed_ = working_;
    EmptyTree();
    QDialog::accept();
    if (checkChanged)
        emit CheckSettingsChanged();
}

void TDialogSettings::OKButtonPressed()
{
    try {
        OKBtnClick();
    } catch (const KorvexError& error) {
        ShowErrorBox(this, QString::fromStdString(error.what()));
    }
}

void TDialogSettings::CheckSettingsBtnClick()
{
    DeviceSettings* device = currentDevice_;
    if (device == nullptr)
        return;
    CheckEdit edit{DefaultRoles(*device), CheckThresholds{}};
    if (const auto pending = checkEdits_.find(device); pending != checkEdits_.end()) {
        edit = pending->second;
    } else {
        try {
            const AppSettings& settings = AppSettings::Get();
            edit = {StoredRoles(settings, *device), StoredThresholds(settings, device->number())};
        } catch (const SettingsFileError& error) {
            // The defaults then; OK will report the file again if it still fails.
            ShowErrorBox(this, QString::fromUtf8(error.what()));
        }
    }
    checkDialog_->Load(*device, edit.roles, edit.thresholds);
    if (checkDialog_->exec() != QDialog::Accepted)
        return;
    edit = {checkDialog_->Roles(), checkDialog_->Thresholds()};
    checkEdits_[device] = edit;
}

void TDialogSettings::CancelBtnClick()
{
    checkEdits_.clear();
    for (DeviceSettings* device : c_.Tree->Devices())
        device->restoreBackup();
    working_ = confirmed_;
    EmptyTree();
    QDialog::reject();
}

void TDialogSettings::reject()
{
    CancelBtnClick();
}

void TDialogSettings::EmptyTree()
{
    c_.Tree->RemoveAll();
    currentDevice_ = nullptr;
    UpdatePanels();
}

} // namespace korvex
