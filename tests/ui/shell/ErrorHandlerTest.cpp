// Errors that escape a timer, a menu command or a button reach the application's error handler
// through the event loop and show exactly one error box, and the program goes on.

#include "tests/ui/shell/OpenTestSupport.h"
#include "tests/ui/shell/TDialogSettingsTestSupport.h"
#include "tests/ui/shell/TMainformTestSupport.h"

#include "ui/chart/ChartAxis.h"
#include "ui/chart/ChartWidget.h"
#include "ui/platform/UiText.h"
#include "ui/shell/TDialogSettings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include <memory>
#include <stdexcept>

namespace korvex::test {
namespace {

// A desktop whose resolution query fails while armed: an analysis window cannot be created.
class FailingDesktop final : public Desktop {
public:
    std::optional<QRect> WorkArea() override { return QRect(0, 0, 1600, 1000); }
    int PixelsPerInchY() override
    {
        if (armed)
            throw std::runtime_error("no screen");
        return 96;
    }
    bool armed = false;
};

class ErrorHandler : public MainWindowTest {
protected:
    ~ErrorHandler() override { ThePlatform().desktop = savedDesktop; }

    // Exactly one box, the error box with this text.
    void ExpectOneErrorBox(const QString& text)
    {
        ASSERT_EQ(doubles.prompts.calls.size(), 1u);
        const FakePrompts::Call& box = doubles.prompts.calls.front();
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, UiText(TextId::CaptionError));
        EXPECT_EQ(box.icon, PromptIcon::Error);
        EXPECT_EQ(box.buttons, PromptButtons::Ok);
    }

    static void Click(QWidget* widget)
    {
        const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &release);
    }

    Desktop* savedDesktop = ThePlatform().desktop;
    FailingDesktop desktop;
};

TEST_F(ErrorHandler, StartTimerThatCannotCreateAWindowShowsText96)
{
    ThePlatform().desktop = &desktop;
    Create();
    doubles.prompts.calls.clear();
    // Should the dialog come up after all, it is closed at once (and the test fails).
    TDialogOpenAnalysis* dialog = &main->OpenAnalysisDialog();
    auto guarding = std::make_shared<bool>(true);
    auto dialogShown = std::make_shared<bool>(false);
    WhenVisible(dialog, [dialog, guarding, dialogShown] {
        if (!*guarding)
            return;
        *dialogShown = true;
        dialog->reject();
    });

    desktop.armed = true;
    main->OnActivate(); // starts the one-shot timer whose tick runs Open
    ASSERT_TRUE(WaitUntil([this] { return !doubles.prompts.calls.empty(); }, 3000));
    QApplication::processEvents();

    ExpectOneErrorBox(UiText(TextId::WindowNotOpened));
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_FALSE(*dialogShown);
    EXPECT_FALSE(main->Timer()->isActive());

    // The program goes on: the next Open works.
    *guarding = false;
    desktop.armed = false;
    ASSERT_TRUE(Open(false));
    EXPECT_EQ(doubles.prompts.calls.size(), 1u);
}

TEST_F(ErrorHandler, LanguageFromTheMenuThatCannotBeStoredShowsText94)
{
    Create();
    main->OnActivate();
    main->Timer()->stop();
    QFile::remove(home.IniPath());
    ASSERT_TRUE(QDir().mkpath(home.IniPath())); // a folder where the file should be
    doubles.prompts.calls.clear();

    // The user opens the language menu and picks English with the keyboard.
    QMenu* menu = main->Menus().MenuLanguage;
    menu->popup(QPoint(10, 10));
    ASSERT_TRUE(WaitUntil([menu] { return menu->isVisible(); }));
    menu->setActiveAction(A().ActionLanguage[1]);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(menu, &enter);
    QApplication::processEvents();

    // Text 94 in the language just chosen; the switch itself stays.
    EXPECT_EQ(CurrentTextBlock(), BlockEnglish);
    ExpectOneErrorBox(UiText(TextId::SettingsFileAccessFailed));
    EXPECT_TRUE(A().ActionLanguage[1]->isChecked());
    EXPECT_FALSE(menu->isVisible());

    // The menu still works afterwards (this language is checked: nothing to store, no box).
    menu->popup(QPoint(10, 10));
    ASSERT_TRUE(WaitUntil([menu] { return menu->isVisible(); }));
    menu->setActiveAction(A().ActionLanguage[1]);
    QApplication::sendEvent(menu, &enter);
    EXPECT_EQ(doubles.prompts.calls.size(), 1u);
}

TEST_F(ErrorHandler, SettingsButtonWhoseSettingsCannotBeStoredShowsText94AfterApplying)
{
    Create();
    ASSERT_TRUE(Open(true));
    ASSERT_EQ(WindowCount(), 1);
    TChildform* window = main->AnalysisWindows().first();
    // Three days of one device, loaded as the open dialog does.
    QTemporaryDir logs;
    WriteDays(logs.path(), 10, QDate(2010, 5, 1), QDate(2010, 5, 3));
    window->BeginAnalysis(3, {"10"}, EncodeDate(2010, 5, 1), EncodeDate(2010, 5, 3));
    for (int day = 1; day <= 3; ++day)
        window->AddLogFile((logs.path() + "/" + LogName(10, QDate(2010, 5, day))).toStdString());
    window->BuildDeviceView(0);
    window->FinishAnalysis();
    ASSERT_NE(main->SettingsDialog(), nullptr);
    QFile::remove(home.IniPath());
    ASSERT_TRUE(QDir().mkpath(home.IniPath())); // a folder where the file should be
    doubles.prompts.calls.clear();
    doubles.prompts.answers = {PromptAnswer::Yes}; // keep them for future analyses

    // The user fixes the axis range in the dialog and confirms with OK.
    TDialogSettings* dialog = main->SettingsDialog();
    WhenVisible(dialog, [dialog] {
        const SettingsDialogControls& c = dialog->Controls();
        c.RadioAxisFixed->click();
        TypeInto(c.EditYMin, QStringLiteral("0"));
        TypeInto(c.EditYMax, QStringLiteral("180"));
        c.OKBtn->click();
    });
    Click(window->Widgets().buttonSettings);
    QApplication::processEvents();

    // The question, then one error box; the settings stay applied to the window.
    ASSERT_EQ(doubles.prompts.calls.size(), 2u);
    EXPECT_EQ(doubles.prompts.calls[0].text, UiText(TextId::SettingsAdoptedSaveToo));
    doubles.prompts.calls.erase(doubles.prompts.calls.begin());
    ExpectOneErrorBox(UiText(TextId::SettingsFileAccessFailed));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(window->State().defaults.axisMax, 180);
    EXPECT_EQ(window->Widgets().chart->LeftAxis().Maximum(), 180);
}

} // namespace
} // namespace korvex::test
