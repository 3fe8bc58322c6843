// The components of an analysis window, laid out as the window shows them.

#include "ui/analysis/widgets/ChildLayout.h"

#include "core/services/TextCatalogue.h"
#include "core/views/Navigation.h"
#include "ui/analysis/widgets/ChartSplitter.h"
#include "ui/analysis/widgets/PanelStrip.h"
#include "ui/analysis/widgets/THeaderControl.h"
#include "ui/analysis/widgets/TTableGrid.h"
#include "ui/analysis/widgets/TXPButton.h"
#include "ui/chart/ChartAxis.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/UiText.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QStackedLayout>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

namespace korvex {

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

ChildWidgets BuildChildWidgets(QWidget& formRef, QObject& owner)
{
    ChildWidgets w;
    QWidget* form = &formRef;
    Tint(form);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    form->setFont(font);

    w.actionOpenExcel = new QAction(&owner);
    w.actionOpenExcel->setEnabled(false);
    w.actionOpenSettings = new QAction(&owner);

    // ---- Left column: graph lists ----
    w.panelLeft = MakePanel(form, true);
    w.panelLeft->setObjectName(QStringLiteral("PanelLeft"));
    w.panelLeft->setFixedWidth(209);
    w.panelLeft->setMinimumHeight(415);
    auto* leftLayout = new QVBoxLayout(w.panelLeft);
    leftLayout->setContentsMargins(kPanelLeftMarginLeft, 0, kPanelLeftMarginRight, 0);
    leftLayout->setSpacing(0);

    w.panelLeftTop = MakePanel(w.panelLeft, true);
    w.panelLeftTop->setFixedHeight(25);
    w.labelHeadline = new QLabel(w.panelLeftTop);
    QFont headline = font;
    headline.setPixelSize(12);
    headline.setBold(true);
    headline.setUnderline(true);
    w.labelHeadline->setFont(headline);
    w.labelHeadline->move(2, 6);
    leftLayout->addWidget(w.panelLeftTop);

    w.panelGraphPanels = new QFrame(w.panelLeft);
    w.panelGraphPanels->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    w.panelGraphPanels->setLineWidth(1);
    w.panelGraphPanels->setMaximumHeight(750);
    Tint(w.panelGraphPanels);
    auto* listsLayout = new QStackedLayout(w.panelGraphPanels);
    listsLayout->setStackingMode(QStackedLayout::StackAll);
    leftLayout->addWidget(w.panelGraphPanels, 1);

    w.overview = new QScrollArea(w.panelGraphPanels);
    w.overview->setObjectName(QStringLiteral("Overview"));
    w.overview->setFrameShape(QFrame::NoFrame);
    w.overview->setWidgetResizable(true);
    w.overview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* overviewContent = new QWidget;
    Tint(overviewContent);
    w.overview->setWidget(overviewContent);
    Tint(w.overview);
    listsLayout->addWidget(w.overview);

    w.headerControl = new THeaderControl(overviewContent);
    w.headerControl->AddSection(130, 72, 300);
    w.headerControl->AddSection(36, 36, 300);
    w.headerControl->AddSection(36, 36, 300);

    w.panelLeftBottom = MakePanel(w.panelLeft, true);
    w.panelLeftBottom->setFixedHeight(kPanelLeftBottomMinHeight);
    w.buttonSettings = ActionButton(w.actionOpenSettings, w.panelLeftBottom);
    w.buttonSettings->setGeometry(4, 8, 113, 25);
    w.buttonOpenExcel = ActionButton(w.actionOpenExcel, w.panelLeftBottom);
    w.buttonOpenExcel->setGeometry(4, 40, 113, 25);
    leftLayout->addWidget(w.panelLeftBottom);

    // ---- Right side: charts or table above, navigation below ----
    w.panelGraph = MakePanel(form, false);
    auto* graphLayout = new QVBoxLayout(w.panelGraph);
    graphLayout->setContentsMargins(0, 0, 0, 0);
    graphLayout->setSpacing(0);

    w.panelCharts = MakePanel(w.panelGraph, false);
    auto* chartsLayout = new QVBoxLayout(w.panelCharts);
    chartsLayout->setContentsMargins(0, 0, 0, 0);
    w.splitterChart = new ChartSplitter(w.panelCharts, ChartHeights{400, 120});
    w.splitterChart->setHandleWidth(3);
    w.splitterChart->setChildrenCollapsible(false);
    w.splitterChart->setOpaqueResize(false);
    Tint(w.splitterChart);
    w.chart = new ChartWidget(w.splitterChart);
    w.chart->setObjectName(QStringLiteral("Chart"));
    w.chart2 = new ChartWidget(w.splitterChart);
    w.chart2->setObjectName(QStringLiteral("Chart2"));
    w.chart->setMinimumHeight(95);
    w.chart2->setMinimumHeight(95);
    w.splitterChart->addWidget(w.chart);
    w.splitterChart->addWidget(w.chart2);
    w.panelStrip = new PanelStrip(w.splitterChart);
    w.splitterChart->addWidget(w.panelStrip);
    w.splitterChart->setStretchFactor(2, 0);
    w.splitterChart->setSizes({400, 120});
    chartsLayout->addWidget(w.splitterChart);
    graphLayout->addWidget(w.panelCharts, 1);

    w.grid =
        new TTableGrid(w.panelGraph); // no border, 80 x 17 cells, fixed colour RGB(236,236,255)
    w.grid->setObjectName(QStringLiteral("Grid"));
    w.grid->hide();
    graphLayout->addWidget(w.grid, 1);

    w.panelZoomX = MakePanel(w.panelGraph, true);
    w.panelZoomX->setFixedHeight(71);
    graphLayout->addWidget(w.panelZoomX);

    w.tabSetDevices = new QTabBar(w.panelZoomX);
    w.tabSetDevices->setObjectName(QStringLiteral("TabSetDevices"));
    w.tabSetDevices->setDrawBase(true);
    w.tabSetDevices->setExpanding(false);
    w.tabSetDevices->setShape(QTabBar::RoundedSouth);
    w.tabSetDevices->setStyleSheet(
        QStringLiteral("QTabBar { background: rgb(219,224,227); }"
                       "QTabBar::tab { height: 15px; padding: 0px 6px; }"
                       "QTabBar::tab:selected { background: rgb(219,224,227); }"));
    w.tabSetDevices->setGeometry(0, 0, w.panelZoomX->width(), 17);

    w.labelDisplayedTimeSpan = new QLabel(w.panelZoomX);
    w.labelDisplayedTimeSpan->move(5, 24);
    w.spanTime = new QComboBox(w.panelZoomX);
    w.spanTime->setObjectName(QStringLiteral("SpanTime"));
    w.spanTime->setGeometry(162, 18, 213, 21);
    for (TextId text : kSpanItemTexts)
        w.spanTime->addItem(UiText(text));
    w.labelSelectTimeSpan = new QLabel(w.panelZoomX);
    w.labelSelectTimeSpan->move(5, 46);
    w.sliderTime = new QSlider(Qt::Horizontal, w.panelZoomX);
    w.sliderTime->setObjectName(QStringLiteral("SliderTime"));
    w.sliderTime->setGeometry(154, 40, 229, 25);
    w.sliderTime->setTickPosition(QSlider::TicksBelow);
    w.sliderTime->setTickInterval(1);
    w.sliderTime->setPageStep(1);

    struct ButtonSpec {
        TXPButton** slot;
        const char* fallback;
        int x;
        int image;
        const char* name;
    };
    const ButtonSpec buttons[] = {
        {&w.buttonJumpLeft, "--", 382, ImageJumpLeft, "ButtonJumpLeft"},
        {&w.buttonScrollLeft, "-", 406, ImageScrollLeft, "ButtonScrollLeft"},
        {&w.buttonScrollRight, "+", 432, ImageScrollRight, "ButtonScrollRight"},
        {&w.buttonJumpRight, "++", 456, ImageJumpRight, "ButtonJumpRight"},
    };
    for (const ButtonSpec& b : buttons) {
        auto* button = new TXPButton(QString::fromLatin1(b.fallback), w.panelZoomX);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(b.x, 40, 25, 25);
        button->setProperty("imageIndex", b.image);
        *b.slot = button;
    }

    w.panelZoomX->setMinimumWidth(w.buttonJumpRight->geometry().right() + 6);

    w.scrollTimer = new QTimer(&owner);
    w.scrollTimer->setInterval(50);
    w.repaintTimer = new QTimer(&owner);
    w.repaintTimer->setInterval(50);

    auto* formLayout = new QHBoxLayout(form);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->setSpacing(0);
    formLayout->addWidget(w.panelLeft);
    formLayout->addWidget(w.panelGraph, 1);
    return w;
}

void SetChartsWindow(const ChildWidgets& w, double maximum, double minimum)
{
    for (ChartWidget* chart : {w.chart, w.chart2}) {
        ChartAxis& axis = chart->BottomAxis();
        if (SetMaximumFirst(axis.Maximum(), minimum)) {
            axis.SetMaximum(maximum);
            axis.SetMinimum(minimum);
        } else {
            axis.SetMinimum(minimum);
            axis.SetMaximum(maximum);
        }
    }
}

} // namespace korvex
