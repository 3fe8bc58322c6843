// The analysis window's components and its creation.

#include "ui/analysis/window/TChildform.h"

#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"
#include "core/views/Navigation.h"
#include "ui/analysis/widgets/ChartSplitter.h"
#include "ui/analysis/widgets/ChildLayout.h"
#include "ui/analysis/parts/ChildExport.h"
#include "ui/analysis/parts/ChildGraphs.h"
#include "ui/analysis/parts/ChildNavigation.h"
#include "ui/analysis/parts/ChildPrint.h"
#include "ui/analysis/parts/PartHost.h"
#include "ui/analysis/parts/ReadingParts.h"
#include "ui/analysis/widgets/THeaderControl.h"
#include "ui/analysis/widgets/TTableGrid.h"
#include "ui/analysis/widgets/TXPButton.h"
#include "ui/analysis/parts/TablePart.h"
#include "ui/analysis/parts/YieldSummaryPart.h"
#include "ui/chart/ChartAxis.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/Platform.h"
#include "ui/platform/UiText.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPen>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QSplitter>
#include <QStackedLayout>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace korvex {

ChildSettingsEditor* TChildform::settingsEditor_ = nullptr;


TChildform::TChildform(QWidget* owner) : QMdiSubWindow(owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    BuildLayout();
    InstallParts();
    OnCreate();
    RememberStatisticsHeight();
}

void TChildform::RememberStatisticsHeight()
{
    auto* splitter = static_cast<ChartSplitter*>(w_.splitterChart);
    try {
        splitter->SetPanelPreferred(AppSettings::Get().statisticsHeight());
    } catch (const SettingsFileError&) {
        // Reported where the window reads its other settings; the default height serves.
    }
    splitter->OnPanelDragged([this](int height) {
        try {
            AppSettings::Get().setStatisticsHeight(height);
        } catch (const SettingsFileError& e) {
            ShowErrorBox(this, QString::fromUtf8(e.what()));
        }
    });
    splitter->OnPanelShownOrHidden([this] { UpdateMinimumSize(); });
    UpdateMinimumSize();
}

void TChildform::UpdateMinimumSize()
{
    // The layouts keep their children's minimums until told that the splitter's changed.
    w_.splitterChart->updateGeometry();
    w_.panelCharts->updateGeometry();
    w_.panelCharts->layout()->invalidate();
    w_.panelGraph->layout()->invalidate();
    const QSize decoration =
        (minimumSizeHint() - widget()->minimumSizeHint()).expandedTo(QSize(0, 0));
    const QSize graphSide = w_.panelGraph->minimumSizeHint();
    setMinimumSize(QSize(w_.panelLeft->width() + graphSide.width(), graphSide.height()) +
                   decoration);
}

ChildGraphs& TChildform::Graphs()
{
    return *parts_.graphs;
}

const ChildGraphs& TChildform::Graphs() const
{
    return *parts_.graphs;
}

ChildNavigation& TChildform::Navigation()
{
    return *parts_.navigation;
}

TablePart& TChildform::Table()
{
    return *parts_.table;
}

YieldSummaryPart& TChildform::Summary()
{
    return *parts_.overview;
}

ChildPrint& TChildform::Printer()
{
    return *parts_.printer;
}

ReadingParts& TChildform::Reading()
{
    return *reading_;
}

TChildform::~TChildform()
{
    // The data sets hold their series on the charts and their graph lists among the widgets:
    // free them while both still exist.
    parts_.graphs->ReleaseDataSets();
    state_.FreeAnalysis();
}

void TChildform::BuildLayout()
{
    auto* form = new QWidget(this);
    setWidget(form);
    resize(847, 560);
    setWindowTitle(UiText(TextId::MenuNew));
    w_ = BuildChildWidgets(*form, *this);

    connect(w_.actionOpenSettings, &QAction::triggered, this,
            [this] { ActionOpenSettingsExecute(); });
    connect(w_.actionOpenExcel, &QAction::triggered, this,
            [this] { parts_.exporter->ActionOpenExcelExecute(); });
    connect(w_.headerControl, &THeaderControl::SectionResize, this,
            [this](int section) { parts_.graphs->HeaderControlSectionResize(section); });
    w_.panelLeft->installEventFilter(this);
    w_.panelZoomX->installEventFilter(this);
}

void TChildform::OnCreate()
{
    // The state starts empty (ChildState's initial values).

    // At 120 dpi and above the graph lists need more room; the factor stays 120/96.
    if (ThePlatform().desktop->PixelsPerInchY() >= 120)
        w_.panelLeft->setMinimumHeight(w_.panelLeft->minimumHeight() * 120 / 96);

    // Both charts draw in Arial.
    for (ChartWidget* c : {w_.chart, w_.chart2})
        c->SetFontFamily(QStringLiteral("Arial"));
    ConfigureCharts();

    // No analysis yet: the slider cannot move and the span is one day.
    w_.sliderTime->setRange(0, 0);
    w_.sliderTime->setValue(0);
    w_.sliderTime->setEnabled(false);
    {
        const QSignalBlocker block(w_.spanTime);
        w_.spanTime->setCurrentIndex(SpanOneDay);
    }

    // Design scale of the upper chart; the lower one shares its time axis.
    ChartAxis& left = w_.chart->LeftAxis();
    left.SetMinimum(-40);
    left.SetMaximum(250);
    w_.chart->BottomAxis().SetDateTimeFormat(QStringLiteral("hh:mm"));
    w_.chart2->BottomAxis().CopyFrom(w_.chart->BottomAxis());

    // No title until an analysis is loaded.
    w_.chart->SetTitleLines({});

    // Captions in the current language.
    ApplyLanguage();

    // Navigation button pictures.
    for (TXPButton* b :
         {w_.buttonJumpLeft, w_.buttonScrollLeft, w_.buttonScrollRight, w_.buttonJumpRight})
        b->SetImage(NavigationButtonImage(b->property("imageIndex").toInt()));

    // The table's lines are drawn dashed with square caps.
    QPen gridPen = w_.grid->GridPen();
    gridPen.setStyle(Qt::DashLine);
    gridPen.setCapStyle(Qt::SquareCap);
    w_.grid->SetGridPen(gridPen);

    // Stored chart settings. Without a settings file the window keeps its design values;
    // the error is shown and the rest of the window is still set up.
    try {
        ApplyChartSettings(AppSettings::Get().childDefaults());
    } catch (const SettingsFileError& e) {
        ShowErrorBox(this, QString::fromUtf8(e.what()));
    }

    // The axis placeholders keep the axis columns while no graph is shown.
    parts_.graphs->CreateAxisPlaceholders();

    // Today, as one day, until an analysis is loaded.
    const DayTime today = static_cast<DayTime>(QDate(1899, 12, 30).daysTo(QDate::currentDate()));
    SetWindow(today + 1, today);

    // However the windows are arranged, the navigation row (span list, slider, buttons) and
    // both charts at their minimum stay whole; the graph list gives way instead.
    UpdateMinimumSize();
}

void TChildform::ConfigureCharts()
{
    // White, no panning and margins of 1 are the chart's own defaults.
    ChartWidget& c = *w_.chart;
    c.SetMarginsPercent(1, 1, 1, 1);
    c.SetLegendVisible(false);
    c.LeftAxis().SetAutomatic(false);
    c.RightAxis().SetAutomatic(false);
    c.BottomAxis().SetAutomatic(false);
    c.RightAxis().SetGridVisible(false);
    c.RightAxis().SetMaximum(1);
    c.RightAxis().SetVisible(true);

    ChartWidget& c2 = *w_.chart2;
    c2.SetZoomEnabled(false);
    c2.SetTitleVisible(false);
    c2.SetLegendVisible(false);
    c2.LeftAxis().SetAutomatic(false);
    c2.RightAxis().SetAutomatic(false);
    c2.BottomAxis().SetAutomatic(false);
    ChartAxis& l2 = c2.LeftAxis();
    l2.SetValueFormat(QStringLiteral("###0"));
    l2.SetIncrement(50);
    l2.SetMinMax(-10, 110);
    l2.SetGridStyle(Qt::DotLine);
    l2.SetMinorTickCount(1);
    l2.SetTickLength(2);
    ChartAxis& r2 = c2.RightAxis();
    r2.SetValueFormat(QStringLiteral("0"));
    r2.SetIncrement(100);
    r2.SetMaximum(1);
    r2.SetGridVisible(false);
    r2.SetTextColor(Qt::white);
    r2.SetVisible(true);
}

QScrollArea* TChildform::ListOfHeader() const
{
    for (QWidget* p = w_.headerControl->parentWidget(); p; p = p->parentWidget()) {
        if (auto* list = qobject_cast<QScrollArea*>(p))
            return list;
    }
    return nullptr;
}

int TChildform::HeaderControlWidth() const
{
    // The header spans its list's client width: PanelLeft less its margins and the list's frame,
    // less a vertical scroll bar while the list shows one.
    int width = PanelLeftWidth() - kPanelLeftMarginLeft - kPanelLeftMarginRight - 2;
    if (QScrollArea* list = ListOfHeader(); list && list->verticalScrollBar()->isVisible())
        width -= list->verticalScrollBar()->width();
    return width;
}

int TChildform::PanelLeftWidth() const
{
    return w_.panelLeft->maximumWidth();
}

void TChildform::SetPanelLeftWidth(int width)
{
    w_.panelLeft->setFixedWidth(std::max(width, panelLeftMinWidth_));
    w_.headerControl->resize(HeaderControlWidth(), w_.headerControl->height());
}

void TChildform::PanelLeftResize()
{
    const int height = w_.panelLeft->height();
    int bottom = kPanelLeftBottomMinHeight;
    if (height > w_.panelLeft->minimumHeight())
        bottom = std::max(kPanelLeftBottomMinHeight, height - w_.panelLeftTop->height() -
                                                         w_.panelGraphPanels->maximumHeight());
    if (w_.panelLeftBottom->height() != bottom || w_.panelLeftBottom->minimumHeight() != bottom)
        w_.panelLeftBottom->setFixedHeight(bottom);
    if (PanelLeftWidth() < panelLeftMinWidth_)
        SetPanelLeftWidth(panelLeftMinWidth_);
}

bool TChildform::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == w_.panelLeft)
            PanelLeftResize();
        else if (watched == w_.panelZoomX)
            w_.tabSetDevices->setGeometry(0, 0, w_.panelZoomX->width(), 17);
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void TChildform::SetWindow(DayTime maximum, DayTime minimum)
{
    SetChartsWindow(w_, maximum, minimum);
}

void TChildform::SetSettingsEditor(ChildSettingsEditor* editor)
{
    settingsEditor_ = editor;
}

} // namespace korvex
