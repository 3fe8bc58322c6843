#include "ui/shell/KorvexApplication.h"
#include "ui/shell/TMainform.h"

int main(int argc, char** argv)
{
    korvex::KorvexApplication app(argc, argv);
    korvex::TMainform mainform;
    mainform.show();
    mainform.activateWindow();
    return app.exec();
}
