// The analysis window's components and its creation.

#include "ui/analysis/TChildform.h"

#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"
#include "core/views/Navigation.h"
#include "ui/analysis/ChartSplitter.h"
#include "ui/analysis/ChildExport.h"
#include "ui/analysis/ChildGraphs.h"
#include "ui/analysis/ChildNavigation.h"
#include "ui/analysis/ChildPrint.h"
#include "ui/analysis/ReadingParts.h"
#include "ui/analysis/THeaderControl.h"
#include "ui/analysis/TTableGrid.h"
#include "ui/analysis/TXPButton.h"
#include "ui/analysis/TablePart.h"
#include "ui/analysis/YieldSummaryPart.h"
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

namespace {

// Paints a widget's background in the window tint.
void Tint(QWidget* widget)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, WindowTint());
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

QWidget* MakePanel(QWidget* parent, bool tinted)
{
    auto* panel = new QWidget(parent);
    if (tinted)
        Tint(panel);
    return panel;
}

// A button that mirrors an action's caption and enabled state and triggers it.
QPushButton* ActionButton(QAction* action, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    auto sync = [button, action] {
        button->setText(action->text());
        button->setEnabled(action->isEnabled());
    };
    QObject::connect(action, &QAction::changed, button, sync);
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    sync();
    return button;
}

} // namespace

TChildform::TChildform(QWidget* owner) : QMdiSubWindow(owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    BuildLayout();
    InstallChildParts(*this, parts_);
    reading_ = &InstallReadingParts(*this);
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

ChildExport& TChildform::Exporter()
{
    return *parts_.exporter;
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
    Tint(form);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    form->setFont(font);
    setWidget(form);
    resize(847, 560);
    setWindowTitle(UiText(TextId::MenuNew));

    w_.actionOpenExcel = new QAction(this);
    w_.actionOpenExcel->setEnabled(false);
    w_.actionOpenSettings = new QAction(this);
    connect(w_.actionOpenSettings, &QAction::triggered, this,
            [this] { ActionOpenSettingsExecute(); });
    connect(w_.actionOpenExcel, &QAction::triggered, this,
            [this] { parts_.exporter->ActionOpenExcelExecute(); });

    // ---- Left column: graph lists ----
    w_.panelLeft = MakePanel(form, true);
    w_.panelLeft->setObjectName(QStringLiteral("PanelLeft"));
    w_.panelLeft->setFixedWidth(209);
    w_.panelLeft->setMinimumHeight(415);
    w_.panelLeft->installEventFilter(this);
    auto* leftLayout = new QVBoxLayout(w_.panelLeft);
    leftLayout->setContentsMargins(kPanelLeftMarginLeft, 0, kPanelLeftMarginRight, 0);
    leftLayout->setSpacing(0);

    w_.panelLeftTop = MakePanel(w_.panelLeft, true);
    w_.panelLeftTop->setFixedHeight(25);
    w_.labelHeadline = new QLabel(w_.panelLeftTop);
    QFont headline = font;
    headline.setPixelSize(12);
    headline.setBold(true);
    headline.setUnderline(true);
    w_.labelHeadline->setFont(headline);
    w_.labelHeadline->move(2, 6);
    leftLayout->addWidget(w_.panelLeftTop);

    w_.panelGraphPanels = new QFrame(w_.panelLeft);
    w_.panelGraphPanels->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    w_.panelGraphPanels->setLineWidth(1);
    w_.panelGraphPanels->setMaximumHeight(750);
    Tint(w_.panelGraphPanels);
    auto* listsLayout = new QStackedLayout(w_.panelGraphPanels);
    listsLayout->setStackingMode(QStackedLayout::StackAll);
    leftLayout->addWidget(w_.panelGraphPanels, 1);

    w_.overview = new QScrollArea(w_.panelGraphPanels);
    w_.overview->setObjectName(QStringLiteral("Overview"));
    w_.overview->setFrameShape(QFrame::NoFrame);
    w_.overview->setWidgetResizable(true);
    w_.overview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* overviewContent = new QWidget;
    Tint(overviewContent);
    w_.overview->setWidget(overviewContent);
    Tint(w_.overview);
    listsLayout->addWidget(w_.overview);

    w_.headerControl = new THeaderControl(overviewContent);
    w_.headerControl->AddSection(130, 72, 300);
    w_.headerControl->AddSection(36, 36, 300);
    w_.headerControl->AddSection(36, 36, 300);
    connect(w_.headerControl, &THeaderControl::SectionResize, this,
            [this](int section) { parts_.graphs->HeaderControlSectionResize(section); });

    w_.panelLeftBottom = MakePanel(w_.panelLeft, true);
    w_.panelLeftBottom->setFixedHeight(kPanelLeftBottomMinHeight);
    w_.buttonSettings = ActionButton(w_.actionOpenSettings, w_.panelLeftBottom);
    w_.buttonSettings->setGeometry(4, 8, 113, 25);
    w_.buttonOpenExcel = ActionButton(w_.actionOpenExcel, w_.panelLeftBottom);
    w_.buttonOpenExcel->setGeometry(4, 40, 113, 25);
    leftLayout->addWidget(w_.panelLeftBottom);

    // ---- Right side: charts or table above, navigation below ----
    w_.panelGraph = MakePanel(form, false);
    auto* graphLayout = new QVBoxLayout(w_.panelGraph);
    graphLayout->setContentsMargins(0, 0, 0, 0);
    graphLayout->setSpacing(0);

    w_.panelCharts = MakePanel(w_.panelGraph, false);
    auto* chartsLayout = new QVBoxLayout(w_.panelCharts);
    chartsLayout->setContentsMargins(0, 0, 0, 0);
    w_.splitterChart = new ChartSplitter(w_.panelCharts, ChartHeights{400, 120});
    w_.splitterChart->setHandleWidth(3);
    w_.splitterChart->setChildrenCollapsible(false);
    w_.splitterChart->setOpaqueResize(false);
    Tint(w_.splitterChart);
    w_.chart = new ChartWidget(w_.splitterChart);
    w_.chart->setObjectName(QStringLiteral("Chart"));
    w_.chart2 = new ChartWidget(w_.splitterChart);
    w_.chart2->setObjectName(QStringLiteral("Chart2"));
    w_.chart->setMinimumHeight(95);
    w_.chart2->setMinimumHeight(95);
    w_.splitterChart->addWidget(w_.chart);
    w_.splitterChart->addWidget(w_.chart2);
    w_.splitterChart->setSizes({400, 120});
    chartsLayout->addWidget(w_.splitterChart);
    graphLayout->addWidget(w_.panelCharts, 1);

    w_.grid =
        new TTableGrid(w_.panelGraph); // no border, 80 x 17 cells, fixed colour RGB(236,236,255)
    w_.grid->setObjectName(QStringLiteral("Grid"));
    w_.grid->hide();
    graphLayout->addWidget(w_.grid, 1);

    w_.panelZoomX = MakePanel(w_.panelGraph, true);
    w_.panelZoomX->setFixedHeight(71);
    w_.panelZoomX->installEventFilter(this);
    graphLayout->addWidget(w_.panelZoomX);

    w_.tabSetDevices = new QTabBar(w_.panelZoomX);
    w_.tabSetDevices->setObjectName(QStringLiteral("TabSetDevices"));
    w_.tabSetDevices->setDrawBase(true);
    w_.tabSetDevices->setExpanding(false);
    w_.tabSetDevices->setShape(QTabBar::RoundedSouth);
    w_.tabSetDevices->setStyleSheet(
        QStringLiteral("QTabBar { background: rgb(219,224,227); }"
                       "QTabBar::tab { height: 15px; padding: 0px 6px; }"
                       "QTabBar::tab:selected { background: rgb(219,224,227); }"));
    w_.tabSetDevices->setGeometry(0, 0, w_.panelZoomX->width(), 17);

    w_.labelDisplayedTimeSpan = new QLabel(w_.panelZoomX);
    w_.labelDisplayedTimeSpan->move(5, 24);
    w_.spanTime = new QComboBox(w_.panelZoomX);
    w_.spanTime->setObjectName(QStringLiteral("SpanTime"));
    w_.spanTime->setGeometry(162, 18, 213, 21);
    for (TextId text : kSpanItemTexts)
        w_.spanTime->addItem(UiText(text));
    w_.labelSelectTimeSpan = new QLabel(w_.panelZoomX);
    w_.labelSelectTimeSpan->move(5, 46);
    w_.sliderTime = new QSlider(Qt::Horizontal, w_.panelZoomX);
    w_.sliderTime->setObjectName(QStringLiteral("SliderTime"));
    w_.sliderTime->setGeometry(154, 40, 229, 25);
    w_.sliderTime->setTickPosition(QSlider::TicksBelow);
    w_.sliderTime->setTickInterval(1);
    w_.sliderTime->setPageStep(1);

    struct ButtonSpec {
        TXPButton** slot;
        const char* fallback;
        int x;
        int image;
        const char* name;
    };
    const ButtonSpec buttons[] = {
        {&w_.buttonJumpLeft, "--", 382, ImageJumpLeft, "ButtonJumpLeft"},
        {&w_.buttonScrollLeft, "-", 406, ImageScrollLeft, "ButtonScrollLeft"},
        {&w_.buttonScrollRight, "+", 432, ImageScrollRight, "ButtonScrollRight"},
        {&w_.buttonJumpRight, "++", 456, ImageJumpRight, "ButtonJumpRight"},
    };
    for (const ButtonSpec& b : buttons) {
        auto* button = new TXPButton(QString::fromLatin1(b.fallback), w_.panelZoomX);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(b.x, 40, 25, 25);
        button->setProperty("imageIndex", b.image);
        *b.slot = button;
    }

    w_.panelZoomX->setMinimumWidth(w_.buttonJumpRight->geometry().right() + 6);

    w_.scrollTimer = new QTimer(this);
    w_.scrollTimer->setInterval(50);
    w_.repaintTimer = new QTimer(this);
    w_.repaintTimer->setInterval(50);

    auto* formLayout = new QHBoxLayout(form);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->setSpacing(0);
    formLayout->addWidget(w_.panelLeft);
    formLayout->addWidget(w_.panelGraph, 1);
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
    for (ChartWidget* c : {w_.chart, w_.chart2}) {
        ChartAxis& axis = c->BottomAxis();
        if (SetMaximumFirst(axis.Maximum(), minimum)) {
            axis.SetMaximum(maximum);
            axis.SetMinimum(minimum);
        } else {
            axis.SetMinimum(minimum);
            axis.SetMaximum(maximum);
        }
    }
}

void TChildform::SetSettingsEditor(ChildSettingsEditor* editor)
{
    settingsEditor_ = editor;
}

} // namespace korvex
