#include "ui/shell/DesktopIntegration.h"

#include "core/services/BuildInfo.h"
#include "core/services/TextCatalogue.h"
#include "tests/ui/doubles/PlatformDoubles.h"
#include "ui/chart/AxisTicker.h"
#include "ui/shell/TDialogAbout.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace korvex {
namespace {

// Qt's translation of the test's own choosing, removed again at the end.
class QtTranslationTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (translator_ != nullptr) {
            QCoreApplication::removeTranslator(translator_);
            delete translator_;
        }
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
        SelectTextBlock(BlockGerman);
    }

    void Install(const QLocale& locale)
    {
        translator_ = InstallQtTranslation(locale);
        ASSERT_NE(translator_, nullptr) << "Qt's translations (qt6-translations-l10n) missing";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }

    QTranslator* translator_ = nullptr;
};

QString ButtonText(QMessageBox::StandardButton which)
{
    QMessageBox box;
    box.setStandardButtons(which);
    return box.button(which)->text();
}

TEST_F(QtTranslationTest, QtsButtonsSpeakTheDesktopsLanguageOurTextsTheMenus)
{
    if (QLocale::system().language() != QLocale::C &&
        QLocale::system().language() != QLocale::English)
        GTEST_SKIP() << "the desktop's own language already translates Qt's buttons";
    SelectTextBlock(BlockEnglish);
    const QString englishCancel = ButtonText(QMessageBox::Cancel);
    Install(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(ButtonText(QMessageBox::Cancel), QStringLiteral("Abbrechen"));
    EXPECT_NE(ButtonText(QMessageBox::Cancel), englishCancel);

    test::PlatformDoubles doubles;
    TDialogAbout about;
    about.show();
    EXPECT_EQ(about.LabelCountry()->text(), QStringLiteral("Germany"));
    about.hide();
    // Dates and month names stay with the locale, which a translation does not change.
    EXPECT_EQ(QLocale().name(), QLocale::system().name());
}

TEST_F(QtTranslationTest, ARightToLeftDesktopLanguageKeepsTheWindowsLeftToRight)
{
    Install(QLocale(QLocale::Hebrew, QLocale::Israel));
    QApplication::processEvents();
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    QWidget widget;
    EXPECT_EQ(widget.layoutDirection(), Qt::LeftToRight);
}

TEST_F(QtTranslationTest, ALanguageQtHasNoTranslationForChangesNothing)
{
    const QString cancel = ButtonText(QMessageBox::Cancel);
    EXPECT_EQ(InstallQtTranslation(QLocale(QLocale::Swahili, QLocale::Kenya)), nullptr);
    EXPECT_EQ(InstallQtTranslation(QLocale::c()), nullptr);
    EXPECT_EQ(ButtonText(QMessageBox::Cancel), cancel);
}

// A German desktop: the application object has set the C library's locale from the environment.
TEST(DesktopLocale, AxisNumbersKeepTheirOwnDecimalSeparator)
{
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
    KeepNumbersOutOfTheLocale();
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    EXPECT_EQ(FormatAxisValue(0.9, QStringLiteral("0.000"), QLatin1Char(',')), "0,900");
    EXPECT_EQ(FormatAxisValue(1234.5, QStringLiteral("#,##0.0"), QLatin1Char('.')), "1,234.5");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

struct OptionsRun {
    std::optional<int> exitCode;
    std::string out;
    std::string err;
};

std::string ReadBack(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    char buffer[512];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, n);
    std::fclose(file);
    return text;
}

OptionsRun RunOptions(std::vector<std::string> args)
{
    args.insert(args.begin(), "korvex");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    OptionsRun run;
    run.exitCode = HandleProgramOptions(int(args.size()), argv.data(), out, err);
    run.out = ReadBack(out);
    run.err = ReadBack(err);
    return run;
}

TEST(ProgramOptions, VersionAndHelpAnswerOtherArgumentsPassOn)
{
    const OptionsRun version = RunOptions({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, std::string("korvex ") + ProgramVersion() + "\n");
    const OptionsRun help = RunOptions({"-platform", "offscreen", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: korvex", 0), 0u) << help.out;

    // Qt's own options start the program, with or without their value attached.
    for (const auto& args : std::vector<std::vector<std::string>>{
             {},
             {"-platform", "offscreen"},
             {"--platform", "offscreen", "-reverse"},
             {"-style=fusion", "-qwindowgeometry", "800x600+0+0"},
             {"-platform", "--bogus"}}) { // a value that looks like an option is still a value
        const OptionsRun run = RunOptions(args);
        EXPECT_FALSE(run.exitCode.has_value()) << ::testing::PrintToString(args);
        EXPECT_TRUE(run.out.empty());
        EXPECT_TRUE(run.err.empty()) << run.err;
    }
}

TEST(ProgramOptions, AnythingElseIsAUsageErrorThatNamesIt)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--bogus"}, {"--versions"}, {"version"}, {"-platform", "offscreen", "-reverse=1"},
             {"-style=fusion", "/some/folder"}}) {
        const OptionsRun run = RunOptions(args);
        EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find("unknown option '" + args.back() + "'"), std::string::npos)
            << run.err;
        EXPECT_NE(run.err.find("--help"), std::string::npos);
    }
}

} // namespace
} // namespace korvex
