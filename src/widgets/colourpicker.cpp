#include "colourpicker.h"

#include <QPointer>
#include <QStyleOptionButton>
#include <QStylePainter>

ColourPicker::ColourPicker(QWidget *parent) : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, &ColourPicker::onClicked);
    showColour();
}

void ColourPicker::setColour(Colour colour)
{
    if (colour == m_colour)
        return;
    m_colour = colour;
    showColour();
    emit colourChanged(colour);
}

void ColourPicker::onClicked()
{
    if (!m_chooser)
        return;
    // The dialog has no "no colour" of its own to start from.
    const QColor initial = m_colour.isDefault() ? QColor(Qt::black) : m_colour.toQColor();
    // The dialog belongs to the picker's window, which takes no input meanwhile.
    m_chooser(initial, *window(), [self = QPointer<ColourPicker>(this)](const QColor &chosen) {
        if (self && chosen.isValid())
            self->setColour(Colour::fromQColor(chosen));
    });
}

void ColourPicker::showColour()
{
    setText(m_colour.isDefault() ? QStringLiteral("默认") : QString());
    setToolTip(m_colour.isDefault() ? QStringLiteral("默认") : m_colour.toQColor().name());
    update();
}

void ColourPicker::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect swatch = style()
                             ->subElementRect(QStyle::SE_PushButtonContents, &option, this)
                             .adjusted(1, 1, -1, -1);
    if (m_colour.isDefault()) {
        painter.fillRect(swatch, QBrush(palette().color(QPalette::Mid), Qt::BDiagPattern));
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(swatch, Qt::AlignCenter, text());
    } else {
        painter.fillRect(swatch, m_colour.toQColor());
    }
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}
