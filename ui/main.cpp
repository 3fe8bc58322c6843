#include "ui/shell/KorvexApplication.h"
#include "ui/shell/Main.h"

int main(int argc, char** argv)
{
    korvex::KorvexApplication app(argc, argv);
    korvex::TMainform mainform;
    mainform.show();
    mainform.activateWindow();
    return app.exec();
}
