#include "minicountdownwindow.h"

#include "widgets/transparentlabel.h"
#include "windows/windowhost.h"

namespace {

using layout::LabelRow;
using layout::TimerRow;

constexpr auto Arrow = Qt::ArrowCursor;

// Later rows lie on top of earlier ones. Only the pressable labels take presses, and none of
// them is covered by another pressable one.
// clang-format off
const layout::Row kControls[] = {
//             name     rect                 text            face             px  weight colour                      cursor pressable
    LabelRow { "透明标签5", {280, 184,  40, 48}, "",             nullptr,          0,   0,   Colour::rgb(0, 0, 0),       Arrow, true },
    TimerRow { "时钟2",   60000 },
    LabelRow { "透明标签7", { 48, 184, 104, 64}, "",             "",              48, 400,   Colour::rgb(128, 224, 0),   Arrow, false },
    LabelRow { "透明标签6", {176, 184,  48, 64}, "时",            "楷体",            32, 400,   Colour::rgb(171, 209, 211), Arrow, false },
    LabelRow { "透明标签4", {264,  72,  88, 88}, "天",            "仿宋",            32, 400,   Colour::rgb(255, 255, 255), Arrow, false },
    LabelRow { "透明标签3", {136,  88, 112, 64}, "",             "",              64, 400,   Colour::rgb(255, 255, 0),   Arrow, true },
    TimerRow { "时钟1",   1000 },
    LabelRow { "透明标签1", {  0,  16, 464, 72}, " 距 离 高 考 仅 剩", "方正稚艺 - Varnel", 48, 400,   Colour::rgb(236, 236, 236), Arrow, false },
    LabelRow { "透明标签2", {360,   0,   8,  8}, "x",            nullptr,          0,   0,   Colour::rgb(0, 255, 0),     Arrow, true },
};
// clang-format on

} // namespace

MiniCountdownWindow::MiniCountdownWindow(WindowHost &host)
    : BoardWindow(host, WindowKind::Mini, QStringLiteral(":/assets/mini.jpg"), QSize(375, 279))
{
    setObjectName(QStringLiteral("MiniCountdownWindow"));
    setWindowTitle(QString());

    const layout::Controls controls = build(kControls, "透明标签3", "透明标签7", "透明标签2");
    connect(controls.get<TransparentLabel>("透明标签5"), &TransparentLabel::leftPressed, this,
        &MiniCountdownWindow::onLargeBoardPressed);
    showFigures();
}

void MiniCountdownWindow::onLargeBoardPressed()
{
    switchTo(WindowKind::Countdown);
}
