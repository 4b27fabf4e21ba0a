#pragma once

#include "colour.h"

#include <QColor>
#include <QPushButton>
#include <functional>

// A swatch button that holds a text colour. It starts at the default colour, which it shows
// hatched and marked "默认" so that it cannot be taken for black; a click lets the user choose.
class ColourPicker : public QPushButton
{
    Q_OBJECT
public:
    // Asks the user for a colour starting from `initial` in a dialog over `owner`, and calls
    // `chosen` with the answer later; an invalid colour means cancelled.
    using Chooser = std::function<void(
        const QColor &initial, QWidget &owner, std::function<void(const QColor &)> chosen)>;

    explicit ColourPicker(QWidget *parent = nullptr);

    Colour colour() const { return m_colour; }
    void setColour(Colour colour);

    // Without a chooser a click does nothing.
    void setChooser(Chooser chooser) { m_chooser = std::move(chooser); }

signals:
    void colourChanged(Colour colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void onClicked();
    void showColour();

    Colour m_colour;
    Chooser m_chooser;
};
