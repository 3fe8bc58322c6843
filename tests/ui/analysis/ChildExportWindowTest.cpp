#include "core/services/AppSettings.h"
#include "core/services/DayTime.h"
#include "core/services/TextCatalogue.h"
#include "tests/ui/doubles/PlatformDoubles.h"
#include "tests/ui/doubles/UiTestSupport.h"
#include "ui/analysis/window/TChildform.h"

#include <QAction>
#include <QComboBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

namespace korvex {
namespace {

// "Open in Excel" of a loaded analysis window, through its action.
class ExportWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppSettings& settings = AppSettings::Get();
        settings.setLanguageAndLastDir(2, settings.lastUsedDir());
    }

    void TearDown() override
    {
        delete window_;
    }

    void Load()
    {
        const std::string data = std::string(KORVEX_TEST_DATA) + "/export/";
        window_ = new TChildform;
        window_->BeginAnalysis(2, {"10"}, EncodeDate(2008, 5, 15), EncodeDate(2008, 5, 16));
        window_->AddLogFile(data + "1010080515.csv");
        window_->AddLogFile(data + "1010080516.csv");
        window_->BuildDeviceView(0);
        window_->FinishAnalysis();
    }

    test::PrivateHome home_;
    test::PlatformDoubles doubles_;
    TChildform* window_ = nullptr;
};

TEST_F(ExportWindowTest, EnglishOpenInExcelOn15May2008MakesTheCommaCopyAndStartsTheWorkbook)
{
    Load();
    QAction& action = *window_->Widgets().actionOpenExcel;
    ASSERT_TRUE(action.isEnabled());
    doubles_.shell.spreadsheetStarts = true;
    action.trigger();
    const std::string copy = home_.WorkFile("10080515c.csv");
    const QString workbook = home_.Cache() + QStringLiteral("/Halvo/Korvex/10080515.xlsx");
    EXPECT_EQ(doubles_.shell.spreadsheetFiles, QStringList{workbook});
    EXPECT_TRUE(std::filesystem::exists(copy));
    EXPECT_TRUE(std::filesystem::exists(workbook.toStdString()));

    // Longer than a day: disabled at the next computed update.
    window_->Widgets().spanTime->setCurrentIndex(4);
    window_->UpdateExcelAction();
    EXPECT_FALSE(action.isEnabled());
}

} // namespace
} // namespace korvex
