#include "ui/platform/Platform.h"
#include "core/services/Errors.h"
#include "core/services/TextCatalogue.h"
#include "tests/ui/doubles/PlatformDoubles.h"
#include "ui/shell/KorvexApplication.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <gtest/gtest.h>

#include <limits>

namespace korvex {
namespace {

using test::PlatformDoubles;

TEST(PlatformRegistryTest, DoublesAreInstalledAndTheQtImplementationsComeBack)
{
    const Platform before = ThePlatform();
    {
        PlatformDoubles doubles;
        EXPECT_EQ(ThePlatform().prompts, &doubles.prompts);
        EXPECT_EQ(ThePlatform().dialogs, &doubles.dialogs);
        EXPECT_EQ(ThePlatform().shell, &doubles.shell);
    }
    EXPECT_EQ(ThePlatform().prompts, before.prompts);
    EXPECT_EQ(ThePlatform().escapeKey, before.escapeKey);
    EXPECT_NE(dynamic_cast<QtPrompts*>(ThePlatform().prompts), nullptr);
}

TEST(PlatformPromptsTest, ErrorBoxTakesItsCaptionFromTheCurrentBlock)
{
    PlatformDoubles doubles;
    SelectTextBlock(BlockEnglish);
    ShowErrorBox(nullptr, QStringLiteral("Boom"));
    SelectTextBlock(BlockGerman);
    ShowErrorBox(nullptr, QStringLiteral("Bumm"));

    ASSERT_EQ(doubles.prompts.calls.size(), 2u);
    EXPECT_EQ(doubles.prompts.calls[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(doubles.prompts.calls[1].caption, QStringLiteral("Fehler"));
    EXPECT_EQ(doubles.prompts.calls[1].text, QStringLiteral("Bumm"));
    EXPECT_EQ(doubles.prompts.calls[1].icon, PromptIcon::Error);
    EXPECT_EQ(doubles.prompts.calls[1].buttons, PromptButtons::Ok);
}

TEST(PlatformPromptsTest, EscapedExceptionsReachTheErrorBox)
{
    PlatformDoubles doubles;
    SelectTextBlock(BlockGerman);
    KorvexApplication::ReportException(
        std::make_exception_ptr(KorvexError("Zugriff auf \xc3\x96l fehlgeschlagen")));
    KorvexApplication::ReportException(std::make_exception_ptr(KorvexError("Invalid state")));
    KorvexApplication::ReportException(std::make_exception_ptr(42));
    KorvexApplication::ReportException(nullptr);

    ASSERT_EQ(doubles.prompts.calls.size(), 3u);
    EXPECT_EQ(doubles.prompts.calls[0].text, QString::fromUtf8("Zugriff auf Öl fehlgeschlagen"));
    EXPECT_EQ(doubles.prompts.calls[0].caption, QStringLiteral("Fehler"));
    EXPECT_EQ(doubles.prompts.calls[1].text, QStringLiteral("Invalid state"));
    EXPECT_FALSE(doubles.prompts.calls[2].text.isEmpty());
}

TEST(PlatformSystemTest, MemoryProbeReportsWhatCanBeObtained)
{
    QtSystem system;
    EXPECT_TRUE(system.CanAllocate(kMemoryProbeBytes));
    EXPECT_FALSE(system.CanAllocate(std::numeric_limits<std::size_t>::max() / 2));
}

class PlatformEscapeKeyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog.setWindowTitle(QStringLiteral("watched"));
        other.setWindowTitle(QStringLiteral("other"));
        dialog.show();
        other.show();
    }
    void TearDown() override { esc.Watch(nullptr); }

    static void Send(QWidget& target, QEvent::Type type, bool autoRepeat = false)
    {
        QKeyEvent event(type, Qt::Key_Escape, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(&target, &event);
    }

    QtEscapeKey esc;
    QWidget dialog;
    QWidget other;
};

TEST_F(PlatformEscapeKeyTest, PressWhileTheDialogIsActiveIsLatchedUntilQueried)
{
    esc.Watch(&dialog);
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(esc.WatchedWindowIsActive());

    Send(dialog, QEvent::KeyPress);
    EXPECT_TRUE(esc.IsHeld());
    Send(dialog, QEvent::KeyRelease, true); // auto-repeat: still held
    EXPECT_TRUE(esc.IsHeld());
    Send(dialog, QEvent::KeyRelease);
    EXPECT_FALSE(esc.IsHeld());

    EXPECT_TRUE(esc.PressedOrLatched());  // pressed since the last query
    EXPECT_FALSE(esc.PressedOrLatched()); // the query cleared the latch
}

TEST_F(PlatformEscapeKeyTest, HeldKeyCountsUntilReleased)
{
    esc.Watch(&dialog);
    QApplication::setActiveWindow(&dialog);
    Send(dialog, QEvent::KeyPress);
    EXPECT_TRUE(esc.PressedOrLatched());
    EXPECT_TRUE(esc.PressedOrLatched());
    Send(dialog, QEvent::KeyRelease);
    EXPECT_FALSE(esc.PressedOrLatched());
}

TEST_F(PlatformEscapeKeyTest, PressInAnotherWindowIsNotLatched)
{
    esc.Watch(&dialog);
    QApplication::setActiveWindow(&other);
    EXPECT_FALSE(esc.WatchedWindowIsActive());
    Send(other, QEvent::KeyPress);
    Send(other, QEvent::KeyRelease);
    EXPECT_FALSE(esc.PressedOrLatched());

    // A new watch starts without an old latch.
    QApplication::setActiveWindow(&dialog);
    Send(dialog, QEvent::KeyPress);
    Send(dialog, QEvent::KeyRelease);
    esc.Watch(&dialog);
    EXPECT_FALSE(esc.PressedOrLatched());
}

class PlatformShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedPath = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8());
    }
    void TearDown() override { qputenv("PATH", savedPath); }

    // A program on PATH that writes its arguments, one a line, into <name>.args.
    void AddProgram(const QString& name) const
    {
        const QString path = bin.path() + QLatin1Char('/') + name;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"$0.args\"\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString WaitForArguments(const QString& name) const
    {
        const QString path = bin.path() + QLatin1Char('/') + name + QStringLiteral(".args");
        for (int i = 0; i < 500 && !QFile::exists(path); ++i)
            QThread::msleep(10);
        QThread::msleep(20);
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir bin;
    QByteArray savedPath;
};

TEST_F(PlatformShellTest, SpreadsheetStartsTheFirstProgramFoundOnPath)
{
    QtShell shell;
    EXPECT_FALSE(shell.StartSpreadsheet(QStringLiteral("/tmp/01080515.csv")));

    AddProgram(QStringLiteral("gnumeric"));
    AddProgram(QStringLiteral("soffice"));
    ASSERT_TRUE(shell.StartSpreadsheet(QStringLiteral("/tmp/01080515.csv")));
    EXPECT_EQ(WaitForArguments(QStringLiteral("soffice")),
              QStringLiteral("--calc\n/tmp/01080515.csv\n"));
    EXPECT_FALSE(QFile::exists(bin.path() + QStringLiteral("/gnumeric.args")));
}

TEST_F(PlatformShellTest, ProgramStartReportsWhetherItStarted)
{
    QtShell shell;
    EXPECT_FALSE(shell.StartProgram(bin.path() + QStringLiteral("/missing"), {}));
    EXPECT_FALSE(shell.StartProgram(QString(), {}));
    AddProgram(QStringLiteral("sheet"));
    ASSERT_TRUE(
        shell.StartProgram(bin.path() + QStringLiteral("/sheet"), {QStringLiteral("a b.csv")}));
    EXPECT_EQ(WaitForArguments(QStringLiteral("sheet")), QStringLiteral("a b.csv\n"));
}

TEST(PlatformDesktopTest, WindowsAreCentredOnTheWorkArea)
{
    PlatformDoubles doubles;
    doubles.desktop.workArea = QRect(100, 50, 1000, 700);
    QWidget window;
    window.resize(400, 300);
    CentreOnWorkArea(window);
    EXPECT_EQ(window.pos(), QPoint(100 + 300, 50 + 200));

    doubles.desktop.workArea.reset();
    window.move(7, 8);
    CentreOnWorkArea(window);
    EXPECT_EQ(window.pos(), QPoint(7, 8));
}

TEST(PlatformDesktopTest, QtDesktopKnowsTheScreen)
{
    QtDesktop desktop;
    const std::optional<QRect> area = desktop.WorkArea();
    ASSERT_TRUE(area.has_value());
    EXPECT_GT(area->width(), 0);
    EXPECT_GT(desktop.PixelsPerInchY(), 0);
}

} // namespace
} // namespace korvex
