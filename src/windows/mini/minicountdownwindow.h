#pragma once

#include "windows/boardwindow.h"

class TransparentLabel;

// The small chalkboard: days and hours left until the exam, and the way back to the large board.
class MiniCountdownWindow : public BoardWindow
{
    Q_OBJECT
public:
    explicit MiniCountdownWindow(WindowHost &host);

private:
    void onLargeBoardPressed();
};
