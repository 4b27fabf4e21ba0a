#pragma once

#include <string>

// Win32 calls kept free of Qt, so that they build with any Windows compiler on their own.
namespace win32 {

enum class Stream { Output, Error };

// Shows a command line's answer to whoever started the program, which is a window-system program
// and has no console of its own: into the standard stream where one was handed over (a pipe or a
// file, as a script redirects it), else into the console of the process that started it (cmd.exe,
// PowerShell), else in a message box with `title`, which shows `inABox`. `text` is UTF-8. False
// where it could not be shown: a redirected stream that takes no more (a full disk).
bool showText(
    Stream stream, const std::string &text, const std::wstring &inABox, const std::wstring &title);

} // namespace win32
