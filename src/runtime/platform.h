#pragma once

#include "runtime.h"

class QWidget;

// Operations whose bodies differ between platforms; CMake picks the file that implements them.
namespace platform {

void pinToDesktop(QWidget &window);

// Asks the window manager to leave the shown `window` off the taskbar and the pager, where the
// window flags alone do not (X11).
void keepOffTaskbar(QWidget &window);

// Calls `done` with the system's answer; never waits for it on the calling thread.
void powerOff(bool force, Runtime::ShutdownDone done);

} // namespace platform
