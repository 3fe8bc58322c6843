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

RecentDirsOffer::RecentDirsOffer(QLineEdit& field) : QObject(&field)
{
    completer_ = new QCompleter(new QStringListModel(&field), &field);
    completer_->setCaseSensitivity(Qt::CaseSensitive);
    completer_->setMaxVisibleItems(kRecentDirCount);
    field.setCompleter(completer_);
    new ShowAllOnDown(field, *completer_);
    // The arrow shows that there is a list at all; the Down key alone was never found.
    drop_ = field.addAction(field.style()->standardIcon(QStyle::SP_ArrowDown),
                            QLineEdit::TrailingPosition);
    drop_->setObjectName(QStringLiteral("ShowRecentDirs"));
    QObject::connect(drop_, &QAction::triggered, completer_, [completer = completer_, &field] {
        field.setFocus(Qt::OtherFocusReason);
        ShowAll(*completer);
    });
    drop_->setVisible(false);
}

void RecentDirsOffer::Update(const AppSettings* settings)
{
    QStringList dirs;
    if (settings)
        for (const std::string& dir : settings->recentDirs(true))
            dirs << QString::fromStdString(dir);
    static_cast<QStringListModel*>(completer_->model())->setStringList(dirs);
    drop_->setVisible(!dirs.isEmpty());
}

} // namespace korvex
