#pragma once

// The rows of the graph lists: one TGraphPanel per field (colour swatch, name, show box and
// optionally the overview box), the content widget of a list that keeps its rows as wide as
// the list, and the data set's graph panel box that owns a device's list and refreshes its rows.

#include "core/logdata/AnalysisDataSet.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QScrollArea>

class QCheckBox;

namespace korvex {

// A label of fixed width that shows its caption cut with an ellipsis when the caption is wider;
// text() is always the whole caption.
class GraphNameLabel : public QLabel {
    Q_OBJECT
public:
    explicit GraphNameLabel(QWidget* parent = nullptr);
    // Width of the caption in the label's font.
    int CaptionWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// One row of a graph list: the field with index Tag() of a data set. The row and its four
// children carry the field index as the "tag" property.
class TGraphPanel : public QFrame {
    Q_OBJECT
public:
    TGraphPanel(AnalysisDataSet& dataSet, int field, int rowHeight, bool withOverviewBox,
                QWidget* parent);

    AnalysisDataSet& DataSet() const { return dataSet_; }
    int Tag() const { return tag_; }
    QFrame* Swatch() const { return swatch_; }
    GraphNameLabel* NameLabel() const { return nameLabel_; }
    QCheckBox* ShowBox() const { return showBox_; }
    // Null in rows without overview box.
    QCheckBox* OverviewBox() const { return overviewBox_; }

    // Takes colour, name, marks and availability from the data set.
    void Refresh();
    // The name column: label width = maxWidth; the caption's hint shows only when it is cut.
    void SetNameWidth(int maxWidth);

    // The standard check box height (for a box in font) less one: the height of every row.
    static int RowHeight(const QFont& font);

private:
    AnalysisDataSet& dataSet_;
    int tag_;
    QFrame* swatch_;
    GraphNameLabel* nameLabel_;
    QCheckBox* showBox_;
    QCheckBox* overviewBox_ = nullptr;
};

// The widget inside a graph list's scroll box. Children marked with AnchorRight keep their
// right edge at the same distance from the list's right edge when the list is resized.
class GraphListContent : public QWidget {
    Q_OBJECT
public:
    explicit GraphListContent(QWidget* parent = nullptr);
    // Keeps child's right edge inset pixels from this widget's right edge.
    static void AnchorRight(QWidget* child, int inset = 0);

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// A device's graph list, kept by the graph part for its data set. Frees the scroll box with it
// (a header that still sits in it goes back to the Overview list first). Refreshing touches the
// rows of the field in the device list and in the Overview list.
class GraphListBox final {
public:
    GraphListBox(AnalysisDataSet& dataSet, QScrollArea* list, QWidget* overviewContent,
                 QWidget* headerControl);
    ~GraphListBox();
    GraphListBox(const GraphListBox&) = delete;
    GraphListBox& operator=(const GraphListBox&) = delete;

    QScrollArea* List() const { return list_; }
    void RefreshField(int field);
    void RefreshAll();

private:
    void RefreshIn(QWidget* content, int field);

    AnalysisDataSet& dataSet_;
    QPointer<QScrollArea> list_;
    QPointer<QWidget> overviewContent_;
    QPointer<QWidget> headerControl_;
};

// The rows of a list's content in child order.
std::vector<TGraphPanel*> GraphRowsOf(const QWidget* content);

} // namespace korvex
