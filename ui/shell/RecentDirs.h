#pragma once

// The open dialog's directory field offers the last directories analysed (newest first, those
// that no longer exist left out): as completions while typing, all of them on the Down key or the
// field's arrow, which shows only while there is a directory to offer.

class QLineEdit;

namespace korvex {

class AppSettings;

// Sets the field's offer from the settings (no offer without settings).
void OfferRecentDirs(QLineEdit& field, const AppSettings* settings);

} // namespace korvex
