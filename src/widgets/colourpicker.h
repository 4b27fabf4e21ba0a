#pragma once

#include "colour.h"

#include <QPushButton>

class ColourPicker : public QPushButton
{
    Q_OBJECT
public:
    explicit ColourPicker(QWidget* parent = nullptr);
};
