#pragma once

#include <string>

namespace win32 {

// The current user's security identifier as text ("S-1-5-21-…"); empty where Windows does not
// tell it.
std::wstring currentUserSid();

// The number of the desktop session this process runs in.
unsigned long currentSessionId();

} // namespace win32
