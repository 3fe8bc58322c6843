#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <string>

namespace korvex::test {

// A fresh settings folder for one test: XDG_CONFIG_HOME points at a new temporary folder, the
// settings object is released before and after, the German block is selected again afterwards.
class TempSettingsHome {
public:
    TempSettingsHome();
    ~TempSettingsHome();
    TempSettingsHome(const TempSettingsHome&) = delete;
    TempSettingsHome& operator=(const TempSettingsHome&) = delete;

    QString Root() const { return dir_.path(); }
    // <root>/Halvo/Korvex.ini
    QString IniPath() const;
    // Writes the settings file (UTF-8 text without umlauts is also valid Windows-1252).
    void WriteIni(const QByteArray& content) const;
    QByteArray ReadIni() const;
    // Makes the settings folder impossible to create: XDG_CONFIG_HOME below a plain file.
    void MakeUnavailable() const;

private:
    QTemporaryDir dir_;
    QByteArray savedXdg_;
    bool hadXdg_ = false;
};

// The private home every window and dialog test runs in: the settings folder of TempSettingsHome,
// the cache folder (XDG_CACHE_HOME) and the working folder (the current directory while it
// lives) in the same temporary folder, and the English texts. All of it is put back afterwards.
class PrivateHome : public TempSettingsHome {
public:
    PrivateHome();
    ~PrivateHome();

    // <root>/work, the current directory while the home lives.
    QString Work() const { return Root() + QStringLiteral("/work"); }
    std::string WorkFile(const std::string& name) const;
    // <root>/cache, the cache folder; the program's files go below Halvo/Korvex.
    QString Cache() const { return Root() + QStringLiteral("/cache"); }
    // Makes the cache folder impossible to create: XDG_CACHE_HOME below a plain file.
    void BlockCache() const;

private:
    QByteArray savedCache_;
    bool hadCache_ = false;
    std::filesystem::path savedDir_;
    int savedBlock_ = 0;
};

// Processes events until condition holds or timeoutMs passed; returns the condition.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// Runs action once, as soon as the widget is visible (typically a modal dialog that the code
// under test is about to exec()). Polls from the event loop, so it also works inside exec().
void WhenVisible(QWidget* widget, std::function<void()> action, int timeoutMs = 5000);

} // namespace korvex::test
