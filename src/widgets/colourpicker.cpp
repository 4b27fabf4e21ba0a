#include "colourpicker.h"

ColourPicker::ColourPicker(QWidget* parent)
    : QPushButton(parent)
{
}
