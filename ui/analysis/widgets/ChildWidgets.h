#pragma once

// The components of one analysis window, by the names the rest of the program uses. All are
// children of the window and live as long as it; the pointers are set once at creation.

#include <QColor>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QSlider;
class QSplitter;
class QTabBar;
class QTimer;
class QWidget;

namespace korvex {

class ChartWidget;
class THeaderControl;
class TXPButton;
class TTableGrid;

// RGB(219, 224, 227): the window, its panels and the selected device tab.
inline QColor WindowTint()
{
    return QColor(219, 224, 227);
}

struct ChildWidgets {
    QWidget* panelLeft = nullptr;    // graph selection column, left
    QWidget* panelLeftTop = nullptr; // holds LabelHeadline
    QLabel* labelHeadline = nullptr;
    QFrame* panelGraphPanels = nullptr; // frame of the graph lists (maximum height 750)
    // The Overview tab's list and the model for the per-device lists. Rows go into its widget().
    QScrollArea* overview = nullptr;
    THeaderControl* headerControl = nullptr; // a child of the shown list's content, at its top
    QWidget* panelLeftBottom = nullptr;
    QPushButton* buttonSettings = nullptr;
    QPushButton* buttonOpenExcel = nullptr;

    QWidget* panelGraph = nullptr; // charts, table and navigation
    QWidget* panelZoomX = nullptr; // navigation strip at the bottom
    QTabBar* tabSetDevices = nullptr;
    QLabel* labelDisplayedTimeSpan = nullptr;
    QComboBox* spanTime = nullptr;
    QLabel* labelSelectTimeSpan = nullptr;
    QSlider* sliderTime = nullptr;
    TXPButton* buttonJumpLeft = nullptr;
    TXPButton* buttonScrollLeft = nullptr;
    TXPButton* buttonScrollRight = nullptr;
    TXPButton* buttonJumpRight = nullptr;

    TTableGrid* grid = nullptr; // table view, hidden until the table is shown
    QWidget* panelCharts = nullptr;
    ChartWidget* chart = nullptr;       // upper chart: inputs and other values
    QSplitter* splitterChart = nullptr; // holds chart and chart2
    ChartWidget* chart2 = nullptr;      // lower chart: outputs
    QSplitter* panelStrip = nullptr;    // below the charts: statistics and function check panels

    QAction* actionOpenExcel = nullptr;
    QAction* actionOpenSettings = nullptr;
    QTimer* scrollTimer = nullptr;  // 50 ms, stopped: auto-repeat scrolling
    QTimer* repaintTimer = nullptr; // 50 ms, stopped: deferred repaint after label changes
};

} // namespace korvex
