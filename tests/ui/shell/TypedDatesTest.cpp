// Dates typed into the open dialog's pickers, on a German desktop, through the event loop.

#include "tests/ui/doubles/PlatformDoubles.h"
#include "tests/ui/doubles/UiTestSupport.h"
#include "tests/ui/shell/OpenTestSupport.h"

#include "core/services/TextCatalogue.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/shell/DateField.h"
#include "ui/shell/TDialogFileError.h"
#include "ui/shell/TDialogOpenAnalysis.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace korvex::test {
namespace {

using Entry = DateField::Entry;

// The pickers take their format from the default locale when they are made.
class TypedDates : public ::testing::Test {
protected:
    TypedDates()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        SelectTextBlock(BlockGerman);
        window = std::make_unique<TChildform>();
        dialog = std::make_unique<TDialogOpenAnalysis>(errors);
        dir = logs.path() + QStringLiteral("/logs");
        WriteDays(dir, 1, QDate(2024, 5, 1), QDate(2024, 5, 31));
        dialog->Prepare(window.get(), dir);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
    ~TypedDates() override
    {
        dialog.reset();
        window.reset();
        QLocale::setDefault(QLocale::c());
    }

    // Click into the field, select everything and type, then leave the field with Tab.
    static void TypeInto(DateField* field, const QString& text, bool selectAll = true)
    {
        QTest::mouseClick(field->lineEdit(), Qt::LeftButton);
        if (selectAll)
            QTest::keyClick(field->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field->lineEdit(), text);
    }
    static void Leave(DateField* field) { QTest::keyClick(field->lineEdit(), Qt::Key_Tab); }

    QString Problem(const char* name) const { return dialog->findChild<QLabel*>(name)->text(); }

    PrivateHome home; // the German texts are this test's own choice
    PlatformDoubles doubles;
    QTemporaryDir logs;
    QString dir;
    TDialogFileError errors;
    std::unique_ptr<TChildform> window;
    std::unique_ptr<TDialogOpenAnalysis> dialog;
};

TEST_F(TypedDates, TypedDateWithTwoOrFourDigitYearIsTaken)
{
    DateField* to = dialog->DateTo();
    DateField* from = dialog->DateFrom();
    // Four-digit years shown.
    EXPECT_EQ(from->lineEdit()->text(), QStringLiteral("01.05.2024"));
    EXPECT_EQ(to->lineEdit()->text(), QStringLiteral("31.05.2024"));

    TypeInto(to, QStringLiteral("15.05.24"));
    EXPECT_EQ(to->date(), QDate(2024, 5, 15));
    Leave(to);
    EXPECT_EQ(to->lineEdit()->text(), QStringLiteral("15.05.2024"));

    // Home, then typing: a new date, not digits in front of the old one.
    QTest::mouseClick(from->lineEdit(), Qt::LeftButton);
    QTest::keyClick(from->lineEdit(), Qt::Key_Home);
    QTest::keyClicks(from->lineEdit(), QStringLiteral("3.5.2024"));
    EXPECT_EQ(from->lineEdit()->text(), QStringLiteral("3.5.2024"));
    EXPECT_EQ(from->date(), QDate(2024, 5, 3));
    Leave(from);
    EXPECT_EQ(from->lineEdit()->text(), QStringLiteral("03.05.2024"));
    EXPECT_TRUE(Problem("DateFromProblem").isEmpty());

    // The typed range is the one analysed: the 3rd to the 15th.
    QTest::mouseClick(dialog->findChild<QPushButton*>("ExecuteBtn"), Qt::LeftButton);
    EXPECT_EQ(dialog->ValidFiles().size(), 13u);
}

TEST_F(TypedDates, ImpossibleAndOutOfRangeDatesAreShownNotReplaced)
{
    DateField* from = dialog->DateFrom();
    DateField* to = dialog->DateTo();

    TypeInto(from, QStringLiteral("31.02.2024"));
    Leave(from);
    EXPECT_EQ(from->lineEdit()->text(), QStringLiteral("31.02.2024"));
    EXPECT_EQ(from->entry(), Entry::Impossible);
    EXPECT_EQ(from->date(), QDate(2024, 5, 1)); // the last day taken, untouched
    EXPECT_EQ(Problem("DateFromProblem"), QStringLiteral("Diesen Tag gibt es nicht"));
    EXPECT_EQ(from->lineEdit()->palette().color(QPalette::Text), QColor(Qt::red));

    TypeInto(to, QStringLiteral("15.06.24"));
    Leave(to);
    EXPECT_EQ(to->lineEdit()->text(), QStringLiteral("15.06.24"));
    EXPECT_EQ(to->entry(), Entry::OutOfRange);
    EXPECT_EQ(to->date(), QDate(2024, 5, 31));
    EXPECT_EQ(Problem("DateToProblem"),
              QStringLiteral("Au\u00dferhalb der Protokolltage (01.05.2024 \u2013 31.05.2024)"));

    // Analyse refuses, saying why, and loads nothing.
    QTest::mouseClick(dialog->findChild<QPushButton*>("ExecuteBtn"), Qt::LeftButton);
    ASSERT_EQ(doubles.prompts.calls.size(), 1u);
    EXPECT_EQ(doubles.prompts.calls.back().text, QStringLiteral("Diesen Tag gibt es nicht"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->ValidFiles().size(), 31u);

    // Mended, the marks go.
    TypeInto(from, QStringLiteral("29.05.2024"));
    EXPECT_EQ(from->entry(), Entry::Valid);
    EXPECT_TRUE(Problem("DateFromProblem").isEmpty());
    EXPECT_NE(from->lineEdit()->palette().color(QPalette::Text), QColor(Qt::red));
    // A half-typed date is incomplete, not a day.
    TypeInto(to, QStringLiteral("30.05.2"));
    EXPECT_EQ(to->entry(), Entry::Incomplete);
    EXPECT_EQ(to->date(), QDate(2024, 5, 31));
    QTest::keyClicks(to->lineEdit(), QStringLiteral("024"));
    EXPECT_EQ(to->date(), QDate(2024, 5, 30));
}

TEST_F(TypedDates, KeysStepAndTheCalendarDropsDown)
{
    DateField* from = dialog->DateFrom();
    QTest::mouseClick(from->lineEdit(), Qt::LeftButton);
    QTest::keyClick(from->lineEdit(), Qt::Key_Up);
    QTest::keyClick(from->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(from->date(), QDate(2024, 5, 3));
    QTest::keyClick(from->lineEdit(), Qt::Key_Down);
    EXPECT_EQ(from->lineEdit()->text(), QStringLiteral("02.05.2024"));
    // Stepping stops at the first day of the logs.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(from->lineEdit(), Qt::Key_Down);
    EXPECT_EQ(from->date(), QDate(2024, 5, 1));

    QTest::mouseClick(from->dropButton(), Qt::LeftButton);
    ASSERT_TRUE(from->calendar()->isVisible());
    EXPECT_EQ(from->calendar()->minimumDate(), QDate(2024, 5, 1));
    EXPECT_EQ(from->calendar()->maximumDate(), QDate(2024, 5, 31));
    emit from->calendar()->clicked(QDate(2024, 5, 20));
    EXPECT_FALSE(from->calendar()->isVisible());
    EXPECT_EQ(from->date(), QDate(2024, 5, 20));
}

TEST(DateFieldParse, OrderYearsAndImpossibleDays)
{
    const QDate lo(2000, 1, 1), hi(2030, 12, 31);
    EXPECT_EQ(DateField::FourDigitYearFormat(QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("dd.MM.yyyy"));
    const QString us =
        DateField::FourDigitYearFormat(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us, QStringLiteral("M/d/yyyy"));
    EXPECT_EQ(DateField::FourDigitYearFormat(QLocale::c()), QStringLiteral("yyyy-MM-dd"));

    auto parse = [&](const char* text, const QString& format = QStringLiteral("dd.MM.yyyy")) {
        return DateField::Parse(QString::fromUtf8(text), format, lo, hi);
    };
    EXPECT_EQ(parse("15.05.24").date, QDate(2024, 5, 15));
    EXPECT_EQ(parse("5.1.2024").date, QDate(2024, 1, 5));
    EXPECT_EQ(parse(" 29.02.2024 ").date, QDate(2024, 2, 29));
    EXPECT_EQ(parse("5/15/24", us).date, QDate(2024, 5, 15));
    EXPECT_EQ(parse("2024-05-15", QStringLiteral("yyyy-MM-dd")).date, QDate(2024, 5, 15));
    EXPECT_EQ(parse("15.05.24").entry, Entry::Valid);

    for (const char* impossible :
         {"29.02.2023", "31.04.2024", "00.05.2024", "15.13.2024", "15.00.24"})
        EXPECT_EQ(parse(impossible).entry, Entry::Impossible) << impossible;
    for (const char* incomplete : {"", "15", "15.05", "15.05.", "15.05.2", "15.05.024",
                                   "15.05.20245", "1a.05.2024", "115.05.2024", "15..2024"})
        EXPECT_EQ(parse(incomplete).entry, Entry::Incomplete) << incomplete;
    EXPECT_EQ(parse("31.12.1999").entry, Entry::OutOfRange);
    EXPECT_EQ(parse("31.12.1999").date, QDate(1999, 12, 31));
    EXPECT_EQ(parse("01.01.31").entry, Entry::OutOfRange);
    EXPECT_EQ(parse("31.12.30").entry, Entry::Valid);
}

} // namespace
} // namespace korvex::test
