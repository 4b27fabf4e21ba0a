#pragma once

#include "colour.h"
#include "fontrecord.h"
#include "windowdrag.h"

#include <QBitmap>
#include <QPixmap>
#include <QWidget>

class QTimer;
class Runtime;
class TransparentLabel;

// One row of a board's layout table.
struct LabelRow
{
    const char *name;
    QRect rect;
    const char *text;
    const char *face; // nullptr: no font of its own; "": the standard face
    int pixels;
    int weight;
    FontRecord::Charset charset;
    Colour colour;
    Qt::CursorShape cursor;
    bool pressable;
};

// A borderless window drawn as a picture and shaped by it: pure-white pixels of the picture are
// cut out of the window. While movable, a press anywhere that no control takes drags the window.
class BoardWindow : public QWidget
{
    Q_OBJECT
public:
    BoardWindow(const QString &picture, const QSize &size);

    void setMovable(bool movable) { m_movable = movable; }
    bool isMovable() const { return m_movable; }
    const QPixmap &picture() const { return m_picture; }

protected:
    TransparentLabel *addLabel(const LabelRow &row);
    TransparentLabel *label(const char *name) const;
    QTimer *addTimer(const char *name, int interval);
    // Cuts the picture's pure-white pixels out of the window.
    void setShapeFromPicture();
    // Pins the board to the desktop, where it stays put until it is made movable again.
    void pinToDesktop(Runtime &runtime);
    // Both boards ask the same question before they close; true on 确认.
    bool confirmExit(Runtime &runtime);

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    QBitmap m_shape;
    bool m_movable = true;
    WindowDrag m_drag;
};
