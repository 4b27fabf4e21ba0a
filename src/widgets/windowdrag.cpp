#include "windowdrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

void WindowDrag::press(QWidget &window, QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // Let the window manager move the window where it can (Wayland allows nothing else).
    if (window.windowHandle() && window.windowHandle()->startSystemMove())
        return;
    m_offset = event->globalPosition().toPoint() - window.frameGeometry().topLeft();
}

void WindowDrag::move(QWidget &window, QMouseEvent *event)
{
    if (m_offset && (event->buttons() & Qt::LeftButton))
        window.move(event->globalPosition().toPoint() - *m_offset);
}
