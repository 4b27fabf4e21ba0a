#include "transparentlabel.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Room the caption takes: its advance, or further where the last glyph's ink reaches beyond it.
qreal captionWidth(const QFont &font, const QString &text)
{
    const QFontMetricsF metrics(font);
    return std::max(metrics.horizontalAdvance(text), metrics.tightBoundingRect(text).right());
}

// Where a digit's middle lies against the baseline (negative: above it), and half its height.
// The digit's own outline gives them: the faces cut down to the board's characters have no "H"
// to take a cap height from.
struct DigitBox
{
    qreal middle;
    qreal halfHeight;
};

DigitBox digitBox(const QFont &font)
{
    const QFontMetricsF metrics(font);
    const QRectF digit = metrics.boundingRect(QLatin1Char('0'));
    if (digit.isEmpty())
        return { (metrics.descent() - metrics.ascent()) / 2,
            (metrics.ascent() + metrics.descent()) / 2 };
    return { digit.center().y(), digit.height() / 2 };
}

} // namespace

TransparentLabel::TransparentLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setPressable(false);
}

void TransparentLabel::setPressable(bool pressable)
{
    setAttribute(Qt::WA_TransparentForMouseEvents, !pressable);
}

void TransparentLabel::setFontRecord(const FontRecord &record)
{
    m_fontRecord = record;
    setFont(record.toQFont());
}

void TransparentLabel::setCharacterHeight(int pixels)
{
    if (m_fontRecord) {
        m_fontRecord->pixelHeight = pixels;
        setFontRecord(*m_fontRecord);
        return;
    }
    QFont resized = font();
    resized.setPixelSize(pixels);
    setFont(resized);
}

void TransparentLabel::setTextColour(Colour colour)
{
    m_textColour = colour;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText,
        colour.isDefault() ? QApplication::palette(this).color(QPalette::WindowText)
                           : colour.toQColor());
    setPalette(palette);
}

void TransparentLabel::setFigure(bool figure)
{
    m_figure = figure;
    if (figure)
        setWordWrap(false);
    update();
}

QFont TransparentLabel::drawingFont() const
{
    QFont drawn = font();
    // The window cuts off whatever of the label lies beyond its right edge.
    qreal room = contentsRect().width();
    if (parentWidget())
        room = std::min(room, qreal(parentWidget()->width() - x() - contentsRect().left()));
    qreal width = captionWidth(drawn, text());
    if (wordWrap() || width <= room)
        return drawn;
    // Advances grow almost in proportion to the size; hinting may round a step over.
    int pixels = QFontInfo(drawn).pixelSize();
    pixels = std::max(1, int(std::floor(pixels * room / width)));
    for (;;) {
        drawn.setPixelSize(pixels);
        width = captionWidth(drawn, text());
        if (width <= room || pixels == 1)
            return drawn;
        --pixels;
    }
}

void TransparentLabel::paintEvent(QPaintEvent *event)
{
    const QFont drawn = drawingFont();
    if (wordWrap() || (!m_figure && drawn == font())) {
        QLabel::paintEvent(event);
        return;
    }
    const QRectF room = contentsRect();
    qreal baseline = room.top() + QFontMetricsF(font()).ascent();
    if (m_figure) {
        // A figure is centred on the line the whole-size one stands on: the middle of its digits
        // as drawn from the label's top, raised where a tall face would push them out at the
        // bottom.
        const DigitBox whole = digitBox(font());
        const qreal line = std::min(
            QFontMetricsF(font()).ascent() + whole.middle, room.height() - whole.halfHeight);
        baseline = room.top() + line - digitBox(drawn).middle;
    }
    QPainter painter(this);
    painter.setFont(drawn);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(QPointF(room.left(), baseline), text());
}

void TransparentLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit leftPressed();
    else if (event->button() == Qt::RightButton)
        emit rightPressed();
    event->accept();
}
