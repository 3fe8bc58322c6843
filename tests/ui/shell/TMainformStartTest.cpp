#include "tests/ui/shell/TMainformTestSupport.h"

#include "ui/platform/UiText.h"
#include "ui/shell/TDialogAbout.h"
#include "ui/shell/TDialogFileError.h"

#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QToolBar>

namespace korvex::test {
namespace {

using MainStartTest = MainWindowTest;

TEST_F(MainStartTest, StartWithSettingsSelectsGermanAndCreatesTheDialogsHidden)
{
    SelectTextBlock(BlockEnglish); // whatever ran before
    Create();

    EXPECT_TRUE(doubles.prompts.calls.empty());
    ASSERT_NE(main->Settings(), nullptr);
    EXPECT_EQ(main->Settings(), AppSettings::Instance());
    EXPECT_EQ(CurrentTextBlock(), BlockGerman);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Halvo Korvex 2"));
    EXPECT_TRUE(main->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(main->normalGeometry().size(), QSize(790, 590));
    EXPECT_EQ(main->minimumSize(), QSize(750, 510));
    EXPECT_TRUE(main->FirstActivationPending());
    EXPECT_FALSE(main->Timer()->isActive());
    EXPECT_EQ(main->Timer()->interval(), 1);

    EXPECT_FALSE(main->AboutDialog().isVisible());
    EXPECT_FALSE(main->OpenAnalysisDialog().isVisible());
    EXPECT_FALSE(main->FileErrorDialog().isVisible());
    EXPECT_TRUE(A().ActionLanguage[0]->isChecked());
    EXPECT_EQ(A().ActionOpen->text(), QStringLiteral("Öffnen"));
}

TEST_F(MainStartTest, StartWithoutSettingsShowsTheTwoLanguageBoxAndRunsOn)
{
    home.MakeUnavailable();
    Create();

    EXPECT_EQ(main->Settings(), nullptr);
    ASSERT_EQ(doubles.prompts.calls.size(), 1u);
    const auto& box = doubles.prompts.calls[0];
    EXPECT_EQ(box.caption, QStringLiteral("Fehler"));
    EXPECT_EQ(box.text, QString::fromStdString(TwoLanguageSettingsErrorText()));
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Access to INI file failed.")));
    EXPECT_EQ(box.icon, PromptIcon::Error);
    EXPECT_EQ(box.buttons, PromptButtons::Ok);

    // The stored language cannot be read: German stays.
    main->OnActivate();
    EXPECT_EQ(CurrentTextBlock(), BlockGerman);
    EXPECT_TRUE(A().ActionLanguage[0]->isChecked());
    EXPECT_TRUE(main->Timer()->isActive());
}

TEST_F(MainStartTest, FirstActivationFitsTheWorkAreaAppliesTheStoredLanguageAndStartsTheTimer)
{
    home.WriteIni("[Main]\r\nLanguage=3\r\n");
    doubles.desktop.workArea = QRect(0, 20, 770, 550);
    Create();
    const QRect before = main->normalGeometry();
    ASSERT_GT(before.bottom(), 570) << "the offscreen screen is expected to be 800 x 600";

    main->OnActivate();
    EXPECT_FALSE(main->FirstActivationPending());
    EXPECT_EQ(main->normalGeometry(), QRect(0, 20, 770, 550));
    EXPECT_TRUE(main->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(CurrentTextBlock(), BlockFrench);
    EXPECT_TRUE(A().ActionLanguage[2]->isChecked());
    EXPECT_FALSE(A().ActionLanguage[0]->isChecked());
    EXPECT_EQ(A().ActionOpen->text(), UiText(TextId::MenuOpen));
    EXPECT_EQ(main->Menus().MenuFile->title(), UiText(TextId::MenuFile));
    EXPECT_TRUE(main->Timer()->isActive());

    // Later activations do nothing.
    main->Timer()->stop();
    SelectTextBlock(BlockGerman);
    main->OnActivate();
    EXPECT_FALSE(main->Timer()->isActive());
    EXPECT_EQ(CurrentTextBlock(), BlockGerman);
}

TEST_F(MainStartTest, OnlyTheEdgeThatLiesOutsideIsFitted)
{
    Create();
    const QRect before = main->normalGeometry();
    // Only the bottom edge lies outside: the height stays, the window is centred vertically.
    doubles.desktop.workArea = QRect(0, 0, before.right() + 1, before.bottom() - 10);
    main->OnActivate();
    const int areaHeight = before.bottom() - 10;
    EXPECT_EQ(main->normalGeometry(), QRect(before.x(), (areaHeight - 590) / 2, 790, 590));
}

TEST_F(MainStartTest, WorkAreaLargeEnoughLeavesTheRestoredBounds)
{
    Create();
    const QRect before = main->normalGeometry();
    doubles.desktop.workArea = QRect(0, 0, 2000, 1500);
    main->OnActivate();
    EXPECT_EQ(main->normalGeometry(), before);
}

TEST_F(MainStartTest, StoredNumbersOutsideTheMenuShowGerman)
{
    for (const char* stored : {"0", "1", "9", "-4", "abc"}) {
        SCOPED_TRACE(stored);
        AppSettings::Release();
        home.WriteIni(QByteArray("[Main]\r\nLanguage=") + stored + "\r\n");
        Create();
        main->OnActivate();
        main->Timer()->stop();
        EXPECT_EQ(CurrentTextBlock(), BlockGerman);
        EXPECT_TRUE(A().ActionLanguage[0]->isChecked());
        int checked = 0;
        for (QAction* action : A().ActionLanguage)
            checked += action->isChecked() ? 1 : 0;
        EXPECT_EQ(checked, 1);
        main.reset();
    }
}

TEST_F(MainStartTest, TimerOpensTheDialogAtTheProgramFolderWhenNothingIsStored)
{
    Create();
    QString shownDirectory;
    TDialogOpenAnalysis* dialog = &main->OpenAnalysisDialog();
    WhenVisible(dialog, [dialog, &shownDirectory] {
        shownDirectory = dialog->Directory();
        dialog->reject();
    });
    main->OnActivate();
    ASSERT_TRUE(WaitUntil([&] { return !shownDirectory.isEmpty(); }));
    ASSERT_TRUE(WaitUntil([&] { return !main->Timer()->isActive() && !dialog->isVisible(); }));
    EXPECT_EQ(shownDirectory.toStdString(), ProgramDirectory());
    WaitUntil([&] { return WindowCount() == 0; }, 500);
    EXPECT_EQ(WindowCount(), 0); // cancelled: the new window is gone again
}

TEST_F(MainStartTest, ToolBarMenusAndLogo)
{
    Create();
    const QList<QAction*> tools = main->ToolBar()->actions();
    // The readout's button sits before the separator that precedes About.
    ASSERT_EQ(tools.size(), 3 + 1 + 7 + 1 + 2 + 1 + 1 + 1);
    EXPECT_EQ(tools[0], A().ActionOpen);
    EXPECT_EQ(tools[1], A().ActionSave);
    EXPECT_EQ(tools[2], A().ActionPrint);
    EXPECT_TRUE(tools[3]->isSeparator());
    for (int i = 0; i < kLanguageCount; ++i) {
        EXPECT_EQ(tools[4 + i], A().ActionLanguage[i]);
        EXPECT_FALSE(A().ActionLanguage[i]->icon().isNull());
    }
    EXPECT_EQ(tools[12], A().ActionViewChart);
    EXPECT_EQ(tools[13], A().ActionViewList);
    EXPECT_EQ(tools[16], A().ActionAbout);
    EXPECT_EQ(A().ActionLanguage[1]->text(), QStringLiteral("English (GB)"));
    EXPECT_EQ(A().ActionLanguage[6]->text(), QStringLiteral("English (US)"));
    EXPECT_EQ(A().ActionOpen->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(A().ActionClose->shortcut(), QKeySequence(QStringLiteral("Ctrl+W")));
    EXPECT_EQ(A().ActionSave->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(A().ActionPrint->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_FALSE(A().ActionDefaultSettings->isVisible());
    EXPECT_EQ(main->Menus().MenuHelp->title(), QStringLiteral("&?"));
    EXPECT_EQ(main->Menus().MenuFile->actions().size(), 7);

    const QPixmap logo = main->HalvoLogo()->pixmap();
    EXPECT_EQ(logo.size(), QSize(97, 32));
    EXPECT_FALSE(logo.toImage().allGray());

    main->PanelTop()->resize(1000, 44);
    main->PanelTopResize();
    EXPECT_EQ(main->HalvoLogo()->geometry(), QRect(1000 - 97 - 53, 6, 97, 32));
}

} // namespace
} // namespace korvex::test
