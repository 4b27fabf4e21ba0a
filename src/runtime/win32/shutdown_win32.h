#pragma once

#include <functional>

// Win32 calls kept free of Qt, so that they build with any Windows compiler on their own.
namespace win32 {

struct PowerOffRequest
{
    bool requested;
    unsigned long error; // GetLastError() of the step that failed
    const char *failedStep; // nullptr when requested
};

// The Win32 calls the request is made of, in order. Each stands for the call of its name, returns
// false on failure and leaves the reason in GetLastError(). Tests substitute them to make a step
// fail, and always substitute exitWindowsEx: the real one ends the session.
struct PowerOffCalls
{
    std::function<bool(void **token)> openProcessToken; // this process, to adjust privileges
    std::function<bool(void *luid)> lookupShutdownPrivilege; // fills a LUID
    std::function<bool(void *token, void *privileges)> adjustTokenPrivileges; // TOKEN_PRIVILEGES
    std::function<void(void *token)> closeHandle;
    std::function<bool(unsigned flags, unsigned long reason)> exitWindowsEx;
};

// The system's own calls.
PowerOffCalls systemPowerOffCalls();

// Asks Windows to shut down and power off. `forceIfHung` lets Windows end applications that stop
// answering; applications that answer still get to save their work or refuse.
PowerOffRequest requestPowerOff(bool forceIfHung);
PowerOffRequest requestPowerOff(bool forceIfHung, const PowerOffCalls &calls);

} // namespace win32
