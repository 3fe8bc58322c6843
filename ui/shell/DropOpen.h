#pragma once

// Opening an analysis by dropping onto the main window: a folder opens the open-analysis dialog
// with that folder scanned and its whole range chosen; one or more log files of one folder open
// it with the range of the dropped files' days. Anything else is refused without a message.

#include "core/services/DayTime.h"

#include <QObject>

#include <optional>
#include <string>
#include <vector>

namespace korvex {

class TMainform;

struct DropPlan {
    std::string directory;
    std::optional<DayTime> from; // the dropped files' first and last day; none for a folder
    std::optional<DayTime> to;
};

// What dropping these local paths opens; nothing when they cannot be opened as one analysis.
std::optional<DropPlan> PlanDrop(const std::vector<std::string>& paths);

class DropOpen : public QObject {
    Q_OBJECT
public:
    explicit DropOpen(TMainform& main);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TMainform& main_;
};

} // namespace korvex
