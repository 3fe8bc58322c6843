#include "ui/shell/DropOpen.h"

#include "core/logdata/LogDirectory.h"
#include "ui/platform/Prompts.h"
#include "ui/shell/DateField.h"
#include "ui/shell/TDialogOpenAnalysis.h"
#include "ui/shell/TMainform.h"

#include <QApplication>
#include <QDate>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <filesystem>

namespace korvex {

namespace {

namespace fs = std::filesystem;

std::vector<std::string> LocalPaths(const QMimeData* mime)
{
    std::vector<std::string> paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile())
            return {};
        paths.push_back(url.toLocalFile().toStdString());
    }
    return paths;
}

QDate ToDate(DayTime day)
{
    return QDate(1899, 12, 30).addDays(static_cast<qint64>(day));
}

} // namespace

std::optional<DropPlan> PlanDrop(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return std::nullopt;
    std::error_code ec;
    if (paths.size() == 1 && fs::is_directory(paths[0], ec))
        return DropPlan{paths[0], std::nullopt, std::nullopt};
    DropPlan plan;
    for (const std::string& path : paths) {
        const fs::path p(path);
        int key = 0;
        DayTime day = 0;
        const std::string name = p.filename().string();
        if (!fs::is_regular_file(p, ec) || !LogFileSortKey(name, key) ||
            !LogFileNameDate(name, day))
            return std::nullopt;
        const std::string folder = p.parent_path().string();
        if (plan.directory.empty())
            plan.directory = folder;
        else if (folder != plan.directory)
            return std::nullopt;
        plan.from = plan.from ? std::min(*plan.from, day) : day;
        plan.to = plan.to ? std::max(*plan.to, day) : day;
    }
    return plan;
}

DropOpen::DropOpen(TMainform& main) : QObject(&main), main_(main)
{
    main_.setAcceptDrops(true);
    main_.installEventFilter(this);
}

bool DropOpen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &main_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* e = static_cast<QDropEvent*>(event);
            // Refused drops keep the "cannot drop" cursor; nothing is said. While a modal dialog
            // (the open dialog itself, a question) is up, nothing may start another opening.
            if (!QApplication::activeModalWidget() && PlanDrop(LocalPaths(e->mimeData())))
                e->acceptProposedAction();
            else
                e->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* e = static_cast<QDropEvent*>(event);
            const std::optional<DropPlan> plan = QApplication::activeModalWidget()
                                                     ? std::nullopt
                                                     : PlanDrop(LocalPaths(e->mimeData()));
            if (!plan) {
                e->ignore();
                return true;
            }
            e->acceptProposedAction();
            std::function<void(TDialogOpenAnalysis&)> setRange;
            if (plan->from && plan->to) {
                const QDate from = ToDate(*plan->from), to = ToDate(*plan->to);
                setRange = [from, to](TDialogOpenAnalysis& dialog) {
                    dialog.DateFrom()->setDate(from);
                    dialog.DateTo()->setDate(to);
                };
            }
            // After the drop has ended: the dialog's own event loop must not hold the drag.
            const QString directory = QString::fromStdString(plan->directory);
            QTimer::singleShot(0, &main_, [main = &main_, directory, setRange] {
                try {
                    main->OpenAnalysis(directory, setRange);
                } catch (const std::exception& error) {
                    ShowErrorBox(main, QString::fromUtf8(error.what()));
                }
            });
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
    }
}

} // namespace korvex
