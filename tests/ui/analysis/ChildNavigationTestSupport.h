#pragma once

// An analysis window with all its parts, loaded from small generated logs (one line every ten
// minutes: T1, T2, V', P, R1, R2, R3). Each test names the days every device has and the period
// chosen in the open dialog.

#include "tests/ui/analysis/ChildGraphsTestSupport.h"

#include "core/views/Navigation.h"
#include "ui/analysis/parts/ChildNavigation.h"
#include "ui/analysis/widgets/TXPButton.h"
#include "ui/analysis/parts/YieldSummaryPart.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QTabBar>
#include <QTimer>

#include <utility>

namespace korvex::test {

inline DayTime DayOf(const QDate& d)
{
    return EncodeDate(d.year(), d.month(), d.day());
}

// Day number plus hours and minutes.
inline DayTime At(const QDate& d, int hours, int minutes = 0)
{
    return DayOf(d) + (hours * 60 + minutes) / 1440.0;
}

class NavigationWindow : public ::testing::Test {
protected:
    NavigationWindow()
    {
        window = new TChildform;
        W().chart->SetMonthNames(MonthNames::English());
        window->resize(1100, 760);
        window->show();
        QApplication::processEvents();
    }
    ~NavigationWindow() override
    {
        delete window;
    }

    // Loads (device, day) files for the period as the open-analysis dialog does.
    void Load(const std::vector<std::pair<int, QDate>>& files, const QDate& from, const QDate& to)
    {
        std::vector<std::string> numbers;
        std::vector<std::string> paths;
        for (const auto& [device, day] : files) {
            const std::string number =
                QStringLiteral("%1").arg(device, 2, 10, QLatin1Char('0')).toStdString();
            if (std::find(numbers.begin(), numbers.end(), number) == numbers.end())
                numbers.push_back(number);
        }
        // Grouped by device, ascending dates, as the dialog hands them over.
        for (const std::string& number : numbers) {
            for (const auto& [device, day] : files) {
                if (std::stoi(number) == device)
                    paths.push_back(WriteFile(logs.path(), LogName(device, day),
                                              MakeDayLog(day, StandardColumns()))
                                        .toStdString());
            }
        }
        window->BeginAnalysis(static_cast<int>(paths.size()), numbers, DayOf(from), DayOf(to));
        for (const std::string& path : paths)
            window->AddLogFile(path);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            window->BuildDeviceView(static_cast<int>(i));
        window->FinishAnalysis();
        QApplication::processEvents();
    }

    ChildNavigation& Nav() { return window->Navigation(); }
    ChildGraphs& G() { return window->Graphs(); }
    const ChildWidgets& W() const { return window->Widgets(); }
    const ChildState& S() { return window->State(); }
    AnalysisDataSet& Set(int i) { return *S().DataSet(i); }
    int Field(const std::string& key, int device = 0)
    {
        return Set(device).deviceSettings()->find(key);
    }

    DayTime Start() const { return W().chart->BottomAxis().Minimum(); }
    DayTime End() const { return W().chart->BottomAxis().Maximum(); }
    DayTime Start2() const { return W().chart2->BottomAxis().Minimum(); }
    DayTime End2() const { return W().chart2->BottomAxis().Maximum(); }
    QString Title() const { return W().chart->TitleLines().join(QLatin1Char('\n')); }
    int SliderMax() const { return W().sliderTime->maximum(); }
    int SliderPos() const { return W().sliderTime->value(); }

    // The user picks a span item.
    void Span(int item) { W().spanTime->setCurrentIndex(item); }

    void Press(QWidget* button, Qt::MouseButton mouse = Qt::LeftButton)
    {
        const QPointF at(button->width() / 2.0, button->height() / 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, at, button->mapToGlobal(at), mouse, mouse,
                          Qt::NoModifier);
        QApplication::sendEvent(button, &press);
    }
    void Release(QWidget* button, Qt::MouseButton mouse = Qt::LeftButton)
    {
        const QPointF at(button->width() / 2.0, button->height() / 2.0);
        QMouseEvent release(QEvent::MouseButtonRelease, at, button->mapToGlobal(at), mouse,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(button, &release);
    }
    void Key(QWidget* button, QEvent::Type type, int key, bool autoRepeat = false)
    {
        QKeyEvent event(type, key, Qt::NoModifier,
                        key == Qt::Key_Space ? QStringLiteral(" ") : QString(), autoRepeat);
        QApplication::sendEvent(button, &event);
    }

    // The error boxes shown so far, by their texts.
    std::vector<std::string> Errors() const
    {
        std::vector<std::string> out;
        for (const auto& call : doubles.prompts.calls)
            out.push_back(call.text.toStdString());
        return out;
    }

    PrivateHome home;
    PlatformDoubles doubles;
    QTemporaryDir logs;
    TChildform* window = nullptr;
};

} // namespace korvex::test
