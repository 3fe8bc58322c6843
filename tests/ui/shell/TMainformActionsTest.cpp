#include "tests/ui/shell/TMainformTestSupport.h"
#include "ui/platform/UiText.h"

#include "ui/analysis/widgets/ChartSplitter.h"
#include "ui/analysis/widgets/ChildWidgets.h"
#include "ui/analysis/widgets/THeaderControl.h"
#include "ui/analysis/widgets/TXPButton.h"
#include "ui/chart/ChartWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTemporaryDir>

namespace korvex::test {
namespace {

using MainActionsTest = MainWindowTest;

TEST_F(MainActionsTest, WithoutWindowsOnlyTheGeneralActionsAreEnabled)
{
    Create();
    main->UpdateActions();
    for (QAction* action : {A().ActionOpen, A().ActionExit, A().ActionAbout})
        EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
    for (QAction* action : {A().ActionSave, A().ActionPrint, A().ActionClose,
                            A().ActionWindowSettings, A().ActionCascade, A().ActionTileHorizontal,
                            A().ActionMinimizeAll, A().ActionViewChart, A().ActionViewList})
        EXPECT_FALSE(action->isEnabled()) << action->objectName().toStdString();
    EXPECT_TRUE(A().ActionViewChart->isChecked());
    EXPECT_FALSE(A().ActionViewList->isChecked());

    // The commands that need a window find none and leave everything as it is.
    main->ActionCloseExecute();
    main->ActionSaveExecute();
    main->ActionPrintExecute();
    main->ActionWindowSettingsExecute();
    main->ActionViewListExecute();
    EXPECT_TRUE(A().ActionViewChart->isChecked());
    EXPECT_FALSE(A().ActionViewList->isChecked());
    EXPECT_TRUE(doubles.prompts.calls.empty());
}

TEST_F(MainActionsTest, OneEmptyWindowEnablesTheWindowActionsButNotSaveAndPrint)
{
    Create();
    OpenWindows(1);
    main->UpdateActions();
    ASSERT_NE(main->ActiveAnalysisWindow(), nullptr);
    for (QAction* action :
         {A().ActionClose, A().ActionWindowSettings, A().ActionCascade, A().ActionTileHorizontal,
          A().ActionMinimizeAll, A().ActionViewChart, A().ActionViewList})
        EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
    // An empty analysis has neither graphs nor its table shown.
    EXPECT_FALSE(A().ActionSave->isEnabled());
    EXPECT_FALSE(A().ActionPrint->isEnabled());
    EXPECT_TRUE(A().ActionViewChart->isChecked());

    main->ActiveAnalysisWindow()->ShowTable(true);
    main->UpdateActions();
    EXPECT_TRUE(A().ActionSave->isEnabled());
    EXPECT_TRUE(A().ActionPrint->isEnabled());
    EXPECT_TRUE(A().ActionViewList->isChecked());
    EXPECT_FALSE(A().ActionViewChart->isChecked());

    main->ActionCloseExecute();
    WaitUntil([&] { return WindowCount() == 0; }, 1000);
    EXPECT_EQ(WindowCount(), 0);
    main->UpdateActions();
    EXPECT_FALSE(A().ActionClose->isEnabled());
    EXPECT_TRUE(A().ActionViewChart->isChecked());
}

TEST_F(MainActionsTest, CheckedViewFollowsTheActiveWindow)
{
    Create();
    OpenWindows(3);
    const QList<TChildform*> windows = main->AnalysisWindows();
    windows[0]->ShowTable(true);

    main->MdiArea()->setActiveSubWindow(windows[0]);
    main->UpdateActions();
    EXPECT_TRUE(A().ActionViewList->isChecked());

    main->MdiArea()->setActiveSubWindow(windows[1]);
    main->UpdateActions();
    EXPECT_TRUE(A().ActionViewChart->isChecked());
    EXPECT_FALSE(A().ActionViewList->isChecked());
    EXPECT_FALSE(A().ActionSave->isEnabled());
}

TEST_F(MainActionsTest, ViewActionsDoNothingWhenTheirViewIsShown)
{
    Create();
    OpenWindows(1);
    main->UpdateActions();
    ASSERT_TRUE(A().ActionViewChart->isChecked());
    A().ActionViewChart->trigger(); // already checked: stays checked, nothing switches
    EXPECT_TRUE(A().ActionViewChart->isChecked());
    EXPECT_FALSE(A().ActionViewList->isChecked());
    EXPECT_FALSE(main->ActiveAnalysisWindow()->TableMode());
}

TEST_F(MainActionsTest, ViewListShowsTheTable)
{
    Create();
    OpenWindows(1);
    TChildform* window = main->ActiveAnalysisWindow();
    A().ActionViewList->trigger();
    EXPECT_TRUE(window->TableMode());
    EXPECT_TRUE(A().ActionViewList->isChecked());
    EXPECT_FALSE(A().ActionViewChart->isChecked());
    A().ActionViewChart->trigger();
    EXPECT_FALSE(window->TableMode());
    EXPECT_TRUE(A().ActionViewChart->isChecked());
}

TEST_F(MainActionsTest, FourthWindowAnsweredNoLeavesThreeAndOpensNoDialog)
{
    Create();
    OpenWindows(3);
    const QList<TChildform*> before = main->AnalysisWindows();
    main->MdiArea()->setActiveSubWindow(before[1]);

    doubles.prompts.answers.push_back(PromptAnswer::No);
    EXPECT_FALSE(Open(true));
    ASSERT_EQ(doubles.prompts.calls.size(), 1u);
    const auto& box = doubles.prompts.calls[0];
    EXPECT_EQ(box.text, UiText(TextId::MaximumAnalysesOpen) + QStringLiteral("\n\n") +
                            before[1]->windowTitle());
    EXPECT_EQ(box.caption, UiText(TextId::CaptionWarning));
    EXPECT_EQ(box.icon, PromptIcon::Warning);
    EXPECT_EQ(box.buttons, PromptButtons::YesNo);
    EXPECT_EQ(main->AnalysisWindows(), before);
}

TEST_F(MainActionsTest, FourthWindowReplacesTheThirdWhenNoneIsActive)
{
    Create();
    main->OnActivate();
    main->Timer()->stop();
    main->show();
    QApplication::setActiveWindow(main.get());
    OpenWindows(3);
    QList<TChildform*> before = main->AnalysisWindows();
    before[2]->showMinimized();
    // With the frame active, no analysis window is active.
    QApplication::setActiveWindow(main.get());
    main->MdiArea()->setActiveSubWindow(nullptr);
    ASSERT_EQ(main->ActiveAnalysisWindow(), nullptr);

    QMdiSubWindow* frontAtQuestion = nullptr;
    bool maximisedAtQuestion = false;
    doubles.prompts.onShow = [&](const FakePrompts::Call&) {
        frontAtQuestion = main->MdiArea()->currentSubWindow();
        maximisedAtQuestion = before[2]->isMaximized();
    };
    doubles.prompts.answers.push_back(PromptAnswer::Yes);
    QPointer<TChildform> replaced = before[2];
    EXPECT_TRUE(Open(true));
    EXPECT_EQ(frontAtQuestion, before[2]);
    EXPECT_TRUE(maximisedAtQuestion);

    WaitUntil([&] { return replaced.isNull(); }, 1000);
    const QList<TChildform*> after = main->AnalysisWindows();
    ASSERT_EQ(after.size(), 3);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], before[1]);
    EXPECT_FALSE(before.contains(after[2]));
}

// The question names the analysis; it goes only once the new one has loaded, and Cancel in the
// open dialog keeps all three. At no moment are more than three shown.
TEST_F(MainActionsTest, YesAndThenCancelKeepsAllThree)
{
    Create();
    OpenWindows(3);
    const QList<TChildform*> before = main->AnalysisWindows();
    main->MdiArea()->setActiveSubWindow(before[1]);
    before[1]->setWindowTitle(QStringLiteral("Analysis of 01.05.2010."));

    int shownDuringDialog = -1;
    bool replacedHidden = false;
    WhenVisible(&main->OpenAnalysisDialog(), [&] {
        shownDuringDialog = WindowCount();
        replacedHidden = before[1]->isHidden();
        main->OpenAnalysisDialog().done(QDialog::Rejected);
    });
    doubles.prompts.answers.push_back(PromptAnswer::Yes);
    main->ActionOpenExecute();

    ASSERT_EQ(doubles.prompts.calls.size(), 1u);
    EXPECT_EQ(doubles.prompts.calls[0].text,
              UiText(TextId::MaximumAnalysesOpen) + QStringLiteral("\n\nAnalysis of 01.05.2010."));
    EXPECT_EQ(shownDuringDialog, 3);
    EXPECT_TRUE(replacedHidden);
    WaitUntil([&] { return main->MdiArea()->subWindowList().size() == 3; }, 1000);
    EXPECT_EQ(main->AnalysisWindows(), before);
    EXPECT_EQ(main->ActiveAnalysisWindow(), before[1]);
}

TEST_F(MainActionsTest, YesAndALoadedAnalysisReplacesTheActiveOne)
{
    Create();
    OpenWindows(3);
    const QList<TChildform*> before = main->AnalysisWindows();
    main->MdiArea()->setActiveSubWindow(before[0]);
    QPointer<TChildform> replaced = before[0];
    doubles.prompts.answers.push_back(PromptAnswer::Yes);
    ASSERT_TRUE(Open(true));
    // The replaced window goes once the dialog has closed, outside any nested event loop, so its
    // deferred deletion waits for the main loop; deliver it as that loop would.
    WaitUntil(
        [&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return replaced.isNull();
        },
        1000);
    EXPECT_TRUE(replaced.isNull());
    const QList<TChildform*> after = main->AnalysisWindows();
    ASSERT_EQ(after.size(), 3);
    EXPECT_EQ(after[0], before[1]);
    EXPECT_EQ(after[1], before[2]);
    EXPECT_EQ(main->ActiveAnalysisWindow(), after[2]);
}

TEST_F(MainActionsTest, ConfirmedOpenStoresTheDirectoryAndKeepsTheLanguage)
{
    home.WriteIni("[Main]\r\nLanguage=5\r\nLastUsedDir=/old/place\r\n");
    Create();
    QTemporaryDir logs;
    ASSERT_TRUE(Open(true, logs.path()));
    EXPECT_EQ(WindowCount(), 1);

    const QByteArray ini = home.ReadIni();
    EXPECT_TRUE(ini.contains("LastUsedDir=" + logs.path().toUtf8())) << ini.toStdString();
    EXPECT_TRUE(ini.contains("Language=5")) << ini.toStdString();
    EXPECT_EQ(main->Settings()->lastUsedDir(), logs.path().toStdString());
}

TEST_F(MainActionsTest, CancelledOpenWritesNothingAndLeavesNoWindow)
{
    home.WriteIni("[Main]\r\nLastUsedDir=/old/place\r\n");
    Create();
    ASSERT_TRUE(Open(false, QStringLiteral("/somewhere/else")));
    WaitUntil([&] { return WindowCount() == 0; }, 1000);
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_EQ(home.ReadIni(), QByteArray("[Main]\r\nLastUsedDir=/old/place\r\n"));
}

TEST_F(MainActionsTest, WithoutSettingsOpeningStoresNothing)
{
    home.MakeUnavailable();
    Create();
    doubles.prompts.calls.clear();
    QTemporaryDir logs;
    ASSERT_TRUE(Open(true, logs.path()));
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(main->Settings(), nullptr);
    EXPECT_EQ(main->OpenAnalysisDialog().Directory(), logs.path());
    // The window itself may report the missing settings file; the main window adds nothing.
    for (const auto& call : doubles.prompts.calls)
        EXPECT_EQ(call.text, UiText(TextId::SettingsFileAccessFailed));
    EXPECT_FALSE(QFile::exists(home.IniPath()));
}

TEST_F(MainActionsTest, ClosingTheMainWindowClosesEveryAnalysisThenReleasesTheSettings)
{
    Create();
    OpenWindows(2);
    ASSERT_NE(AppSettings::Instance(), nullptr);
    main->close();
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_TRUE(main->MdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(AppSettings::Instance(), nullptr);
    EXPECT_EQ(main->Settings(), nullptr);
}

// The navigation row of a window lies whole inside it and, with inView, inside the frame's view
// (stacked windows that do not fit are reached by scrolling the frame).
::testing::AssertionResult NavigationVisible(TMainform& main, TChildform* window, bool inView)
{
    const ChildWidgets& w = window->Widgets();
    const QRect inWindow(w.spanTime->mapTo(window, QPoint(0, 0)), w.spanTime->size());
    const QRect buttons(w.buttonJumpRight->mapTo(window, QPoint(0, 0)), w.buttonJumpRight->size());
    const QRect inner = window->contentsRect();
    if (!inner.contains(inWindow) || !inner.contains(buttons))
        return ::testing::AssertionFailure() << "navigation cut off in a window of "
                                             << window->width() << "x" << window->height();
    const QRect inFrame =
        QRect(window->mapTo(main.MdiArea()->viewport(), buttons.topLeft()), buttons.size());
    if (inView && !main.MdiArea()->viewport()->rect().contains(inFrame))
        return ::testing::AssertionFailure() << "navigation outside the frame";
    return ::testing::AssertionSuccess();
}

class WindowArrangementTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        Create();
        main->resize(1000, 760);
        main->OnActivate(); // before showing: a later activation must not start an open
        main->Timer()->stop();
        main->show();
        OpenWindows(3);
        windows = main->AnalysisWindows();
        main->MdiArea()->setActiveSubWindow(windows[1]);
    }
    void TearDown() override
    {
        main->close();
        MainWindowTest::TearDown();
    }
    // The actions follow the active window at once, without a click into it.
    void ExpectActionsOfAnActiveWindow()
    {
        EXPECT_NE(main->ActiveAnalysisWindow(), nullptr);
        EXPECT_TRUE(A().ActionViewChart->isEnabled());
        EXPECT_TRUE(A().ActionViewList->isEnabled());
        EXPECT_TRUE(A().ActionClose->isEnabled());
    }
    QList<TChildform*> windows;
};

TEST_F(WindowArrangementTest, StackedWindowsKeepChartsAndNavigationUsable)
{
    A().ActionTileHorizontal->trigger();
    QApplication::processEvents();
    const QRect area = main->MdiArea()->viewport()->rect();
    int top = 0;
    for (TChildform* window : windows) {
        EXPECT_FALSE(window->isMaximized());
        EXPECT_EQ(window->geometry().top(), top);
        EXPECT_GE(window->height(), area.height() / 3);
        EXPECT_GE(window->geometry().right(), area.width() - 20);
        top = window->geometry().bottom() + 1;
        EXPECT_TRUE(NavigationVisible(*main, window, false));
        // The lower chart gives way first: the upper one is never the smaller.
        const ChildWidgets& w = window->Widgets();
        EXPECT_GE(w.chart->height(), w.chart2->height());
        EXPECT_GE(w.chart->height(), 95);
    }
    EXPECT_GE(top, area.height());
    EXPECT_EQ(main->ActiveAnalysisWindow(), windows[1]);
    ExpectActionsOfAnActiveWindow();

    A().ActionMinimizeAll->trigger();
    for (TChildform* window : windows)
        EXPECT_TRUE(window->isMinimized());
}

TEST_F(WindowArrangementTest, OverlappingWindowsShowTheirNavigation)
{
    A().ActionCascade->trigger();
    QApplication::processEvents();
    for (TChildform* window : windows) {
        EXPECT_FALSE(window->isMaximized());
        EXPECT_TRUE(NavigationVisible(*main, window, true));
    }
    EXPECT_EQ(main->ActiveAnalysisWindow(), windows[1]);
    ExpectActionsOfAnActiveWindow();
}

TEST_F(WindowArrangementTest, ClosingAWindowUpdatesTheActionsForTheNextOne)
{
    A().ActionCascade->trigger();
    A().ActionClose->trigger();
    WaitUntil([&] { return WindowCount() == 2; }, 1000);
    QApplication::processEvents();
    ExpectActionsOfAnActiveWindow();
}

TEST(ChartSplit, TheLowerChartGivesWayFirst)
{
    const ChartHeights preferred{400, 120}, minimum{95, 95};
    EXPECT_EQ(SplitChartHeights(700, preferred, minimum), (ChartHeights{580, 120}));
    EXPECT_EQ(SplitChartHeights(520, preferred, minimum), (ChartHeights{400, 120}));
    EXPECT_EQ(SplitChartHeights(510, preferred, minimum), (ChartHeights{400, 110}));
    EXPECT_EQ(SplitChartHeights(495, preferred, minimum), (ChartHeights{400, 95}));
    EXPECT_EQ(SplitChartHeights(300, preferred, minimum), (ChartHeights{205, 95}));
    EXPECT_EQ(SplitChartHeights(190, preferred, minimum), (ChartHeights{95, 95}));
    // A split the user dragged to is the new preference.
    EXPECT_EQ(SplitChartHeights(500, ChartHeights{150, 300}, minimum), (ChartHeights{200, 300}));
    EXPECT_EQ(SplitChartHeights(350, ChartHeights{150, 300}, minimum), (ChartHeights{150, 200}));
}

} // namespace
} // namespace korvex::test
