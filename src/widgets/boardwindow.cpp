#include "boardwindow.h"

#include "runtime/runtime.h"
#include "transparentlabel.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {

// On screens with more than one device pixel to the logical pixel the board is drawn from the
// double-size picture, which scales down sharply where the 1x one would be scaled up and blurred.
QPixmap sharpPicture(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    QPixmap sharp(path.left(dot) + QStringLiteral("@2x") + path.mid(dot));
    sharp.setDevicePixelRatio(2.0);
    return sharp;
}

} // namespace

BoardWindow::BoardWindow(const QString &picture, const QSize &size)
    : QWidget(nullptr, Qt::FramelessWindowHint)
{
    // Decoded once: the 1x picture gives the shape at every device pixel ratio.
    const QImage image = QImage(picture).convertToFormat(QImage::Format_RGB32);
    if (!image.isNull())
        m_shape =
            QBitmap::fromImage(image.createMaskFromColor(qRgb(255, 255, 255), Qt::MaskInColor));
    if (devicePixelRatioF() > 1.0)
        m_picture = sharpPicture(picture);
    if (m_picture.isNull())
        m_picture = QPixmap::fromImage(image);

    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(size);
    move(50, 50);
    // Labels without a font of their own keep the desktop's size but draw their fixed texts in
    // the program's own sans face; sans CJK faces after the desktop's keep any other Chinese
    // glyphs from falling back on a thin Ming face.
    QFont interfaceFont = font();
    interfaceFont.setFamilies({ FontRecord::fallbackFamilies({}).first(), interfaceFont.family(),
        QStringLiteral("Microsoft YaHei UI"), QStringLiteral("Microsoft YaHei"),
        QStringLiteral("Noto Sans CJK SC") });
    setFont(interfaceFont);
}

TransparentLabel *BoardWindow::addLabel(const LabelRow &row)
{
    auto *label = new TransparentLabel(this);
    label->setObjectName(QString::fromUtf8(row.name));
    label->setGeometry(row.rect);
    label->setText(QString::fromUtf8(row.text));
    if (row.face) {
        FontRecord font;
        font.face = QString::fromUtf8(row.face);
        font.pixelHeight = row.pixels;
        font.weight = row.weight;
        font.charset = row.charset;
        label->setFontRecord(font);
    }
    label->setTextColour(row.colour);
    label->setCursor(row.cursor);
    label->setPressable(row.pressable);
    return label;
}

TransparentLabel *BoardWindow::label(const char *name) const
{
    return findChild<TransparentLabel *>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
}

QTimer *BoardWindow::addTimer(const char *name, int interval)
{
    auto *timer = new QTimer(this);
    timer->setObjectName(QString::fromUtf8(name));
    // A precise timer keeps its phase against the clock's second, so the seconds figure neither
    // skips nor repeats values.
    timer->setTimerType(interval <= 1000 ? Qt::PreciseTimer : Qt::CoarseTimer);
    timer->start(interval);
    return timer;
}

void BoardWindow::setShapeFromPicture()
{
    // Pure-white pixels fall outside; without a picture the window keeps its whole rectangle.
    if (m_shape.isNull())
        clearMask();
    else
        setMask(m_shape);
}

void BoardWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // At fractional ratios (1.25, 1.5) the 2x picture is scaled down: filter it, or it turns
    // jagged.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, m_picture);
}

void BoardWindow::mousePressEvent(QMouseEvent *event)
{
    if (m_movable)
        m_drag.press(*this, event);
}

void BoardWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_movable)
        m_drag.move(*this, event);
}

void BoardWindow::mouseReleaseEvent(QMouseEvent *)
{
    m_drag.release();
}

void BoardWindow::pinToDesktop(Runtime &runtime)
{
    runtime.applyVisualStyle(1);
    runtime.pinToDesktop(*this);
    setMovable(false);
}

bool BoardWindow::confirmExit(Runtime &runtime)
{
    return runtime.messageBox(
               QStringLiteral("老湿童鞋你真的要退出吗!!!"), Runtime::MessageStyle::OkCancelQuestion)
        == Runtime::Ok;
}
