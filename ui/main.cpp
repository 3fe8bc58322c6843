#include "ui/shell/DesktopIntegration.h"
#include "ui/shell/KorvexApplication.h"
#include "ui/shell/TMainform.h"

int main(int argc, char** argv)
{
    if (const auto exitCode = korvex::HandleProgramOptions(argc, argv, stdout))
        return *exitCode;
    korvex::KorvexApplication app(argc, argv);
    korvex::TMainform mainform;
    mainform.show();
    mainform.activateWindow();
    return app.exec();
}
