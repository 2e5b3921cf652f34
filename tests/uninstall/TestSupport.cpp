#include "TestSupport.h"

#include "platform/FileFind.h"
#include "platform/Handle.h"
#include "platform/RegKey.h"
#include "uninstall/UninstallMessages.h"

#include <shlwapi.h>

#include <stdexcept>

CString TestProgramFolder()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const CString full(path);
    return full.Left(full.ReverseFind('\\') + 1);
}

bool Exists(const char* path)
{
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

void WriteBytes(const char* path, const std::string& bytes)
{
    const CHandle file(
        ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        throw std::runtime_error(std::string("cannot write ") + path);
}

std::string ReadBytes(const char* path)
{
    const CHandle file(::CreateFileA(path, GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (file && ::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}

void RemoveTree(const char* path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
    {
        ::DeleteFileA(path);
        return;
    }
    CFileFind find;
    BOOL more = find.FindFile(CString(path) + "\\*.*");
    while (more)
    {
        more = find.FindNextFile();
        if (!find.IsDots())
            RemoveTree(find.GetFilePath());
    }
    find.Close();
    ::RemoveDirectoryA(path);
}

CTempFolder::CTempFolder(const char* name)
{
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    m_strPath.Format("%sqelmar-%s-%lu\\", temp, name, ::GetCurrentProcessId());
    RemoveTree(m_strPath);
    ::CreateDirectoryA(m_strPath, nullptr);
}

CTempFolder::~CTempFolder()
{
    RemoveTree(m_strPath.Left(m_strPath.GetLength() - 1));
}

CTestKey::CTestKey(HKEY root, const char* path) : m_root(root), m_strPath(path)
{
    // Deleting the topmost key that is created here leaves the registry as it was.
    for (int separator = m_strPath.Find('\\'); separator > 0; separator = m_strPath.Find('\\', separator + 1))
    {
        if (!Exists(root, m_strPath.Left(separator)))
        {
            m_strPath = m_strPath.Left(separator);
            break;
        }
    }
    CRegKey key;
    key.Create(root, path);
    key.SetString("installPath", "test");
}

CTestKey::~CTestKey()
{
    ::SHDeleteKeyA(m_root, m_strPath);
}

bool CTestKey::Exists(HKEY root, const char* path)
{
    CRegKey key;
    return key.Open(root, path) == ERROR_SUCCESS;
}

namespace
{
const char* const kControlCallsKey = "Software\\QelmarTests\\Controls";
}

bool ControlCalled(const char* entryPoint, const char* libraryPath)
{
    CRegKey key;
    CString value;
    return key.Open(HKEY_CURRENT_USER, kControlCallsKey) == ERROR_SUCCESS &&
           key.QueryString(CString(entryPoint) + " " + libraryPath, value, MAX_PATH) == ERROR_SUCCESS;
}

void ForgetControlCalls()
{
    ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\QelmarTests");
}

namespace
{
const char* const kRecorderClass = "QelmarUninstallTestRecorder";
}

CRecorderWnd::CRecorderWnd()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kRecorderClass;
    ::RegisterClassA(&windowClass); // a second registration fails harmlessly
    m_hWnd = ::CreateWindowExA(0, kRecorderClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CRecorderWnd::~CRecorderWnd()
{
    ::DestroyWindow(m_hWnd);
}

void CRecorderWnd::DrainPosted()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

LRESULT CALLBACK CRecorderWnd::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CRecorderWnd*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr || message < WM_USER)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    Received received{message, "", ::InSendMessage() != FALSE};
    if (message == WM_UNINSTALL_ITEM)
        received.path = reinterpret_cast<const char*>(lParam);
    self->m_received.push_back(received);
    if (self->m_onMessage)
        self->m_onMessage(message);
    return 1;
}
