#include "ui/shell/KorvexApplication.h"

#include "ui/platform/Prompts.h"
#include "ui/shell/DesktopIntegration.h"

#include <QProxyStyle>

namespace korvex {

namespace {

// Hints appear after 50 ms.
class HintPauseStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 50;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

KorvexApplication::KorvexApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setStyle(new HintPauseStyle);
    IntegrateWithDesktop(*this);
}

bool KorvexApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportException(std::current_exception());
        return false;
    }
}

void KorvexApplication::ReportException(std::exception_ptr error)
{
    if (!error)
        return;
    QString message;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        // Not one of ours; the message is internal like "Invalid state".
        message = QStringLiteral("Unknown error");
    }
    ShowErrorBox(QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget()
                                                              : QApplication::activeWindow(),
                 message);
}

} // namespace korvex
