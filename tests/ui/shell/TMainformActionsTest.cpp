#include "tests/ui/shell/TMainformTestSupport.h"
#include "ui/platform/UiText.h"

#include <QApplication>
#include <QMdiSubWindow>
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

    main->ActiveAnalysisWindow()->State().tableMode = true;
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
    windows[0]->State().tableMode = true;

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
    EXPECT_EQ(box.text, UiText(TextId::MaximumAnalysesOpen));
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

TEST_F(MainActionsTest, YesAndThenCancelLosesTheReplacedWindow)
{
    Create();
    OpenWindows(3);
    doubles.prompts.answers.push_back(PromptAnswer::Yes);
    EXPECT_TRUE(Open(false));
    WaitUntil([&] { return WindowCount() == 2; }, 1000);
    EXPECT_EQ(WindowCount(), 2);
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

TEST_F(MainActionsTest, WindowArrangement)
{
    Create();
    main->resize(1000, 700);
    main->OnActivate(); // before showing: a later activation must not start an open
    main->Timer()->stop();
    main->show();
    OpenWindows(3);

    main->ActionTileHorizontalExecute();
    const QRect area = main->MdiArea()->viewport()->rect();
    const QList<TChildform*> windows = main->AnalysisWindows();
    int top = 0;
    for (TChildform* window : windows) {
        EXPECT_FALSE(window->isMaximized());
        EXPECT_EQ(window->geometry().top(), top);
        EXPECT_EQ(window->geometry().width(), area.width());
        top = window->geometry().bottom() + 1;
    }
    EXPECT_EQ(top, area.height());

    main->ActionMinimizeAllExecute();
    for (TChildform* window : windows)
        EXPECT_TRUE(window->isMinimized());
    main->close();
}

} // namespace
} // namespace korvex::test
