#pragma once

// The open dialog's directory field offers the last directories analysed (newest first, those
// that no longer exist left out): as completions while typing, all of them on the Down key or the
// field's arrow, which shows only while there is a directory to offer.

#include <QObject>

class QAction;
class QCompleter;
class QLineEdit;

namespace korvex {

class AppSettings;

// The offer of one field, a child object of it; the arrow is hidden until the first Update.
class RecentDirsOffer : public QObject {
public:
    explicit RecentDirsOffer(QLineEdit& field);
    // Sets the offer from the settings (no offer without settings).
    void Update(const AppSettings* settings);

private:
    QCompleter* completer_ = nullptr;
    QAction* drop_ = nullptr;
};

} // namespace korvex
