// The file-error dialog: its lines, when it shows, and its relabelling.

#include "tests/ui/doubles/UiTestSupport.h"

#include "ui/platform/UiText.h"
#include "ui/shell/TDialogFileError.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace korvex::test {
namespace {

TEST(FileErrorDialog, KeepsThreeLinesPerFileAndForgetsThemOnClear)
{
    TDialogFileError dialog;
    EXPECT_FALSE(dialog.HasErrors());
    const QStringList lines = {"/logs/01100502.csv",
                               "First reason",
                               "",
                               "/logs/01100503.csv",
                               "Second reason\n(with detail)",
                               ""};
    dialog.TakeErrors(lines);
    EXPECT_TRUE(dialog.HasErrors());
    EXPECT_EQ(dialog.Lines(),
              (QStringList{"/logs/01100502.csv", "First reason", "", "/logs/01100503.csv",
                           "Second reason", "(with detail)", ""}));

    dialog.Clear();
    EXPECT_FALSE(dialog.HasErrors());
    EXPECT_TRUE(dialog.Lines().isEmpty());
}

TEST(FileErrorDialog, ShowsOnlyWithErrorsThenEmptiesItself)
{
    PrivateHome home;
    TDialogFileError dialog;

    // Nothing to show: returns at once without a dialog.
    dialog.ShowIfErrors();
    EXPECT_FALSE(dialog.isVisible());

    dialog.TakeErrors({"/logs/a.csv", "Broken", ""});
    bool shown = false;
    QString caption, label, button;
    WhenVisible(&dialog, [&] {
        shown = true;
        caption = dialog.windowTitle();
        label = dialog.findChild<QLabel*>("LabelCaption")->text();
        QPushButton* ok = dialog.findChild<QPushButton*>("ButtonOk");
        button = ok->text();
        EXPECT_TRUE(ok->hasFocus() || !dialog.isActiveWindow());
        ok->click();
    });
    dialog.ShowIfErrors();
    EXPECT_TRUE(shown);
    EXPECT_EQ(caption, UiText(TextId::CaptionError) + ":");
    EXPECT_EQ(caption, QStringLiteral("Error:"));
    EXPECT_EQ(label, UiText(TextId::ErrorsOpeningLogFile));
    EXPECT_EQ(button, UiText(TextId::ButtonOk));
    EXPECT_FALSE(dialog.HasErrors());
    EXPECT_TRUE(dialog.Lines().isEmpty());
}

} // namespace
} // namespace korvex::test
