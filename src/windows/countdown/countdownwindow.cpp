#include "countdownwindow.h"

#include "core/countdownfigures.h"
#include "runtime/runtime.h"
#include "widgets/transparentlabel.h"
#include "windows/windowhost.h"

#include <QTimer>

namespace {

using layout::LabelRow;
using layout::TimerRow;

// The vote page opens in the default browser.
const char kVotePageAddress[] = "https://example.org";

constexpr auto Arrow = Qt::ArrowCursor;
constexpr auto Hand = Qt::PointingHandCursor;
constexpr Colour kChalkGreen = Colour::rgb(128, 160, 128);
constexpr Colour kBlack = Colour::rgb(0, 0, 0);
constexpr Colour kLightGrey = Colour::rgb(236, 236, 236);

// clang-format off
const layout::Row kControls[] = {
//             name           rect                     text                   face                  px   weight colour                    cursor pressable
    LabelRow { "透明标签1",  { 24,  88, 456, 144}, "距 离 高 考 仅 剩 ", "方正稚艺 - Varnel", 64, 700, kChalkGreen,              Arrow, false },
    LabelRow { "透明标签2",  {488, 216, 152, 120}, "",                   "仿宋",              96, 400, Colour::rgb(0, 255, 0),   Arrow, true  },
    LabelRow { "透明标签3",  {640, 200, 176, 168}, "天！",               "方正稚艺 - Varnel", 64, 400, kChalkGreen,              Arrow, false },
    LabelRow { "透明标签4",  {216, 384, 136, 144}, "",                   "楷体",              64, 400, Colour::rgb(255, 255, 0), Arrow, true  },
    LabelRow { "透明标签5",  { 32, 384, 128, 144}, "总计",               "楷体",              64, 400, kBlack,                   Arrow, false },
    LabelRow { "透明标签6",  {752,   0,  24,  32}, "×",                  "",                  35, 400, Colour::rgb(107, 112, 148), Hand, true },
    LabelRow { "透明标签7",  {368, 384,  72, 144}, "时",                 "楷体",              64, 400, kBlack,                   Arrow, false },
    LabelRow { "透明标签8",  {688,   0,  40,  24}, "小窗口",             nullptr,              0,   0, kChalkGreen,              Hand,  true  },
    LabelRow { "透明标签9",  {656,  48,  48,  64}, "秒",                 "",                  37, 400, kLightGrey,               Arrow, true  },
    LabelRow { "透明标签10", { 24, 200, 480, 208}, "",                   "",                  64, 400, kBlack,                   Arrow, false },
    LabelRow { "透明标签11", { 88,  32, 512,  96}, "",                   "楷体",              48, 400, kBlack,                   Arrow, false },
    LabelRow { "透明标签12", {600,  40,  72,  80}, "",                   "",                  37, 400, kLightGrey,               Arrow, false },
    LabelRow { "透明标签13", {688, 520,  64,  16}, "为软件投票",         nullptr,              0,   0, kBlack,                   Hand,  true  },
    TimerRow { "时钟1", 1000 },
    TimerRow { "时钟2", 60000 },
};
// clang-format on

} // namespace

CountdownWindow::CountdownWindow(WindowHost &host)
    : BoardWindow(
        host, WindowKind::Countdown, QStringLiteral(":/assets/countdown.jpg"), QSize(777, 541))
{
    setObjectName(QStringLiteral("CountdownWindow"));
    setWindowTitle(QStringLiteral("高考倒计时"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/board.png")));

    const layout::Controls controls = build(kControls, "透明标签2", "透明标签4", "透明标签6");
    auto *hoursFigure = controls.get<TransparentLabel>("透明标签4");
    m_clockLine = controls.get<TransparentLabel>("透明标签11");
    m_secondsFigure = controls.get<TransparentLabel>("透明标签12");
    m_clockLine->setFigure(true);
    m_secondsFigure->setFigure(true);
    controls.get<TransparentLabel>("透明标签10")->setWordWrap(true);
    for (std::size_t target = 0; target < m_targets.size(); ++target)
        m_targets[target] = controls.get<TransparentLabel>(kRestyleTargets[target].label);
    auto *miniBoard = controls.get<TransparentLabel>("透明标签8");
    auto *secondsUnit = controls.get<TransparentLabel>("透明标签9");
    auto *vote = controls.get<TransparentLabel>("透明标签13");

    connect(
        hoursFigure, &TransparentLabel::leftPressed, this, &CountdownWindow::onHoursFigurePressed);
    connect(miniBoard, &TransparentLabel::leftPressed, this, &CountdownWindow::onMiniBoardPressed);
    connect(
        secondsUnit, &TransparentLabel::leftPressed, this, &CountdownWindow::onSecondsUnitPressed);
    connect(vote, &TransparentLabel::leftPressed, this, &CountdownWindow::onVotePressed);
    showFigures();
}

void CountdownWindow::restyle(
    std::size_t target, const QString &text, Colour colour, std::optional<int> points)
{
    TransparentLabel *caption = m_targets[target];
    if (kRestyleTargets[target].takesText)
        caption->setText(text);
    caption->setTextColour(colour);
    if (points && kRestyleTargets[target].takesSize)
        caption->setCharacterHeight(FontRecord::pixelsForPoints(*points, caption->logicalDpiY()));
}

void CountdownWindow::showTime(const QDateTime &now)
{
    m_clockLine->setText(figures::clockLine(now));
    m_secondsFigure->setText(figures::seconds(now));
}

void CountdownWindow::onHoursFigurePressed()
{
    host().open(WindowKind::Editor);
}

void CountdownWindow::onMiniBoardPressed()
{
    switchTo(WindowKind::Mini);
}

void CountdownWindow::onSecondsUnitPressed()
{
    host().open(WindowKind::Alarm);
}

void CountdownWindow::onVotePressed()
{
    host().runtime().openWebPage(QUrl(QString::fromLatin1(kVotePageAddress)));
}
