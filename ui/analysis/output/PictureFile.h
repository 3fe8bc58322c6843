#pragma once

// The picture files of the analysis window: proposed names, the file dialog's filters, the
// choice between JPEG and bitmap by the chosen name, and writing either.

#include "core/services/DayTime.h"
#include "core/services/Errors.h"
#include "ui/analysis/output/JpegWriter.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

class QImage;
class QWidget;

namespace korvex {

enum class PictureFormat { Jpeg, Bitmap };

struct PictureTarget {
    QString path; // the chosen name, completed with ".jpg" where needed
    PictureFormat format = PictureFormat::Jpeg;
};

// The file name's extension (from its last ".") decides, compared case-sensitively: ".bmp" in
// it makes a bitmap; anything else is a JPEG, and ".jpg" is appended unless the extension holds
// it. So "x.BMP" becomes the JPEG "x.BMP.jpg".
PictureTarget PictureTargetFor(const QString& chosenName);

// The proposed name: base followed by the date part for the span item from the window's
// start and end ("Chart2008_05_15", "Chart_Apr-Jul_2008", "Chart_May_2008", "Chart_2008").
QString DefaultPictureName(const QString& base, int spanItem, DayTime windowStart,
                           DayTime windowEnd, const MonthNames& months);

// The save dialog's filters: JPEG and bitmap pictures, then all files.
QString PictureFilterText();

// Asks for the picture's name (save dialog owned by owner, proposing initialName). Nothing
// when the user cancels. The dialog opens in the folder of the last picture chosen in this run,
// else in logFolder.
std::optional<PictureTarget> ChoosePictureFile(QWidget* owner, const QString& initialName,
                                               const QString& logFolder);
// Forgets the folder of the last picture, as at the start of a run.
void ForgetPictureFolder();

// The deepest folder that holds all the files (absolute paths), or "" for none.
QString CommonFolder(const std::vector<std::string>& files);

// Writes image in the target's format (JPEG at quality 100). Throws PictureFileError.
void WritePicture(const QImage& image, const PictureTarget& target);
void WriteBitmap(const QImage& image, const QString& path);

} // namespace korvex
