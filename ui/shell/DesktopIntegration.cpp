#include "ui/shell/DesktopIntegration.h"

#include "core/services/BuildInfo.h"
#include "ui/platform/Images.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include <clocale>
#include <cstring>
#include <string>

namespace korvex {

namespace {

const char* const kUsage =
    "usage: korvex [--version | --help] [Qt's own options such as -platform NAME]\n"
    "  Starts the analyser of solar-thermal controller logs. Settings live\n"
    "  in $XDG_CONFIG_HOME/Halvo/Korvex.ini (else ~/.config/Halvo/Korvex.ini).\n";

// Qt's own options, which QApplication takes off the command line: those followed by a value,
// and those that stand alone. Either may also be written with two dashes or as "-name=value".
constexpr const char* kQtValueOptions[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger", "qwindowgeometry",
    "geometry", "qwindowtitle",       "title",         "qwindowicon", "icon",  "style",
    "stylesheet", "session",          "display",       "name",        "visual", "font",
    "fn",       "bg",                 "background",    "fg",          "foreground", "btn",
    "button",   "im",                 "inputstyle",    "cmap",        "ncols"};
constexpr const char* kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync",
                                          "testability", "noxim"};

// 2 for a Qt option followed by its value, 1 for one standing alone, 0 for none of Qt's.
int QtOptionLength(const char* arg)
{
    if (arg[0] != '-')
        return 0;
    std::string name = arg + (arg[1] == '-' ? 2 : 1);
    const std::size_t equals = name.find('=');
    const bool hasValue = equals != std::string::npos;
    if (hasValue)
        name.resize(equals);
    for (const char* option : kQtValueOptions)
        if (name == option)
            return hasValue ? 1 : 2;
    for (const char* option : kQtFlagOptions)
        if (name == option && !hasValue)
            return 1;
    return 0;
}

} // namespace

std::optional<int> HandleProgramOptions(int argc, char** argv, std::FILE* out, std::FILE* err)
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
    // Anything else would be ignored silently: a mistyped option must not start the program.
    for (int i = 1; i < argc;) {
        const int length = QtOptionLength(argv[i]);
        if (length == 0) {
            std::fprintf(err, "korvex: unknown option '%s' (try --help)\n", argv[i]);
            return 2;
        }
        i += length;
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
