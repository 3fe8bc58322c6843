#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <functional>

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

// Processes events until condition holds or timeoutMs passed; returns the condition.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// Runs action once, as soon as the widget is visible (typically a modal dialog that the code
// under test is about to exec()). Polls from the event loop, so it also works inside exec().
void WhenVisible(QWidget* widget, std::function<void()> action, int timeoutMs = 5000);

} // namespace korvex::test
