#pragma once

#include <QPoint>
#include <optional>

class QMouseEvent;
class QWidget;

// Moves a window that has no title bar while the left button is held down on it.
class WindowDrag
{
public:
    void press(QWidget &window, QMouseEvent *event);
    void move(QWidget &window, QMouseEvent *event);
    void release() { m_offset.reset(); }

private:
    std::optional<QPoint> m_offset;
};
