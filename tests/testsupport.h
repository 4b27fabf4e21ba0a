#pragma once

#include "windows/windowhost.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace testsupport {

// Presses at `pos` of `window` on whatever control the user would hit there.
inline void pressAt(QWidget *window, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    QWidget *target = window->childAt(pos);
    if (!target)
        target = window;
    QTest::mousePress(target, button, {}, target->mapFrom(window, pos));
}

// Presses in the middle of the control named `name`.
inline void press(QWidget *window, const QString &name, Qt::MouseButton button = Qt::LeftButton)
{
    auto *control = window->findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    QTest::mousePress(control, button, {}, control->rect().center());
}

// One tick of the timer named `name`, without waiting for it.
inline void tick(QWidget *window, const QString &name)
{
    auto *timer = window->findChild<QTimer *>(name);
    QVERIFY2(timer, qPrintable(name));
    QVERIFY(timer->isActive());
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
}

// The control named `name` of the open window of `kind`, or nullptr.
template <typename Control, typename Windows>
Control *controlOf(const Windows &windows, WindowKind kind, const char *name)
{
    QWidget *owner = windows.window(kind);
    return owner ? owner->findChild<Control *>(QString::fromUtf8(name)) : nullptr;
}

// Runs the deletions that closing windows have posted.
inline void processDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace testsupport
