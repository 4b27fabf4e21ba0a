#pragma once

#include "widgets/boardwindow.h"

class TransparentLabel;
class WindowOpener;

// The large chalkboard: days and hours left until the exam, the date and time, and the hidden
// click targets that lead to everything else.
class CountdownWindow : public BoardWindow
{
    Q_OBJECT
public:
    explicit CountdownWindow(WindowOpener &windows);

private:
    void onCreated();
    void onSecondTick();
    void onMinuteTick();
    void onExamDateChanged();
    void onDaysFigurePressed();
    void onDaysFigureRightPressed();
    void onHoursFigurePressed();
    void onExitPressed();
    void onMiniBoardPressed();
    void onSecondsUnitPressed();
    void onVotePressed();

    void writeDaysLeft();
    void writeHoursLeft();
    void writeSeconds();
    void writeClockLine();

    WindowOpener &m_windows;
    TransparentLabel *m_daysFigure;
    TransparentLabel *m_hoursFigure;
    TransparentLabel *m_clockLine;
    TransparentLabel *m_secondsFigure;
};
