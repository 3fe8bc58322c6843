#include "ui/analysis/parts/ChildExport.h"

#include "core/logdata/AnalysisDataSet.h"
#include "core/logdata/CommaCopy.h"
#include "core/services/AppSettings.h"
#include "core/services/Errors.h"
#include "core/views/SpreadsheetExport.h"
#include "core/workbook/DayWorkbook.h"
#include "core/views/AnalysisView.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/CommonDialogs.h"
#include "ui/platform/Platform.h"
#include "ui/platform/UiText.h"

#include <QUrl>

namespace korvex {

namespace {

QString Q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

// The hand-over steps on this platform's shell, prompts, file dialog and settings file.
class PlatformSpreadsheetSteps final : public SpreadsheetSteps {
public:
    PlatformSpreadsheetSteps(QWidget& owner, AppSettings& settings)
        : owner_(owner), settings_(settings)
    {}

    bool StartByName(const std::string& file) override
    {
        return ThePlatform().shell->StartSpreadsheet(Q(file));
    }

    bool StartProgram(const std::string& program, const std::string& file) override
    {
        return ThePlatform().shell->StartProgram(Q(program), {Q(file)});
    }

    void ReportProgramNotFound() override
    {
        ThePlatform().prompts->Show(&owner_, UiText(TextId::CaptionInformation) + QLatin1Char(':'),
                                    UiText(TextId::ExcelNotFound), PromptIcon::Information,
                                    PromptButtons::Ok);
    }

    std::optional<std::string> ChooseProgram(const std::string& initialFolder) override
    {
        // Programs carry no extension here: a default ".exe" would spoil a path typed by hand.
        QString path = QStringLiteral("Excel.exe");
        if (!ChooseFile(path, &owner_, UiText(TextId::FilterAllFiles) + QStringLiteral(" (*.*)|*"),
                        true, QString(), Q(initialFolder)))
            return std::nullopt;
        return path.toStdString();
    }

    void StoreProgram(const std::string& program) override { settings_.setExcelPath(program); }

    bool OpenByAssociation(const std::string& file) override
    {
        return ThePlatform().shell->OpenUrl(QUrl::fromLocalFile(Q(file)));
    }

    void ReportStartFailed() override
    {
        ThePlatform().prompts->Show(&owner_, UiText(TextId::CaptionError) + QLatin1Char(':'),
                                    UiText(TextId::ExcelStartFailed), PromptIcon::Error,
                                    PromptButtons::Ok);
    }

private:
    QWidget& owner_;
    AppSettings& settings_;
};

} // namespace

ChildExport::ChildExport(QWidget& owner, const AnalysisView& view, const ChartWidget& chart)
    : owner_(owner), view_(view), chart_(chart)
{}

void ChildExport::ActionOpenExcelExecute()
{
    AppSettings& settings = AppSettings::Get();
    // The action is disabled without a data set; a stray trigger has nothing to hand over.
    const AnalysisDataSet* dataSet = view_.Current();
    if (dataSet == nullptr)
        return;
    std::string file = dataSet->fileNameAt(ExportDay(chart_.BottomAxis().Minimum()));
    if (file.empty())
        throw KorvexError(Text(TextId::NoFileToOpen));
    const std::string logFile = file;
    if (UsesCommaCopy(settings.language()))
        file = MakeCommaCopy(file);
    // A ready workbook takes the place of formatting the sheet by remote control; when it
    // cannot be written the plain file is handed over as before.
    const std::string workbook = TryDayWorkbook(logFile);
    PlatformSpreadsheetSteps steps(owner_, settings);
    OpenInSpreadsheet(workbook.empty() ? file : workbook, settings.excelPath(), steps);
}

} // namespace korvex
