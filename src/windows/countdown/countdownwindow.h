#pragma once

#include "windows/boardwindow.h"

#include <array>
#include <optional>

class TransparentLabel;

// The large chalkboard: days and hours left until the exam, the date and time, and the hidden
// click targets that lead to everything else.
class CountdownWindow : public BoardWindow
{
    Q_OBJECT
public:
    explicit CountdownWindow(WindowHost &host);

    // The captions the editor restyles, in the order of its list.
    enum class Target {
        Heading,
        DaysUnit,
        Total,
        DaysFigure,
        HoursFigure,
        CustomText,
        ClockLine,
        HoursUnit,
    };
    static constexpr std::size_t kTargetCount = std::size_t(Target::HoursUnit) + 1;

    // Gives the target's caption `colour` and, given `points`, that character height at this
    // screen's density. The clock line keeps its size.
    void restyle(Target target, Colour colour, std::optional<int> points);
    void setCustomText(const QString &text);

private:
    void onSecondTick();
    void onHoursFigurePressed();
    void onMiniBoardPressed();
    void onSecondsUnitPressed();
    void onVotePressed();

    TransparentLabel *m_clockLine;
    TransparentLabel *m_secondsFigure;
    TransparentLabel *m_customText;
    std::array<TransparentLabel *, kTargetCount> m_targets;
};
