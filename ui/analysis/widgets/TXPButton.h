#pragma once

// The navigation push button of the analysis window, with its picture.

#include <QImage>
#include <QPushButton>

namespace korvex {

// A push button showing a picture; the disabled state shows a grey copy. The fallback text is
// its accessible name.
class TXPButton : public QPushButton {
    Q_OBJECT
public:
    TXPButton(const QString& fallbackText, QWidget* parent = nullptr);
    // Sets the picture: transparent where it has the colour of its bottom-right pixel; the
    // disabled state gets the grey copy.
    void SetImage(const QImage& bitmap);
};

// Indices of the navigation pictures.
enum ButtonImage : int {
    ImageJumpLeft = 0,
    ImageJumpRight = 1,
    ImageScrollLeft = 2,
    ImageScrollRight = 3
};

// The picture of a navigation button (double or single arrow), 16 x 16, transparent around it.
QImage NavigationButtonImage(int index);
// Every pixel becomes the grey level (R + G + B) / 3 / 2 + 96; alpha is kept.
QImage GreyButtonImage(const QImage& image);
// Transparent where the picture has the colour of its bottom-right pixel.
QImage TransparentByCorner(const QImage& image);

} // namespace korvex
