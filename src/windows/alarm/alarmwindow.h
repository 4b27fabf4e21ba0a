#pragma once

#include <QWidget>

class WindowSet;

class AlarmWindow : public QWidget
{
    Q_OBJECT
public:
    explicit AlarmWindow(WindowSet& windows);

private:
    WindowSet& m_windows;
};
