#include "ui/shell/KorvexApplication.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

// Widget tests need one application object, the program's own, so that errors escaping an event
// handler meet its error handler; every run gets its own settings folder so that no test ever
// reads or writes the real one.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    std::setlocale(LC_ALL, "C.UTF-8");
    korvex::KorvexApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
