#include "ui/shell/DesktopIntegration.h"

#include "core/services/BuildInfo.h"
#include "ui/platform/Images.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include <clocale>
#include <cstring>

namespace korvex {

namespace {

const char* const kUsage =
    "usage: korvex [--version]\n"
    "  Starts the analyser of solar-thermal controller logs. Settings live\n"
    "  in $XDG_CONFIG_HOME/Halvo/Korvex.ini (else ~/.config/Halvo/Korvex.ini).\n";

} // namespace

std::optional<int> HandleProgramOptions(int argc, char** argv, std::FILE* out)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fprintf(out, "korvex %s\n", ProgramVersion());
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, out);
            return 0;
        }
    }
    return std::nullopt;
}

QTranslator* InstallQtTranslation(const QLocale& locale)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    // A right-to-left desktop language would otherwise mirror every window, although the
    // program's own texts are never written right to left.
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    QCoreApplication::installTranslator(translator);
    return translator;
}

void KeepNumbersOutOfTheLocale()
{
    std::setlocale(LC_NUMERIC, "C");
}

void IntegrateWithDesktop(QApplication& app)
{
    KeepNumbersOutOfTheLocale();
    InstallQtTranslation(QLocale::system());
    const QString icon = QStringLiteral(":/app/korvex.svg");
    QIcon windowIcon = SvgIcon(icon);
    for (int side : {64, 128, 256})
        windowIcon.addPixmap(SvgPixmap(icon, QSize(side, side)));
    app.setWindowIcon(windowIcon);
    QGuiApplication::setDesktopFileName(QString::fromUtf8(ApplicationId()));
}

} // namespace korvex
