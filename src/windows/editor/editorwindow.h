#pragma once

#include <QWidget>

class WindowSet;

class EditorWindow : public QWidget
{
    Q_OBJECT
public:
    explicit EditorWindow(WindowSet& windows);

private:
    WindowSet& m_windows;
};
