#pragma once

#include "windows/boardwindow.h"

#include <array>
#include <iterator>
#include <optional>

class TransparentLabel;

// What the editor restyles on the large board, in the order of its list: the caption the list
// shows, the board's label it writes, whether that label takes the user's own text, and whether it
// takes a size (the clock line keeps its own).
struct RestyleTarget
{
    const char *caption;
    const char *label;
    bool takesText;
    bool takesSize;
};
// clang-format off
inline constexpr RestyleTarget kRestyleTargets[] = {
    { "距离高考仅剩", "透明标签1",  false, true  },
    { "天！",         "透明标签3",  false, true  },
    { "总计",         "透明标签5",  false, true  },
    { "天数",         "透明标签2",  false, true  },
    { "小时数",       "透明标签4",  false, true  },
    { "自定义字体",   "透明标签10", true,  true  },
    { "现在时间",     "透明标签11", false, false },
    { "时",           "透明标签7",  false, true  },
};
// clang-format on

// The large chalkboard: days and hours left until the exam, the date and time, and the hidden
// click targets that lead to everything else.
class CountdownWindow : public BoardWindow
{
    Q_OBJECT
public:
    explicit CountdownWindow(WindowHost &host);

    // Restyles kRestyleTargets[target]: its caption becomes `text` where it takes text, then gets
    // `colour` and, given `points`, that character height at this screen's density where it takes
    // a size.
    void restyle(std::size_t target, const QString &text, Colour colour, std::optional<int> points);

protected:
    void showTime(const QDateTime &now) override;

private:
    void onHoursFigurePressed();
    void onMiniBoardPressed();
    void onSecondsUnitPressed();
    void onVotePressed();

    TransparentLabel *m_clockLine;
    TransparentLabel *m_secondsFigure;
    std::array<TransparentLabel *, std::size(kRestyleTargets)> m_targets;
};
