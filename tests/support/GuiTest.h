// Helpers for tests that drive real windows under Xvfb: a dialog that plays a scenario inside its
// own modal loop, message pumping, mouse and keyboard input as a person makes it, and pixels read
// back from a window into a memory context.
#pragma once

#include "platform/DC.h"
#include "platform/Dialog.h"
#include "platform/GdiObject.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace guitest
{
// Dispatches this thread's messages for ms milliseconds, with the dialog manager's keyboard handling.
inline void Pump(DWORD ms, HWND dialog = nullptr)
{
    const DWORD start = ::GetTickCount();
    do
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (dialog && ::IsWindow(dialog) && ::IsDialogMessageA(dialog, &msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (::GetTickCount() - start < ms);
}

// Pumps until done() holds or timeoutMs passes; whether it held.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, HWND dialog = nullptr)
{
    const DWORD start = ::GetTickCount();
    while (!done())
    {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        Pump(10, dialog);
    }
    return true;
}

inline void SendMouse(DWORD flags, POINT screen = {0, 0})
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    if (flags & MOUSEEVENTF_MOVE)
    {
        flags |= MOUSEEVENTF_ABSOLUTE;
        const int width = ::GetSystemMetrics(SM_CXSCREEN);
        const int height = ::GetSystemMetrics(SM_CYSCREEN);
        // Normalised coordinates 0 ... 65535, rounded to the centre of the pixel.
        input.mi.dx = static_cast<LONG>((screen.x * 65536LL + 32768) / width);
        input.mi.dy = static_cast<LONG>((screen.y * 65536LL + 32768) / height);
    }
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}

// The centre of a window, or a point offset from its top-left corner, in screen coordinates.
inline POINT ScreenPoint(HWND hwnd, int x = -1, int y = -1)
{
    RECT rect;
    ::GetWindowRect(hwnd, &rect);
    return POINT{x < 0 ? (rect.left + rect.right) / 2 : rect.left + x,
                 y < 0 ? (rect.top + rect.bottom) / 2 : rect.top + y};
}

class Mouse
{
public:
    explicit Mouse(HWND dialog) : m_dialog(dialog) {}
    void MoveTo(POINT screen)
    {
        SendMouse(MOUSEEVENTF_MOVE, screen);
        Pump(60, m_dialog);
    }
    void Down()
    {
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        Pump(60, m_dialog);
    }
    void Up()
    {
        SendMouse(MOUSEEVENTF_LEFTUP);
        Pump(60, m_dialog);
    }
    void Click()
    {
        Down();
        Up();
    }

private:
    HWND m_dialog;
};

inline void Key(WORD vk, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
}

inline void PressKey(WORD vk, HWND dialog)
{
    Key(vk, false);
    Pump(60, dialog);
    Key(vk, true);
    Pump(60, dialog);
}

// A bitmap compatible with the screen, selected into a memory context and read pixel by pixel.
class MemoryImage
{
public:
    MemoryImage(int width, int height) : m_width(width), m_height(height)
    {
        HDC screen = ::GetDC(nullptr);
        CDC source;
        source.Attach(screen);
        m_dc.CreateCompatibleDC(&source);
        m_bitmap.CreateCompatibleBitmap(&source, width, height);
        source.Detach();
        ::ReleaseDC(nullptr, screen);
        m_select.emplace(m_dc, m_bitmap);
    }

    CDC& DC() { return m_dc; }
    COLORREF At(int x, int y) const { return m_dc.GetPixel(x, y); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The bounding box of the pixels of one colour; empty when there is none.
    RECT Bounds(COLORREF colour) const
    {
        RECT box{m_width, m_height, 0, 0};
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                if (At(x, y) == colour)
                    box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                               std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
        return box.right > box.left ? box : RECT{0, 0, 0, 0};
    }

private:
    int m_width;
    int m_height;
    CDC m_dc;
    CBitmap m_bitmap;
    std::optional<CGdiSelection> m_select;
};

// A copy of what a window shows in its client area.
class ClientPixels : public MemoryImage
{
public:
    explicit ClientPixels(HWND hwnd) : MemoryImage(ClientSize(hwnd).cx, ClientSize(hwnd).cy)
    {
        HDC window = ::GetDC(hwnd);
        CDC source;
        source.Attach(window);
        DC().BitBlt(0, 0, Width(), Height(), &source, 0, 0, SRCCOPY);
        source.Detach();
        ::ReleaseDC(hwnd, window);
    }

private:
    static SIZE ClientSize(HWND hwnd)
    {
        RECT client;
        ::GetClientRect(hwnd, &client);
        return SIZE{client.right, client.bottom};
    }
};

// A modal dialog that plays a scenario inside its own modal loop, as a person would while it is
// open, then ends with IDOK unless the scenario ended it. Records every command it receives.
class ScenarioDialog : public CDialog
{
public:
    using CDialog::CDialog;

    INT_PTR Run(std::function<void()> scenario)
    {
        m_scenario = std::move(scenario);
        m_ended = false;
        m_commands.clear();
        return DoModal();
    }
    int Commands(UINT id, UINT code) const
    {
        int count = 0;
        for (const auto& [i, c] : m_commands)
            count += i == id && c == code;
        return count;
    }
    void Pump(DWORD ms) { guitest::Pump(ms, m_hWnd); }
    // Ends the dialog from inside the scenario with this result.
    void End(int result)
    {
        m_ended = true;
        EndDialog(result);
    }

    std::vector<std::pair<UINT, UINT>> m_commands;

protected:
    static const UINT kPlay = WM_APP + 77;

    BOOL OnInitDialog() override
    {
        const BOOL result = CDialog::OnInitDialog();
        PostMessage(kPlay);
        return result;
    }
    void OnOK() override
    {
        m_ended = true;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        m_ended = true;
        CDialog::OnCancel();
    }
    BOOL OnCommand(UINT id, UINT code) override
    {
        m_commands.emplace_back(id, code);
        return CDialog::OnCommand(id, code);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kPlay)
            return CDialog::WindowProc(message, wParam, lParam);
        Pump(100); // let the dialog show and paint first
        if (m_scenario)
            m_scenario();
        if (!m_ended)
            EndDialog(IDOK);
        return 0;
    }

private:
    std::function<void()> m_scenario;
    bool m_ended = false;
};
} // namespace guitest
