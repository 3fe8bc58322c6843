#pragma once

// Saved pictures as JPEG files, encoded by libjpeg itself: the program does not depend on which
// image plugins a Qt installation carries.

#include <QString>

class QImage;

namespace korvex {

constexpr int kPictureJpegQuality = 100;

// Writes image to path as a baseline JPEG (RGB, 96 dots per inch). Throws KorvexError with the
// system's reason and the path when the file cannot be created or written; a partly written
// file is removed again.
void WriteJpeg(const QImage& image, const QString& path, int quality = kPictureJpegQuality);

} // namespace korvex
