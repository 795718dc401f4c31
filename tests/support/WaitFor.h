#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <functional>

// Lets the event loop run until `condition` holds or `timeoutMs` has passed; returns
// whether it holds.
inline bool waitFor(const std::function<bool()>& condition, int timeoutMs = 15000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}
