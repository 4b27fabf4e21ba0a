#include "shutdown_win32.h"

#include <windows.h>

namespace win32 {
namespace {

    PowerOffRequest failed(const char *step)
    {
        return { false, GetLastError(), step };
    }

} // namespace

PowerOffRequest requestPowerOff(bool forceIfHung)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return failed("OpenProcessToken");

    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        const PowerOffRequest result = failed("LookupPrivilegeValue");
        CloseHandle(token);
        return result;
    }
    // AdjustTokenPrivileges reports success even when it granted nothing: only the last error
    // tells (ERROR_NOT_ALL_ASSIGNED).
    SetLastError(ERROR_SUCCESS);
    const BOOL adjusted = AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    const DWORD adjustError = GetLastError();
    CloseHandle(token);
    if (!adjusted || adjustError != ERROR_SUCCESS)
        return { false, adjustError, "AdjustTokenPrivileges" };

    // Never EWX_FORCE: it closes applications without letting them save.
    const UINT flags = EWX_POWEROFF | (forceIfHung ? EWX_FORCEIFHUNG : 0);
    const DWORD reason =
        SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;
    if (!ExitWindowsEx(flags, reason))
        return failed("ExitWindowsEx");
    return { true, ERROR_SUCCESS, nullptr };
}

} // namespace win32
