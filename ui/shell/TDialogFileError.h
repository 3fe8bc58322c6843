#pragma once

// TDialogFileError: the list of log files that failed during the last completed open, three
// lines per file (path, reason, empty line). Created once, reused for every open.

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace korvex {

class TDialogFileError : public QDialog {
    Q_OBJECT
public:
    explicit TDialogFileError(QWidget* parent = nullptr);

    // Forgets the errors of an earlier open.
    void Clear();
    // Replaces the list by these lines and marks the dialog as having errors.
    void TakeErrors(const QStringList& lines);
    bool HasErrors() const { return hasErrors_; }
    QStringList Lines() const;
    // Shows the dialog modally when there are errors, then clears it; else does nothing.
    void ShowIfErrors();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Relabel();

    bool hasErrors_ = false;
    QLabel* labelCaption_ = nullptr;
    QPlainTextEdit* errorList_ = nullptr;
    QPushButton* buttonOk_ = nullptr;
};

} // namespace korvex
