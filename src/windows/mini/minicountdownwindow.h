#pragma once

#include "widgets/boardwindow.h"

class TransparentLabel;
class WindowOpener;

// The small chalkboard: days and hours left until the exam, and the way back to the large board.
class MiniCountdownWindow : public BoardWindow
{
    Q_OBJECT
public:
    explicit MiniCountdownWindow(WindowOpener &windows);

private:
    void onCreated();
    void onSecondTick();
    void onMinuteTick();
    void onExamDateChanged();
    void onDaysFigurePressed();
    void onDaysFigureRightPressed();
    void onExitPressed();
    void onLargeBoardPressed();

    void writeDaysLeft();
    void writeHoursLeft();

    WindowOpener &m_windows;
    TransparentLabel *m_daysFigure;
    TransparentLabel *m_hoursFigure;
};
