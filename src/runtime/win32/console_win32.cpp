#include "console_win32.h"

#include <windows.h>

namespace win32 {

namespace {

    std::wstring wide(const std::string &utf8)
    {
        const int length =
            MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
        std::wstring text(std::size_t(length), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), length);
        return text;
    }

    // A pipe or a file, as a script redirects the stream to.
    bool isRedirected(HANDLE handle)
    {
        if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
            return false;
        const DWORD type = GetFileType(handle);
        return type == FILE_TYPE_PIPE || type == FILE_TYPE_DISK;
    }

    // A console takes UTF-16, whatever its code page. Refused as access denied, the program
    // already has the console (Wine hands a program started from one the console itself).
    bool writeToParentConsole(const std::wstring &text)
    {
        const bool attached = AttachConsole(ATTACH_PARENT_PROCESS);
        if (!attached && GetLastError() != ERROR_ACCESS_DENIED)
            return false;
        const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        bool shown = false;
        if (console != INVALID_HANDLE_VALUE) {
            // The shell has already written its prompt: start on a line of our own.
            const std::wstring line = L"\r\n" + text;
            DWORD written = 0;
            shown = WriteConsoleW(console, line.data(), DWORD(line.size()), &written, nullptr) != 0;
            CloseHandle(console);
        }
        if (attached)
            FreeConsole();
        return shown;
    }

} // namespace

bool showText(
    Stream stream, const std::string &text, const std::wstring &inABox, const std::wstring &title)
{
    // A redirected stream takes the UTF-8 bytes as they are, as on other systems.
    const HANDLE standard =
        GetStdHandle(stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (isRedirected(standard)) {
        const std::string line = text + '\n';
        DWORD written = 0;
        return WriteFile(standard, line.data(), DWORD(line.size()), &written, nullptr) != 0
            && written == line.size();
    }
    if (writeToParentConsole(wide(text) + L"\r\n"))
        return true;
    return MessageBoxW(nullptr, inABox.c_str(), title.c_str(),
               MB_OK | MB_SETFOREGROUND
                   | (stream == Stream::Error ? MB_ICONERROR : MB_ICONINFORMATION))
        != 0;
}

} // namespace win32
