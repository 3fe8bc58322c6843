#pragma once

#include <QApplication>

#include <exception>

namespace korvex {

// The application object. Its notify() is the application-wide error handler: an exception that
// escapes an event handler is shown in the error box instead of ending the program.
class KorvexApplication : public QApplication {
    Q_OBJECT
public:
    KorvexApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the message of the given exception in the error box (caption text 50).
    static void ReportException(std::exception_ptr error);
};

} // namespace korvex
