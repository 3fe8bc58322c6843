#include "tests/ui/doubles/PlatformDoubles.h"

#include <QCoreApplication>
#include <QPrinter>

namespace korvex::test {

PromptAnswer FakePrompts::Show(QWidget* owner, const QString& caption, const QString& text,
                               PromptIcon icon, PromptButtons buttons)
{
    calls.push_back(Call{owner, caption, text, icon, buttons});
    if (onShow)
        onShow(calls.back());
    if (!answers.empty()) {
        const PromptAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == PromptButtons::Ok || buttons == PromptButtons::OkCancel ? PromptAnswer::Ok
                                                                              : PromptAnswer::No;
}

namespace {

template <typename T>
std::optional<T> Next(std::deque<std::optional<T>>& queue)
{
    if (queue.empty())
        return std::nullopt;
    std::optional<T> answer = queue.front();
    queue.pop_front();
    return answer;
}

} // namespace

std::optional<QString> FakeDialogs::ChooseFile(const FileDialogRequest& request)
{
    fileCalls.push_back(request);
    return Next(fileAnswers);
}

std::optional<QString> FakeDialogs::ChooseFolder(QWidget*, const QString& title,
                                                 const QString& startDirectory)
{
    folderCalls.push_back(FolderCall{title, startDirectory});
    return Next(folderAnswers);
}

std::optional<std::uint32_t>
FakeDialogs::ChooseColor(QWidget*, std::uint32_t start,
                         const std::array<std::uint32_t, 16>& customColors)
{
    colorCalls.push_back(ColorCall{start, customColors});
    return Next(colorAnswers);
}

bool FakeDialogs::ExecPrintDialog(QWidget*, QPrinter& printer)
{
    ++printCalls;
    bool confirmed = false;
    if (!printAnswers.empty()) {
        confirmed = printAnswers.front();
        printAnswers.pop_front();
    }
    if (confirmed && !printToPdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToPdf);
    }
    return confirmed;
}

bool FakeEscapeKey::PressedOrLatched()
{
    ++queries;
    if (onQuery)
        return onQuery();
    if (pressed.empty())
        return false;
    const bool answer = pressed.front();
    pressed.pop_front();
    return answer;
}

bool FakeEscapeKey::IsHeld()
{
    ++heldQueries;
    if (held.empty())
        return false;
    const bool answer = held.front();
    held.pop_front();
    return answer;
}

void FakeSystem::ProcessEvents()
{
    ++processEventsCalls;
    if (onProcessEvents)
        onProcessEvents();
    if (realProcessEvents)
        QCoreApplication::processEvents();
}

bool FakeSystem::CanAllocate(std::size_t bytes)
{
    allocationProbes.push_back(bytes);
    return memoryAvailable;
}

MemoryRoom FakeSystem::AvailableMemory()
{
    ++memoryQueries;
    return memoryRoom;
}

bool FakeShell::StartProgram(const QString& program, const QStringList& arguments)
{
    programCalls.push_back(ProgramCall{program, arguments});
    return startablePrograms.contains(program);
}

bool FakeShell::StartSpreadsheet(const QString& file)
{
    spreadsheetFiles << file;
    return spreadsheetStarts;
}

PlatformDoubles::PlatformDoubles() : saved_(ThePlatform())
{
    ThePlatform() = Platform{&prompts, &dialogs, &desktop, &escapeKey, &system, &shell};
}

PlatformDoubles::~PlatformDoubles()
{
    ThePlatform() = saved_;
}

} // namespace korvex::test
