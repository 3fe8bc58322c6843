#include "tests/ui/doubles/UiTestSupport.h"

#include "core/services/AppSettings.h"
#include "core/services/TextCatalogue.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace korvex::test {

TempSettingsHome::TempSettingsHome()
{
    hadXdg_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    savedXdg_ = qgetenv("XDG_CONFIG_HOME");
    AppSettings::Release();
    qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
}

TempSettingsHome::~TempSettingsHome()
{
    AppSettings::Release();
    if (hadXdg_)
        qputenv("XDG_CONFIG_HOME", savedXdg_);
    else
        qunsetenv("XDG_CONFIG_HOME");
    SelectTextBlock(BlockGerman);
}

PrivateHome::PrivateHome()
{
    hadCache_ = qEnvironmentVariableIsSet("XDG_CACHE_HOME");
    savedCache_ = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", Cache().toUtf8());
    QDir(Root()).mkpath(QStringLiteral("work"));
    savedDir_ = std::filesystem::current_path();
    std::filesystem::current_path(Work().toStdString());
    savedBlock_ = CurrentTextBlock();
    SelectTextBlock(BlockEnglish);
}

PrivateHome::~PrivateHome()
{
    std::error_code ignored;
    std::filesystem::current_path(savedDir_, ignored);
    if (hadCache_)
        qputenv("XDG_CACHE_HOME", savedCache_);
    else
        qunsetenv("XDG_CACHE_HOME");
    SelectTextBlock(savedBlock_);
}

std::string PrivateHome::WorkFile(const std::string& name) const
{
    return Work().toStdString() + "/" + name;
}

void PrivateHome::BlockCache() const
{
    QFile file(Root() + QStringLiteral("/cache-blocker"));
    if (file.open(QIODevice::WriteOnly))
        file.write("x");
    qputenv("XDG_CACHE_HOME", (Root() + QStringLiteral("/cache-blocker/cache")).toUtf8());
}

QString TempSettingsHome::IniPath() const
{
    return dir_.path() + QStringLiteral("/Halvo/Korvex.ini");
}

void TempSettingsHome::WriteIni(const QByteArray& content) const
{
    QDir(dir_.path()).mkpath(QStringLiteral("Halvo"));
    QFile file(IniPath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

QByteArray TempSettingsHome::ReadIni() const
{
    QFile file(IniPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TempSettingsHome::MakeUnavailable() const
{
    const QString blocker = dir_.path() + QStringLiteral("/blocker");
    QFile file(blocker);
    if (file.open(QIODevice::WriteOnly))
        file.write("x");
    qputenv("XDG_CONFIG_HOME", (blocker + QStringLiteral("/config")).toUtf8());
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void WhenVisible(QWidget* widget, std::function<void()> action, int timeoutMs)
{
    auto* poll = new QTimer;
    QPointer<QWidget> target(widget);
    auto deadline = std::make_shared<QDeadlineTimer>(timeoutMs);
    poll->setInterval(2);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, target, action, deadline] {
        if (target == nullptr || deadline->hasExpired()) {
            poll->deleteLater();
            poll->stop();
            return;
        }
        if (!target->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start();
}

} // namespace korvex::test
