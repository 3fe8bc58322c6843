#include "ui/shell/DateField.h"

#include "core/services/TextCatalogue.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace korvex {

namespace {

// German, English, French, Spanish, Italian, Portuguese, as the catalogue's blocks.
using Texts = std::array<const char*, kTextBlockCount>;
const Texts kIncomplete = {"Kein vollst\u00e4ndiges Datum (z. B. %1)",
                           "Not a complete date (e.g. %1)",
                           "Date incompl\u00e8te (p. ex. %1)",
                           "Fecha incompleta (p. ej. %1)",
                           "Data incompleta (ad es. %1)",
                           "Data incompleta (p. ex. %1)"};
const Texts kImpossible = {"Diesen Tag gibt es nicht", "This day does not exist",
                           "Ce jour n'existe pas",     "Este d\u00eda no existe",
                           "Questo giorno non esiste", "Este dia n\u00e3o existe"};
const Texts kOutOfRange = {"Au\u00dferhalb der Protokolltage (%1 \u2013 %2)",
                           "Outside the days of the logs (%1 \u2013 %2)",
                           "Hors des jours des journaux (%1 \u2013 %2)",
                           "Fuera de los d\u00edas de los registros (%1 \u2013 %2)",
                           "Fuori dai giorni dei registri (%1 \u2013 %2)",
                           "Fora dos dias dos registos (%1 \u2013 %2)"};

QString InLanguage(const Texts& texts)
{
    const int block = CurrentTextBlock();
    return QString::fromUtf8(texts[static_cast<std::size_t>(
        block >= 0 && block < kTextBlockCount ? block : BlockEnglish)]);
}

constexpr const char* kIsoFormat = "yyyy-MM-dd";

} // namespace

DateField::DateField(QWidget* parent) : QWidget(parent), format_(FourDigitYearFormat(QLocale()))
{
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("DateText"));
    edit_->installEventFilter(this);
    drop_ = new QToolButton(this);
    drop_->setObjectName(QStringLiteral("DateDrop"));
    drop_->setArrowType(Qt::DownArrow);
    drop_->setFocusPolicy(Qt::NoFocus);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(edit_, 1);
    row->addWidget(drop_);
    setFocusProxy(edit_);
    // Wide enough for the four-digit year in any of the short formats.
    edit_->setMinimumWidth(edit_->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) +
                           12);

    popup_ = new QFrame(this, Qt::Popup);
    popup_->setFrameShape(QFrame::StyledPanel);
    calendar_ = new QCalendarWidget(popup_);
    calendar_->setObjectName(QStringLiteral("DateCalendar"));
    auto* popupLayout = new QVBoxLayout(popup_);
    popupLayout->setContentsMargins(0, 0, 0, 0);
    popupLayout->addWidget(calendar_);

    connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) { TextEdited(text); });
    connect(edit_, &QLineEdit::returnPressed, this, [this] { Finish(); });
    connect(drop_, &QToolButton::clicked, this, [this] { OpenCalendar(); });
    // A click on a day or Return on it takes the day.
    auto pick = [this](const QDate& date) {
        popup_->hide();
        setDate(date);
        edit_->setFocus(Qt::PopupFocusReason);
        emit editingFinished();
    };
    connect(calendar_, &QCalendarWidget::clicked, this, pick);
    connect(calendar_, &QCalendarWidget::activated, this, pick);
    setDate(QDate::currentDate());
}

QString DateField::FourDigitYearFormat(const QLocale& locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    // Month or weekday names cannot be typed as numbers.
    if (format.contains(QStringLiteral("MMM")) || format.contains(QStringLiteral("ddd")) ||
        !format.contains(u'd') || !format.contains(u'M') || !format.contains(u'y'))
        return QString::fromLatin1(kIsoFormat);
    format.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
    return format;
}

DateField::Parsed DateField::Parse(const QString& text, const QString& format, const QDate& minimum,
                                   const QDate& maximum)
{
    Parsed parsed;
    // The order of day, month and year is the format's.
    struct Part {
        qsizetype at;
        char which;
    };
    std::array<Part, 3> order = {Part{format.indexOf(u'd'), 'd'}, Part{format.indexOf(u'M'), 'M'},
                                 Part{format.indexOf(u'y'), 'y'}};
    std::sort(order.begin(), order.end(), [](Part a, Part b) { return a.at < b.at; });

    const QString trimmed = text.trimmed();
    static const QRegularExpression separator(QStringLiteral("[./\\- ]"));
    const QStringList parts = trimmed.split(separator);
    for (QChar c : trimmed)
        if (!c.isDigit() && !separator.match(QString(c)).hasMatch())
            return parsed; // letters: no date
    if (parts.size() != 3)
        return parsed;
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        const QString& part = parts[i];
        if (part.isEmpty())
            return parsed;
        const int value = part.toInt();
        switch (order[static_cast<std::size_t>(i)].which) {
            case 'd':
                if (part.size() > 2)
                    return parsed;
                day = value;
                break;
            case 'M':
                if (part.size() > 2)
                    return parsed;
                month = value;
                break;
            default:
                if (part.size() == 2)
                    year = 2000 + value;
                else if (part.size() == 4)
                    year = value;
                else
                    return parsed;
        }
    }
    const QDate date(year, month, day);
    if (!date.isValid()) {
        parsed.entry = Entry::Impossible;
        return parsed;
    }
    parsed.date = date;
    parsed.entry = date < minimum || date > maximum ? Entry::OutOfRange : Entry::Valid;
    return parsed;
}

QString DateField::problem() const
{
    const QLocale locale;
    switch (entry_) {
        case Entry::Valid:
            return {};
        case Entry::Incomplete:
            return InLanguage(kIncomplete).arg(locale.toString(date_, format_));
        case Entry::Impossible:
            return InLanguage(kImpossible);
        case Entry::OutOfRange:
            return InLanguage(kOutOfRange)
                .arg(locale.toString(minimum_, format_), locale.toString(maximum_, format_));
    }
    return {};
}

void DateField::setDate(const QDate& date)
{
    if (!date.isValid())
        return;
    entry_ = Entry::Valid;
    Take(std::clamp(date, minimum_, maximum_), true);
}

void DateField::setDateRange(const QDate& minimum, const QDate& maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    setDate(date_.isValid() ? date_ : minimum_);
}

void DateField::TextEdited(const QString& text)
{
    fresh_ = false;
    const Parsed parsed = Parse(text, format_, minimum_, maximum_);
    entry_ = parsed.entry;
    if (entry_ == Entry::Valid)
        Take(parsed.date, false);
    ShowEntry();
}

void DateField::Finish()
{
    // A whole date is shown in the picker's own form; anything else stays as typed.
    if (entry_ == Entry::Valid) {
        edit_->setText(QLocale().toString(date_, format_));
        fresh_ = true;
    }
    emit editingFinished();
}

void DateField::Take(const QDate& date, bool rewrite)
{
    const bool changed = date != date_;
    date_ = date;
    if (rewrite) {
        edit_->setText(QLocale().toString(date_, format_));
        fresh_ = true;
    }
    ShowEntry();
    if (changed)
        emit dateChanged(date_);
}

void DateField::ShowEntry()
{
    if (entry_ == Entry::Valid) {
        edit_->setPalette(QPalette());
        edit_->setToolTip(QString());
    } else {
        QPalette marked = edit_->palette();
        marked.setColor(QPalette::Text, Qt::red);
        edit_->setPalette(marked);
        edit_->setToolTip(problem());
    }
    emit entryChanged();
}

void DateField::OpenCalendar()
{
    calendar_->setDateRange(minimum_, maximum_);
    calendar_->setSelectedDate(date_);
    popup_->adjustSize();
    popup_->move(mapToGlobal(QPoint(0, height())));
    popup_->show();
    calendar_->setFocus();
}

bool DateField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_) {
        if (event->type() == QEvent::FocusOut) {
            Finish();
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool alt = key->modifiers() & Qt::AltModifier;
            if (key->key() == Qt::Key_Down && alt) {
                OpenCalendar();
                return true;
            }
            if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
                setDate(date_.addDays(key->key() == Qt::Key_Up ? 1 : -1));
                return true;
            }
            // Typing at the start of a shown date (after Home) begins a new one, as the
            // spin-box pickers overwrote their text; inside the text it inserts as anywhere.
            if (fresh_ && !edit_->hasSelectedText() && edit_->cursorPosition() == 0 &&
                !key->text().isEmpty() && key->text().front().isDigit())
                edit_->selectAll();
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace korvex
