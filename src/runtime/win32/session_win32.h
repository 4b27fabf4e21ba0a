#pragma once

#include <string>

namespace win32 {

// The current user's security identifier as text ("S-1-5-21-…"); empty where Windows does not
// tell it.
std::wstring currentUserSid();

// The number of the desktop session this process runs in.
unsigned long currentSessionId();

struct SessionMutex
{
    void *handle; // the mutex, taken; nullptr where it was not
    bool heldElsewhere; // another process of the session holds it
    unsigned long error; // GetLastError() where it could not be made
};

// Takes the mutex `name` of this desktop session (Local\name), which lives as long as a handle to
// it is open: the system lets it go when the process holding it ends, however it ends.
SessionMutex takeSessionMutex(const std::wstring &name);
void closeSessionMutex(void *handle);

} // namespace win32
