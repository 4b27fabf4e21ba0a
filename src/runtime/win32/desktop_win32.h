#pragma once

// Win32 calls kept free of Qt, so that they build with any Windows compiler on their own.
namespace win32 {

// The desktop's program-manager window (an HWND), found by its class "Progman" and its title
// "Program Manager"; nullptr where there is none. A window that is its child lives on the desktop,
// beneath all ordinary windows.
void *findProgramManager();

} // namespace win32
