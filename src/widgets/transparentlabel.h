#pragma once

#include "colour.h"
#include "fontrecord.h"

#include <QLabel>
#include <optional>

// A caption drawn straight onto the window's background in its own font and colour. Captions are
// always plain text, on one line at the top left unless the label is set to wrap (setWordWrap). A
// pressable label takes left and right presses over its whole rectangle, caption or not; any
// other label lets presses through to what lies beneath it.
class TransparentLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TransparentLabel(QWidget *parent = nullptr);

    void setPressable(bool pressable);

    // No record: the label keeps the window's user-interface font.
    void setFontRecord(const FontRecord &record);
    std::optional<FontRecord> fontRecord() const { return m_fontRecord; }
    // Changes the character height alone; face, weight and the rest stay.
    void setCharacterHeight(int pixels);

    void setTextColour(Colour colour);
    Colour textColour() const { return m_textColour; }

    // A figure label shows its caption left-aligned and vertically centred. Whatever the face and
    // size the platform gives, a one-line caption too wide for the part of the label the window
    // shows is drawn smaller, just small enough to fit, on the line the whole-size caption
    // stands on. The font and its record keep their size; only the drawing shrinks.
    void setFigure(bool figure);
    // The font the caption is drawn in.
    QFont drawingFont() const;

signals:
    void leftPressed();
    void rightPressed();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<FontRecord> m_fontRecord;
    Colour m_textColour;
    bool m_figure = false;
};
