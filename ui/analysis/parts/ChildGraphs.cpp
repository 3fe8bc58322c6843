// The graph lists: building the device lists and the Overview list, aligning their rows to the
// column header, and the two check boxes of a row.

#include "ui/analysis/parts/ChildGraphs.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/FieldKeys.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"
#include "ui/analysis/parts/ChartAxisLabels.h"
#include "ui/analysis/parts/ChartZoomHandlers.h"
#include "ui/analysis/parts/ReadingParts.h"
#include "core/views/ChildState.h"
#include "ui/analysis/widgets/ChildWidgets.h"
#include "ui/analysis/widgets/TGraphPanel.h"
#include "ui/analysis/widgets/THeaderControl.h"
#include "ui/analysis/widgets/TXPButton.h"
#include "ui/platform/Prompts.h"
#include "ui/platform/UiText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QScrollArea>
#include <QTabBar>

#include <algorithm>

namespace korvex {

namespace {

const char* const kHeading = "graphHeading";
// The vertical line after header column 1 or 2 carries its column here.
const char* const kColumnLine = "columnLine";

void Fill(QWidget* widget, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, colour);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

// The separators and column lines: the system's dark shadow colour.
QColor LineColour(const QWidget* widget)
{
    return widget->palette().color(QPalette::Shadow);
}

QWidget* NewLine(QWidget* content, const QRect& bounds)
{
    auto* line = new QWidget(content);
    Fill(line, LineColour(content));
    line->setGeometry(bounds);
    line->show();
    return line;
}

// Group headings are drawn above the column lines.
void RaiseHeadings(QWidget* content)
{
    for (QObject* child : content->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && widget->property(kHeading).toBool())
            widget->raise();
    }
}

void DeleteChildren(QWidget* content)
{
    const auto children = content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children)
        delete child;
}

} // namespace

ChildGraphs::ChildGraphs(QWidget& owner, const ChildState& state, const ChildWidgets& widgets,
                         PartHost& host, std::function<void()> overviewMarksChanged)
    : owner_(owner), host_(host), state_(state), w_(widgets),
      overviewMarksChanged_(std::move(overviewMarksChanged))
{
    zoom_ = std::make_unique<ChartZoomHandlers>(w_, [this] { UpdateAxisTitles(); });
    labels_ = std::make_unique<ChartAxisLabels>(w_, [this](int k) { return OutputNameAt(k); });
    QObject::connect(w_.headerControl, &THeaderControl::HeaderMouseMove, zoom_.get(),
                     [this](int x) { HeaderControlMouseMove(x); });
}

ChildGraphs::~ChildGraphs()
{
    DropGraphLists();
    // The charts outlive the parts; they must not keep series that are about to go.
    for (int i = 0; i < 4; ++i) {
        if (placeholders_[static_cast<std::size_t>(i)])
            SetPlaceholder(i, false);
    }
}

bool ChildGraphs::MultiDevice() const
{
    return state_.DeviceCount() >= 2;
}

int ChildGraphs::HeadingHeight() const
{
    return w_.labelHeadline->height();
}

int ChildGraphs::RowHeight() const
{
    return TGraphPanel::RowHeight(w_.overview->font());
}

// ---- building ----

QWidget* ChildGraphs::NewHeading(QWidget* content, int top, const QString& caption)
{
    auto* heading = new QLabel(caption, content);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setAlignment(Qt::AlignCenter);
    Fill(heading, content->palette().color(QPalette::Window));
    heading->setProperty(kHeading, true);
    heading->setGeometry(0, top - 1, content->width(), HeadingHeight() + 5);
    GraphListContent::AnchorRight(heading);
    heading->show();
    return heading;
}

void ChildGraphs::NewSeparator(QWidget* content, int& y)
{
    GraphListContent::AnchorRight(NewLine(content, QRect(0, y + 1, content->width(), 1)));
    y += 3;
}

TGraphPanel* ChildGraphs::NewRow(QWidget* content, AnalysisDataSet& dataSet, int field, int y,
                                 bool withOverviewBox)
{
    const int h = RowHeight();
    auto* row = new TGraphPanel(dataSet, field, h, withOverviewBox, content);
    row->setGeometry(0, y, content->width(), h);
    GraphListContent::AnchorRight(row);
    // Errors of a click are shown here: they must not unwind through the check box's own code.
    QObject::connect(row->ShowBox(), &QCheckBox::clicked, row, [this, row] {
        try {
            ShowGraphClick(*row);
        } catch (const std::exception& e) {
            ShowErrorBox(&owner_, QString::fromUtf8(e.what()));
        }
    });
    if (QCheckBox* box = row->OverviewBox()) {
        QObject::connect(box, &QCheckBox::clicked, row, [this, row] {
            try {
                ShowOverviewClick(*row);
            } catch (const std::exception& e) {
                ShowErrorBox(&owner_, QString::fromUtf8(e.what()));
            }
        });
    }
    row->show();
    return row;
}

void ChildGraphs::NewVerticalLines(QWidget* content, int y)
{
    const THeaderControl& header = *w_.headerControl;
    const int height = std::max(0, y - 1);
    QWidget* first = NewLine(content, QRect(header.SectionWidth(0) - 1, 0, 1, height));
    first->setObjectName(QStringLiteral("VSpace1"));
    first->setProperty(kColumnLine, 1);
    if (MultiDevice()) {
        QWidget* second = NewLine(
            content, QRect(header.SectionWidth(0) + header.SectionWidth(1) - 1, 0, 1, height));
        second->setObjectName(QStringLiteral("VSpace2"));
        second->setProperty(kColumnLine, 2);
    }
}

void ChildGraphs::AddGroup(QWidget* content, AnalysisDataSet& dataSet, FieldCategory category,
                           TextId heading, int& y, bool withOverviewBox)
{
    const DeviceSettings& settings = *dataSet.deviceSettings();
    const int count = std::min(settings.fieldCount(), dataSet.slotCount());
    int n = 0;
    for (int i = 0; i < count; ++i)
        n += settings.category(i) == category ? 1 : 0;
    const int start = y;
    if (n > 0)
        y += HeadingHeight() + 3;
    for (int i = 0; i < count; ++i) {
        if (settings.category(i) != category || settings.derived(i))
            continue;
        NewSeparator(content, y);
        y += NewRow(content, dataSet, i, y, withOverviewBox)->height();
    }
    if (n > 0) {
        NewSeparator(content, y);
        NewHeading(content, start, UiText(heading));
    }
}

void ChildGraphs::BuildGraphList(AnalysisDataSet& dataSet)
{
    auto* list = new QScrollArea;
    list->setFrameShape(w_.overview->frameShape());
    list->setWidgetResizable(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Fill(list, WindowTint());
    auto* content = new GraphListContent;
    Fill(content, WindowTint());
    list->setWidget(content);
    if (QLayout* layout = w_.panelGraphPanels->layout())
        layout->addWidget(list);
    else
        list->setParent(w_.panelGraphPanels);
    list->hide();
    // A hidden list is not laid out yet: build its rows as wide as the lists that are.
    list->resize(w_.overview->size());
    content->resize(w_.overview->viewport()->width(), content->height());

    int y = w_.headerControl->height() + 1;
    const bool withOverviewBox = MultiDevice();
    if (dataSet.deviceSettings()) {
        const DeviceSettings& settings = *dataSet.deviceSettings();
        const int count = std::min(settings.fieldCount(), dataSet.slotCount());
        AddGroup(content, dataSet, FieldCategory::Inputs, TextId::CategoryInputs, y,
                 withOverviewBox);
        AddGroup(content, dataSet, FieldCategory::Others, TextId::CategoryOtherValues, y,
                 withOverviewBox);
        // Daily sums follow the other values without a heading of their own.
        for (int i = 0; i < count; ++i) {
            if (settings.category(i) != FieldCategory::Others || !settings.derived(i) ||
                !IsDaySumKey(settings.key(i)))
                continue;
            y += NewRow(content, dataSet, i, y, withOverviewBox)->height();
            NewSeparator(content, y);
        }
        AddGroup(content, dataSet, FieldCategory::Outputs, TextId::CategoryOutputs, y,
                 withOverviewBox);
    }
    NewVerticalLines(content, y);
    RaiseHeadings(content);
    content->setMinimumHeight(y);
    content->resize(content->width(), y);

    auto box =
        std::make_unique<GraphListBox>(dataSet, list, w_.overview->widget(), w_.headerControl);
    dataSet.setDisplayListener([box = box.get()](int field) {
        if (field < 0)
            box->RefreshAll();
        else
            box->RefreshField(field);
    });
    lists_[&dataSet] = std::move(box);
}

QScrollArea* ChildGraphs::GraphListOf(const AnalysisDataSet& dataSet) const
{
    const auto it = lists_.find(&dataSet);
    return it != lists_.end() ? it->second->List() : nullptr;
}

void ChildGraphs::DropGraphLists()
{
    for (const auto& set : state_.dataSets) {
        if (set)
            set->setDisplayListener({});
    }
    lists_.clear();
}

void ChildGraphs::BuildOverviewList()
{
    QWidget* content = w_.overview->widget();
    THeaderControl* header = w_.headerControl;
    if (header->parentWidget() == content)
        header->setParent(nullptr);
    DeleteChildren(content);

    int y = header->height() + 1;
    for (int d = 0; d < state_.DeviceCount(); ++d) {
        AnalysisDataSet* set = state_.DataSet(d);
        if (!set)
            continue;
        const int y0 = y;
        y += HeadingHeight() + 3;
        bool added = false;
        for (int i = 0; i < set->slotCount(); ++i) {
            if (!set->selected(i))
                continue;
            NewSeparator(content, y);
            y += NewRow(content, *set, i, y, false)->height();
            added = true;
        }
        if (added) {
            NewHeading(content, y0, host_.DeviceDisplayName(d));
            NewSeparator(content, y);
        } else {
            y = y0;
        }
    }

    if (!content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty()) {
        NewVerticalLines(content, y);
        RaiseHeadings(content);
    } else {
        auto* hint = new QLabel(UiText(TextId::SelectOverviewDataFirst), content);
        QFont bold = hint->font();
        bold.setBold(true);
        hint->setFont(bold);
        hint->setWordWrap(true);
        const int width = std::max(0, content->width() - 16);
        hint->setGeometry(8, y + 2, width, hint->heightForWidth(width));
        GraphListContent::AnchorRight(hint, 8);
        hint->show();
    }
    content->setMinimumHeight(y);

    const QTabBar& tabs = *w_.tabSetDevices;
    LayoutGraphList(w_.overview, true,
                    tabs.count() > 0 ? tabs.tabText(tabs.count() - 1) : QString());
    w_.overview->raise();
}

// ---- layout ----

void ChildGraphs::LayoutGraphList(QScrollArea* container, bool setCaption, const QString& caption)
{
    if (!container || !container->widget())
        return;
    QWidget* content = container->widget();
    THeaderControl& header = *w_.headerControl;
    if (header.parentWidget() != content)
        header.setParent(content);
    header.show();
    header.raise();

    const int sections = header.SectionCount();
    if (setCaption)
        header.SetSectionCaption(1, caption);
    if (sections > 2)
        header.SetSectionCaption(2, container == w_.overview ? QString()
                                                             : UiText(TextId::OverviewDisplay));
    FitColumnsToTexts(content);
    const int w0 = sections > 0 ? header.SectionWidth(0) : 0;
    const int w1 = sections > 1 ? header.SectionWidth(1) : 0;
    const int w2 = sections > 2 ? header.SectionWidth(2) : 0;
    int nameRight = 0, showLeft = 0, overviewLeft = 0;
    if (sections >= 2) {
        nameRight = w0 - 2;
        showLeft = nameRight + std::max(w1 / 2 - 5, 0);
        overviewLeft = nameRight + w1 + (sections > 2 ? std::max(w2 / 2 - 4, 0) : 0);
    } else {
        // Without its columns the header gives no measure: share the list's width instead.
        const int p =
            container->parentWidget() ? container->parentWidget()->width() : container->width();
        showLeft = p * 168 / 200;
        overviewLeft = p * 184 / 200;
        nameRight = p * 138 / 200;
    }

    for (TGraphPanel* row : GraphRowsOf(content)) {
        row->resize(header.width(), row->height());
        row->SetNameWidth(std::max(nameRight - row->NameLabel()->x(), 0));
        row->ShowBox()->move(showLeft, row->ShowBox()->y());
        if (QCheckBox* box = row->OverviewBox())
            box->move(overviewLeft, box->y());
    }
    for (QObject* child : content->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->y() != 0)
            continue;
        const int column = widget->property(kColumnLine).toInt();
        if (column == 1)
            widget->move(w0 - 1, 0);
        else if (column == 2)
            widget->move(w0 + w1 - 1, 0);
    }
}

void ChildGraphs::FitColumnsToTexts(const QWidget* content)
{
    // Columns only grow, within their limits, so that the panel does not jump between tabs and
    // a width the user chose wider stays.
    THeaderControl& header = *w_.headerControl;
    const int sections = header.SectionCount();
    int wanted[3] = {0, header.CaptionFitWidth(1), header.CaptionFitWidth(2)};
    for (TGraphPanel* row : GraphRowsOf(content))
        wanted[0] =
            std::max(wanted[0], row->NameLabel()->x() + row->NameLabel()->CaptionWidth() + 4);
    bool grown = false;
    for (int i = 0; i < std::min(3, sections); ++i) {
        if (header.SectionWidth(i) < wanted[i]) {
            header.SetSectionWidth(i, wanted[i]);
            grown = true;
        }
    }
    if (grown)
        host_.FitPanelLeftToHeader();
}

void ChildGraphs::HeaderControlSectionResize(int)
{
    headerWidthsChanged_ = true;
    FitToHeader();
}

void ChildGraphs::FitToHeader()
{
    host_.FitPanelLeftToHeader();
    LayoutGraphList(host_.ListOfHeader(), false, QString());
    w_.panelLeft->update();
}

void ChildGraphs::HeaderControlMouseMove(int x)
{
    THeaderControl& header = *w_.headerControl;
    const int section = header.SectionAt(x);
    header.setToolTip(section >= 0 ? header.SectionCaption(section) : QString());
}

// ---- the boxes of a row ----

bool ChildGraphs::ShowField(AnalysisDataSet& dataSet, int field)
{
    const bool shown = dataSet.show(field);
    UpdateAxisTitles();
    host_.CommandStateChanged();
    return shown;
}

void ChildGraphs::HideField(AnalysisDataSet& dataSet, int field)
{
    dataSet.hide(field);
    UpdateAxisTitles();
    host_.CommandStateChanged();
}

void ChildGraphs::ShowGraphClick(TGraphPanel& row)
{
    const int i = row.Tag();
    AnalysisDataSet& set = row.DataSet();
    QCheckBox& box = *row.ShowBox();
    if (!box.isChecked()) {
        HideField(set, i);
    } else {
        try {
            if (!ShowField(set, i))
                throw KorvexError(Text(TextId::NoDataAvailable));
        } catch (...) {
            box.setChecked(false);
            HideField(set, i);
            UpdateOutputChart(false, false);
            throw;
        }
    }
    UpdateOutputChart(false, false);
    RememberGraphChoice(&owner_, set);
}

void ChildGraphs::ShowOverviewClick(TGraphPanel& row)
{
    AnalysisDataSet& set = row.DataSet();
    // Before the display was prepared there are no marks to set.
    if (set.hasSelection() && row.OverviewBox()) {
        set.select(row.Tag(), row.OverviewBox()->isChecked());
        RememberGraphChoice(&owner_, set, GraphList::Overview);
    }
    if (overviewMarksChanged_)
        overviewMarksChanged_();
}

void ChildGraphs::AnalysisCleared()
{
    QWidget* content = w_.overview->widget();
    for (QWidget* child : content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != w_.headerControl)
            delete child;
    }
    content->setMinimumHeight(0);
    UpdateOutputChart(true, false);
    UpdateAxisTitles();
}

} // namespace korvex
