#pragma once

// DateField: a date picker of the open dialog that takes typed dates. The text is the user's
// until it is a whole date: a day that exists and lies within the range is taken at once (with a
// two- or four-digit year), anything else stays as typed and is marked, never replaced by
// another day. A calendar drops down from the button (or Alt+Down); Up/Down step a day.

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QFrame;
class QLineEdit;
class QToolButton;

namespace korvex {

class DateField : public QWidget {
    Q_OBJECT
public:
    enum class Entry { Valid, Incomplete, Impossible, OutOfRange };

    explicit DateField(QWidget* parent = nullptr);

    // The last date taken; within the range.
    QDate date() const { return date_; }
    void setDate(const QDate& date); // clamped to the range, as the spin-box pickers did
    void setDateRange(const QDate& minimum, const QDate& maximum);
    QDate minimumDate() const { return minimum_; }
    QDate maximumDate() const { return maximum_; }

    // What the text holds, and for anything but Valid the sentence saying so.
    Entry entry() const { return entry_; }
    QString problem() const;

    QLineEdit* lineEdit() const { return edit_; }
    QToolButton* dropButton() const { return drop_; }
    QCalendarWidget* calendar() const { return calendar_; }
    QString displayFormat() const { return format_; }
    // The locale's short date format with a four-digit year; ISO where it names the month.
    static QString FourDigitYearFormat(const QLocale& locale);

    // Reads text in the order of format's day, month and year. Two-digit years are 2000 + yy.
    struct Parsed {
        Entry entry = Entry::Incomplete; // Valid or OutOfRange when the day exists
        QDate date;
    };
    static Parsed Parse(const QString& text, const QString& format, const QDate& minimum,
                        const QDate& maximum);

signals:
    void dateChanged(const QDate& date);
    void editingFinished();
    // After every change of the text's verdict (and of the text).
    void entryChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TextEdited(const QString& text);
    void Finish();
    void Take(const QDate& date, bool rewrite);
    void ShowEntry();
    void OpenCalendar();

    QLineEdit* edit_ = nullptr;
    QToolButton* drop_ = nullptr;
    QFrame* popup_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
    QString format_;
    QDate date_;
    QDate minimum_{1900, 1, 1};
    QDate maximum_{2099, 12, 31};
    Entry entry_ = Entry::Valid;
    bool fresh_ = true; // the text is a date shown by the picker, untouched since
};

} // namespace korvex
