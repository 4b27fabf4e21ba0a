#pragma once

#include "runtime/runtime.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class LimitedTextEdit;
class QPushButton;
class QTimer;
class WindowHost;

// A panel of standard controls with two countdowns in whole seconds: one ends in a shutdown of the
// computer, the other in a reminder box. It can hide in the notification area while both go on.
class AlarmWindow : public QWidget
{
    Q_OBJECT
public:
    explicit AlarmWindow(WindowHost &host);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void onStartClicked();
    void onShutdownTick();
    void onShutdownAnswered(const Runtime::ShutdownResult &result);
    void onReminderTick();
    void onReminderTextCut();
    void onStartButtonRightPressed();
    void onCloseLabelPressed();
    void onHideQuestionAnswered(Runtime::Answer answer);
    void onNotificationIconEvent(Runtime::IconEvent event);

    Runtime &runtime() const;

    WindowHost &m_host;
    QComboBox *m_kind; // 组合框1
    QLineEdit *m_seconds; // 编辑框1
    LimitedTextEdit *m_reminderText; // 编辑框2
    QLabel *m_note; // 标签6
    QLabel *m_shutdownLeft; // 标签3
    QLabel *m_reminderLeft; // 标签7
    QLabel *m_closeLabel; // 标签8
    QPushButton *m_startButton; // 按钮1
    QTimer *m_shutdownTimer; // 时钟1
    QTimer *m_reminderTimer; // 时钟2
    bool m_inNotificationArea = false;
};
