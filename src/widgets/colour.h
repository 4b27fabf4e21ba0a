#pragma once

#include <QColor>
#include <QtGlobal>

// A text colour as the windows store it: red in the lowest byte, then green, then blue.
// kDefault means that no colour was chosen and the platform's text colour applies; it is not black.
class Colour
{
public:
    static constexpr quint32 kDefault = 0xFF000000u;

    constexpr Colour() = default;
    constexpr explicit Colour(quint32 value) : m_value(value) { }
    static constexpr Colour rgb(int red, int green, int blue)
    {
        return Colour(
            quint32(red & 0xFF) | quint32(green & 0xFF) << 8 | quint32(blue & 0xFF) << 16);
    }
    static Colour fromQColor(const QColor &colour)
    {
        return colour.isValid() ? rgb(colour.red(), colour.green(), colour.blue()) : Colour();
    }

    constexpr quint32 value() const { return m_value; }
    constexpr bool isDefault() const { return m_value == kDefault; }

    // An invalid QColor for the default colour.
    QColor toQColor() const
    {
        if (isDefault())
            return {};
        return QColor(int(m_value & 0xFF), int(m_value >> 8 & 0xFF), int(m_value >> 16 & 0xFF));
    }

    friend constexpr bool operator==(Colour, Colour) = default;

private:
    quint32 m_value = kDefault;
};
