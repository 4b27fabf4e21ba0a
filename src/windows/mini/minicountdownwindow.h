#pragma once

#include <QWidget>

class WindowSet;

class MiniCountdownWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MiniCountdownWindow(WindowSet& windows);

private:
    WindowSet& m_windows;
};
