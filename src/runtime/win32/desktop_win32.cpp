#include "desktop_win32.h"

#include <windows.h>

namespace win32 {

void setParentToProgramManager(void *window)
{
    HWND programManager = FindWindowA("Progman", "Program Manager");
    SetParent(static_cast<HWND>(window), programManager);
}

} // namespace win32
