#include "ui/shell/SettingsTree.h"

#include "core/logdata/DeviceSettings.h"
#include "core/logdata/FieldKeys.h"
#include "ui/platform/UiText.h"

#include <QHeaderView>
#include <QPainter>
#include <QProxyStyle>

#include <algorithm>

namespace korvex {

namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kFieldRole = Qt::UserRole + 1;

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QColor ToQColor(Colour c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

QModelIndex TopLevelOf(QModelIndex index)
{
    while (index.isValid() && index.parent().isValid())
        index = index.parent();
    return index;
}

// Only the node's text box shows the selection, never the branch area before it.
class TreeStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == QStyle::SH_ItemView_ShowDecorationSelected)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

std::string FieldNodeText(const DeviceSettings& device, int field)
{
    const std::string& label = device.label(field);
    if (device.derived(field))
        return label;
    const std::string& key = device.key(field);
    if (label == key)
        return key;
    return key + " (" + label + ")";
}

std::string LogFileEntryText(const DeviceSettings& device, int field)
{
    const std::string& key = device.key(field);
    if (!device.derived(field))
        return key;
    return Text(TextId::Total) + " (" + RateKeyOfDaySum(key) + ")";
}

// ---- SettingsTree ----

SettingsTree::SettingsTree(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    header()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
    setRootIsDecorated(true);
    setIndentation(19);
    setTextElideMode(Qt::ElideNone);
    setItemDelegate(new SettingsTreeDelegate(*this));
    auto* style = new TreeStyle;
    style->setParent(this);
    setStyle(style);
    // The swatches sit at a fixed distance from the right edge, so the tree never scrolls
    // sideways.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QTreeWidgetItem* SettingsTree::AddDevice(DeviceSettings& device)
{
    const auto known = std::find(devices_.begin(), devices_.end(), &device);
    if (known != devices_.end())
        return topLevelItem(static_cast<int>(known - devices_.begin()));

    auto* deviceNode = new QTreeWidgetItem(QStringList{Q(device.name())});
    deviceNode->setData(0, kKindRole, static_cast<int>(SettingsNodeKind::Device));
    deviceNode->setData(0, kFieldRole, -1);
    devices_.push_back(&device);
    addTopLevelItem(deviceNode);

    const int inputsEnd = device.inputsCount();
    const int othersEnd = inputsEnd + device.othersCount();
    const int fieldsEnd = device.fieldCount();

    if (device.inputsCount() > 0) {
        QTreeWidgetItem* node = AddCategory(deviceNode, TextId::CategoryInputs);
        for (int i = 0; i < inputsEnd; ++i)
            AddField(node, device, i);
    }
    if (device.othersCount() > 0) {
        QTreeWidgetItem* node = AddCategory(deviceNode, TextId::CategoryOtherValues);
        for (int i = inputsEnd; i < othersEnd; ++i) {
            if (device.derived(i))
                continue;
            AddField(node, device, i);
            // A derived day total follows the field it was summed from.
            const int total = device.find(DaySumKey(device.key(i)));
            if (total >= 0 && device.derived(total))
                AddField(node, device, total);
        }
    }
    if (device.outputsCount() > 0) {
        QTreeWidgetItem* node = AddCategory(deviceNode, TextId::CategoryOutputs);
        for (int i = othersEnd; i < fieldsEnd; ++i)
            AddField(node, device, i);
    }

    for (int i = 0; i < deviceNode->childCount(); ++i)
        deviceNode->child(i)->setExpanded(true);
    deviceNode->setExpanded(false);
    return deviceNode;
}

QTreeWidgetItem* SettingsTree::AddCategory(QTreeWidgetItem* deviceNode, TextId text)
{
    auto* node = new QTreeWidgetItem(deviceNode, QStringList{UiText(text)});
    node->setData(0, kKindRole, static_cast<int>(SettingsNodeKind::Category));
    node->setData(0, kFieldRole, -1);
    return node;
}

QTreeWidgetItem* SettingsTree::AddField(QTreeWidgetItem* categoryNode, const DeviceSettings& device,
                                        int field)
{
    auto* node = new QTreeWidgetItem(categoryNode, QStringList{Q(FieldNodeText(device, field))});
    node->setData(0, kKindRole, static_cast<int>(SettingsNodeKind::Field));
    node->setData(0, kFieldRole, field);
    return node;
}

void SettingsTree::RemoveAll()
{
    clear();
    devices_.clear();
}

DeviceSettings* SettingsTree::DeviceOf(const QModelIndex& index) const
{
    const QModelIndex top = TopLevelOf(index);
    if (!top.isValid())
        return nullptr;
    const int row = top.row();
    return row >= 0 && row < static_cast<int>(devices_.size()) ? devices_[row] : nullptr;
}

DeviceSettings* SettingsTree::DeviceOf(const QTreeWidgetItem* item) const
{
    if (item == nullptr)
        return nullptr;
    while (item->parent() != nullptr)
        item = item->parent();
    const int row = indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
    return row >= 0 && row < static_cast<int>(devices_.size()) ? devices_[row] : nullptr;
}

SettingsNodeKind SettingsTree::KindOf(const QTreeWidgetItem* item)
{
    return item == nullptr ? SettingsNodeKind::Device
                           : static_cast<SettingsNodeKind>(item->data(0, kKindRole).toInt());
}

SettingsNodeKind SettingsTree::KindOf(const QModelIndex& index)
{
    return static_cast<SettingsNodeKind>(index.data(kKindRole).toInt());
}

int SettingsTree::FieldOf(const QTreeWidgetItem* item)
{
    return item != nullptr && KindOf(item) == SettingsNodeKind::Field
               ? item->data(0, kFieldRole).toInt()
               : -1;
}

int SettingsTree::FieldOf(const QModelIndex& index)
{
    return index.isValid() && KindOf(index) == SettingsNodeKind::Field
               ? index.data(kFieldRole).toInt()
               : -1;
}

std::optional<Colour> SettingsTree::FieldColourOf(const QModelIndex& index) const
{
    const int field = FieldOf(index);
    const DeviceSettings* device = DeviceOf(index);
    if (field < 0 || device == nullptr || field >= device->fieldCount())
        return std::nullopt;
    return device->colour(field);
}

void SettingsTree::RefreshFieldText(QTreeWidgetItem* item)
{
    const int field = FieldOf(item);
    const DeviceSettings* device = DeviceOf(item);
    if (field >= 0 && device != nullptr)
        item->setText(0, Q(FieldNodeText(*device, field)));
}

// ---- SettingsTreeDelegate ----

SettingsTreeDelegate::SettingsTreeDelegate(SettingsTree& tree)
    : QStyledItemDelegate(&tree), tree_(tree)
{}

QRect SettingsTreeDelegate::SwatchRect(int textRight, int top, int bottom, int treeWidth)
{
    const int left = std::max(textRight + 2, treeWidth - 60);
    const int right = treeWidth - 25;
    return QRect(QPoint(left, top + 5), QPoint(right - 1, bottom - 5 - 1));
}

void SettingsTreeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    painter->save();
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QString text = index.data(Qt::DisplayRole).toString();
    const QFontMetrics metrics(option.font);

    // The text box: the text with a small margin, one pixel short of its right end.
    QRect box = option.rect;
    box.setWidth(metrics.horizontalAdvance(text) + 5);
    painter->fillRect(option.rect, option.palette.base());
    painter->fillRect(box.adjusted(0, 0, -1, 0),
                      selected ? option.palette.highlight() : QBrush(Qt::white));
    painter->setFont(option.font);
    painter->setPen(selected ? option.palette.color(QPalette::HighlightedText)
                             : option.palette.color(QPalette::Text));
    painter->drawText(box.adjusted(2, 1, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);

    if (const auto colour = tree_.FieldColourOf(index)) {
        const int treeWidth = tree_.width();
        const QRect swatch =
            SwatchRect(box.right() + 1, option.rect.top(), option.rect.bottom() + 1, treeWidth);
        if (swatch.width() > 0 && swatch.height() > 0) {
            painter->fillRect(swatch, ToQColor(*colour));
            // A thin outline keeps white and pale colours visible on the white tree.
            painter->setPen(QColor(128, 128, 128));
            painter->drawRect(swatch.adjusted(0, 0, -1, -1));
        }
    }
    painter->restore();
}

QSize SettingsTreeDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), QFontMetrics(option.font).height() + 6));
    return size;
}

} // namespace korvex
