#include "ui/analysis/parts/CheckPanel.h"

#include "core/check/CheckUiTexts.h"
#include "core/services/NumberFormat.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <set>

namespace korvex {

namespace {

constexpr int kSortRole = Qt::UserRole + 1;

} // namespace

// Every incident of the analysis with its texts made once per language.
class IncidentModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Set(std::vector<Incident> incidents)
    {
        beginResetModel();
        incidents_ = std::move(incidents);
        MakeRows();
        endResetModel();
    }

    void Relabel()
    {
        beginResetModel();
        headings_ = IncidentHeadings();
        MakeRows();
        endResetModel();
    }

    const std::vector<Incident>& Incidents() const { return incidents_; }
    const IncidentRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : kIncidentColumns;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        const auto row = static_cast<std::size_t>(index.row());
        const int column = index.column();
        switch (role) {
            case Qt::DisplayRole:
                return QString::fromStdString(rows_[row][static_cast<std::size_t>(column)]);
            case Qt::ToolTipRole:
                return column == ColumnText ? QString::fromStdString(incidents_[row].text)
                                            : QVariant();
            case Qt::TextAlignmentRole:
                return column >= ColumnStart && column <= ColumnPeak
                           ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                           : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
            case kSortRole:
                if (const auto value = IncidentSortValue(incidents_[row], column))
                    return *value;
                return QString::fromStdString(rows_[row][static_cast<std::size_t>(column)]);
            default:
                return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= kIncidentColumns)
            return QAbstractTableModel::headerData(section, orientation, role);
        return QString::fromStdString(headings_[static_cast<std::size_t>(section)]);
    }

private:
    void MakeRows()
    {
        const char separator = DecimalSeparator();
        rows_.clear();
        rows_.reserve(incidents_.size());
        for (const Incident& incident : incidents_)
            rows_.push_back(IncidentCells(incident, separator));
    }

    std::vector<Incident> incidents_;
    std::vector<IncidentRow> rows_;
    IncidentRow headings_ = IncidentHeadings();
};

// The device filter; sorting compares the sort role, numbers as numbers.
class IncidentFilter : public QSortFilterProxyModel {
public:
    IncidentFilter(IncidentModel& model, QObject* parent)
        : QSortFilterProxyModel(parent), model_(model)
    {
        setSourceModel(&model);
        setSortRole(kSortRole);
    }

    void SetDevice(std::optional<std::string> device)
    {
        if (device == device_)
            return;
        device_ = std::move(device);
        invalidateRowsFilter();
    }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex&) const override
    {
        return !device_ ||
               model_.Incidents()[static_cast<std::size_t>(sourceRow)].device == *device_;
    }

    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override
    {
        const QVariant a = left.data(kSortRole);
        const QVariant b = right.data(kSortRole);
        if (a.typeId() == QMetaType::Double && b.typeId() == QMetaType::Double) {
            if (a.toDouble() != b.toDouble())
                return a.toDouble() < b.toDouble();
        } else {
            const int order = QString::localeAwareCompare(a.toString(), b.toString());
            if (order != 0)
                return order < 0;
        }
        // Ties keep the check's order: by start, then device and rule.
        return left.row() < right.row();
    }

private:
    IncidentModel& model_;
    std::optional<std::string> device_;
};

CheckPanel::CheckPanel(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    heading_ = new QLabel(this);
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    table_ = new QTableView(this);
    model_ = new IncidentModel(this);
    filter_ = new IncidentFilter(*model_, this);
    table_->setModel(filter_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(ColumnStart, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->installEventFilter(this);
    layout->addWidget(heading_);
    layout->addWidget(table_, 1);

    connect(table_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { Activate(index); });
    ApplyLanguage();
}

CheckPanel::~CheckPanel() = default;

void CheckPanel::SetIncidents(std::vector<Incident> incidents)
{
    model_->Set(std::move(incidents));
    table_->resizeColumnsToContents();
    UpdateHeading();
}

const std::vector<Incident>& CheckPanel::Incidents() const
{
    return model_->Incidents();
}

void CheckPanel::ShowDevice(std::string deviceText)
{
    filter_->SetDevice(std::move(deviceText));
    UpdateHeading();
}

void CheckPanel::ShowAll()
{
    filter_->SetDevice(std::nullopt);
    UpdateHeading();
}

void CheckPanel::ApplyLanguage()
{
    setWindowTitle(QString::fromUtf8(CheckUiText("panel-caption")));
    model_->Relabel();
    UpdateHeading();
}

int CheckPanel::ListedCount() const
{
    return filter_->rowCount();
}

const Incident& CheckPanel::ListedIncident(int row) const
{
    const QModelIndex source = filter_->mapToSource(filter_->index(row, 0));
    return model_->Incidents()[static_cast<std::size_t>(source.row())];
}

IncidentRow CheckPanel::ListedRow(int row) const
{
    return model_->Row(filter_->mapToSource(filter_->index(row, 0)).row());
}

std::string CheckPanel::CopyText() const
{
    std::set<int> selected;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        selected.insert(index.row());
    std::vector<IncidentRow> rows;
    for (int r = 0; r < ListedCount(); ++r)
        if (selected.empty() || selected.count(r))
            rows.push_back(ListedRow(r));
    return IncidentCopyText(rows);
}

void CheckPanel::CopyToClipboard() const
{
    QApplication::clipboard()->setText(QString::fromStdString(CopyText()));
}

bool CheckPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            CopyToClipboard();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Activate(table_->currentIndex());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CheckPanel::UpdateHeading()
{
    heading_->setText(QString::fromStdString(IncidentCountText(static_cast<std::size_t>(ListedCount()))));
}

void CheckPanel::Activate(const QModelIndex& proxyIndex)
{
    if (!proxyIndex.isValid())
        return;
    // A copy: a receiver may replace the list while it handles the signal.
    const Incident incident = ListedIncident(proxyIndex.row());
    emit IncidentActivated(incident);
}

} // namespace korvex
