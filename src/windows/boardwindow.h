#pragma once

#include "widgets/layouttable.h"
#include "windows/windowopener.h"

#include <QBitmap>
#include <QPixmap>
#include <QWidget>

class TransparentLabel;
class WindowDrag;

// A borderless board drawn as a picture and shaped by it: pure-white pixels of the picture are
// cut out of the window. While movable, a press anywhere that no control takes drags the window.
// Both boards share their days figure (a left press pins the board, a right press frees it), their
// exit question and their figures.
class BoardWindow : public QWidget
{
    Q_OBJECT
public:
    BoardWindow(WindowOpener &windows, WindowKind kind, const QString &picture, const QSize &size);

    void setMovable(bool movable);
    bool isMovable() const;
    const QPixmap &picture() const { return m_picture; }

protected:
    WindowOpener &windows() const { return m_windows; }
    // Builds the board's controls; `daysFigure` and `exit` are the names of its days figure and
    // its exit label.
    layout::Controls build(
        std::span<const layout::Row> rows, const char *daysFigure, const char *exit);
    // Cuts the picture's pure-white pixels out of the window.
    void setShapeFromPicture();
    void writeDaysLeft(TransparentLabel *figure) const;
    void writeHoursLeft(TransparentLabel *figure) const;
    // Opens the other board and closes this one. Open first: the program must never be left
    // without a window in between.
    void switchTo(WindowKind other);

    void paintEvent(QPaintEvent *event) override;

private:
    void onDaysFigurePressed();
    void onDaysFigureRightPressed();
    void onExitPressed();

    WindowOpener &m_windows;
    WindowKind m_kind;
    QPixmap m_picture;
    QBitmap m_shape;
    WindowDrag *m_drag;
};
