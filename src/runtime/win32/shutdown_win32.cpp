#include "shutdown_win32.h"

#include <windows.h>

namespace win32 {
namespace {

    PowerOffRequest failed(const char *step)
    {
        return { false, GetLastError(), step };
    }

} // namespace

PowerOffCalls systemPowerOffCalls()
{
    PowerOffCalls calls;
    calls.openProcessToken = [](void **token) {
        return OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                   reinterpret_cast<HANDLE *>(token))
            != FALSE;
    };
    calls.lookupShutdownPrivilege = [](void *luid) {
        return LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", static_cast<LUID *>(luid))
            != FALSE;
    };
    calls.adjustTokenPrivileges = [](void *token, void *privileges) {
        return AdjustTokenPrivileges(static_cast<HANDLE>(token), FALSE,
                   static_cast<TOKEN_PRIVILEGES *>(privileges), 0, nullptr, nullptr)
            != FALSE;
    };
    calls.closeHandle = [](void *token) { CloseHandle(static_cast<HANDLE>(token)); };
    calls.exitWindowsEx = [](unsigned flags, unsigned long reason) {
        return ExitWindowsEx(flags, reason) != FALSE;
    };
    return calls;
}

PowerOffRequest requestPowerOff(bool forceIfHung)
{
    return requestPowerOff(forceIfHung, systemPowerOffCalls());
}

PowerOffRequest requestPowerOff(bool forceIfHung, const PowerOffCalls &calls)
{
    void *token = nullptr;
    if (!calls.openProcessToken(&token))
        return failed("OpenProcessToken");

    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!calls.lookupShutdownPrivilege(&privileges.Privileges[0].Luid)) {
        const PowerOffRequest result = failed("LookupPrivilegeValue");
        calls.closeHandle(token);
        return result;
    }
    // AdjustTokenPrivileges reports success even when it granted nothing: only the last error
    // tells (ERROR_NOT_ALL_ASSIGNED).
    SetLastError(ERROR_SUCCESS);
    const bool adjusted = calls.adjustTokenPrivileges(token, &privileges);
    const DWORD adjustError = GetLastError();
    calls.closeHandle(token);
    if (!adjusted || adjustError != ERROR_SUCCESS)
        return { false, adjustError, "AdjustTokenPrivileges" };

    // Never EWX_FORCE: it closes applications without letting them save.
    const UINT flags = EWX_POWEROFF | (forceIfHung ? EWX_FORCEIFHUNG : 0);
    const DWORD reason =
        SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;
    if (!calls.exitWindowsEx(flags, reason))
        return failed("ExitWindowsEx");
    return { true, ERROR_SUCCESS, nullptr };
}

} // namespace win32
