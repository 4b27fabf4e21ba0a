#include "boardwindow.h"

#include "core/countdownfigures.h"
#include "runtime/runtime.h"
#include "widgets/transparentlabel.h"
#include "widgets/windowdrag.h"

#include <QBitmap>
#include <QPainter>
#include <QTimer>

namespace {

// On screens with more than one device pixel to the logical pixel the board is drawn from the
// double-size picture, which scales down sharply where the 1x one would be scaled up and blurred.
// The 1x picture gives the shape at every device pixel ratio.
BoardPictures decodePictures(const QString &path, bool sharp)
{
    BoardPictures pictures{ QImage(path).convertToFormat(QImage::Format_RGB32), {} };
    if (sharp) {
        const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
        pictures.sharp = QImage(path.left(dot) + QStringLiteral("@2x") + path.mid(dot));
        pictures.sharp.setDevicePixelRatio(2.0);
    }
    return pictures;
}

} // namespace

BoardWindow::BoardWindow(
    WindowHost &host, WindowKind kind, const QString &picture, const QSize &size)
    : QWidget(nullptr, Qt::FramelessWindowHint), m_host(host), m_kind(kind),
      m_drag(new WindowDrag(*this))
{
    // Decoded on a thread of their own while the controls are built.
    m_decoder.reset(QThread::create([this, picture, sharp = devicePixelRatioF() > 1.0] {
        m_decoded = decodePictures(picture, sharp);
    }));
    m_decoder->start();
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(size);
    move(50, 50);
    setFont(FontRecord::interfaceFont(font()));
}

BoardWindow::~BoardWindow()
{
    if (m_decoder)
        m_decoder->wait();
}

layout::Controls BoardWindow::build(std::span<const layout::Row> rows, const char *daysFigure,
    const char *hoursFigure, const char *exit)
{
    layout::Controls controls = layout::build(*this, rows);
    m_daysFigure = controls.get<TransparentLabel>(daysFigure);
    m_hoursFigure = controls.get<TransparentLabel>(hoursFigure);
    m_daysFigure->setFigure(true);
    m_hoursFigure->setFigure(true);
    connect(m_daysFigure, &TransparentLabel::leftPressed, this, &BoardWindow::onDaysFigurePressed);
    connect(m_daysFigure, &TransparentLabel::rightPressed, this,
        &BoardWindow::onDaysFigureRightPressed);
    connect(controls.get<TransparentLabel>(exit), &TransparentLabel::leftPressed, this,
        &BoardWindow::onExitPressed);
    connect(controls.get<QTimer>("时钟1"), &QTimer::timeout, this, &BoardWindow::onSecondTick);
    connect(controls.get<QTimer>("时钟2"), &QTimer::timeout, this, &BoardWindow::onMinuteTick);
    connect(&m_host, &WindowHost::examDateChanged, this, &BoardWindow::showFigures);

    m_decoder->wait();
    m_decoder.reset();
    BoardPictures pictures = std::move(m_decoded);
    // Pure-white pixels fall outside; without a picture the window keeps its whole rectangle.
    if (!pictures.plain.isNull())
        setMask(QBitmap::fromImage(
            pictures.plain.createMaskFromColor(qRgb(255, 255, 255), Qt::MaskInColor)));
    m_picture = std::move(pictures.sharp.isNull() ? pictures.plain : pictures.sharp);
    // Once the board is up, the picture is kept at three bytes a pixel rather than four: painting
    // converts only what it redraws.
    QMetaObject::invokeMethod(
        this, [this] { m_picture.convertTo(QImage::Format_RGB888); }, Qt::QueuedConnection);
    return controls;
}

void BoardWindow::showFigures()
{
    onMinuteTick();
    onSecondTick();
}

void BoardWindow::setMovable(bool movable)
{
    m_drag->setEnabled(movable);
}

bool BoardWindow::isMovable() const
{
    return m_drag->isEnabled();
}

void BoardWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // At fractional ratios (1.25, 1.5) the 2x picture is scaled down: filter it, or it turns
    // jagged.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(0, 0, m_picture);
}

void BoardWindow::onDaysFigurePressed()
{
    // Pinned, the board stays put until it is made movable again.
    m_host.runtime().pinToDesktop(*this);
    setMovable(false);
}

void BoardWindow::onDaysFigureRightPressed()
{
    setMovable(true);
}

void BoardWindow::onExitPressed()
{
    m_host.runtime().messageBox(*this, QStringLiteral("老湿童鞋你真的要退出吗!!!"),
        Runtime::MessageStyle::OkCancelQuestion,
        [this](Runtime::Answer answer) { onExitAnswered(answer); });
}

void BoardWindow::onExitAnswered(Runtime::Answer answer)
{
    if (answer == Runtime::Answer::Ok)
        m_host.destroy(m_kind);
}

void BoardWindow::switchTo(WindowKind other)
{
    if (m_host.open(other))
        m_host.destroy(m_kind);
}

void BoardWindow::onSecondTick()
{
    const QDateTime now = m_host.runtime().now();
    m_hoursFigure->setText(figures::hoursLeft(now, m_host.examDate()));
    showTime(now);
}

void BoardWindow::showTime(const QDateTime &) { }

void BoardWindow::onMinuteTick()
{
    m_daysFigure->setText(figures::daysLeft(m_host.runtime().now(), m_host.examDate()));
}
