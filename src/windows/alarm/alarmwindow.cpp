#include "alarmwindow.h"

#include "core/conversions.h"
#include "runtime/runtime.h"
#include "widgets/layouttable.h"
#include "widgets/limitedtextedit.h"
#include "widgets/windowdrag.h"
#include "windows/windowhost.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace {

using layout::ControlRow;
using layout::Kind;
using layout::TimerRow;
using enum layout::Option;

// A reminder longer than this would only make a box nobody reads.
constexpr int kMaxReminderLength = 10000;
const char *const kKindItems[] = { "自动关机", "弹出信息" };

// clang-format off
const layout::Row kControls[] = {
//               name       kind            rect                 text                                             items       number              options
    ControlRow { "标签8",   Kind::Label,    {352,   8,  24, 24}, "x",                                             {},         0,                  Centred | Hand },
    ControlRow { "标签7",   Kind::Label,    {264, 152,  80, 24}, "",                                              {},         0,                  Centred },
    TimerRow   { "时钟2",   0 },
    TimerRow   { "时钟1",   0 },
    ControlRow { "标签6",   Kind::Label,    {  0, 184, 280, 32}, "注：时间以秒为单位，左键点击开始 右键点击停止", {},         0,                  Framed },
    ControlRow { "按钮1",   Kind::Button,   {288, 184,  80, 32}, "开始/停止",                                     {},         0,                  Plain },
    ControlRow { "标签5",   Kind::Label,    {208,  24,  32, 24}, "时间：",                                        {},         0,                  Plain },
    ControlRow { "编辑框2", Kind::TextEdit, { 88, 104, 168, 72}, "",                                              {},         kMaxReminderLength, BlackOnWhite },
    ControlRow { "标签4",   Kind::Label,    { 24, 120,  64, 24}, "提示信息：",                                    {},         0,                  Plain },
    ControlRow { "标签3",   Kind::Label,    {176,  56,  80, 24}, "",                                              {},         0,                  Plain },
    ControlRow { "编辑框1", Kind::LineEdit, {248,  24,  88, 24}, "",                                              {},         0,                  BlackOnWhite },
    ControlRow { "标签2",   Kind::Label,    { 88,  56,  80, 24}, "关机剩余时间：",                                {},         0,                  Plain },
    ControlRow { "标签1",   Kind::Label,    { 16,  24,  56, 24}, "选择项目",                                      {},         0,                  Plain },
    ControlRow { "组合框1", Kind::ComboBox, { 80,  24,  88, 20}, nullptr,                                         kKindItems, -1,                 BlackOnWhite },
};
// clang-format on

// The caption a control was built with.
QString designText(const char *name)
{
    for (const layout::Row &row : kControls) {
        const auto *control = std::get_if<ControlRow>(&row);
        if (control && qstrcmp(control->name, name) == 0)
            return QString::fromUtf8(control->text);
    }
    return {};
}

// Positions in 组合框1.
constexpr int kShutdownKind = 0;
constexpr int kReminderKind = 1;
// The interval of a running countdown's timer; a stopped one has 0.
constexpr int kRunning = 1000;

const char kHideQuestion[] = "需要隐藏到托盘吗？ 确认：隐藏到托盘 取消：关闭闹钟";
// Shown in 标签6 while the system has not yet answered the shutdown request.
const char kShutdownPending[] = "已发出关机请求，正在等待系统答复…";
const char kReminderCut[] = "提示信息最长 10000 个字符，超出的部分已删去。";

void stop(QTimer *timer)
{
    timer->stop();
    timer->setInterval(0);
}

// One second off the countdown shown in `label`; true when it has just reached zero.
bool countDown(QLabel *label)
{
    label->setText(conv::toText(conv::toNumber(label->text()) - 1.0));
    return label->text() == QLatin1String("0");
}

} // namespace

Runtime &AlarmWindow::runtime() const
{
    return m_host.runtime();
}

AlarmWindow::AlarmWindow(WindowHost &host) : QWidget(nullptr, Qt::FramelessWindowHint), m_host(host)
{
    setObjectName(QStringLiteral("AlarmWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("闹钟"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/alarm.ico")));
    setFixedSize(380, 224);
    move(50, 50);
    new WindowDrag(*this);

    const layout::Controls controls = layout::build(*this, kControls);
    m_kind = controls.get<QComboBox>("组合框1");
    m_seconds = controls.get<QLineEdit>("编辑框1");
    m_reminderText = controls.get<LimitedTextEdit>("编辑框2");
    m_note = controls.get<QLabel>("标签6");
    m_shutdownLeft = controls.get<QLabel>("标签3");
    m_reminderLeft = controls.get<QLabel>("标签7");
    m_closeLabel = controls.get<QLabel>("标签8");
    m_startButton = controls.get<QPushButton>("按钮1");
    m_shutdownTimer = controls.get<QTimer>("时钟1");
    m_reminderTimer = controls.get<QTimer>("时钟2");
    setTabOrder(m_kind, m_seconds);
    setTabOrder(m_seconds, m_reminderText);
    setTabOrder(m_reminderText, m_startButton);

    // A push button ignores the right button and a label every press: watch them for both.
    m_startButton->installEventFilter(this);
    m_closeLabel->installEventFilter(this);
    connect(m_startButton, &QPushButton::clicked, this, &AlarmWindow::onStartClicked);
    connect(m_shutdownTimer, &QTimer::timeout, this, &AlarmWindow::onShutdownTick);
    connect(m_reminderTimer, &QTimer::timeout, this, &AlarmWindow::onReminderTick);
    connect(m_reminderText, &LimitedTextEdit::textCut, this, &AlarmWindow::onReminderTextCut);
}

bool AlarmWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const Qt::MouseButton button = static_cast<QMouseEvent *>(event)->button();
        if (watched == m_startButton && button == Qt::RightButton) {
            onStartButtonRightPressed();
            return true;
        }
        if (watched == m_closeLabel && button == Qt::LeftButton) {
            onCloseLabelPressed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void AlarmWindow::showEvent(QShowEvent *event)
{
    // However the window comes back (its icon, the area going away, a second start), the icon goes.
    if (m_inNotificationArea) {
        m_inNotificationArea = false;
        runtime().setNotificationIcon(*this, QIcon(), QString(), {});
    }
    QWidget::showEvent(event);
}

void AlarmWindow::onStartClicked()
{
    const int kind = m_kind->currentIndex();
    if (kind != kShutdownKind && kind != kReminderKind)
        return;
    // Only a whole number of seconds can ever reach "0"; anything else would count on forever.
    if (!conv::alarmSeconds(m_seconds->text())) {
        runtime().messageBox(*this, QStringLiteral("请输入时间"), Runtime::MessageStyle::Ok, {});
        return;
    }
    QLabel *left = kind == kShutdownKind ? m_shutdownLeft : m_reminderLeft;
    QTimer *timer = kind == kShutdownKind ? m_shutdownTimer : m_reminderTimer;
    left->setText(m_seconds->text());
    timer->start(kRunning);
}

void AlarmWindow::onShutdownTick()
{
    if (!countDown(m_shutdownLeft))
        return;
    stop(m_shutdownTimer);
    // A countdown started again while the system still considers the last request asks nothing
    // more: one password prompt at a time.
    if (m_note->text() == QString::fromUtf8(kShutdownPending))
        return;
    m_note->setText(QString::fromUtf8(kShutdownPending));
    QPointer<AlarmWindow> self(this);
    runtime().shutDown(true, [self](const Runtime::ShutdownResult &result) {
        if (self)
            self->onShutdownAnswered(result);
    });
}

void AlarmWindow::onShutdownAnswered(const Runtime::ShutdownResult &result)
{
    m_note->setText(designText("标签6"));
    if (!result.requested)
        runtime().messageBox(
            *this, QStringLiteral("无法关机：") + result.reason, Runtime::MessageStyle::Ok, {});
}

void AlarmWindow::onReminderTick()
{
    if (!countDown(m_reminderLeft))
        return;
    // Stopped before the box opens: ticks go on while it is shown.
    stop(m_reminderTimer);
    m_reminderLeft->clear();
    runtime().messageBox(*this, m_reminderText->toPlainText(), Runtime::MessageStyle::Ok, {});
}

void AlarmWindow::onReminderTextCut()
{
    runtime().messageBox(*this, QString::fromUtf8(kReminderCut), Runtime::MessageStyle::Ok, {});
}

void AlarmWindow::onStartButtonRightPressed()
{
    stop(m_shutdownTimer);
    stop(m_reminderTimer);
}

void AlarmWindow::onCloseLabelPressed()
{
    runtime().messageBox(*this, QString::fromUtf8(kHideQuestion),
        Runtime::MessageStyle::OkCancelQuestion,
        [this](Runtime::Answer answer) { onHideQuestionAnswered(answer); });
}

void AlarmWindow::onHideQuestionAnswered(Runtime::Answer answer)
{
    if (answer != Runtime::Answer::Ok) {
        // The window is deleted later: no tick may reach the shutdown in between.
        stop(m_shutdownTimer);
        stop(m_reminderTimer);
        m_host.destroy(WindowKind::Alarm);
        return;
    }
    // Without a notification area a hidden window could never come back while a shutdown counts.
    if (!runtime().notificationAreaAvailable()) {
        showMinimized();
        return;
    }
    QPointer<AlarmWindow> self(this);
    runtime().setNotificationIcon(*this, windowIcon(), QString(), [self](Runtime::IconEvent event) {
        if (self)
            self->onNotificationIconEvent(event);
    });
    m_inNotificationArea = true;
    hide();
}

void AlarmWindow::onNotificationIconEvent(Runtime::IconEvent event)
{
    // Without its notification area the hidden window could never come back: it shows itself.
    if (event != Runtime::IconEvent::Activated && event != Runtime::IconEvent::AreaGone)
        return;
    showNormal();
    raise();
    activateWindow();
}
