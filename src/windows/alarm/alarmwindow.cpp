#include "alarmwindow.h"

#include "runtime/conversions.h"
#include "runtime/runtime.h"
#include "widgets/limitedtextedit.h"
#include "windows/windowopener.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace {

enum class Kind { Label, ComboBox, LineEdit, TextEdit, Button, Timer };
enum Option { Normal = 0, Centred = 1, Framed = 2, Hand = 4 };

struct ControlRow
{
    const char *name;
    Kind kind;
    QRect rect; // a timer's only matters in a designer
    const char *text; // a combo box's items, one a line
    int options;
};

// clang-format off
const ControlRow kControls[] = {
//    name       kind            rect                 text                                             options
    { "标签8",   Kind::Label,    {352,   8,  24, 24}, "x",                                             Centred | Hand },
    { "标签7",   Kind::Label,    {264, 152,  80, 24}, "",                                              Centred },
    { "时钟2",   Kind::Timer,    {320, 104,  26, 26}, "",                                              Normal },
    { "时钟1",   Kind::Timer,    {288, 104,  26, 26}, "",                                              Normal },
    { "标签6",   Kind::Label,    {  0, 184, 280, 32}, "注：时间以秒为单位，左键点击开始 右键点击停止", Framed },
    { "按钮1",   Kind::Button,   {288, 184,  80, 32}, "开始/停止",                                     Normal },
    { "标签5",   Kind::Label,    {208,  24,  32, 24}, "时间：",                                        Normal },
    { "编辑框2", Kind::TextEdit, { 88, 104, 168, 72}, "",                                              Normal },
    { "标签4",   Kind::Label,    { 24, 120,  64, 24}, "提示信息：",                                    Normal },
    { "标签3",   Kind::Label,    {176,  56,  80, 24}, "",                                              Normal },
    { "编辑框1", Kind::LineEdit, {248,  24,  88, 24}, "",                                              Normal },
    { "标签2",   Kind::Label,    { 88,  56,  80, 24}, "关机剩余时间：",                                Normal },
    { "标签1",   Kind::Label,    { 16,  24,  56, 24}, "选择项目",                                      Normal },
    { "组合框1", Kind::ComboBox, { 80,  24,  88, 20}, "自动关机\n弹出信息",                            Normal },
};
// clang-format on

// The caption a control was built with.
QString designText(const char *name)
{
    for (const ControlRow &row : kControls) {
        if (qstrcmp(row.name, name) == 0)
            return QString::fromUtf8(row.text);
    }
    return {};
}

// Positions in 组合框1.
constexpr int kShutdownKind = 0;
constexpr int kReminderKind = 1;
constexpr int kRunning = 1000;

const char kHideQuestion[] = "需要隐藏到托盘吗？ 确认：隐藏到托盘 取消：关闭闹钟";
// Shown in 标签6 while the system has not yet answered the shutdown request.
const char kShutdownPending[] = "已发出关机请求，正在等待系统答复…";
// A reminder longer than this would only make a box nobody reads.
constexpr int kMaxReminderLength = 10000;
const char kReminderCut[] = "提示信息最长 10000 个字符，超出的部分已删去。";

// The input fields are black on white whatever the desktop's theme.
void makeBlackOnWhite(QWidget *field)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    field->setPalette(palette);
}

QObject *addControl(QWidget *window, const ControlRow &row)
{
    const QString text = QString::fromUtf8(row.text);
    QObject *made = nullptr;
    switch (row.kind) {
    case Kind::Label: {
        auto *label = new QLabel(window);
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
        if (row.options & Centred)
            label->setAlignment(Qt::AlignCenter);
        if (row.options & Framed)
            label->setFrameStyle(QFrame::Box | QFrame::Plain);
        made = label;
        break;
    }
    case Kind::ComboBox: {
        auto *combo = new QComboBox(window);
        combo->addItems(text.split(QLatin1Char('\n')));
        combo->setCurrentIndex(-1);
        makeBlackOnWhite(combo);
        made = combo;
        break;
    }
    case Kind::LineEdit: {
        auto *edit = new QLineEdit(text, window);
        makeBlackOnWhite(edit);
        made = edit;
        break;
    }
    case Kind::TextEdit: {
        auto *edit = new LimitedTextEdit(kMaxReminderLength, window);
        edit->setPlainText(text);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        makeBlackOnWhite(edit);
        made = edit;
        break;
    }
    case Kind::Button:
        made = new QPushButton(text, window);
        break;
    case Kind::Timer: {
        // Interval 0 means stopped; a running countdown has 1000.
        auto *timer = new QTimer(window);
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(0);
        made = timer;
        break;
    }
    }
    made->setObjectName(QString::fromUtf8(row.name));
    if (auto *widget = qobject_cast<QWidget *>(made)) {
        widget->setGeometry(row.rect);
        if (row.options & Hand)
            widget->setCursor(Qt::PointingHandCursor);
    }
    return made;
}

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
    return m_windows.runtime();
}

template <typename Control> Control *AlarmWindow::control(const char *name) const
{
    return findChild<Control *>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
}

AlarmWindow::AlarmWindow(WindowOpener &windows)
    : QWidget(nullptr, Qt::FramelessWindowHint), m_windows(windows)
{
    setObjectName(QStringLiteral("AlarmWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("闹钟"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/alarm.ico")));
    setFixedSize(380, 224);
    move(50, 50);

    for (const ControlRow &row : kControls)
        addControl(this, row);
    m_kind = control<QComboBox>("组合框1");
    m_seconds = control<QLineEdit>("编辑框1");
    m_reminderText = control<LimitedTextEdit>("编辑框2");
    m_note = control<QLabel>("标签6");
    m_shutdownLeft = control<QLabel>("标签3");
    m_reminderLeft = control<QLabel>("标签7");
    m_closeLabel = control<QLabel>("标签8");
    m_startButton = control<QPushButton>("按钮1");
    m_shutdownTimer = control<QTimer>("时钟1");
    m_reminderTimer = control<QTimer>("时钟2");
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

void AlarmWindow::onStartClicked()
{
    const int kind = m_kind->currentIndex();
    if (kind != kShutdownKind && kind != kReminderKind)
        return;
    // Only a whole number of seconds can ever reach "0"; anything else would count on forever.
    if (!conv::alarmSeconds(m_seconds->text())) {
        runtime().messageBox(QStringLiteral("请输入时间"), Runtime::MessageStyle::Ok);
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
    runtime().shutDown(1, true, [self](const Runtime::ShutdownResult &result) {
        if (self)
            self->onShutdownAnswered(result);
    });
}

void AlarmWindow::onShutdownAnswered(const Runtime::ShutdownResult &result)
{
    m_note->setText(designText("标签6"));
    if (!result.requested)
        runtime().messageBox(
            QStringLiteral("无法关机：") + result.reason, Runtime::MessageStyle::Ok);
}

void AlarmWindow::onReminderTick()
{
    if (!countDown(m_reminderLeft))
        return;
    // Stopped before the box opens: ticks go on while it is shown.
    stop(m_reminderTimer);
    m_reminderLeft->clear();
    runtime().messageBox(m_reminderText->toPlainText(), Runtime::MessageStyle::Ok);
}

void AlarmWindow::onReminderTextCut()
{
    runtime().messageBox(QString::fromUtf8(kReminderCut), Runtime::MessageStyle::Ok);
}

void AlarmWindow::onStartButtonRightPressed()
{
    stop(m_shutdownTimer);
    stop(m_reminderTimer);
}

void AlarmWindow::onCloseLabelPressed()
{
    const int answer = runtime().messageBox(
        QString::fromUtf8(kHideQuestion), Runtime::MessageStyle::OkCancelQuestion);
    if (answer != Runtime::Ok) {
        // The window is deleted later: no tick may reach the shutdown in between.
        stop(m_shutdownTimer);
        stop(m_reminderTimer);
        m_windows.destroy(WindowKind::Alarm);
        return;
    }
    // Without a notification area a hidden window could never come back while a shutdown counts.
    if (!runtime().notificationAreaAvailable()) {
        showMinimized();
        return;
    }
    QPointer<AlarmWindow> self(this);
    runtime().setNotificationIcon(*this, windowIcon(), QString(), [self](int code) {
        if (self)
            self->onNotificationIconEvent(code);
    });
    hide();
}

void AlarmWindow::onNotificationIconEvent(int code)
{
    if (code != Runtime::kTrayActivated)
        return;
    showNormal();
    raise();
    activateWindow();
    runtime().setNotificationIcon(*this, QIcon(), QString(), {});
}

void AlarmWindow::mousePressEvent(QMouseEvent *event)
{
    m_drag.press(*this, event);
}

void AlarmWindow::mouseMoveEvent(QMouseEvent *event)
{
    m_drag.move(*this, event);
}

void AlarmWindow::mouseReleaseEvent(QMouseEvent *)
{
    m_drag.release();
}
