#pragma once

#include "runtime.h"

class QWidget;

// Operations whose bodies differ between platforms; CMake picks the file that implements them.
namespace platform {

void pinToDesktop(QWidget &window);

Runtime::ShutdownResult powerOff(bool force);

} // namespace platform
