#include "minicountdownwindow.h"

#include "runtime/runtime.h"
#include "widgets/transparentlabel.h"
#include "windows/countdownfigures.h"
#include "windows/windowopener.h"

#include <QTimer>
#include <variant>

namespace {

struct TimerRow
{
    const char *name;
    int interval; // ms
};
using ControlRow = std::variant<LabelRow, TimerRow>;

constexpr auto GB = FontRecord::Charset::GB2312;
constexpr auto Arrow = Qt::ArrowCursor;

// Later rows lie on top of earlier ones. Only the pressable labels take presses, and none of
// them is covered by another pressable one.
// clang-format off
const ControlRow kControls[] = {
//             name     rect                 text            face             px  weight charset colour                      cursor pressable
    LabelRow { "透明标签5", {280, 184,  40, 48}, "",             nullptr,          0,   0,   GB,     Colour::rgb(0, 0, 0),       Arrow, true },
    TimerRow { "时钟2",   60000 },
    LabelRow { "透明标签7", { 48, 184, 104, 64}, "",             "",              48, 400,   GB,     Colour::rgb(128, 224, 0),   Arrow, false },
    LabelRow { "透明标签6", {176, 184,  48, 64}, "时",            "楷体",            32, 400,   GB,     Colour::rgb(171, 209, 211), Arrow, false },
    LabelRow { "透明标签4", {264,  72,  88, 88}, "天",            "仿宋",            32, 400,   GB,     Colour::rgb(255, 255, 255), Arrow, false },
    LabelRow { "透明标签3", {136,  88, 112, 64}, "",             "",              64, 400,   GB,     Colour::rgb(255, 255, 0),   Arrow, true },
    TimerRow { "时钟1",   1000 },
    LabelRow { "透明标签1", {  0,  16, 464, 72}, " 距 离 高 考 仅 剩", "方正稚艺 - Varnel", 48, 400,   GB,     Colour::rgb(236, 236, 236), Arrow, false },
    LabelRow { "透明标签2", {360,   0,   8,  8}, "x",            nullptr,          0,   0,   GB,     Colour::rgb(0, 255, 0),     Arrow, true },
};
// clang-format on

} // namespace

MiniCountdownWindow::MiniCountdownWindow(WindowOpener &windows)
    : BoardWindow(QStringLiteral(":/assets/mini.jpg"), QSize(375, 279)), m_windows(windows)
{
    setObjectName(QStringLiteral("MiniCountdownWindow"));
    setWindowTitle(QString());

    for (const ControlRow &row : kControls) {
        if (const auto *labelRow = std::get_if<LabelRow>(&row))
            addLabel(*labelRow);
        else
            addTimer(std::get<TimerRow>(row).name, std::get<TimerRow>(row).interval);
    }
    m_daysFigure = label("透明标签3");
    m_hoursFigure = label("透明标签7");
    m_daysFigure->setFigure(true);
    m_hoursFigure->setFigure(true);

    auto timer = [this](const char *name) {
        return findChild<QTimer *>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
    };
    connect(timer("时钟1"), &QTimer::timeout, this, &MiniCountdownWindow::onSecondTick);
    connect(timer("时钟2"), &QTimer::timeout, this, &MiniCountdownWindow::onMinuteTick);
    connect(m_daysFigure, &TransparentLabel::leftPressed, this,
        &MiniCountdownWindow::onDaysFigurePressed);
    connect(m_daysFigure, &TransparentLabel::rightPressed, this,
        &MiniCountdownWindow::onDaysFigureRightPressed);
    connect(label("透明标签2"), &TransparentLabel::leftPressed, this,
        &MiniCountdownWindow::onExitPressed);
    connect(label("透明标签5"), &TransparentLabel::leftPressed, this,
        &MiniCountdownWindow::onLargeBoardPressed);
    connect(
        &m_windows, &WindowOpener::examDateChanged, this, &MiniCountdownWindow::onExamDateChanged);

    onCreated();
}

void MiniCountdownWindow::onCreated()
{
    setShapeFromPicture();
    writeDaysLeft();
    writeHoursLeft();
}

void MiniCountdownWindow::onSecondTick()
{
    writeHoursLeft();
}

void MiniCountdownWindow::onMinuteTick()
{
    writeDaysLeft();
}

void MiniCountdownWindow::onExamDateChanged()
{
    writeDaysLeft();
    writeHoursLeft();
}

void MiniCountdownWindow::onDaysFigurePressed()
{
    pinToDesktop(m_windows.runtime());
}

void MiniCountdownWindow::onDaysFigureRightPressed()
{
    setMovable(true);
}

void MiniCountdownWindow::onExitPressed()
{
    if (confirmExit(m_windows.runtime()))
        m_windows.destroy(WindowKind::Mini);
}

void MiniCountdownWindow::onLargeBoardPressed()
{
    // Open first: the program must never be left without a window in between.
    if (m_windows.open(WindowKind::Countdown))
        m_windows.destroy(WindowKind::Mini);
}

void MiniCountdownWindow::writeDaysLeft()
{
    m_daysFigure->setText(figures::daysLeft(m_windows.runtime().now(), m_windows.examDate()));
}

void MiniCountdownWindow::writeHoursLeft()
{
    m_hoursFigure->setText(figures::hoursLeft(m_windows.runtime().now(), m_windows.examDate()));
}
