#include "ui/shell/RecentDirs.h"

#include "core/services/AppSettings.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>

namespace korvex {

namespace {

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
            completer_.setCompletionPrefix(QString());
            completer_.complete();
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
    }
    static_cast<QStringListModel*>(completer->model())->setStringList(dirs);
}

} // namespace korvex
