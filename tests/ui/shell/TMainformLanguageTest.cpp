#include "tests/ui/shell/TMainformTestSupport.h"

#include "core/services/Errors.h"
#include "ui/platform/UiText.h"

#include <QDir>
#include <QFile>
#include <QMenu>

namespace korvex::test {
namespace {

using MainLanguageTest = MainWindowTest;

TEST_F(MainLanguageTest, SwitchingRelabelsEverythingAndStoresTheNumber)
{
    home.WriteIni("[Main]\r\nLastUsedDir=/logs/2008\r\n");
    Create();
    main->OnActivate();
    main->Timer()->stop();
    OpenWindows(1);
    TChildform* window = main->AnalysisWindows().first();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Neu"));

    A().ActionLanguage[6]->trigger(); // English (US)
    EXPECT_EQ(CurrentTextBlock(), BlockEnglish);
    for (int i = 0; i < kLanguageCount; ++i)
        EXPECT_EQ(A().ActionLanguage[i]->isChecked(), i == 6);
    EXPECT_EQ(main->Menus().MenuFile->title(), QStringLiteral("File"));
    EXPECT_EQ(A().ActionOpen->text(), QStringLiteral("Open"));
    EXPECT_EQ(A().ActionExit->text(), QStringLiteral("End"));
    EXPECT_EQ(main->Menus().MenuSettings->title(), QStringLiteral("Settings"));
    EXPECT_EQ(A().ActionWindowSettings->text(), QStringLiteral("Current window"));
    EXPECT_EQ(main->Menus().MenuLanguage->title(), QStringLiteral("Language selection"));
    EXPECT_EQ(main->Menus().MenuView->title(), QStringLiteral("View"));
    EXPECT_EQ(A().ActionViewChart->text(), QStringLiteral("Diagram"));
    EXPECT_EQ(A().ActionViewChart->toolTip(), QStringLiteral("Graphical view"));
    EXPECT_EQ(A().ActionViewList->toolTip(), QStringLiteral("Tabular view"));
    EXPECT_EQ(main->Menus().MenuWindow->title(), QStringLiteral("Window"));
    EXPECT_EQ(A().ActionMinimizeAll->text(), QStringLiteral("Minimise all"));
    EXPECT_EQ(A().ActionAbout->text(), QStringLiteral("Info"));
    EXPECT_EQ(main->Menus().MenuHelp->title(), QStringLiteral("&?"));
    EXPECT_EQ(A().ActionLanguage[0]->text(), QStringLiteral("Deutsch"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("New"));

    const QByteArray ini = home.ReadIni();
    EXPECT_TRUE(ini.contains("Language=7")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("LastUsedDir=/logs/2008")) << ini.toStdString();

    // The next start comes up in English (GB and US share the block, the check tells them apart).
    main.reset();
    AppSettings::Release();
    SelectTextBlock(BlockGerman);
    Create();
    main->OnActivate();
    EXPECT_EQ(CurrentTextBlock(), BlockEnglish);
    EXPECT_TRUE(A().ActionLanguage[6]->isChecked());
    EXPECT_FALSE(A().ActionLanguage[1]->isChecked());
}

TEST_F(MainLanguageTest, TheCheckedLanguageWritesNothing)
{
    Create();
    main->OnActivate();
    main->Timer()->stop();
    ASSERT_TRUE(A().ActionLanguage[0]->isChecked());
    A().ActionLanguage[0]->trigger();
    EXPECT_TRUE(A().ActionLanguage[0]->isChecked());
    EXPECT_FALSE(QFile::exists(home.IniPath()));

    A().ActionLanguage[4]->trigger(); // Italian
    ASSERT_TRUE(QFile::remove(home.IniPath()));
    A().ActionLanguage[4]->trigger(); // again: nothing to do
    EXPECT_TRUE(A().ActionLanguage[4]->isChecked());
    EXPECT_EQ(CurrentTextBlock(), BlockItalian);
    EXPECT_FALSE(QFile::exists(home.IniPath()));
}

TEST_F(MainLanguageTest, FailedWriteReportsTextNinetyFourAndKeepsTheNewLanguage)
{
    Create();
    main->OnActivate();
    main->Timer()->stop();
    // A folder where the file should be: the settings cannot be written any more.
    QFile::remove(home.IniPath());
    ASSERT_TRUE(QDir().mkpath(home.IniPath()));

    try {
        A().ActionLanguage[1]->trigger();
        ADD_FAILURE() << "the write failure was not reported";
    } catch (const SettingsFileError& e) {
        EXPECT_EQ(std::string(e.what()), Text(TextId::SettingsFileAccessFailed));
    }
    EXPECT_EQ(CurrentTextBlock(), BlockEnglish);
    EXPECT_TRUE(A().ActionLanguage[1]->isChecked());
    EXPECT_EQ(A().ActionOpen->text(), QStringLiteral("Open"));
}

TEST_F(MainLanguageTest, WithoutSettingsTheSwitchOnlyRelabels)
{
    home.MakeUnavailable();
    Create();
    doubles.prompts.calls.clear();
    A().ActionLanguage[3]->trigger(); // Spanish
    EXPECT_EQ(CurrentTextBlock(), BlockSpanish);
    EXPECT_EQ(A().ActionOpen->text(), UiText(TextId::MenuOpen));
    EXPECT_TRUE(doubles.prompts.calls.empty());
}

} // namespace
} // namespace korvex::test
