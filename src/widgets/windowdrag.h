#pragma once

#include <QObject>
#include <QPoint>
#include <optional>

class QWidget;

// Moves a window that has no title bar while the left button is held down on it. It watches the
// window it is made for and takes every press, move and release that reaches the window itself
// (those no control took); while disabled it takes them and moves nothing.
class WindowDrag : public QObject
{
public:
    explicit WindowDrag(QWidget &window);

    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_dragged;
    std::optional<QPoint> m_offset;
    bool m_enabled = true;
};
