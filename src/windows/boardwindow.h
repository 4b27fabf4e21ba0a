#pragma once

#include "runtime/runtime.h"
#include "widgets/layouttable.h"
#include "windows/windowhost.h"

#include <QImage>
#include <QThread>
#include <QWidget>
#include <memory>

class TransparentLabel;
class WindowDrag;

// A board's picture as decoded: `sharp` only on screens of more than one device pixel per pixel.
struct BoardPictures
{
    QImage plain;
    QImage sharp;
};

// A borderless board drawn as a picture and shaped by it: pure-white pixels of the picture are
// cut out of the window. While movable, a press anywhere that no control takes drags the window.
// Both boards share their days figure (a left press pins the board, a right press frees it), their
// exit question and their figures: the hours follow the clock each second (时钟1), the days each
// minute (时钟2), and both the exam date at once.
class BoardWindow : public QWidget
{
    Q_OBJECT
public:
    BoardWindow(WindowHost &host, WindowKind kind, const QString &picture, const QSize &size);
    ~BoardWindow() override;

    void setMovable(bool movable);
    bool isMovable() const;

protected:
    WindowHost &host() const { return m_host; }
    // Builds the board's controls from `rows` and cuts the picture's pure-white pixels out of the
    // window. The names are those of the board's days figure, hours figure and exit label.
    layout::Controls build(std::span<const layout::Row> rows, const char *daysFigure,
        const char *hoursFigure, const char *exit);
    // Fills in the figures from the clock: once the board is built, before it is first shown, and
    // whenever the exam date changes.
    void showFigures();
    // Each second, after the hours figure, with the time the clock gave: the large board shows the
    // date and time.
    virtual void showTime(const QDateTime &now);
    // Opens the other board and closes this one. Open first: the program must never be left
    // without a window in between.
    void switchTo(WindowKind other);

    void paintEvent(QPaintEvent *event) override;

private:
    void onSecondTick();
    void onMinuteTick();
    void onDaysFigurePressed();
    void onDaysFigureRightPressed();
    void onExitPressed();
    void onExitAnswered(Runtime::Answer answer);

    WindowHost &m_host;
    WindowKind m_kind;
    // A QThread, not a plain thread: with a plain one the Windows program crashed inside Qt Core
    // as it started (seen under Wine).
    std::unique_ptr<QThread> m_decoder;
    BoardPictures m_decoded;
    QImage m_picture;
    WindowDrag *m_drag;
    TransparentLabel *m_daysFigure = nullptr;
    TransparentLabel *m_hoursFigure = nullptr;
};
