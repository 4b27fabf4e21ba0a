#pragma once

// Win32 calls kept free of Qt, so that they build with any Windows compiler on their own.
namespace win32 {

// Makes the desktop's program-manager window the parent of `window` (an HWND), so that the window
// lives on the desktop beneath all ordinary windows. Without a program manager the window becomes
// top-level.
void setParentToProgramManager(void *window);

} // namespace win32
