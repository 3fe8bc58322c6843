#pragma once

#include <QLocale>

#include <cstdio>
#include <optional>

class QApplication;
class QTranslator;

namespace korvex {

// --version and --help answer before any window system is needed (exit code 0); an argument
// that is none of Qt's own options (such as -platform NAME) is reported on err (exit code 2);
// nothing for a command line that starts the program.
std::optional<int> HandleProgramOptions(int argc, char** argv, std::FILE* out,
                                        std::FILE* err = stderr);

// Installs Qt's own translation (standard buttons, file, print and colour dialogs) for the
// locale's languages and returns it, or nullptr when Qt has none. The layout direction stays left
// to right: the program's own texts are in languages written that way.
QTranslator* InstallQtTranslation(const QLocale& locale);

// The application object hands the desktop's locale to the C library, whose number formatting
// would then write "0,9" where the program expects "0.9" before putting in its own decimal
// separator. This puts the C library's numbers back to the C locale; Qt's locale (dates, month
// names) stays the desktop's.
void KeepNumbersOutOfTheLocale();

// Numbers as above, Qt's translation for the desktop's locale, the program icon and the
// application id that ties the windows to the desktop entry.
void IntegrateWithDesktop(QApplication& app);

} // namespace korvex
