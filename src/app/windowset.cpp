#include "windowset.h"

#include "app/screenreach.h"
#include "runtime/runtime.h"
#include "windows/alarm/alarmwindow.h"
#include "windows/countdown/countdownwindow.h"
#include "windows/editor/editorwindow.h"
#include "windows/mini/minicountdownwindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>

WindowSet::WindowSet(Runtime &runtime, const QString &examDate)
    : m_runtime(runtime), m_examDate(examDate)
{
    for (QScreen *screen : QGuiApplication::screens())
        watchScreen(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen *screen) {
        watchScreen(screen);
        onScreensChanged();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &WindowSet::onScreensChanged);
}

WindowSet::~WindowSet()
{
    for (QPointer<QWidget> &window : m_open) {
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
    m_open[index(kind)] = created;
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
    // Its boxes and dialogs are windows of their own, which hiding it leaves up: they go first,
    // unanswered, and are deleted with it.
    for (QWidget *child : doomed->findChildren<QWidget *>()) {
        if (child->isWindow())
            child->hide();
    }
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
    return int(std::count_if(m_open.begin(), m_open.end(),
        [](const QPointer<QWidget> &window) { return !window.isNull(); }));
}

void WindowSet::setExamDate(const QString &examDate)
{
    m_examDate = examDate;
    emit examDateChanged();
}

QWidget *WindowSet::openBoard()
{
    QWidget *board = open(window(WindowKind::Mini) ? WindowKind::Mini : WindowKind::Countdown);
    if (board)
        keepWithinScreens(*board);
    return board;
}

void WindowSet::closeAll()
{
    for (std::size_t kind = 0; kind < m_open.size(); ++kind)
        destroy(WindowKind(kind));
}

void WindowSet::watchScreen(QScreen *screen)
{
    connect(screen, &QScreen::geometryChanged, this, &WindowSet::onScreensChanged);
    connect(screen, &QScreen::availableGeometryChanged, this, &WindowSet::onScreensChanged);
}

void WindowSet::onScreensChanged()
{
    // Once the change is complete: a removed screen is still listed while it is reported.
    QTimer::singleShot(0, this, [this] {
        for (const QPointer<QWidget> &window : m_open) {
            if (window)
                keepWithinScreens(*window);
        }
    });
}

void WindowSet::forget(QObject *window)
{
    for (QPointer<QWidget> &slot : m_open) {
        if (slot.data() == window)
            slot.clear();
    }
    if (openCount() == 0)
        emit allClosed();
}
