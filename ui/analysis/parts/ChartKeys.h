#pragma once

// Keys of a focused chart: Left/Right move the window as the scroll buttons do, Page Up/Page
// Down as the jump buttons, Home/End go to the first/last day, + and - choose the next shorter
// or longer span. Each key works through the control it stands for, so that it behaves exactly
// as that control.

#include <QObject>

#include <initializer_list>

class QAbstractButton;
class QComboBox;
class QSlider;

namespace korvex {

class ChartWidget;

struct NavigationControls {
    QAbstractButton* scrollLeft = nullptr;
    QAbstractButton* scrollRight = nullptr;
    QAbstractButton* jumpLeft = nullptr;
    QAbstractButton* jumpRight = nullptr;
    QSlider* slider = nullptr;
    QComboBox* spans = nullptr;
};

class ChartKeys : public QObject {
    Q_OBJECT
public:
    // Watches the charts for key presses; they take the focus on a click or by Tab.
    ChartKeys(const NavigationControls& controls, std::initializer_list<ChartWidget*> charts,
              QObject* parent = nullptr);

    // The key's action; false for a key that is not a navigation key.
    bool HandleKey(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Scroll(QAbstractButton* button);

    NavigationControls c_;
};

} // namespace korvex
