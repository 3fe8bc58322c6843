// The open-analysis dialog: scanning, the date pickers, and loading into a real analysis window
// with the platform doubles answering boxes, Esc and the memory probe.

#include "tests/ui/doubles/PlatformDoubles.h"
#include "tests/ui/doubles/UiTestSupport.h"
#include "tests/ui/shell/OpenTestSupport.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/LoadMemory.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/UiText.h"
#include "ui/shell/DateField.h"
#include "ui/shell/TDialogFileError.h"
#include "ui/shell/TDialogOpenAnalysis.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace korvex::test {
namespace {

// What the reader says about a file on its own.
QString ReaderMessage(const QString& path)
{
    AnalysisDataSet set(0, 100000, nullptr, nullptr);
    try {
        set.load(path.toStdString());
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

class OpenAnalysis : public ::testing::Test {
protected:
    OpenAnalysis()
    {
        window = new TChildform;
        dir = logs.path() + QStringLiteral("/logs");
        QDir().mkpath(dir);
    }
    ~OpenAnalysis() override { delete window; }

    void Prepare()
    {
        dialog.Prepare(window, dir);
        dialog.ScanDirectory();
    }

    // Runs Execute as the Analyse button does: a thrown error becomes its message.
    QString ExecuteError()
    {
        try {
            dialog.Execute();
        } catch (const std::exception& e) {
            return QString::fromUtf8(e.what());
        }
        return {};
    }

    bool InputsEnabled() const
    {
        return dialog.RootDir()->isEnabled() && dialog.DateFrom()->isEnabled() &&
               dialog.DateTo()->isEnabled() && Button("ExecuteBtn")->isEnabled() &&
               Button("CancelBtn")->isEnabled();
    }

    QPushButton* Button(const char* name) const { return dialog.findChild<QPushButton*>(name); }

    QProgressBar* Progress() const { return dialog.findChild<QProgressBar*>(); }

    PrivateHome home;
    PlatformDoubles doubles;
    QTemporaryDir logs;
    QString dir;
    TDialogFileError errors;
    TDialogOpenAnalysis dialog{errors};
    TChildform* window = nullptr;
};

TEST_F(OpenAnalysis, ScanLimitsThePickersToTheDaysFound)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 31));
    Prepare();

    EXPECT_TRUE(dialog.FilesFound());
    EXPECT_EQ(dialog.DateFrom()->minimumDate(), QDate(2010, 5, 1));
    EXPECT_EQ(dialog.DateFrom()->maximumDate(), QDate(2010, 5, 31));
    EXPECT_EQ(dialog.DateTo()->minimumDate(), QDate(2010, 5, 1));
    EXPECT_EQ(dialog.DateFrom()->date(), QDate(2010, 5, 1));
    EXPECT_EQ(dialog.DateTo()->date(), QDate(2010, 5, 31));
    EXPECT_TRUE(dialog.DateFrom()->isEnabled());
    EXPECT_TRUE(dialog.DateTo()->isEnabled());

    // A folder without logs disables the pickers again.
    dialog.RootDir()->setText(dir + QStringLiteral("/missing"));
    dialog.ScanDirectory();
    EXPECT_FALSE(dialog.FilesFound());
    EXPECT_FALSE(dialog.DateFrom()->isEnabled());
    EXPECT_FALSE(dialog.DateTo()->isEnabled());
}

TEST_F(OpenAnalysis, PickersFollowEachOther)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 31));
    Prepare();

    dialog.DateTo()->setDate(QDate(2010, 5, 10));
    dialog.DateFrom()->setDate(QDate(2010, 5, 20));
    EXPECT_EQ(dialog.DateTo()->date(), QDate(2010, 5, 20));

    dialog.DateFrom()->setDate(QDate(2010, 5, 15));
    dialog.DateTo()->setDate(QDate(2010, 5, 5));
    EXPECT_EQ(dialog.DateFrom()->date(), QDate(2010, 5, 5));
    EXPECT_EQ(dialog.DateTo()->date(), QDate(2010, 5, 5));
}

TEST_F(OpenAnalysis, FolderBrowserStartsAtTheDirectoryAndScansTheChoice)
{
    const QString other = logs.path() + QStringLiteral("/other");
    WriteDays(other, 1, QDate(2011, 2, 3), QDate(2011, 2, 4));
    Prepare();

    doubles.dialogs.folderAnswers.push_back(std::nullopt);
    dialog.SelectDirBtnClick();
    ASSERT_EQ(doubles.dialogs.folderCalls.size(), 1u);
    EXPECT_EQ(doubles.dialogs.folderCalls[0].title, UiText(TextId::SelectLogDirectory));
    EXPECT_EQ(doubles.dialogs.folderCalls[0].startDirectory, dir);
    EXPECT_EQ(dialog.Directory(), dir); // cancelled: unchanged

    doubles.dialogs.folderAnswers.push_back(other);
    dialog.SelectDirBtnClick();
    EXPECT_EQ(dialog.Directory(), other);
    EXPECT_EQ(dialog.DateFrom()->date(), QDate(2011, 2, 3));
    EXPECT_EQ(dialog.DateTo()->date(), QDate(2011, 2, 4));

    // A text that names no folder starts the browser in the current directory.
    dialog.RootDir()->setText(QStringLiteral("/no/such/folder"));
    dialog.SelectDirBtnClick();
    EXPECT_EQ(doubles.dialogs.folderCalls.back().startDirectory, QDir::currentPath());
}

TEST_F(OpenAnalysis, LoadsAMonthIntoTheWindow)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 31));
    Prepare();

    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Analysis from 01.05.2010 to 31.05.2010. (31 files found)"));
    ASSERT_EQ(window->State().DeviceCount(), 1);
    ASSERT_NE(window->State().DataSet(0), nullptr);
    EXPECT_EQ(window->State().DataSet(0)->fileCount(), 31);
    EXPECT_EQ(window->State().dayList.size(), 31u);
    EXPECT_FALSE(errors.HasErrors());
    EXPECT_TRUE(doubles.prompts.calls.empty());
    // Every file gets the memory probe and a turn of the message loop.
    EXPECT_EQ(doubles.system.allocationProbes.size(), 31u);
    EXPECT_EQ(doubles.system.allocationProbes.front(), 26214400u);
    EXPECT_GE(doubles.system.processEventsCalls, 31 + 1);
    EXPECT_TRUE(InputsEnabled());
    EXPECT_EQ(Progress()->value(), 0);
}

// The files are read ahead by threads; the window fills in file order, the bar moves per file.
TEST_F(OpenAnalysis, ReadingThreadsFillTheWindowAsOneByOneReadingAndMoveTheBarPerFile)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 6, 9));
    WriteDays(dir, 30, QDate(2010, 5, 20), QDate(2010, 5, 29));
    WriteFile(dir, LogName(30, QDate(2010, 5, 30)), "no log at all");
    const char* saved = std::getenv("KORVEX_READ_WORKERS");
    const std::string keep = saved ? saved : "";
    std::vector<std::string> loads;
    for (const char* workers : {"1", "4"}) {
        ::setenv("KORVEX_READ_WORKERS", workers, 1);
        Prepare();
        std::vector<int> seen;
        doubles.system.onProcessEvents = [&] { seen.push_back(Progress()->value()); };
        EXPECT_TRUE(dialog.Execute());
        doubles.system.onProcessEvents = nullptr;
        // Every file's turn of the message loop shows the files handled before it.
        std::vector<int> steps;
        for (int v : seen) {
            if (steps.empty() || v != steps.back())
                steps.push_back(v);
        }
        // The load's end sets the bar back to 0.
        ASSERT_FALSE(steps.empty());
        EXPECT_EQ(steps.back(), 0);
        steps.pop_back();
        EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end())) << workers;
        EXPECT_GE(steps.size(), 51u) << workers;
        EXPECT_TRUE(Progress()->updatesEnabled()) << workers;
        std::string load = errors.Lines().join("|").toStdString();
        for (int d = 0; d < window->State().DeviceCount(); ++d) {
            const AnalysisDataSet* set = window->State().DataSet(d);
            load += " files " + std::to_string(set->fileCount());
            for (int i = 0; i < set->slotCount(); ++i) {
                for (int p = 0; p < set->series(i)->count(); ++p)
                    load += " " + std::to_string(set->series(i)->x(p)) + "=" +
                            std::to_string(set->series(i)->y(p));
            }
        }
        loads.push_back(load);
    }
    if (saved)
        ::setenv("KORVEX_READ_WORKERS", keep.c_str(), 1);
    else
        ::unsetenv("KORVEX_READ_WORKERS");
    EXPECT_NE(loads[0].find(" files 40 "), std::string::npos);
    EXPECT_NE(loads[0].find(LogName(30, QDate(2010, 5, 30)).toStdString()), std::string::npos);
    EXPECT_TRUE(loads[0] == loads[1]);
}

TEST_F(OpenAnalysis, LoadsOnlyTheChosenRangeAndKeepsItUntilTheNextScan)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 31));
    WriteDays(dir, 2, QDate(2010, 5, 1), QDate(2010, 5, 31));
    Prepare();
    dialog.DateFrom()->setDate(QDate(2010, 5, 10));
    dialog.DateTo()->setDate(QDate(2010, 5, 12));

    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Analysis from 10.05.2010 to 12.05.2010. (6 files found)"));
    EXPECT_EQ(window->State().DeviceCount(), 2);
    EXPECT_EQ(dialog.ValidFiles().size(), 6u);

    // Widening the range without a new scan still finds only the earlier files.
    dialog.DateFrom()->setDate(QDate(2010, 5, 1));
    dialog.DateTo()->setDate(QDate(2010, 5, 31));
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(window->State().fileCount, 6);

    dialog.ScanDirectory();
    EXPECT_EQ(dialog.ValidFiles().size(), 62u);
}

TEST_F(OpenAnalysis, AnalyseAfterTypingAFolderLoadsThatFolder)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 2));
    const QString other = logs.path() + QStringLiteral("/other");
    WriteDays(other, 2, QDate(2012, 1, 1), QDate(2012, 1, 3));
    Prepare();

    // Return in the field executes without the focus leaving it.
    dialog.RootDir()->setText(other);
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(window->State().deviceNumbers, std::vector<std::string>{"02"});
    EXPECT_EQ(window->State().fileCount, 3);
}

TEST_F(OpenAnalysis, BrokenFilesAreListedThreeLinesEach)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 4));
    const QString empty = WriteFile(dir, LogName(1, QDate(2010, 5, 2)), "\r\n\r\n");
    const QString noValues =
        WriteFile(dir, LogName(1, QDate(2010, 5, 3)), "DATE & TIME\r\n2010-05-03 00:00\r\n");
    Prepare();

    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(window->State().DataSet(0)->fileCount(), 2);
    ASSERT_TRUE(errors.HasErrors());
    const QStringList lines = errors.Lines();
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], empty);
    EXPECT_EQ(lines[1], UiText(TextId::FileHasNoValues));
    EXPECT_EQ(lines[2], QString());
    EXPECT_EQ(lines[3], noValues);
    EXPECT_FALSE(ReaderMessage(noValues).isEmpty());
    EXPECT_EQ(lines[4], ReaderMessage(noValues));
    EXPECT_EQ(lines[5], QString());

    // The next open starts with an empty list.
    for (int day : {2, 3})
        WriteFile(dir, LogName(1, QDate(2010, 5, day)), DayLog(QDate(2010, 5, day)));
    dialog.ScanDirectory();
    EXPECT_TRUE(dialog.Execute());
    EXPECT_FALSE(errors.HasErrors());
    EXPECT_TRUE(errors.Lines().isEmpty());
}

TEST_F(OpenAnalysis, EscInFrontCancelsAndLeavesNothingLoaded)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 10));
    Prepare();
    int queries = 0;
    bool disabledWhileLoading = false;
    bool abortShown = false;
    doubles.escapeKey.onQuery = [&] {
        // Query 1 clears the latch before the load; queries 2.. come before each file.
        ++queries;
        if (queries == 4) {
            disabledWhileLoading =
                !dialog.RootDir()->isEnabled() && !Button("CancelBtn")->isEnabled() &&
                !Button("ExecuteBtn")->isEnabled() && !dialog.DateFrom()->isEnabled();
            abortShown = !dialog.findChild<QLabel*>("LabelAbort")->isHidden();
        }
        return queries == 5;
    };

    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(disabledWhileLoading);
    EXPECT_TRUE(abortShown);
    ASSERT_EQ(doubles.prompts.calls.size(), 1u);
    EXPECT_EQ(doubles.prompts.calls[0].text, UiText(TextId::AbortedByUser));
    EXPECT_EQ(doubles.prompts.calls[0].caption, UiText(TextId::CaptionInformation));
    EXPECT_EQ(doubles.prompts.calls[0].icon, PromptIcon::Information);
    // Nothing half-loaded remains.
    EXPECT_EQ(window->windowTitle(), UiText(TextId::MenuNew));
    EXPECT_EQ(window->State().DeviceCount(), 0);
    EXPECT_TRUE(window->State().dataSets.empty());
    EXPECT_TRUE(window->State().dayList.empty());
    EXPECT_FALSE(errors.HasErrors());
    EXPECT_TRUE(InputsEnabled());
    EXPECT_EQ(Progress()->value(), 0);
    // The bar paints at most thirty times a second while files load; stopped, it paints again.
    EXPECT_TRUE(Progress()->updatesEnabled());
}

TEST_F(OpenAnalysis, EscCountsOnlyWhileTheDialogIsInFront)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 3));
    Prepare();
    doubles.escapeKey.watchedActive = false;
    // Waiting for the key's release would never end while it reads as pressed: the first
    // queries belong to that wait, so let them pass.
    int queries = 0;
    doubles.escapeKey.onQuery = [&] { return ++queries > 1; };

    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(window->State().DataSet(0)->fileCount(), 3);
    EXPECT_TRUE(doubles.prompts.calls.empty());
}

TEST_F(OpenAnalysis, EscHeldWhenAnalyseIsPressedWaitsForItsRelease)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 3));
    Prepare();
    doubles.escapeKey.held = {true, true, true};
    doubles.escapeKey.pressed = {true}; // the press that came with the held key

    EXPECT_TRUE(dialog.Execute());
    EXPECT_GE(doubles.escapeKey.heldQueries, 4);
    EXPECT_EQ(window->State().DataSet(0)->fileCount(), 3);
    EXPECT_TRUE(doubles.prompts.calls.empty());
}

TEST_F(OpenAnalysis, LowMemoryStopsTheLoadAndEmptiesTheWindow)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 3));
    Prepare();
    doubles.system.memoryAvailable = false;

    EXPECT_EQ(ExecuteError(), UiText(TextId::ReportNoMemory));
    EXPECT_EQ(window->State().DeviceCount(), 0);
    EXPECT_EQ(window->windowTitle(), UiText(TextId::MenuNew));
    EXPECT_TRUE(InputsEnabled());
    EXPECT_FALSE(dialog.Loading());

    // Stopped half-way through the files, while the bar holds its paint between frames: it is
    // back at 0 and paints again.
    doubles.system.memoryAvailable = true;
    int turns = 0;
    doubles.system.onProcessEvents = [&] {
        if (++turns == 2) {
            Progress()->setUpdatesEnabled(false);
            doubles.system.memoryAvailable = false;
        }
    };
    EXPECT_EQ(ExecuteError(), UiText(TextId::ReportNoMemory));
    doubles.system.onProcessEvents = nullptr;
    EXPECT_GE(turns, 2);
    EXPECT_EQ(Progress()->value(), 0);
    EXPECT_TRUE(Progress()->updatesEnabled());
}

// The memory the largest file in dir needs.
std::uint64_t LargestNeed(const QString& dir)
{
    std::uint64_t need = 0;
    for (const QFileInfo& file : QDir(dir).entryInfoList(QDir::Files))
        need = std::max(need, LoadMemoryNeed(static_cast<std::uint64_t>(file.size())));
    return need;
}

TEST_F(OpenAnalysis, FileThatNoLongerFitsInMemoryStopsTheLoad)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 4));
    Prepare();
    // The system's figure fits; after two files the control group's room runs out.
    doubles.system.memoryRoom = {LargestNeed(dir), LargestNeed(dir)};
    doubles.system.onProcessEvents = [&] {
        if (doubles.system.memoryQueries == 2)
            doubles.system.memoryRoom.cgroup = LargestNeed(dir) / 2;
    };

    EXPECT_EQ(ExecuteError(), UiText(TextId::ReportNoMemory));
    EXPECT_EQ(doubles.system.memoryQueries, 3);
    EXPECT_EQ(window->State().DeviceCount(), 0);
    EXPECT_EQ(window->windowTitle(), UiText(TextId::MenuNew));
    EXPECT_TRUE(InputsEnabled());
    EXPECT_FALSE(dialog.Loading());

    // The same with MemAvailable too low for the first file.
    doubles.system.onProcessEvents = nullptr;
    doubles.system.memoryRoom = {kLoadMemoryMargin - 1, std::nullopt};
    EXPECT_EQ(ExecuteError(), UiText(TextId::ReportNoMemory));
    EXPECT_EQ(window->State().DeviceCount(), 0);
}

TEST_F(OpenAnalysis, RangeThatFitsInMemoryIsNeverStopped)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 6));
    Prepare();
    // Exactly the largest file's need, from both sources.
    doubles.system.memoryRoom = {LargestNeed(dir), LargestNeed(dir)};
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(window->State().DataSet(0)->fileCount(), 6);
    EXPECT_EQ(doubles.system.memoryQueries, 6);
}

// A figure just read serves the next files while they take at most half of it: the load asks
// the system again once that is used up, and then sees a room that shrank meanwhile.
TEST_F(OpenAnalysis, AFreshMemoryFigureServesSmallFilesUntilHalfOfItIsTaken)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 8));
    Prepare();
    doubles.system.memoryRoom = {6 * LargestNeed(dir), std::nullopt};
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(window->State().DataSet(0)->fileCount(), 8);
    // Three files per figure at most: never fewer than three reads for eight files.
    EXPECT_GE(doubles.system.memoryQueries, 3);
    EXPECT_LT(doubles.system.memoryQueries, 8);
}

TEST_F(OpenAnalysis, ARoomThatShrankAfterItWasReadStopsTheLoadAtTheNextRead)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 8));
    Prepare();
    doubles.system.memoryRoom = {std::nullopt, 6 * LargestNeed(dir)};
    doubles.system.onProcessEvents = [&] {
        if (doubles.system.memoryQueries == 1)
            doubles.system.memoryRoom.cgroup = LargestNeed(dir) / 2;
    };
    EXPECT_EQ(ExecuteError(), UiText(TextId::ReportNoMemory));
    EXPECT_EQ(doubles.system.memoryQueries, 2);
    EXPECT_EQ(window->State().DeviceCount(), 0);
}

// The window's looks while the files come are never seen: its charts draw with the first view,
// not between the files, and a load that fails leaves them drawn empty again.
TEST_F(OpenAnalysis, TheChartsDrawWithTheFirstViewNotWhileTheFilesCome)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 12));
    WriteDays(dir, 30, QDate(2010, 5, 3), QDate(2010, 5, 9));
    Prepare();
    window->resize(900, 700);
    window->show();
    QApplication::processEvents();
    ChartWidget* const charts[] = {window->Widgets().chart, window->Widgets().chart2};
    int drawings = 0;
    for (ChartWidget* chart : charts)
        QObject::connect(chart, &QCustomPlot::afterReplot, [&] { ++drawings; });
    int whileLoading = 0;
    doubles.system.realProcessEvents = true;
    doubles.system.onProcessEvents = [&] {
        if (dialog.Loading())
            whileLoading = drawings;
    };
    EXPECT_TRUE(dialog.Execute());
    QApplication::processEvents();
    EXPECT_EQ(whileLoading, 0);
    EXPECT_GE(drawings, 2);
    for (ChartWidget* chart : charts)
        EXPECT_FALSE(chart->ReplotQueued());

    // Every file of the range fails: the reset window draws.
    WriteFile(dir, LogName(1, QDate(2010, 6, 1)), "\r\n");
    WriteFile(dir, LogName(1, QDate(2010, 6, 2)), "\r\n");
    dialog.ScanDirectory();
    dialog.DateFrom()->setDate(QDate(2010, 6, 1));
    dialog.DateTo()->setDate(QDate(2010, 6, 2));
    const int before = drawings;
    EXPECT_EQ(ExecuteError(), UiText(TextId::ReportNotProduced));
    QApplication::processEvents();
    doubles.system.onProcessEvents = nullptr;
    EXPECT_GT(drawings, before);
    for (ChartWidget* chart : charts) {
        EXPECT_FALSE(chart->ReplotQueued());
        EXPECT_EQ(chart->SeriesCount(), 0);
    }
}

TEST_F(OpenAnalysis, NothingToLoadOrNothingLoadedIsAnError)
{
    Prepare();
    EXPECT_EQ(ExecuteError(), UiText(TextId::NoFilesFound));

    // Every file fails: the analysis cannot be finished.
    WriteFile(dir, LogName(1, QDate(2010, 5, 1)), "\r\n");
    WriteFile(dir, LogName(1, QDate(2010, 5, 2)), "\r\n");
    // The first and the last name must carry dates for the scan; the files themselves are empty.
    dialog.ScanDirectory();
    EXPECT_EQ(ExecuteError(), UiText(TextId::ReportNotProduced));
    EXPECT_EQ(window->State().DeviceCount(), 0);
    EXPECT_EQ(window->windowTitle(), UiText(TextId::MenuNew));
    EXPECT_FALSE(errors.HasErrors());
    EXPECT_TRUE(InputsEnabled());
}

TEST_F(OpenAnalysis, DialogCannotBeClosedWhileLoading)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 3));
    Prepare();
    dialog.show();
    doubles.system.onProcessEvents = [&] {
        if (dialog.Loading())
            dialog.reject();
    };

    EXPECT_TRUE(dialog.Execute());
    EXPECT_TRUE(dialog.isVisible());
    dialog.reject();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(OpenAnalysis, ShowingRelabelsRescansAndWatchesEsc)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 3));
    dialog.Prepare(window, dir);
    dialog.show();

    EXPECT_EQ(dialog.windowTitle(), UiText(TextId::OpenReport));
    EXPECT_TRUE(dialog.FilesFound());
    EXPECT_EQ(doubles.escapeKey.watched, &dialog);
    dialog.hide();
    EXPECT_EQ(doubles.escapeKey.watched, nullptr);
}

TEST_F(OpenAnalysis, ExecRunsTheWholeOpenFromTheAnalyseButton)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 31));
    dialog.Prepare(window, dir);
    WhenVisible(&dialog, [this] { Button("ExecuteBtn")->click(); });

    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(window->State().fileCount, 31);
    EXPECT_EQ(dialog.Directory(), dir);
}

TEST_F(OpenAnalysis, AnalyseButtonShowsErrorsAndKeepsTheDialogOpen)
{
    dialog.Prepare(window, dir);
    dialog.show();
    Button("ExecuteBtn")->click();

    ASSERT_EQ(doubles.prompts.calls.size(), 1u);
    EXPECT_EQ(doubles.prompts.calls[0].text, UiText(TextId::NoFilesFound));
    EXPECT_EQ(doubles.prompts.calls[0].icon, PromptIcon::Error);
    EXPECT_TRUE(dialog.isVisible());
}

} // namespace
} // namespace korvex::test

namespace korvex::test {
namespace {

// The focus leaving the folder field because the load disables it is not the user leaving the
// field: no second scan of the folder, and a cancelled load leaves the chosen days as they were.
TEST_F(OpenAnalysis, DisablingTheFocusedFolderFieldForTheLoadDoesNotScanAgain)
{
    WriteDays(dir, 1, QDate(2010, 5, 1), QDate(2010, 5, 31));
    dialog.show();
    // The focus moves (and leaves a field) only in the active window.
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(dialog.isActiveWindow());
    for (const char* name : {"RootDir", "DateFrom", "ExecuteBtn"}) {
        SCOPED_TRACE(name);
        Prepare();
        dialog.DateTo()->setDate(QDate(2010, 5, 12));
        dialog.DateFrom()->setDate(QDate(2010, 5, 8));
        QWidget* start = dialog.findChild<QWidget*>(name);
        ASSERT_NE(start, nullptr);
        start->setFocus();
        QWidget* focused = QApplication::focusWidget();
        ASSERT_TRUE(focused == start || start->isAncestorOf(focused));
        // A day file that comes after Analyse must not join the list half-way.
        WriteDays(dir, 1, QDate(2010, 6, 1), QDate(2010, 6, 2));
        int queries = 0;
        doubles.escapeKey.onQuery = [&] { return ++queries == 4; };
        EXPECT_FALSE(dialog.Execute());
        doubles.escapeKey.onQuery = nullptr;
        EXPECT_EQ(dialog.DateFrom()->date(), QDate(2010, 5, 8));
        EXPECT_EQ(dialog.DateTo()->date(), QDate(2010, 5, 12));
        EXPECT_EQ(dialog.DateTo()->maximumDate(), QDate(2010, 5, 31));
        EXPECT_EQ(dialog.focusWidget(), nullptr);
        EXPECT_TRUE(InputsEnabled());
        QFile::remove(dir + "/" + LogName(1, QDate(2010, 6, 1)));
        QFile::remove(dir + "/" + LogName(1, QDate(2010, 6, 2)));
        doubles.prompts.calls.clear();
    }
}

} // namespace
} // namespace korvex::test
