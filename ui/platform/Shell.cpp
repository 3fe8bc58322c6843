#include "ui/platform/Shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace korvex {

bool QtShell::OpenUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

bool QtShell::StartProgram(const QString& program, const QStringList& arguments)
{
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, arguments);
}

bool QtShell::StartSpreadsheet(const QString& file)
{
    struct Candidate {
        const char* name;
        const char* option;
    };
    static constexpr Candidate kCandidates[] = {{"libreoffice", "--calc"},
                                                {"soffice", "--calc"},
                                                {"localc", nullptr},
                                                {"gnumeric", nullptr}};
    for (const Candidate& candidate : kCandidates) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(candidate.name));
        if (path.isEmpty())
            continue;
        QStringList arguments;
        if (candidate.option != nullptr)
            arguments << QString::fromLatin1(candidate.option);
        arguments << file;
        return QProcess::startDetached(path, arguments);
    }
    return false;
}

} // namespace korvex
