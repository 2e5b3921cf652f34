#include "uninstall/SelfRemoval.h"

#include "platform/Handle.h"
#include "uninstall/UninstallConstants.h"

#include <windows.h>

CString FormatSelfRemovalScript(const char* exePath)
{
    // The command interpreter takes "%" in a script for the start of a variable; "%%" is a "%".
    // No GBK trail byte is 0x25.
    CString path(exePath);
    path.Replace("%", "%%");
    const CString folder = path.Left(path.ReverseFind('\\'));
    CString text;
    text.Format(UninstallConstants::kSelfRemovalFormat, path.str().c_str(), path.str().c_str(),
                folder.str().c_str(), UninstallConstants::kSelfRemovalScript);
    return text;
}

void StartSelfRemoval()
{
    // A path cut to the buffer would name another file for the script to delete.
    char exePath[MAX_PATH];
    const DWORD pathLength = ::GetModuleFileNameA(nullptr, exePath, MAX_PATH);
    if (pathLength == 0 || pathLength >= MAX_PATH)
        return;

    CHandle script(::CreateFileA(UninstallConstants::kSelfRemovalScript, GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!script)
        return;
    const CString text = FormatSelfRemovalScript(exePath);
    const DWORD length = static_cast<DWORD>(text.GetLength());
    DWORD written = 0;
    const bool complete = ::WriteFile(script.Get(), text, length, &written, nullptr) && written == length;
    script.Close();
    if (!complete)
        return; // a cut script could loop on a line it never finishes

    CString commandLine(UninstallConstants::kSelfRemovalScript); // CreateProcessA may write to it
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(nullptr, commandLine.GetBuffer(0), nullptr, nullptr, FALSE,
                          CREATE_SUSPENDED | IDLE_PRIORITY_CLASS, nullptr, "\\", &startup, &started))
        return;
    CHandle process(started.hProcess);
    const CHandle thread(started.hThread);
    ::SetThreadPriority(thread.Get(), THREAD_PRIORITY_IDLE);
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    ::SetPriorityClass(::GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    process.Close();
    ::ResumeThread(thread.Get());
}
