#include "transparentlabel.h"

#include <QApplication>
#include <QMouseEvent>

TransparentLabel::TransparentLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
    setPressable(false);
}

void TransparentLabel::setPressable(bool pressable)
{
    setAttribute(Qt::WA_TransparentForMouseEvents, !pressable);
}

bool TransparentLabel::isPressable() const
{
    return !testAttribute(Qt::WA_TransparentForMouseEvents);
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

void TransparentLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit leftPressed();
    else if (event->button() == Qt::RightButton)
        emit rightPressed();
    event->accept();
}
