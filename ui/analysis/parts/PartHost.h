#pragma once

// What a part of the analysis window may ask of the window that built it. The window is the only
// implementation in the program; part tests hand a fake. Parts read the window's state through
// the const ChildState they were given and never keep the window itself.

#include "core/services/DayTime.h"

#include <QString>

class QScrollArea;

namespace korvex {

struct AnalysisView;

class PartHost {
public:
    virtual ~PartHost() = default;
    // The next view state (core/views/AnalysisView.h); the window keeps it as its only one.
    virtual void ApplyView(const AnalysisView& next) = 0;
    // Both charts' bottom axes to [minimum, maximum], never holding minimum above maximum.
    virtual void SetWindow(DayTime maximum, DayTime minimum) = 0;
    // Forced: enabled exactly when value; otherwise computed from span, data set and tab.
    virtual void UpdateExcelAction(bool forced = false, bool value = false) = 0;
    // Something the main window's action states depend on changed (graphs shown, table mode).
    virtual void CommandStateChanged() = 0;
    // The graph-list column widened or narrowed to the header's columns.
    virtual void FitPanelLeftToHeader() = 0;
    // The graph list (scroll box) that holds the column header now.
    virtual QScrollArea* ListOfHeader() const = 0;
    // The display name of device i (its number while it has no settings yet).
    virtual QString DeviceDisplayName(int deviceIndex) const = 0;
};

} // namespace korvex
