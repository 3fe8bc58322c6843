#include "ui/shell/ReadingActions.h"

#include "core/check/CheckUiTexts.h"
#include "core/services/AppSettings.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"
#include "ui/analysis/parts/ReadingParts.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/chart/ChartReadout.h"
#include "ui/platform/Prompts.h"
#include "ui/platform/UiText.h"
#include "ui/shell/TMainform.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>

namespace korvex {

namespace {

// A cursor line with a small value box: drawn, as the tool bar has no picture for it.
QIcon ReadoutIcon()
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(60, 60, 60), 1, Qt::DashLine));
    p.drawLine(6, 1, 6, 18);
    p.setPen(QPen(QColor(0, 90, 200), 1));
    p.setBrush(Qt::white);
    p.drawRect(9, 4, 9, 8);
    p.drawLine(11, 7, 16, 7);
    p.drawLine(11, 9, 15, 9);
    return QIcon(pixmap);
}

} // namespace

ReadingActions::ReadingActions(TMainform& main, QMenu& viewMenu, QToolBar& toolBar)
    : QObject(&main), main_(main)
{
    auto make = [this](const char* name, bool checkable) {
        auto* action = new QAction(&main_);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(checkable);
        return action;
    };
    readout_ = make("ActionReadout", true);
    readout_->setIcon(ReadoutIcon());
    statistics_ = make("ActionStatistics", true);
    functionCheck_ = make("ActionFunctionCheck", true);
    clearMarkers_ = make("ActionClearMarkers", false);
    viewMenu.addSeparator();
    viewMenu.addAction(readout_);
    viewMenu.addAction(clearMarkers_);
    viewMenu.addAction(statistics_);
    viewMenu.addAction(functionCheck_);
    // Beside the view buttons: before the separator that leads to the About button.
    const QList<QAction*> onBar = toolBar.actions();
    toolBar.insertAction(onBar.size() >= 2 ? onBar[onBar.size() - 2] : nullptr, readout_);
    toolBar.resize(toolBar.sizeHint().width(), toolBar.height());
    connect(readout_, &QAction::triggered, this, &ReadingActions::Toggle);
    connect(statistics_, &QAction::triggered, this, &ReadingActions::Toggle);
    connect(functionCheck_, &QAction::triggered, this, &ReadingActions::Toggle);
    connect(clearMarkers_, &QAction::triggered, this, &ReadingActions::ClearMarkersOfActiveWindow);
    ApplyLanguage();
    Update();
}

void ReadingActions::ApplyLanguage()
{
    readout_->setText(UiText(TextId::ValueReadout));
    readout_->setToolTip(UiText(TextId::ValueReadout));
    clearMarkers_->setText(UiText(TextId::ClearMarkers));
    statistics_->setText(UiText(TextId::WindowStatistics));
    functionCheck_->setText(QString::fromUtf8(CheckUiText("panel-caption")));
}

void ReadingActions::Update()
{
    ReadingOptions options;
    try {
        options = AppSettings::Get().readingOptions();
    } catch (const SettingsFileError&) {
        // The main window reports a settings file it cannot use; the defaults serve here.
    }
    readout_->setChecked(options.readout);
    statistics_->setChecked(options.statistics);
    functionCheck_->setChecked(options.functionCheck);
    clearMarkers_->setEnabled(main_.ActiveAnalysisWindow() != nullptr);
}

void ReadingActions::Toggle()
{
    ReadingOptions options;
    options.readout = readout_->isChecked();
    options.statistics = statistics_->isChecked();
    options.functionCheck = functionCheck_->isChecked();
    // Every window follows at once; the settings file keeps the choice for the next start.
    for (TChildform* window : main_.AnalysisWindows())
        window->Reading().Apply(options);
    try {
        AppSettings::Get().setReadingOptions(options);
    } catch (const SettingsFileError& e) {
        ShowErrorBox(&main_, QString::fromUtf8(e.what()));
    }
}

void ReadingActions::ClearMarkersOfActiveWindow()
{
    if (TChildform* window = main_.ActiveAnalysisWindow())
        window->Reading().Readout().ClearMarkers();
}

} // namespace korvex
