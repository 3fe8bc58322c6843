#include "ui/analysis/parts/ChildExport.h"
#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/CommaCopy.h"
#include "core/services/AppSettings.h"
#include "core/services/DayTime.h"
#include "core/services/Errors.h"
#include "tests/core/logdata/FakeChartHost.h"
#include "tests/ui/doubles/PlatformDoubles.h"
#include "tests/ui/doubles/UiTestSupport.h"
#include "core/views/AnalysisView.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/UiText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace korvex {
namespace {

const std::string kExportData = std::string(KORVEX_TEST_DATA) + "/export/";
const std::string kMay15 = kExportData + "1010080515.csv";
const std::string kMay16 = kExportData + "1010080516.csv";

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One device with the files of 15 and 16 May 2008, a chart showing 15 May, a private
// settings folder and working directory, and the platform doubles.
class ExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dataSet_ = std::make_unique<AnalysisDataSet>(EncodeDate(2008, 5, 15),
                                                     EncodeDate(2008, 5, 16), &charts_, &charts_);
        dataSet_->load(kMay15);
        dataSet_->load(kMay16);
        view_ = ShowDevice(view_, dataSet_.get());
        ShowWindow(EncodeDate(2008, 5, 15), EncodeDate(2008, 5, 16));
    }

    void TearDown() override
    {
        view_ = ShowDevice(view_, nullptr);
    }

    void ShowWindow(DayTime from, DayTime to)
    {
        chart_.BottomAxis().SetMaximum(to);
        chart_.BottomAxis().SetMinimum(from);
    }

    void SetLanguage(int languageNumber)
    {
        AppSettings& settings = AppSettings::Get();
        settings.setLanguageAndLastDir(languageNumber, settings.lastUsedDir());
    }

    std::string WorkFile(const char* name) const { return home_.WorkFile(name); }
    QString Workbook(const char* name) const
    {
        return home_.Cache() + QStringLiteral("/Halvo/Korvex/") + QLatin1String(name);
    }
    // Makes the cache folder unusable, even for root: a regular file stands in its path.
    void BlockCache() { home_.BlockCache(); }

    test::PrivateHome home_;
    test::PlatformDoubles doubles_;
    test::FakeChartHost charts_;
    std::unique_ptr<AnalysisDataSet> dataSet_;
    AnalysisView view_;
    QWidget owner_;
    ChartWidget chart_;
    ChildExport exporter_{owner_, view_, chart_};
};

TEST_F(ExportTest, GermanHandsOverTheWorkbookOfTheLeftEdgeDay)
{
    SetLanguage(1);
    doubles_.shell.spreadsheetStarts = true;
    // From 23:00 into the next day: the first day's file.
    ShowWindow(EncodeDateTime(2008, 5, 15, 23, 0), EncodeDateTime(2008, 5, 16, 23, 0));
    exporter_.ActionOpenExcelExecute();
    EXPECT_EQ(doubles_.shell.spreadsheetFiles, QStringList{Workbook("10080515.xlsx")});
    EXPECT_TRUE(QFile::exists(Workbook("10080515.xlsx")));
    EXPECT_FALSE(std::filesystem::exists(WorkFile("10080515c.csv")));
    EXPECT_TRUE(doubles_.prompts.calls.empty());

    ShowWindow(EncodeDate(2008, 5, 16), EncodeDate(2008, 5, 17));
    exporter_.ActionOpenExcelExecute();
    EXPECT_EQ(doubles_.shell.spreadsheetFiles.value(1), Workbook("10080516.xlsx"));
    // Never beside the logs.
    EXPECT_FALSE(std::filesystem::exists(kExportData + "10080515.xlsx"));
}

TEST_F(ExportTest, UnwritableCacheHandsOverThePlainFile)
{
    BlockCache();
    doubles_.shell.spreadsheetStarts = true;
    SetLanguage(1);
    exporter_.ActionOpenExcelExecute();
    SetLanguage(7);
    exporter_.ActionOpenExcelExecute();
    EXPECT_EQ(doubles_.shell.spreadsheetFiles,
              (QStringList{QString::fromStdString(kMay15),
                           QString::fromStdString(WorkFile("10080515c.csv"))}));
    EXPECT_TRUE(doubles_.prompts.calls.empty());
    EXPECT_TRUE(doubles_.shell.programCalls.empty());
}

TEST_F(ExportTest, UnwritableCacheAndNoProgramStillEndInText99)
{
    BlockCache();
    SetLanguage(2);
    doubles_.dialogs.fileAnswers.push_back(QStringLiteral("/nowhere/sheet"));
    doubles_.shell.openUrlResult = false;
    exporter_.ActionOpenExcelExecute();

    const QString copy = QString::fromStdString(WorkFile("10080515c.csv"));
    EXPECT_EQ(doubles_.shell.spreadsheetFiles, QStringList{copy});
    ASSERT_EQ(doubles_.shell.programCalls.size(), 1u);
    EXPECT_EQ(doubles_.shell.programCalls[0].arguments, QStringList{copy});
    ASSERT_EQ(doubles_.shell.openedUrls.size(), 1u);
    EXPECT_EQ(doubles_.shell.openedUrls[0], QUrl::fromLocalFile(copy));
    ASSERT_EQ(doubles_.prompts.calls.size(), 2u);
    EXPECT_EQ(doubles_.prompts.calls[0].text, QString::fromStdString(Text(TextId::ExcelNotFound)));
    EXPECT_EQ(doubles_.prompts.calls[1].text,
              QString::fromStdString(Text(TextId::ExcelStartFailed)));
}

TEST_F(ExportTest, EnglishMakesTheCommaCopyAndHandsOverTheWorkbook)
{
    for (int language : {2, 7}) {
        SetLanguage(language);
        doubles_.shell.spreadsheetStarts = true;
        doubles_.shell.spreadsheetFiles.clear();
        std::filesystem::remove(WorkFile("10080515c.csv"));
        exporter_.ActionOpenExcelExecute();
        // The comma copy is still made; the workbook is what the program gets.
        ASSERT_EQ(doubles_.shell.spreadsheetFiles, QStringList{Workbook("10080515.xlsx")})
            << language;
        EXPECT_EQ(ReadAll(WorkFile("10080515c.csv")), CommaSeparatedText(ReadAll(kMay15)));
    }
}

TEST_F(ExportTest, UncreatableCopyStartsNothing)
{
    SetLanguage(2);
    doubles_.shell.spreadsheetStarts = true;
    std::filesystem::create_directory(WorkFile("10080515c.csv")); // a folder in the copy's way
    try {
        exporter_.ActionOpenExcelExecute();
        FAIL() << "no error";
    } catch (const KorvexError& e) {
        EXPECT_EQ(std::string(e.what()), Text(TextId::CouldNotCreateFile));
    }
    EXPECT_TRUE(doubles_.shell.spreadsheetFiles.isEmpty());
    EXPECT_TRUE(doubles_.shell.programCalls.empty());
}

TEST_F(ExportTest, NoProgramFoundAsksForItAndRemembersIt)
{
    SetLanguage(1);
    const QString file = Workbook("10080515.xlsx");
    const QString picked = QStringLiteral("/opt/sheet/bin/sheet");
    doubles_.dialogs.fileAnswers.push_back(picked);
    doubles_.shell.startablePrograms = {picked};
    exporter_.ActionOpenExcelExecute();

    ASSERT_EQ(doubles_.prompts.calls.size(), 1u);
    EXPECT_EQ(doubles_.prompts.calls[0].caption, QStringLiteral("Information:"));
    EXPECT_EQ(doubles_.prompts.calls[0].text, UiText(TextId::ExcelNotFound));
    EXPECT_EQ(doubles_.prompts.calls[0].icon, PromptIcon::Information);
    EXPECT_EQ(doubles_.prompts.calls[0].buttons, PromptButtons::Ok);
    ASSERT_EQ(doubles_.dialogs.fileCalls.size(), 1u);
    const FileDialogRequest& request = doubles_.dialogs.fileCalls[0];
    EXPECT_EQ(request.owner, &owner_);
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.initialFile, QStringLiteral("Excel.exe"));
    EXPECT_EQ(request.nameFilters, QStringList{QStringLiteral("All files (*.*) (*)")});
    EXPECT_TRUE(request.defaultExtension.isEmpty());
    EXPECT_EQ(request.initialDirectory, QString());
    ASSERT_EQ(doubles_.shell.programCalls.size(), 1u);
    EXPECT_EQ(doubles_.shell.programCalls[0].program, picked);
    EXPECT_EQ(doubles_.shell.programCalls[0].arguments, QStringList{file});
    EXPECT_TRUE(doubles_.shell.openedUrls.empty());

    // Stored in the settings file: the next export (a fresh settings object) starts it at once.
    AppSettings::Release();
    EXPECT_EQ(AppSettings::Get().excelPath(), picked.toStdString());
    exporter_.ActionOpenExcelExecute();
    EXPECT_EQ(doubles_.prompts.calls.size(), 1u);
    EXPECT_EQ(doubles_.dialogs.fileCalls.size(), 1u);
    ASSERT_EQ(doubles_.shell.programCalls.size(), 2u);
    EXPECT_EQ(doubles_.shell.programCalls[1].program, picked);
    EXPECT_EQ(doubles_.shell.spreadsheetFiles, (QStringList{file, file}));
}

TEST_F(ExportTest, UnstartablePickUsesTheAssociationThenReportsText99)
{
    SetLanguage(1);
    AppSettings::Get().setExcelPath("/old/place/calc");
    doubles_.dialogs.fileAnswers.push_back(QStringLiteral("/usr/bin/broken"));
    doubles_.shell.openUrlResult = false;
    exporter_.ActionOpenExcelExecute();

    ASSERT_EQ(doubles_.dialogs.fileCalls.size(), 1u);
    EXPECT_EQ(doubles_.dialogs.fileCalls[0].initialDirectory, QStringLiteral("/old/place"));
    ASSERT_EQ(doubles_.shell.openedUrls.size(), 1u);
    EXPECT_EQ(doubles_.shell.openedUrls[0], QUrl::fromLocalFile(Workbook("10080515.xlsx")));
    ASSERT_EQ(doubles_.prompts.calls.size(), 2u);
    EXPECT_EQ(doubles_.prompts.calls[1].caption, QStringLiteral("Error:"));
    EXPECT_EQ(doubles_.prompts.calls[1].text, UiText(TextId::ExcelStartFailed));
    EXPECT_EQ(doubles_.prompts.calls[1].icon, PromptIcon::Error);
    EXPECT_EQ(AppSettings::Get().excelPath(), "/old/place/calc");
}

TEST_F(ExportTest, CancelledProgramDialogEndsQuietly)
{
    SetLanguage(1);
    exporter_.ActionOpenExcelExecute();
    EXPECT_EQ(doubles_.prompts.calls.size(), 1u);
    EXPECT_EQ(doubles_.dialogs.fileCalls.size(), 1u);
    EXPECT_TRUE(doubles_.shell.programCalls.empty());
    EXPECT_TRUE(doubles_.shell.openedUrls.empty());
}

// The real shell with fake spreadsheet programs: shell scripts on a private PATH that record
// their name and arguments.
class ExportByNameTest : public ExportTest {
protected:
    void SetUp() override
    {
        ExportTest::SetUp();
        ASSERT_TRUE(bin_.isValid());
        savedPath_ = qgetenv("PATH");
        qputenv("PATH", bin_.path().toUtf8());
        ThePlatform().shell = &realShell_; // the doubles put the previous shell back
    }

    void TearDown() override
    {
        qputenv("PATH", savedPath_);
        ExportTest::TearDown();
    }

    void AddProgram(const QString& name)
    {
        QFile script(bin_.filePath(name));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        const QString record = bin_.filePath(QStringLiteral("called"));
        // Builtins only: PATH holds nothing but this folder. The last line marks a complete record.
        script.write(
            QStringLiteral("#!/bin/sh\n{ printf '%s\\n' \"${0##*/}\" \"$@\"; echo end; } > '%1'\n")
                .arg(bin_.filePath(QStringLiteral("called")))
                .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The recorded name and arguments joined by "|", waiting up to five seconds for the
    // detached program.
    std::string Called()
    {
        QFile record(bin_.filePath(QStringLiteral("called")));
        QElapsedTimer timer;
        timer.start();
        QByteArray text;
        while (timer.elapsed() < 5000) {
            if (record.open(QIODevice::ReadOnly)) {
                text = record.readAll();
                record.close();
                if (text.endsWith("end\n"))
                    break;
            }
            QThread::msleep(10);
        }
        record.remove();
        if (!text.endsWith("end\n"))
            return "(not called)";
        text.chop(5);
        return QString::fromUtf8(text)
            .trimmed()
            .split(QLatin1Char('\n'))
            .join(QLatin1Char('|'))
            .toStdString();
    }

    QTemporaryDir bin_;
    QByteArray savedPath_;
    QtShell realShell_;
};

TEST_F(ExportByNameTest, EnglishStartsTheFirstSpreadsheetProgramOnPathWithTheWorkbook)
{
    SetLanguage(2);
    const QString copy = Workbook("10080515.xlsx");
    for (const char* name : {"gnumeric", "localc", "soffice", "libreoffice"}) {
        AddProgram(QString::fromLatin1(name));
        exporter_.ActionOpenExcelExecute();
        const bool calc = QByteArray(name).endsWith("office");
        const QString expected = QString::fromLatin1(name) +
                                 (calc ? QStringLiteral("|--calc|") : QStringLiteral("|")) + copy;
        EXPECT_EQ(Called(), expected.toStdString());
    }
    EXPECT_TRUE(doubles_.prompts.calls.empty());
    EXPECT_EQ(ReadAll(WorkFile("10080515c.csv")), CommaSeparatedText(ReadAll(kMay15)));
}

TEST_F(ExportByNameTest, NothingOnPathFallsBackToTheStoredProgram)
{
    SetLanguage(1);
    AddProgram(QStringLiteral("mysheet"));
    AppSettings::Get().setExcelPath(bin_.filePath(QStringLiteral("mysheet")).toStdString());
    exporter_.ActionOpenExcelExecute();
    EXPECT_EQ(Called(), "mysheet|" + Workbook("10080515.xlsx").toStdString());
    EXPECT_TRUE(doubles_.prompts.calls.empty());
}

} // namespace
} // namespace korvex
