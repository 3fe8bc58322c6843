#pragma once

#include "ui/platform/Platform.h"

#include <QPointer>
#include <QRect>
#include <QUrl>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace korvex::test {

// Answers message boxes from a script and records every box.
class FakePrompts final : public Prompts {
public:
    struct Call {
        QPointer<QWidget> owner;
        QString caption;
        QString text;
        PromptIcon icon;
        PromptButtons buttons;
    };
    PromptAnswer Show(QWidget* owner, const QString& caption, const QString& text, PromptIcon icon,
                      PromptButtons buttons) override;

    // Answers in order; when empty: Ok for Ok/OkCancel boxes, No for YesNo/YesNoCancel.
    std::deque<PromptAnswer> answers;
    // Runs when a box shows, before the answer (e.g. to look at the windows behind it).
    std::function<void(const Call&)> onShow;
    std::vector<Call> calls;
};

// Scripted file, folder, colour and print dialogs.
class FakeDialogs final : public Dialogs {
public:
    struct ColorCall {
        std::uint32_t start;
        std::array<std::uint32_t, 16> customColors;
    };
    struct FolderCall {
        QString title;
        QString startDirectory;
    };
    std::optional<QString> ChooseFile(const FileDialogRequest& request) override;
    std::optional<QString> ChooseFolder(QWidget* owner, const QString& title,
                                        const QString& startDirectory) override;
    std::optional<std::uint32_t>
    ChooseColor(QWidget* owner, std::uint32_t start,
                const std::array<std::uint32_t, 16>& customColors) override;
    bool ExecPrintDialog(QWidget* owner, QPrinter& printer) override;

    // Each answer is used once, in order; when a queue is empty the dialog is cancelled.
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<QString>> folderAnswers;
    std::deque<std::optional<std::uint32_t>> colorAnswers;
    std::deque<bool> printAnswers;
    // When set, a confirmed print dialog turns the printer into a PDF writer of this file.
    QString printToPdf;

    std::vector<FileDialogRequest> fileCalls;
    std::vector<FolderCall> folderCalls;
    std::vector<ColorCall> colorCalls;
    int printCalls = 0;
};

class FakeDesktop final : public Desktop {
public:
    std::optional<QRect> WorkArea() override
    {
        ++workAreaCalls;
        return workArea;
    }
    int PixelsPerInchY() override { return pixelsPerInch; }

    std::optional<QRect> workArea = QRect(0, 0, 1600, 1000);
    int pixelsPerInch = 96;
    int workAreaCalls = 0;
};

class FakeEscapeKey final : public EscapeKey {
public:
    void Watch(QWidget* window) override
    {
        watched = window;
        watchCalls.push_back(window);
    }
    bool PressedOrLatched() override;
    bool IsHeld() override;
    bool WatchedWindowIsActive() override { return watchedActive; }

    // PressedOrLatched answers in order, then false. onQuery, when set, decides instead.
    std::deque<bool> pressed;
    std::function<bool()> onQuery;
    // IsHeld answers in order, then false.
    std::deque<bool> held;
    bool watchedActive = true;

    QPointer<QWidget> watched;
    std::vector<QWidget*> watchCalls;
    int queries = 0;
    int heldQueries = 0;
};

class FakeSystem final : public System {
public:
    void ProcessEvents() override;
    bool CanAllocate(std::size_t bytes) override;
    MemoryRoom AvailableMemory() override;

    // Runs at each ProcessEvents call (e.g. to press Esc in the middle of a load).
    std::function<void()> onProcessEvents;
    // Also let Qt handle pending events (deferred deletes are then processed as well).
    bool realProcessEvents = false;
    bool memoryAvailable = true;
    int processEventsCalls = 0;
    std::vector<std::size_t> allocationProbes;
    // Plenty unless a test says otherwise; every query is counted.
    MemoryRoom memoryRoom{std::uint64_t{16} << 30, std::nullopt};
    int memoryQueries = 0;
};

class FakeShell final : public Shell {
public:
    struct ProgramCall {
        QString program;
        QStringList arguments;
    };
    bool OpenUrl(const QUrl& url) override
    {
        openedUrls.push_back(url);
        return openUrlResult;
    }
    bool StartProgram(const QString& program, const QStringList& arguments) override;
    bool StartSpreadsheet(const QString& file) override;

    bool openUrlResult = true;
    // Programs (as passed) that start; every other one fails.
    QStringList startablePrograms;
    bool spreadsheetStarts = false;

    std::vector<QUrl> openedUrls;
    std::vector<ProgramCall> programCalls;
    QStringList spreadsheetFiles;
};

// Installs one of each double into ThePlatform() for its lifetime and puts the previous
// implementations back afterwards. Typical use: a member of a test fixture.
class PlatformDoubles {
public:
    PlatformDoubles();
    ~PlatformDoubles();
    PlatformDoubles(const PlatformDoubles&) = delete;
    PlatformDoubles& operator=(const PlatformDoubles&) = delete;

    FakePrompts prompts;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    FakeEscapeKey escapeKey;
    FakeSystem system;
    FakeShell shell;

private:
    Platform saved_;
};

} // namespace korvex::test
