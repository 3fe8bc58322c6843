#pragma once

// The settings dialog's tree of devices, their field categories and fields, drawn with a colour
// swatch per field. The tree refers to the DeviceSettings it shows without owning them; the
// dialog empties it after every use.

#include "core/logdata/FieldCategory.h"
#include "core/services/TextId.h"

#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <optional>
#include <string>
#include <vector>

namespace korvex {

class DeviceSettings;

enum class SettingsNodeKind { Device = 0, Category = 1, Field = 2 };

// Text of a field node: a derived field shows its label; a plain field its key, followed by
// " (label)" when the label differs from the key.
std::string FieldNodeText(const DeviceSettings& device, int field);
// The log file entry of a field: its key, or for a derived field "Total (" + the key up to its
// first "tag" + ")".
std::string LogFileEntryText(const DeviceSettings& device, int field);

class SettingsTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit SettingsTree(QWidget* parent = nullptr);

    // Appends the device's subtree as the last top-level node, collapsed, with its category nodes
    // expanded. A device already in the tree is not added again. Returns its top-level node.
    QTreeWidgetItem* AddDevice(DeviceSettings& device);
    // Removes every node and forgets the devices.
    void RemoveAll();

    const std::vector<DeviceSettings*>& Devices() const { return devices_; }
    // The device of the subtree that holds the item, or nullptr.
    DeviceSettings* DeviceOf(const QTreeWidgetItem* item) const;
    DeviceSettings* DeviceOf(const QModelIndex& index) const;
    static SettingsNodeKind KindOf(const QTreeWidgetItem* item);
    static SettingsNodeKind KindOf(const QModelIndex& index);
    // The field index of a field node, or -1.
    static int FieldOf(const QTreeWidgetItem* item);
    static int FieldOf(const QModelIndex& index);
    // The colour of a field node's field; nothing for other nodes.
    std::optional<Colour> FieldColourOf(const QModelIndex& index) const;
    // Re-reads a field node's text from its field.
    void RefreshFieldText(QTreeWidgetItem* item);

private:
    QTreeWidgetItem* AddCategory(QTreeWidgetItem* deviceNode, TextId text);
    QTreeWidgetItem* AddField(QTreeWidgetItem* categoryNode, const DeviceSettings& device,
                              int field);

    std::vector<DeviceSettings*> devices_; // index = top-level row
};

// Draws a node as a plain text box (selection colour or white) and, for a field, a swatch of
// its colour at the right edge of the tree.
class SettingsTreeDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit SettingsTreeDelegate(SettingsTree& tree);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Where a field's swatch goes for a node whose text box ends at textRight (row coordinates
    // top and bottom), in a tree of the given width.
    static QRect SwatchRect(int textRight, int top, int bottom, int treeWidth);

private:
    SettingsTree& tree_;
};

} // namespace korvex
