#include "session_win32.h"

// <sddl.h> needs what <windows.h> defines first.
// clang-format off
#include <windows.h>
#include <sddl.h>
// clang-format on
#include <vector>

namespace win32 {

std::wstring currentUserSid()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    std::wstring text;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    LPWSTR sid = nullptr;
    if (size && GetTokenInformation(token, TokenUser, user.data(), size, &size)
        && ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER *>(user.data())->User.Sid, &sid)) {
        text = sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return text;
}

unsigned long currentSessionId()
{
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    return session;
}

SessionMutex takeSessionMutex(const std::wstring &name)
{
    HANDLE mutex = CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str());
    const DWORD error = GetLastError();
    // Made by another process: its holder lives. Made by another user: not ours to take either.
    if ((mutex && error == ERROR_ALREADY_EXISTS) || error == ERROR_ACCESS_DENIED) {
        if (mutex)
            CloseHandle(mutex);
        return { nullptr, true, error };
    }
    return { mutex, false, mutex ? 0 : error };
}

void closeSessionMutex(void *handle)
{
    CloseHandle(handle);
}

} // namespace win32
