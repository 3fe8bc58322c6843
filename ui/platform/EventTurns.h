#pragma once

// Work that waits for the paints its window is about to ask for.
//
// A drawing that is queued now asks for its window's paint only while it runs, so a task queued
// next to it would run before that paint. Queued from the turn after, it runs once the paint is
// done: the first view of a load is on the screen before housekeeping or the function check.

#include <QCoreApplication>
#include <QObject>
#include <QTimer>

#include <utility>

namespace korvex {

// Runs work two turns of the event loop from now; nothing runs once context is gone (the
// application when null).
template <class Work>
void AfterQueuedPaints(QObject* context, Work work)
{
    QObject* const owner = context ? context : QCoreApplication::instance();
    QTimer::singleShot(0, owner, [owner, work = std::move(work)]() mutable {
        QTimer::singleShot(0, owner, std::move(work));
    });
}

} // namespace korvex
