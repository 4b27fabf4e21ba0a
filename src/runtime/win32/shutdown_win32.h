#pragma once

// Win32 calls kept free of Qt, so that they build with any Windows compiler on their own.
namespace win32 {

struct PowerOffRequest
{
    bool requested;
    unsigned long error; // GetLastError() of the step that failed
    const char *failedStep; // nullptr when requested
};

// Asks Windows to shut down and power off. `forceIfHung` lets Windows end applications that stop
// answering; applications that answer still get to save their work or refuse.
PowerOffRequest requestPowerOff(bool forceIfHung);

} // namespace win32
