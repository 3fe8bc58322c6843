// The real print dialog offers nothing that printing would ignore: no page range, no selection,
// no current page; a range left on the printer never cuts the output short.

#include "tests/ui/doubles/UiTestSupport.h"

#include "ui/platform/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace korvex::test {
namespace {

// Runs inspect on the print dialog as soon as it is the active modal dialog, then closes it with
// the given result.
void WhenPrintDialogShows(std::function<void(QPrintDialog&)> inspect, bool accept)
{
    auto* poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, inspect, accept, tries] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (++*tries > 1000) {
                poll->stop();
                poll->deleteLater();
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        inspect(*dialog);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
    poll->start();
}

// A visible control of the dialog that lets the user narrow what is printed.
bool OffersARange(QPrintDialog& dialog)
{
    for (const char* name : {"gbPrintRange", "printRange", "printSelection", "printCurrentPage",
                             "pagesRadioButton", "from", "to"}) {
        const QList<QWidget*> found = dialog.findChildren<QWidget*>(QLatin1String(name));
        for (QWidget* widget : found) {
            if (widget->isVisibleTo(&dialog) && widget->isEnabled())
                return true;
        }
    }
    return false;
}

TEST(PrintDialogTest, OffersNoPageRangeAndPrintsEveryPage)
{
    QtDialogs dialogs;
    QPrinter printer(QPrinter::HighResolution);
    // As another program part or an earlier dialog might have left it.
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);

    bool seen = false;
    bool rangeOffered = true;
    QAbstractPrintDialog::PrintDialogOptions options;
    WhenPrintDialogShows(
        [&](QPrintDialog& dialog) {
            seen = true;
            options = dialog.options();
            rangeOffered = OffersARange(dialog);
        },
        false);
    EXPECT_FALSE(dialogs.ExecPrintDialog(nullptr, printer));

    ASSERT_TRUE(seen);
    EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintPageRange));
    EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintSelection));
    EXPECT_FALSE(options.testFlag(QAbstractPrintDialog::PrintCurrentPage));
    EXPECT_TRUE(options.testFlag(QAbstractPrintDialog::PrintToFile));
    EXPECT_FALSE(rangeOffered);
    EXPECT_EQ(printer.printRange(), QPrinter::AllPages);
    EXPECT_EQ(printer.fromPage(), 0);
    EXPECT_EQ(printer.toPage(), 0);
}

} // namespace
} // namespace korvex::test
