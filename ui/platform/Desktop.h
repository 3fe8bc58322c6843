#pragma once

#include <QRect>

#include <optional>

class QWidget;

namespace korvex {

// The screen as the program sees it.
class Desktop {
public:
    virtual ~Desktop() = default;
    // The desktop without task bars and panels; nothing when the platform does not tell.
    virtual std::optional<QRect> WorkArea() = 0;
    // Vertical pixels per logical inch of the screen.
    virtual int PixelsPerInchY() = 0;
};

class QtDesktop final : public Desktop {
public:
    std::optional<QRect> WorkArea() override;
    int PixelsPerInchY() override;
};

// Moves a top-level window, keeping its size, to the centre of the work area (the common
// dialogs open there).
void CentreOnWorkArea(QWidget& window);

// Centres the window on the work area when it is first shown, when its final size is known.
void CentreOnWorkAreaWhenShown(QWidget& window);

} // namespace korvex
