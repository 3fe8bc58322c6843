// The main window's commands: opening, closing, saving and printing analyses, the view switch
// and the arrangement of the analysis windows.

#include "ui/shell/Main.h"

#include "core/services/AppSettings.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"
#include "ui/analysis/Child.h"
#include "ui/analysis/ReadingParts.h"
#include "ui/platform/Platform.h"
#include "ui/shell/About.h"
#include "ui/shell/Openanalysisdialog.h"
#include "ui/shell/Openerrorsdialog.h"
#include "ui/shell/RecentDirs.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

namespace korvex {

namespace {

QString Row(int row)
{
    return QString::fromStdString(Text(row));
}

} // namespace

void TMainform::ActionOpenExecute()
{
    OpenAnalysis(QString());
}

void TMainform::OpenAnalysis(const QString& directory,
                             const std::function<void(TDialogOpenAnalysis&)>& afterShow)
{
    const QList<TChildform*> windows = AnalysisWindows();
    if (windows.size() >= kMaxAnalysisWindows) {
        TChildform* replaced = ActiveAnalysisWindow();
        if (replaced == nullptr)
            replaced = windows[kMaxAnalysisWindows - 1];
        if (replaced->isMinimized())
            replaced->showMaximized();
        mdiArea_->setActiveSubWindow(replaced);
        replaced->raise();
        const PromptAnswer answer = ThePlatform().prompts->Show(
            this, Row(51), Row(95), PromptIcon::Warning, PromptButtons::YesNo);
        if (answer != PromptAnswer::Yes)
            return;
        replaced->close();
    }

    QPointer<TChildform> window;
    try {
        window = new TChildform(this);
        mdiArea_->addSubWindow(window);
        window->showMaximized();
    } catch (...) {
        delete window.data();
        throw KorvexError(Text(96));
    }
    mdiArea_->setActiveSubWindow(window);
    connect(window, &TChildform::CommandStateChanged, this, &TMainform::UpdateActions);
    connect(window, &QObject::destroyed, this, &TMainform::UpdateActions, Qt::QueuedConnection);

    int languageNumber = 0;
    std::string lastUsedDir;
    if (settings_ != nullptr) {
        languageNumber = settings_->language();
        lastUsedDir = settings_->lastUsedDir();
    }
    openAnalysis_->Prepare(window,
                           directory.isEmpty() ? QString::fromStdString(lastUsedDir) : directory);
    OfferRecentDirs(*openAnalysis_->RootDir(), settings_);
    if (afterShow)
        QTimer::singleShot(0, openAnalysis_, [this, afterShow] { afterShow(*openAnalysis_); });
    if (openAnalysis_->exec() != QDialog::Accepted) {
        if (window != nullptr)
            window->close();
        return;
    }
    if (window != nullptr)
        ApplyRememberedGraphs(*window);
    try {
        if (settings_ != nullptr) {
            settings_->setLanguageAndLastDir(languageNumber,
                                             openAnalysis_->Directory().toStdString());
            settings_->addRecentDir(openAnalysis_->Directory().toStdString());
        }
    } catch (...) {
        // The files that failed are still worth showing before the settings error.
        fileErrors_->ShowIfErrors();
        throw;
    }
    fileErrors_->ShowIfErrors();
}

void TMainform::ActionCloseExecute()
{
    if (TChildform* window = ActiveAnalysisWindow())
        window->close();
    else
        UpdateActions();
}

void TMainform::ActionSaveExecute()
{
    if (TChildform* window = ActiveAnalysisWindow())
        window->SaveAnalysis();
    else
        UpdateActions();
}

void TMainform::ActionPrintExecute()
{
    if (TChildform* window = ActiveAnalysisWindow())
        window->PrintAnalysis();
    else
        UpdateActions();
}

void TMainform::ActionWindowSettingsExecute()
{
    if (TChildform* window = ActiveAnalysisWindow())
        window->ActionOpenSettingsExecute();
    else
        UpdateActions();
}

void TMainform::ActionExitExecute()
{
    close();
}

void TMainform::ActionCascadeExecute()
{
    mdiArea_->cascadeSubWindows();
}

void TMainform::ActionTileHorizontalExecute()
{
    // One above the other, each as wide as the frame; minimised windows stay minimised.
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::CreationOrder))
        if (!window->isHidden() && !window->isMinimized())
            windows << window;
    if (windows.isEmpty())
        return;
    const QRect area = mdiArea_->viewport()->rect();
    const int count = int(windows.size());
    int top = 0;
    for (int i = 0; i < count; ++i) {
        const int height = i == count - 1 ? area.height() - top : area.height() / count;
        windows[i]->showNormal();
        windows[i]->setGeometry(0, top, area.width(), height);
        top += height;
    }
}

void TMainform::ActionMinimizeAllExecute()
{
    for (TChildform* window : AnalysisWindows())
        window->showMinimized();
}

void TMainform::ActionAboutExecute()
{
    about_->exec();
}

void TMainform::ActionViewChartExecute()
{
    TChildform* window = ActiveAnalysisWindow();
    if (a_.ActionViewChart->isChecked() || window == nullptr)
        return;
    a_.ActionViewList->setChecked(false);
    a_.ActionViewChart->setChecked(true);
    window->ShowTable(false);
    UpdateActions();
}

void TMainform::ActionViewListExecute()
{
    TChildform* window = ActiveAnalysisWindow();
    if (a_.ActionViewList->isChecked() || window == nullptr)
        return;
    a_.ActionViewChart->setChecked(false);
    a_.ActionViewList->setChecked(true);
    window->ShowTable(true);
    UpdateActions();
}

} // namespace korvex
