#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace korvex {

// Starting other programs.
class Shell {
public:
    virtual ~Shell() = default;
    // A file by its association, a web address or a "mailto:" link, in the desktop's default
    // program. True when the desktop accepted it.
    virtual bool OpenUrl(const QUrl& url) = 0;
    // Starts a program (a path or a name looked up on PATH) with arguments, detached.
    // True when it started.
    virtual bool StartProgram(const QString& program, const QStringList& arguments) = 0;
    // Starts the spreadsheet program by name with one file: the first of "libreoffice --calc",
    // "soffice --calc", "localc", "gnumeric" found on PATH. False when none is found or it
    // does not start.
    virtual bool StartSpreadsheet(const QString& file) = 0;
};

class QtShell final : public Shell {
public:
    bool OpenUrl(const QUrl& url) override;
    bool StartProgram(const QString& program, const QStringList& arguments) override;
    bool StartSpreadsheet(const QString& file) override;
};

} // namespace korvex
