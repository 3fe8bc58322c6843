#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

class QWidget;

namespace korvex {

constexpr int kMaxFileNameLength = 259;

// The sixteen custom colours of the colour chooser: the starting colour, then the first fifteen
// colours of the default field palette. 0x00BBGGRR.
std::array<std::uint32_t, 16> CustomColorsFor(std::uint32_t start);

// "Image files (*.jpg)|*.jpg|All files (*.*)|*" -> {"Image files (*.jpg) (*.jpg)", ...}: pairs of
// display name and pattern; a missing closing "|" is tolerated, an empty text gives no filter.
// Empty display names take the pattern.
QStringList FileDialogFilters(const QString& filterText);

// Asks for a file to open (open = true) or a name to save under. path: in the initial file name
// (cut to 259 characters), out the chosen path. defaultExtension like "*.jpg", "jpg" or empty.
// True when the user confirmed; false leaves path unchanged.
bool ChooseFile(QString& path, QWidget* owner, const QString& filterText, bool open,
                const QString& defaultExtension, const QString& initialDirectory);

// Colour chooser (0x00BBGGRR). colour changes only when the user confirms. True when confirmed.
bool ChooseColor(std::uint32_t& colour, QWidget* owner);

} // namespace korvex
