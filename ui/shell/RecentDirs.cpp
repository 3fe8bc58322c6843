#include "ui/shell/RecentDirs.h"

#include "core/services/AppSettings.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>
#include <QStyle>

namespace korvex {

namespace {

void ShowAll(QCompleter& completer)
{
    completer.setCompletionPrefix(QString());
    completer.complete();
}

// Down in the field opens the whole list, whatever has been typed.
class ShowAllOnDown : public QObject {
public:
    ShowAllOnDown(QLineEdit& field, QCompleter& completer) : QObject(&field), completer_(completer)
    {
        field.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down &&
            !completer_.popup()->isVisible()) {
            ShowAll(completer_);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QCompleter& completer_;
};

} // namespace

void OfferRecentDirs(QLineEdit& field, const AppSettings* settings)
{
    QStringList dirs;
    if (settings)
        for (const std::string& dir : settings->recentDirs(true))
            dirs << QString::fromStdString(dir);
    auto* completer = qobject_cast<QCompleter*>(field.completer());
    if (!completer) {
        completer = new QCompleter(new QStringListModel(&field), &field);
        completer->setObjectName(QStringLiteral("RecentDirs"));
        completer->setCaseSensitivity(Qt::CaseSensitive);
        completer->setMaxVisibleItems(kRecentDirCount);
        field.setCompleter(completer);
        new ShowAllOnDown(field, *completer);
        // The arrow shows that there is a list at all; the Down key alone was never found.
        QAction* drop = field.addAction(field.style()->standardIcon(QStyle::SP_ArrowDown),
                                        QLineEdit::TrailingPosition);
        drop->setObjectName(QStringLiteral("ShowRecentDirs"));
        QObject::connect(drop, &QAction::triggered, completer, [completer, &field] {
            field.setFocus(Qt::OtherFocusReason);
            ShowAll(*completer);
        });
    }
    static_cast<QStringListModel*>(completer->model())->setStringList(dirs);
    if (auto* drop = field.findChild<QAction*>(QStringLiteral("ShowRecentDirs")))
        drop->setVisible(!dirs.isEmpty());
}

} // namespace korvex
