#pragma once

// The main window's commands for reading the charts: the value readout, the statistics panel and
// the function check's panel (View menu, the readout also on the tool bar; all kept in the
// settings file and in force for every analysis window), and clearing the markers of the active
// window.

#include <QObject>

class QAction;
class QMenu;
class QToolBar;

namespace korvex {

class TMainform;

class ReadingActions : public QObject {
    Q_OBJECT
public:
    ReadingActions(TMainform& main, QMenu& viewMenu, QToolBar& toolBar);

    QAction* Readout() const { return readout_; }
    QAction* Statistics() const { return statistics_; }
    QAction* FunctionCheck() const { return functionCheck_; }
    QAction* ClearMarkers() const { return clearMarkers_; }

    void ApplyLanguage();
    // Enabled states follow the active analysis window; the checks follow the settings.
    void Update();

private:
    void Toggle();
    void ClearMarkersOfActiveWindow();

    TMainform& main_;
    QAction* readout_ = nullptr;
    QAction* statistics_ = nullptr;
    QAction* functionCheck_ = nullptr;
    QAction* clearMarkers_ = nullptr;
};

} // namespace korvex
