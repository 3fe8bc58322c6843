// The main window's side of reading and opening: the readout and statistics commands kept in the
// settings file, opening by dropping folders or log files, recent directories in the open dialog.

#include "tests/ui/shell/OpenTestSupport.h"
#include "tests/ui/shell/TMainformTestSupport.h"

#include "core/check/CheckUiTexts.h"
#include "ui/analysis/parts/CheckPart.h"
#include "ui/analysis/parts/ReadingParts.h"
#include "ui/chart/ChartReadout.h"
#include "ui/shell/DateField.h"
#include "ui/shell/DropOpen.h"
#include "ui/shell/ReadingActions.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QMenu>
#include <QMimeData>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <memory>
#include <optional>

namespace korvex::test {
namespace {

class MainReading : public MainWindowTest {
protected:
    void SetUp() override
    {
        SelectTextBlock(BlockEnglish);
        Create();
        main->show();
        QApplication::processEvents();
    }

    // The program opens the open dialog by itself once shown; a drop meanwhile is refused, as
    // the user meets it: this cancels it like the user would before dropping.
    void DismissStartDialog()
    {
        TDialogOpenAnalysis* dialog = &main->OpenAnalysisDialog();
        auto refused = std::make_shared<std::optional<bool>>();
        WhenVisible(dialog, [this, dialog, refused] {
            QMimeData mime;
            *refused = !Enter({logs.path()}, mime);
            dialog->done(QDialog::Rejected);
        });
        for (int i = 0; i < 200 && !*refused; ++i)
            QTest::qWait(10);
        ASSERT_TRUE(refused->has_value()) << "the open dialog did not appear at the start";
        EXPECT_TRUE(**refused) << "a drop was taken while the open dialog was up";
        QTest::qWait(10);
    }

    // Drags local paths over the main window; returns whether the drop would be taken.
    bool Enter(const QStringList& paths, QMimeData& mime)
    {
        QList<QUrl> urls;
        for (const QString& p : paths)
            urls << QUrl::fromLocalFile(p);
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(main.get(), &enter);
        return enter.isAccepted();
    }

    // Drops and records what the open dialog shows; the dialog is then cancelled.
    struct Seen {
        bool shown = false;
        QString dir;
        QDate from, to;
    };
    Seen Drop(const QStringList& paths)
    {
        QMimeData mime;
        Enter(paths, mime);
        auto seen = std::make_shared<Seen>();
        TDialogOpenAnalysis* dialog = &main->OpenAnalysisDialog();
        WhenVisible(dialog, [dialog, seen] {
            QApplication::processEvents(); // the range of dropped files is set once shown
            seen->shown = true;
            seen->dir = dialog->RootDir()->text();
            seen->from = dialog->DateFrom()->date();
            seen->to = dialog->DateTo()->date();
            dialog->done(QDialog::Rejected);
        });
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(main.get(), &drop);
        for (int i = 0; i < 200 && !seen->shown; ++i)
            QTest::qWait(10);
        return *seen;
    }

    QTemporaryDir logs;
};

TEST(PlanDrop, FoldersAndLogFilesOfOneFolderOnly)
{
    QTemporaryDir tmp;
    const QString a = tmp.path() + QStringLiteral("/a");
    const std::string f1 = WriteFile(a, LogName(10, QDate(2010, 5, 4)), "x").toStdString();
    const std::string f2 = WriteFile(a, LogName(21, QDate(2010, 5, 2)), "x").toStdString();
    const std::string other =
        WriteFile(tmp.path() + QStringLiteral("/b"), LogName(10, QDate(2010, 5, 9)), "x")
            .toStdString();
    const std::string text = WriteFile(a, QStringLiteral("notes.txt"), "x").toStdString();

    const auto folder = PlanDrop({a.toStdString()});
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->directory, a.toStdString());
    EXPECT_FALSE(folder->from);
    const auto files = PlanDrop({f1, f2});
    ASSERT_TRUE(files);
    EXPECT_EQ(files->directory, a.toStdString());
    EXPECT_EQ(files->from, EncodeDate(2010, 5, 2));
    EXPECT_EQ(files->to, EncodeDate(2010, 5, 4));
    EXPECT_FALSE(PlanDrop({f1, other}));           // two folders
    EXPECT_FALSE(PlanDrop({f1, text}));            // not a log file
    EXPECT_FALSE(PlanDrop({a.toStdString(), f1})); // a folder and a file
    EXPECT_FALSE(PlanDrop({}));
    EXPECT_FALSE(PlanDrop({(tmp.path() + QStringLiteral("/gone")).toStdString()}));
}

TEST_F(MainReading, DroppingAFolderOrLogFilesOpensTheDialog)
{
    DismissStartDialog();
    const QString dir = logs.path() + QStringLiteral("/2010");
    WriteDays(dir, 10, QDate(2010, 5, 1), QDate(2010, 5, 6));
    const Seen folder = Drop({dir});
    ASSERT_TRUE(folder.shown);
    EXPECT_EQ(folder.dir, dir);
    EXPECT_EQ(folder.from, QDate(2010, 5, 1));
    EXPECT_EQ(folder.to, QDate(2010, 5, 6));

    const Seen files = Drop({dir + QLatin1Char('/') + LogName(10, QDate(2010, 5, 4)),
                             dir + QLatin1Char('/') + LogName(10, QDate(2010, 5, 2))});
    ASSERT_TRUE(files.shown);
    EXPECT_EQ(files.from, QDate(2010, 5, 2));
    EXPECT_EQ(files.to, QDate(2010, 5, 4));

    QMimeData text;
    EXPECT_FALSE(Enter({WriteFile(dir, QStringLiteral("readme.txt"), "x")}, text));
    QMimeData folderAgain;
    EXPECT_TRUE(Enter({dir}, folderAgain));
}

TEST_F(MainReading, ReadoutCommandsAreKeptAndReachEveryWindow)
{
    ReadingActions* actions = main->Reading();
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(actions->Readout()->isChecked());
    EXPECT_FALSE(actions->Statistics()->isChecked());
    EXPECT_TRUE(main->Menus().MenuView->actions().contains(actions->Readout()));
    EXPECT_TRUE(main->ToolBar()->actions().contains(actions->Readout()));
    OpenWindows(1);
    TChildform* window = main->AnalysisWindows().front();
    actions->Readout()->trigger();
    EXPECT_FALSE(window->Reading().Readout().Enabled());
    EXPECT_TRUE(home.ReadIni().contains("Readout=0"));
    // A new start of the program keeps it.
    main.reset();
    AppSettings::Release();
    Create();
    EXPECT_FALSE(main->Reading()->Readout()->isChecked());
}

TEST_F(MainReading, TheFunctionCheckPanelIsAViewCommandKeptLikeTheStatistics)
{
    ReadingActions* actions = main->Reading();
    QAction* check = actions->FunctionCheck();
    ASSERT_NE(check, nullptr);
    EXPECT_FALSE(check->isChecked());
    EXPECT_TRUE(main->Menus().MenuView->actions().contains(check));
    EXPECT_EQ(check->text(), QString::fromUtf8(CheckUiText("panel-caption"))); // the start's language
    OpenWindows(2);
    check->trigger();
    for (TChildform* window : main->AnalysisWindows())
        EXPECT_TRUE(window->Check().Shown());
    EXPECT_TRUE(home.ReadIni().contains("FunctionCheck=1"));
    main.reset();
    AppSettings::Release();
    Create();
    EXPECT_TRUE(main->Reading()->FunctionCheck()->isChecked());
    OpenWindows(1);
    EXPECT_TRUE(main->AnalysisWindows().front()->Check().Shown()) << "a new window starts with it";
}

TEST_F(MainReading, TheOpenDialogOffersRecentDirectories)
{
    QStringList dirs;
    for (int i = 0; i < 3; ++i) {
        dirs << logs.path() + QStringLiteral("/d%1").arg(i);
        WriteDays(dirs.back(), 10, QDate(2010, 5, 1), QDate(2010, 5, 1));
        ASSERT_TRUE(Open(true, dirs.back()));
        main->ActionCloseExecute();
    }
    QDir(dirs[1]).removeRecursively();
    ASSERT_TRUE(Open(false));
    QCompleter* completer = main->OpenAnalysisDialog().RootDir()->completer();
    ASSERT_NE(completer, nullptr);
    const QStringList offered = static_cast<QStringListModel*>(completer->model())->stringList();
    EXPECT_EQ(offered, (QStringList{dirs[2], dirs[0]}));

    // The field's arrow is there to be seen and drops the whole list down, whatever is typed.
    TDialogOpenAnalysis& dialog = main->OpenAnalysisDialog();
    QLineEdit* field = dialog.RootDir();
    auto shownRows = std::make_shared<int>(-1);
    auto arrowShown = std::make_shared<bool>(false);
    WhenVisible(
        &dialog,
        [&dialog, field, completer, shownRows, arrowShown] {
            field->setText(QStringLiteral("/no/such/prefix"));
            QToolButton* arrow = nullptr;
            for (QToolButton* b : field->findChildren<QToolButton*>())
                if (b->defaultAction() &&
                    b->defaultAction()->objectName() == QStringLiteral("ShowRecentDirs"))
                    arrow = b;
            *arrowShown = arrow && arrow->isVisible();
            if (arrow)
                QTest::mouseClick(arrow, Qt::LeftButton);
            QTest::qWait(20);
            if (completer->popup()->isVisible())
                *shownRows = completer->completionCount();
            completer->popup()->hide();
            dialog.done(QDialog::Rejected);
        },
        2000);
    main->ActionOpenExecute();
    EXPECT_TRUE(*arrowShown);
    EXPECT_EQ(*shownRows, 2);
}

// Without a directory to offer the arrow stays away.
TEST_F(MainReading, NoRecentDirectoryNoArrow)
{
    ASSERT_TRUE(Open(false));
    const auto* arrow =
        main->OpenAnalysisDialog().RootDir()->findChild<QAction*>(QStringLiteral("ShowRecentDirs"));
    ASSERT_NE(arrow, nullptr);
    EXPECT_FALSE(arrow->isVisible());
}

} // namespace
} // namespace korvex::test
