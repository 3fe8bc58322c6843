#pragma once

// Saved pictures as JPEG files, encoded by libjpeg itself: the program does not depend on which
// image plugins a Qt installation carries.

#include "core/services/Errors.h"

#include <QString>

class QImage;

namespace korvex {

// A picture file that cannot be created or written: the system's reason, then the path in
// parentheses on the next line.
class PictureFileError : public KorvexError {
public:
    PictureFileError(const QString& reason, const QString& path);
};

constexpr int kPictureJpegQuality = 100;

// Writes image to path as a baseline JPEG (RGB, 96 dots per inch). Throws PictureFileError with the
// system's reason and the path when the file cannot be created or written; a partly written
// file is removed again.
void WriteJpeg(const QImage& image, const QString& path, int quality = kPictureJpegQuality);

} // namespace korvex
