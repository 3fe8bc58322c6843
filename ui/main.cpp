#include "ui/shell/Main.h"
#include "ui/shell/KorvexApplication.h"

int main(int argc, char** argv)
{
    korvex::KorvexApplication app(argc, argv);
    korvex::TMainform mainform;
    mainform.show();
    mainform.activateWindow();
    return app.exec();
}
