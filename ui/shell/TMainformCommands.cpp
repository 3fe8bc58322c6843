// The main window's commands: opening, closing, saving and printing analyses, the view switch
// and the arrangement of the analysis windows.

#include "ui/shell/TMainform.h"

#include "core/services/AppSettings.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"
#include "ui/analysis/parts/ReadingParts.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/platform/Platform.h"
#include "ui/platform/UiText.h"
#include "ui/shell/RecentDirs.h"
#include "ui/shell/TDialogAbout.h"
#include "ui/shell/TDialogFileError.h"
#include "ui/shell/TDialogOpenAnalysis.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

namespace korvex {

void TMainform::ActionOpenExecute()
{
    OpenAnalysis(QString());
}

void TMainform::OpenAnalysis(const QString& directory,
                             const std::function<void(TDialogOpenAnalysis&)>& afterShow)
{
    const QList<TChildform*> windows = AnalysisWindows();
    QPointer<TChildform> replaced;
    if (windows.size() >= kMaxAnalysisWindows) {
        replaced = ActiveAnalysisWindow();
        if (replaced == nullptr)
            replaced = windows[kMaxAnalysisWindows - 1];
        if (replaced->isMinimized())
            replaced->showMaximized();
        mdiArea_->setActiveSubWindow(replaced);
        replaced->raise();
        // The question names the analysis that would go.
        const PromptAnswer answer = ThePlatform().prompts->Show(
            this, UiText(TextId::CaptionWarning), UiText(TextId::MaximumAnalysesOpen) + QStringLiteral("\n\n") + replaced->windowTitle(),
            PromptIcon::Warning, PromptButtons::YesNo);
        if (answer != PromptAnswer::Yes)
            return;
        // Out of sight, not closed, while the new analysis loads: Cancel brings it back, and
        // never more than three analyses are shown.
        replaced->hide();
    }
    auto restoreReplaced = [this, &replaced] {
        if (replaced == nullptr)
            return;
        replaced->show();
        mdiArea_->setActiveSubWindow(replaced);
        UpdateActions();
    };

    QPointer<TChildform> window;
    try {
        window = new TChildform(this);
        mdiArea_->addSubWindow(window);
        window->showMaximized();
    } catch (...) {
        delete window.data();
        restoreReplaced();
        throw KorvexError(Text(TextId::WindowNotOpened));
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
    recentDirs_->Update(settings_);
    if (afterShow)
        QTimer::singleShot(0, openAnalysis_, [this, afterShow] { afterShow(*openAnalysis_); });
    if (openAnalysis_->exec() != QDialog::Accepted) {
        if (window != nullptr)
            window->close();
        restoreReplaced();
        return;
    }
    if (window != nullptr)
        ApplyRememberedGraphs(*window);
    if (replaced != nullptr) {
        replaced->close();
        if (window != nullptr)
            mdiArea_->setActiveSubWindow(window);
    }
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
    KeepActiveWindow([this] { mdiArea_->cascadeSubWindows(); });
}

void TMainform::KeepActiveWindow(const std::function<void()>& arrange)
{
    // Arranging may leave no window active (the tool bar then greys out) or activate another.
    const QPointer<QMdiSubWindow> active = mdiArea_->currentSubWindow();
    arrange();
    if (active != nullptr && !active->isHidden())
        mdiArea_->setActiveSubWindow(active);
    UpdateActions();
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
    KeepActiveWindow([this, &windows] {
        const QRect area = mdiArea_->viewport()->rect();
        const int count = int(windows.size());
        // A window is never lower than its minimum: when the stack is then taller than the
        // frame, the frame scrolls, and the windows leave room for its vertical scroll bar.
        int needed = 0;
        for (QMdiSubWindow* window : windows)
            needed += std::max(area.height() / count, window->minimumHeight());
        const int width = needed > area.height()
                              ? area.width() - mdiArea_->verticalScrollBar()->sizeHint().width()
                              : area.width();
        int top = 0;
        for (int i = 0; i < count; ++i) {
            const int share = i == count - 1 ? area.height() - top : area.height() / count;
            const int height = std::max(share, windows[i]->minimumHeight());
            windows[i]->showNormal();
            windows[i]->setGeometry(0, top, width, height);
            top += height;
        }
    });
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
