#include "windowdrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

WindowDrag::WindowDrag(QWidget &window) : QObject(&window), m_dragged(window)
{
    window.installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &m_dragged)
        return false;
    switch (event->type()) {
    // A double click is a press too: the second press of a quick pair starts a drag as well.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_enabled || mouse->button() != Qt::LeftButton)
            return true;
        // Let the window manager move the window where it can (Wayland allows nothing else).
        QWindow *handle = m_dragged.windowHandle();
        if (!handle || !handle->startSystemMove())
            m_offset = mouse->globalPosition().toPoint() - m_dragged.frameGeometry().topLeft();
        return true;
    }
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_enabled && m_offset && (mouse->buttons() & Qt::LeftButton))
            m_dragged.move(mouse->globalPosition().toPoint() - *m_offset);
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_offset.reset();
        return true;
    default:
        return false;
    }
}
