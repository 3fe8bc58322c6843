#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace korvex {

// State of the Esc key as a long load on the UI thread polls it between files.
class EscapeKey {
public:
    virtual ~EscapeKey() = default;
    // The window whose Esc presses count (the open-analysis dialog); nullptr stops watching.
    virtual void Watch(QWidget* window) = 0;
    // Esc is held down now, or was pressed since the last call while the watched window was the
    // active window. Clears the "pressed since" latch.
    virtual bool PressedOrLatched() = 0;
    // Esc is held down now (used to wait for its release before a load starts).
    virtual bool IsHeld() = 0;
    // The watched window is the application's active window.
    virtual bool WatchedWindowIsActive() = 0;
};

// An application event filter: latches Esc presses while the watched window is the active
// window; "held" is the key between its press and its release. It only observes, never eats
// the key.
class QtEscapeKey final : public QObject, public EscapeKey {
    Q_OBJECT
public:
    QtEscapeKey();
    ~QtEscapeKey() override;

    void Watch(QWidget* window) override;
    bool PressedOrLatched() override;
    bool IsHeld() override;
    bool WatchedWindowIsActive() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Install();

    QPointer<QWidget> window_;
    bool installed_ = false;
    bool held_ = false;
    bool latched_ = false;
};

} // namespace korvex
