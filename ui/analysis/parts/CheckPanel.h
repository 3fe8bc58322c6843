#pragma once

// The function check's panel: the incidents of an analysis in a sortable table under a heading
// that says how many are listed, filtered to one device or showing all. Double-click or Enter on
// a row reports its incident; Ctrl+C copies the selected rows (all when none is selected) as
// tab-separated text under a line of headings. The panel knows nothing of the window it sits in.

#include "core/check/FunctionCheck.h"
#include "core/check/IncidentRows.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QTableView;

namespace korvex {

class IncidentModel;
class IncidentFilter;

class CheckPanel : public QWidget {
    Q_OBJECT
public:
    explicit CheckPanel(QWidget* parent = nullptr);
    ~CheckPanel() override;

    // Replaces the list; the filter and the sort order stay.
    void SetIncidents(std::vector<Incident> incidents);
    const std::vector<Incident>& Incidents() const;
    // Lists the incidents of one device (two-digit text, "10"), or all of them.
    void ShowDevice(std::string deviceText);
    void ShowAll();
    // Headings, rule names, numbers and the caption (windowTitle) in the current language and
    // decimal separator. The incidents' own texts are as the check wrote them.
    void ApplyLanguage();

    // The rows as listed (filtered, in the shown order).
    int ListedCount() const;
    const Incident& ListedIncident(int row) const;
    IncidentRow ListedRow(int row) const;
    // The heading line and the selected rows (all listed rows when none is selected).
    std::string CopyText() const;
    void CopyToClipboard() const;

    QLabel* Heading() const { return heading_; }
    QTableView* Table() const { return table_; }

signals:
    void IncidentActivated(const Incident& incident);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateHeading();
    void Activate(const QModelIndex& proxyIndex);

    QLabel* heading_;
    QTableView* table_;
    IncidentModel* model_;
    IncidentFilter* filter_;
};

} // namespace korvex
