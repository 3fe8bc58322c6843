#pragma once

#include "core/services/AppSettings.h"
#include "core/services/TextCatalogue.h"
#include "tests/ui/doubles/PlatformDoubles.h"
#include "tests/ui/doubles/UiTestSupport.h"
#include "ui/analysis/window/TChildform.h"
#include "ui/shell/TDialogOpenAnalysis.h"
#include "ui/shell/TMainform.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace korvex::test {

// A main window over doubles and its own settings folder.
class MainWindowTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (main)
            main->Timer()->stop();
        main.reset();
    }

    void Create() { main = std::make_unique<TMainform>(); }

    const MainActions& A() const { return main->Actions(); }
    int WindowCount() const { return int(main->AnalysisWindows().size()); }

    // Runs the Open action; the open-analysis dialog ends with OK (RootDir = directory, when
    // given) or is cancelled. Returns whether the dialog was shown at all.
    bool Open(bool confirm, const QString& directory = QString())
    {
        TDialogOpenAnalysis* dialog = &main->OpenAnalysisDialog();
        auto shown = std::make_shared<bool>(false);
        WhenVisible(
            dialog,
            [dialog, confirm, directory, shown] {
                *shown = true;
                if (!directory.isEmpty())
                    dialog->RootDir()->setText(directory);
                dialog->done(confirm ? QDialog::Accepted : QDialog::Rejected);
            },
            2000);
        main->ActionOpenExecute();
        return *shown;
    }

    void OpenWindows(int count)
    {
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(Open(true));
        ASSERT_EQ(WindowCount(), count);
    }

    PrivateHome home; // before the doubles: the settings object goes last
    PlatformDoubles doubles;
    std::unique_ptr<TMainform> main;
};

} // namespace korvex::test
