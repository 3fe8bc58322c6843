#pragma once

// TDialogOpenAnalysis: turns a log directory and a range of days into a loaded analysis window.
// Scans the directory (two levels of subdirectories), limits and couples the date pickers, and
// on Analyse loads the files of the range into the target window with a progress bar; Esc
// cancels while the dialog is in front. Files that fail are listed in the file-error dialog.

#include "core/logdata/LogDirectory.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace korvex {

class DateField;
class TChildform;
class TDialogFileError;

class TDialogOpenAnalysis : public QDialog {
    Q_OBJECT
public:
    TDialogOpenAnalysis(TDialogFileError& fileErrors, QWidget* parent = nullptr);
    ~TDialogOpenAnalysis() override;

    // The window the next load fills, and the directory to start from.
    void Prepare(TChildform* target, const QString& startDirectory);
    // The text of RootDir (stored as LastUsedDir after a completed load).
    QString Directory() const;
    // exec() ends with Accepted only when a load completed.

    // ---- Steps, public for the main window's flow and the tests ----
    // Lists the log files of RootDir and narrows the pickers to their days.
    void ScanDirectory();
    void SelectDirBtnClick();
    // Execute: filters the list to the chosen range and loads it. Returns true when the load
    // completed (the dialog then closes with OK). Errors for the user are thrown.
    bool Execute();
    bool Loading() const { return loading_; }
    bool FilesFound() const { return scan_.Found(); }
    const std::vector<LogFileEntry>& ValidFiles() const { return scan_.files; }

    DateField* DateFrom() const { return dateFrom_; }
    DateField* DateTo() const { return dateTo_; }
    QLineEdit* RootDir() const { return rootDir_; }

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Relabel();
    void CoupleDates(bool fromChanged);
    // Loads the selected files; true when completed.
    bool LoadFiles(const LogFileSelection& selection, DayTime from, DayTime to);
    void SetInputsEnabled(bool enabled);

    TDialogFileError& fileErrors_;
    QPointer<TChildform> target_;
    LogDirectoryScan scan_;
    QString scannedDir_; // RootDir's text at the last scan
    bool loading_ = false;

    QLabel* labelStep1_ = nullptr;
    QLineEdit* rootDir_ = nullptr;
    QPushButton* selectDirBtn_ = nullptr;
    QLabel* labelStep2_ = nullptr;
    QLabel* labelFrom_ = nullptr;
    DateField* dateFrom_ = nullptr;
    QLabel* labelTo_ = nullptr;
    DateField* dateTo_ = nullptr;
    QLabel* problemFrom_ = nullptr;
    QLabel* problemTo_ = nullptr;
    QLabel* labelProgress_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* labelAbort_ = nullptr;
    QPushButton* executeBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
};

} // namespace korvex
