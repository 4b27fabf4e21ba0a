#include "desktop_win32.h"

#include <windows.h>

namespace win32 {

void *findProgramManager()
{
    return FindWindowA("Progman", "Program Manager");
}

} // namespace win32
