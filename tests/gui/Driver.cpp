#include "Driver.h"

#include "platform/DC.h"
#include "platform/GdiObject.h"

#include <cstring>

namespace driver
{

Program::Program(const char* exe, const char* currentFolder)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string line = std::string("\"") + exe + "\"";
    if (::CreateProcessA(exe, &line[0], nullptr, nullptr, FALSE, 0, nullptr, currentFolder, &startup, &info))
    {
        m_process.Attach(info.hProcess);
        ::CloseHandle(info.hThread);
        m_id = info.dwProcessId;
    }
}

Program::~Program()
{
    DWORD code;
    if (m_process && !WaitForExit(0, code))
        ::TerminateProcess(m_process.Get(), 99);
}

bool Program::WaitForExit(DWORD timeoutMs, DWORD& code) const
{
    if (::WaitForSingleObject(m_process.Get(), timeoutMs) != WAIT_OBJECT_0)
        return false;
    ::GetExitCodeProcess(m_process.Get(), &code);
    return true;
}

namespace
{
struct Search
{
    DWORD processId;
    const char* text;
    HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !::IsWindowVisible(window))
        return TRUE;
    if (search->text && Text(window) != search->text)
        return TRUE;
    search->found = window;
    return FALSE;
}
} // namespace

HWND WaitForWindow(DWORD processId, const char* text, DWORD timeoutMs)
{
    Search search{processId, text, nullptr};
    WaitUntil(
        [&]
        {
            ::EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

HWND AnyWindow(DWORD processId)
{
    Search search{processId, nullptr, nullptr};
    ::EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Text(HWND window)
{
    char text[1024] = "";
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                          5000, &copied);
    return text;
}

std::string ItemText(HWND dialog, int id)
{
    return Text(::GetDlgItem(dialog, id));
}

bool IsVisible(HWND dialog, int id)
{
    return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE;
}

bool IsEnabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

void Click(HWND dialog, int id)
{
    const HWND button = ::GetDlgItem(dialog, id);
    // Posted: the click may start work (or a box) that answers only later.
    ::PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

bool SaveScreenshot(HWND window, const char* path)
{
    RECT rect;
    if (!::GetWindowRect(window, &rect))
        return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    struct ScreenContext
    {
        HDC hdc = ::GetDC(nullptr);
        ~ScreenContext() { ::ReleaseDC(nullptr, hdc); }
    } screenContext;
    CDC screen;
    screen.Attach(screenContext.hdc);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    CBitmap bitmap;
    bitmap.Attach(::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bits)
        return false;
    {
        CGdiSelection select(memory, bitmap.GetSafeHandle());
        ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    }
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageBytes;
    const CHandle file(
        ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.Get(), &header, sizeof header, &written, nullptr) &&
           ::WriteFile(file.Get(), &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
           ::WriteFile(file.Get(), bits, imageBytes, &written, nullptr);
}

int DarkPixels(HWND window)
{
    RECT rect;
    if (!::GetWindowRect(window, &rect))
        return 0;
    const HDC screen = ::GetDC(nullptr);
    int dark = 0;
    for (LONG y = rect.top; y < rect.bottom; ++y)
        for (LONG x = rect.left; x < rect.right; ++x)
        {
            const COLORREF pixel = ::GetPixel(screen, x, y);
            if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 96)
                ++dark;
        }
    ::ReleaseDC(nullptr, screen);
    return dark;
}

CString ArtefactFolder()
{
    char folder[MAX_PATH] = "";
    if (::GetEnvironmentVariableA("QELMAR_ARTEFACTS", folder, MAX_PATH) == 0)
    {
        ::GetModuleFileNameA(nullptr, folder, MAX_PATH);
        *std::strrchr(folder, '\\') = '\0';
    }
    ::CreateDirectoryA(folder, nullptr);
    return CString(folder) + "\\";
}

} // namespace driver
