#include "ui/shell/TDialogOpenAnalysis.h"

#include "core/logdata/LoadHeap.h"
#include "core/logdata/LoadMemory.h"
#include "core/logdata/LogDirectoryLoad.h"
#include "core/services/Errors.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/platform/EventTurns.h"
#include "ui/platform/Platform.h"
#include "ui/platform/UiText.h"
#include "ui/shell/DateField.h"
#include "ui/shell/TDialogFileError.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <chrono>
#include <cmath>
#include <functional>
#include <new>
#include <optional>

namespace korvex {

namespace {

const QDate kDayZero(1899, 12, 30);

QDate ToDate(DayTime day)
{
    return kDayZero.addDays(static_cast<qint64>(std::floor(day)));
}
DayTime ToDayTime(const QDate& date)
{
    return static_cast<DayTime>(kDayZero.daysTo(date));
}

void SetBold(QLabel* label, bool bold)
{
    QFont f = label->font();
    f.setBold(bold);
    label->setFont(f);
}

// Runs on every way out of a load, also when an exception leaves it.
class LoadEnd {
public:
    explicit LoadEnd(std::function<void()> f) : f_(std::move(f)) {}
    ~LoadEnd() { f_(); }
    LoadEnd(const LoadEnd&) = delete;
    LoadEnd& operator=(const LoadEnd&) = delete;

private:
    std::function<void()> f_;
};

} // namespace

TDialogOpenAnalysis::TDialogOpenAnalysis(TDialogFileError& fileErrors, QWidget* parent)
    : QDialog(parent), fileErrors_(fileErrors)
{
    setFixedSize(489, 281);
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    labelStep1_ = new QLabel(this);
    labelStep1_->setObjectName(QStringLiteral("LabelStep1"));
    SetBold(labelStep1_, true);
    rootDir_ = new QLineEdit(this);
    rootDir_->setObjectName(QStringLiteral("RootDir"));
    rootDir_->installEventFilter(this);
    selectDirBtn_ = new QPushButton(this);
    selectDirBtn_->setObjectName(QStringLiteral("SelectDirBtn"));
    connect(selectDirBtn_, &QPushButton::clicked, this, [this] { SelectDirBtnClick(); });

    labelStep2_ = new QLabel(this);
    labelStep2_->setObjectName(QStringLiteral("LabelStep2"));
    labelFrom_ = new QLabel(this);
    labelFrom_->setObjectName(QStringLiteral("LabelFrom"));
    labelTo_ = new QLabel(this);
    labelTo_->setObjectName(QStringLiteral("LabelTo"));
    dateFrom_ = new DateField(this);
    dateTo_ = new DateField(this);
    dateFrom_->setObjectName(QStringLiteral("DateFrom"));
    dateTo_->setObjectName(QStringLiteral("DateTo"));
    // A typed date that is not taken says why beside its picker.
    for (DateField* picker : {dateFrom_, dateTo_}) {
        auto* problem = new QLabel(this);
        problem->setObjectName(picker->objectName() + QStringLiteral("Problem"));
        problem->setWordWrap(true);
        QPalette red = problem->palette();
        red.setColor(QPalette::WindowText, Qt::red);
        problem->setPalette(red);
        (picker == dateFrom_ ? problemFrom_ : problemTo_) = problem;
        auto show = [picker, problem] { problem->setText(picker->problem()); };
        connect(picker, &DateField::entryChanged, problem, show);
    }
    connect(dateFrom_, &DateField::dateChanged, this, [this] { CoupleDates(true); });
    connect(dateTo_, &DateField::dateChanged, this, [this] { CoupleDates(false); });
    connect(dateFrom_, &DateField::editingFinished, this, [this] {
        if (!loading_)
            CoupleDates(true);
    });
    connect(dateTo_, &DateField::editingFinished, this, [this] {
        if (!loading_)
            CoupleDates(false);
    });

    labelProgress_ = new QLabel(this);
    labelProgress_->setObjectName(QStringLiteral("LabelProgress"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setTextVisible(false);
    progress_->setRange(0, 1);
    progress_->setValue(0);
    labelAbort_ = new QLabel(this);
    labelAbort_->setObjectName(QStringLiteral("LabelAbort"));
    labelAbort_->hide();

    executeBtn_ = new QPushButton(this);
    executeBtn_->setObjectName(QStringLiteral("ExecuteBtn"));
    executeBtn_->setDefault(true);
    executeBtn_->setAutoDefault(true);
    cancelBtn_ = new QPushButton(this);
    cancelBtn_->setObjectName(QStringLiteral("CancelBtn"));
    cancelBtn_->setAutoDefault(false);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
    connect(executeBtn_, &QPushButton::clicked, this, [this] {
        // The application's error box shows what stops a load; the dialog stays open.
        try {
            if (Execute())
                accept();
        } catch (const std::exception& e) {
            ShowErrorBox(this, QString::fromUtf8(e.what()));
        }
    });

    auto* dirRow = new QHBoxLayout;
    dirRow->addWidget(rootDir_, 1);
    dirRow->addWidget(selectDirBtn_);

    auto* dates = new QGridLayout;
    dates->addWidget(labelFrom_, 0, 0);
    dates->addWidget(dateFrom_, 0, 1);
    dates->addWidget(labelTo_, 1, 0);
    dates->addWidget(dateTo_, 1, 1);
    dates->addWidget(problemFrom_, 0, 2);
    dates->addWidget(problemTo_, 1, 2);
    dates->setColumnStretch(2, 1);

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(labelProgress_);
    progressRow->addWidget(progress_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(labelAbort_, 1);
    buttons->addWidget(executeBtn_);
    buttons->addWidget(cancelBtn_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labelStep1_);
    layout->addLayout(dirRow);
    layout->addSpacing(8);
    layout->addWidget(labelStep2_);
    layout->addLayout(dates);
    layout->addSpacing(8);
    layout->addLayout(progressRow);
    layout->addStretch(1);
    layout->addLayout(buttons);

    Relabel();
    ScanDirectory();
}

TDialogOpenAnalysis::~TDialogOpenAnalysis() = default;

void TDialogOpenAnalysis::Prepare(TChildform* target, const QString& startDirectory)
{
    target_ = target;
    rootDir_->setText(startDirectory);
}

QString TDialogOpenAnalysis::Directory() const
{
    return rootDir_->text();
}

void TDialogOpenAnalysis::Relabel()
{
    setWindowTitle(UiText(TextId::OpenReport));
    labelStep1_->setText(UiText(TextId::StepSelectDirectory));
    selectDirBtn_->setText(UiText(TextId::Search));
    labelStep2_->setText(UiText(TextId::StepSelectPeriod));
    labelFrom_->setText(UiText(TextId::PeriodStart));
    labelTo_->setText(UiText(TextId::PeriodEnd));
    labelProgress_->setText(UiText(TextId::Progress));
    labelAbort_->setText(UiText(TextId::PressEscToCancel));
    executeBtn_->setText(UiText(TextId::Analyse));
    cancelBtn_->setText(UiText(TextId::ButtonCancel));
}

void TDialogOpenAnalysis::ScanDirectory()
{
    scan_ = LogDirectoryScan{};
    SetInputsEnabled(true);
    progress_->setValue(0);
    progress_->setEnabled(false);
    labelAbort_->hide();

    scannedDir_ = rootDir_->text();
    scan_ = ScanLogDirectory(scannedDir_.toStdString());
    const bool found = scan_.Found();
    if (found) {
        const QSignalBlocker blockFrom(dateFrom_);
        const QSignalBlocker blockTo(dateTo_);
        const QDate first = ToDate(scan_.firstDay);
        const QDate last = ToDate(scan_.lastDay);
        dateFrom_->setDateRange(first, last);
        dateTo_->setDateRange(first, last);
        dateFrom_->setDate(first);
        dateTo_->setDate(last);
    }
    // The scan set both pickers to whole dates; their signals were held back.
    problemFrom_->setText(dateFrom_->problem());
    problemTo_->setText(dateTo_->problem());
    SetBold(labelStep2_, found);
    dateFrom_->setEnabled(found);
    dateTo_->setEnabled(found);
}

void TDialogOpenAnalysis::CoupleDates(bool fromChanged)
{
    // The picker the user moved wins; the other one follows it.
    if (dateFrom_->date() <= dateTo_->date())
        return;
    if (fromChanged) {
        const QSignalBlocker block(dateTo_);
        dateTo_->setDate(dateFrom_->date());
    } else {
        const QSignalBlocker block(dateFrom_);
        dateFrom_->setDate(dateTo_->date());
    }
}

void TDialogOpenAnalysis::SelectDirBtnClick()
{
    const QString current = rootDir_->text();
    const QString start =
        !current.isEmpty() && QFileInfo(current).isDir() ? current : QDir::currentPath();
    const std::optional<QString> chosen =
        ThePlatform().dialogs->ChooseFolder(this, UiText(TextId::SelectLogDirectory), start);
    if (!chosen || chosen->isEmpty())
        return;
    rootDir_->setText(QDir::toNativeSeparators(*chosen));
    ScanDirectory();
}

bool TDialogOpenAnalysis::Execute()
{
    // Return in RootDir executes without leaving the field: the typed folder is the one meant.
    if (rootDir_->text() != scannedDir_)
        ScanDirectory();
    // A typed date that was not taken is never swapped for another day.
    for (DateField* picker : {dateFrom_, dateTo_}) {
        if (picker->entry() != DateField::Entry::Valid) {
            picker->setFocus();
            throw KorvexError(picker->problem().toStdString());
        }
    }
    const DayTime from = ToDayTime(dateFrom_->date());
    const DayTime to = ToDayTime(dateTo_->date());
    LogFileSelection selection = SelectLogFiles(scan_, from, to);
    // The list keeps this range until the next scan.
    scan_.files = selection.files;
    return LoadFiles(selection, from, to);
}

void TDialogOpenAnalysis::SetInputsEnabled(bool enabled)
{
    QWidget* const inputs[] = {rootDir_, selectDirBtn_, dateTo_, dateFrom_, cancelBtn_, executeBtn_};
    // A disabled control hands the focus on to the next one, which is disabled in turn: taken
    // once, the focus ends where that walk ended (nowhere), without the walk.
    if (QWidget* focused = focusWidget(); focused && !enabled) {
        for (QWidget* input : inputs) {
            if (focused == input || input->isAncestorOf(focused)) {
                focused->clearFocus();
                break;
            }
        }
    }
    for (QWidget* input : inputs)
        input->setEnabled(enabled);
}

namespace {

// The analysis window as the shared loading loop sees it.
class WindowLoadTarget final : public LogLoadTarget {
public:
    explicit WindowLoadTarget(QPointer<TChildform>& window) : window_(window) {}

    void AddLogFile(const std::string& path) override
    {
        try {
            Window().AddLogFile(path);
        } catch (const std::bad_alloc&) {
            throw KorvexError(Text(TextId::DataStructureNoMemory));
        }
    }
    void AddParsedLogFile(const ParsedLogFile& file) override
    {
        try {
            Window().AddParsedLogFile(file);
        } catch (const std::bad_alloc&) {
            throw KorvexError(Text(TextId::DataStructureNoMemory));
        }
    }
    void BuildDeviceView(std::size_t device) override
    {
        Window().BuildDeviceView(static_cast<int>(device));
    }

private:
    TChildform& Window()
    {
        // The dialog is modal, so the window cannot be closed under the load; if it ever is,
        // the load stops instead of writing into a freed window.
        if (!window_)
            throw KorvexError("Illegal state.");
        return *window_;
    }
    QPointer<TChildform>& window_;
};

// Esc, memory probe, pending events and progress between the files and devices of a load.
class DialogLoadObserver final : public LogLoadObserver {
public:
    DialogLoadObserver(QWidget* dialog, QProgressBar* progress, std::size_t fileCount)
        : dialog_(dialog), progress_(progress), fileCount_(fileCount)
    {}
    DialogLoadObserver(const DialogLoadObserver&) = delete;
    DialogLoadObserver& operator=(const DialogLoadObserver&) = delete;

    bool CancelRequested() override
    {
        EscapeKey& esc = *ThePlatform().escapeKey;
        if (esc.PressedOrLatched() && esc.WatchedWindowIsActive())
            return true;
        // Before each device; before each file this happens after the memory probe.
        if (filesDone_ == fileCount_)
            ThePlatform().system->ProcessEvents();
        return false;
    }
    void BeforeFile(std::uintmax_t fileSize) override
    {
        // Linux over-commits, so the trial block alone would never fail: the file must also
        // fit into what the system can still give.
        System& system = *ThePlatform().system;
        if (!system.CanAllocate(kMemoryProbeBytes) || !FitsInMemory(system, fileSize))
            throw KorvexError(Text(TextId::ReportNoMemory));
        system.ProcessEvents();
    }
    void FileDone(std::size_t done, std::size_t, std::uintmax_t) override
    {
        filesDone_ = done;
        // The bar takes every file's count but paints at most thirty times a second: painted for
        // each of hundreds of day files, it cost the open of a year 6 ms, and even sixty times a
        // second its style's drawing took 1.5 ms of a year's 60 ms.
        const auto now = std::chrono::steady_clock::now();
        const bool paint = done == fileCount_ || now - paintedAt_ >= kFrame;
        progress_->setUpdatesEnabled(paint);
        progress_->setValue(static_cast<int>(done));
        if (paint)
            paintedAt_ = now;
    }
    // A large file still being read: the window keeps answering and Esc is seen.
    void Waiting() override { ThePlatform().system->ProcessEvents(); }
    // Once the first view is drawn instead (LoadFiles): the devices' views and the drawing
    // take their memory from the freed heap, and the view comes half a millisecond sooner.
    bool ReturnHeapAfterFiles() override { return false; }
    void DeviceFailed(std::size_t, const std::exception& error) override
    {
        ShowErrorBox(dialog_, QString::fromUtf8(error.what()));
    }
    void DeviceDone(std::size_t) override
    {
        // The devices' steps are the bar's last pixel: not painted in the middle of the views.
        // The load's end (LoadEnd, in every case) sets the bar to 0 and paints it again, after
        // the window's first view.
        progress_->setUpdatesEnabled(false);
        progress_->setValue(progress_->value() + 1);
    }

private:
    // Reading the figures costs more than a small day file takes to load. A figure read less
    // than kRoomAge ago still answers while the files checked since, this one included, take
    // at most half of it at their full need; otherwise it is read afresh.
    bool FitsInMemory(System& system, std::uintmax_t fileSize)
    {
        const std::uint64_t need = LoadMemoryNeed(fileSize);
        const auto now = std::chrono::steady_clock::now();
        const auto covers = [&](const std::optional<std::uint64_t>& figure) {
            return !figure || (*figure / 2 >= spent_ && *figure / 2 - spent_ >= need);
        };
        if (!roomKnown_ || now - roomAt_ > kRoomAge || !covers(room_.available) ||
            !covers(room_.cgroup)) {
            room_ = system.AvailableMemory();
            roomAt_ = now;
            roomKnown_ = true;
            spent_ = 0;
            if (!LoadFitsInMemory(fileSize, room_))
                return false;
        }
        spent_ += need;
        return true;
    }

    static constexpr std::chrono::milliseconds kRoomAge{50};
    static constexpr std::chrono::milliseconds kFrame{33};

    QWidget* dialog_;
    QProgressBar* progress_;
    std::size_t fileCount_;
    std::size_t filesDone_ = 0;
    std::chrono::steady_clock::time_point paintedAt_;
    MemoryRoom room_;
    std::chrono::steady_clock::time_point roomAt_;
    bool roomKnown_ = false;
    std::uint64_t spent_ = 0; // the needs of the files checked against room_
};

} // namespace

bool TDialogOpenAnalysis::LoadFiles(const LogFileSelection& selection, DayTime from, DayTime to)
{
    if (selection.files.empty())
        throw KorvexError(Text(TextId::NoFilesFound));
    if (!target_)
        throw KorvexError("Illegal state.");

    System& system = *ThePlatform().system;
    EscapeKey& esc = *ThePlatform().escapeKey;

    // An Esc still held (or pressed) when Analyse was chosen must not cancel the new load.
    while (esc.IsHeld() || esc.PressedOrLatched())
        system.ProcessEvents();

    const int fileCount = static_cast<int>(selection.files.size());
    const int deviceCount = static_cast<int>(selection.devices.size());
    progress_->setEnabled(true);
    progress_->setRange(0, fileCount + deviceCount);
    progress_->setValue(0);
    // Before the inputs go: the focus leaving the folder field as it is disabled is not the user
    // leaving it, and must not scan the folder again (and reset the chosen days) under the load.
    loading_ = true;
    SetInputsEnabled(false);
    labelAbort_->show();
    labelAbort_->repaint();

    const LoadEnd end([&] {
        loading_ = false;
        SetInputsEnabled(true);
        labelAbort_->hide();
        // Painted with the pending events, after the window's first view instead of before it.
        progress_->setUpdatesEnabled(false);
        progress_->setValue(0);
        progress_->setUpdatesEnabled(true);
        // After the window's first view; also when the dialog is gone by then.
        AfterQueuedPaints(nullptr, [] { ReturnFreedHeap(); });
        system.ProcessEvents();
    });

    // Whatever stops a load half-way, the window is left empty, never half-loaded.
    auto discard = [this] {
        if (target_)
            target_->ResetAnalysis();
    };

    LogLoadResult result;
    try {
        target_->BeginAnalysis(fileCount, selection.devices, from, to);
        fileErrors_.Clear();
        WindowLoadTarget window(target_);
        DialogLoadObserver observer(this, progress_, selection.files.size());
        result = RunLogLoad(selection, window, observer);
    } catch (...) {
        discard();
        throw;
    }

    if (result.outcome == LogLoadOutcome::Cancelled) {
        discard();
        ThePlatform().prompts->Show(this, UiText(TextId::CaptionInformation),
                                    UiText(TextId::AbortedByUser), PromptIcon::Information,
                                    PromptButtons::Ok);
        return false;
    }

    if (!target_)
        throw KorvexError("Illegal state.");
    try {
        std::vector<std::string> failed;
        for (const LogLoadFailure& failure : result.failures)
            failed.push_back(failure.path);
        target_->FinishAnalysis(std::move(failed));
    } catch (const std::exception&) {
        discard();
        throw KorvexError(Text(TextId::ReportNotProduced));
    }
    if (!result.failures.empty()) {
        QStringList lines;
        for (const std::string& line : FailureLines(result.failures))
            lines << QString::fromStdString(line);
        fileErrors_.TakeErrors(lines);
    }
    return true;
}

void TDialogOpenAnalysis::done(int result)
{
    // While loading, neither Esc nor the close button may end the dialog: Esc cancels the load.
    if (loading_)
        return;
    QDialog::done(result);
}

void TDialogOpenAnalysis::showEvent(QShowEvent* event)
{
    Relabel();
    ScanDirectory();
    ThePlatform().escapeKey->Watch(this);
    QDialog::showEvent(event);
}

void TDialogOpenAnalysis::hideEvent(QHideEvent* event)
{
    ThePlatform().escapeKey->Watch(nullptr);
    QDialog::hideEvent(event);
}

void TDialogOpenAnalysis::closeEvent(QCloseEvent* event)
{
    if (loading_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool TDialogOpenAnalysis::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Only focus moving to another control of the dialog counts as leaving it.
        const bool withinDialog =
            reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        if (withinDialog && !loading_) {
            if (watched == rootDir_)
                ScanDirectory();
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace korvex
