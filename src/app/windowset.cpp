#include "windowset.h"

#include "runtime/runtime.h"
#include "windows/alarm/alarmwindow.h"
#include "windows/countdown/countdownwindow.h"
#include "windows/editor/editorwindow.h"
#include "windows/mini/minicountdownwindow.h"

#include <algorithm>

WindowSet::WindowSet(Runtime &runtime, const QString &examDate)
    : m_runtime(runtime), m_examDate(examDate)
{
}

WindowSet::~WindowSet()
{
    for (QPointer<QWidget> &window : m_windows) {
        if (window) {
            disconnect(window, nullptr, this, nullptr);
            delete window;
        }
    }
}

QWidget *WindowSet::create(WindowKind kind)
{
    switch (kind) {
    case WindowKind::Countdown:
        return new CountdownWindow(*this);
    case WindowKind::Mini:
        return new MiniCountdownWindow(*this);
    case WindowKind::Editor:
        return new EditorWindow(*this);
    case WindowKind::Alarm:
        return new AlarmWindow(*this);
    }
    return nullptr;
}

QWidget *WindowSet::open(WindowKind kind)
{
    if (QWidget *existing = window(kind)) {
        // A window hidden to the notification area comes back without its icon, as it would
        // from a click on the icon.
        if (existing->isHidden())
            m_runtime.setNotificationIcon(*existing, QIcon(), QString(), {});
        // show() alone leaves a minimised window minimised.
        existing->setWindowState(existing->windowState() & ~Qt::WindowMinimized);
        existing->show();
        existing->raise();
        existing->activateWindow();
        return existing;
    }
    QWidget *created = create(kind);
    if (!created)
        return nullptr;
    m_windows[index(kind)] = created;
    connect(created, &QObject::destroyed, this, &WindowSet::forget);
    created->show();
    return created;
}

void WindowSet::destroy(WindowKind kind)
{
    QWidget *doomed = window(kind);
    if (!doomed)
        return;
    // The window may be running the handler that destroys it: delete it once that has returned.
    disconnect(doomed, &QObject::destroyed, this, &WindowSet::forget);
    doomed->hide();
    doomed->deleteLater();
    forget(doomed);
}

CountdownWindow *WindowSet::largeBoard() const
{
    // The set made it, as a CountdownWindow.
    return static_cast<CountdownWindow *>(window(WindowKind::Countdown));
}

int WindowSet::openCount() const
{
    return int(std::count_if(m_windows.begin(), m_windows.end(),
        [](const QPointer<QWidget> &window) { return !window.isNull(); }));
}

void WindowSet::setExamDate(const QString &examDate)
{
    m_examDate = examDate;
    emit examDateChanged();
}

QWidget *WindowSet::openBoard()
{
    return open(window(WindowKind::Mini) ? WindowKind::Mini : WindowKind::Countdown);
}

void WindowSet::forget(QObject *window)
{
    for (QPointer<QWidget> &slot : m_windows) {
        if (slot.data() == window)
            slot.clear();
    }
    if (openCount() == 0)
        emit allClosed();
}
