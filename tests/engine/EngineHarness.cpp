#include "engine/EngineHarness.h"

#include "platform/Handle.h"
#include "setup/Product.h"
#include "support/AcadSeed.h"
#include "support/RegistryProbe.h"

#include <gtest/gtest.h>

#include <algorithm>

int MessageSink::Count(UINT id) const
{
    return static_cast<int>(
        std::count_if(messages.begin(), messages.end(), [id](const SinkMessage& m) { return m.id == id; }));
}

LRESULT CALLBACK MessageSink::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* sink = HiddenWindow::GetOwner<MessageSink>(hwnd);
    if (sink && message >= WM_SETUP_PROGRESS && message <= WM_SETUP_ABORTED)
    {
        SinkMessage m{message, "", ""};
        if (message == WM_SETUP_PROGRESS)
        {
            m.source = reinterpret_cast<const char*>(wParam);
            m.target = reinterpret_cast<const char*>(lParam);
        }
        sink->messages.push_back(m);
        if (sink->onMessage)
            sink->onMessage(m);
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

int ScriptedSetupThread::AskUser(const char* text, UINT type)
{
    questions.push_back({text, type});
    if (!answer)
    {
        ADD_FAILURE() << "unexpected question: " << text;
        return IDCANCEL;
    }
    return answer(questions.back());
}

void RunWorker(ScriptedSetupThread& worker, MessageSink& sink, const CString& setupDir,
               const CString& installDir)
{
    worker.m_strSetupDir = setupDir;
    worker.m_strInstallDir = installDir;
    worker.m_pMainWnd = &sink.Window();
    worker.m_bAutoDelete = FALSE;
    ASSERT_TRUE(worker.CreateThread());
    worker.WaitPumping();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

void BuildMedium(const TempTree& medium)
{
    medium.WriteFile("Support\\2004-06\\arx\\qelmar16.arx", "arx 2004");
    medium.WriteFile("Support\\2007-09\\Menu\\Kelvorn.mnu", "menu 2007");
    medium.WriteFile("Support\\嘰\\说明.txt", "trail byte 0x5C in the folder name");
    medium.MakeDir("Support\\空文件夹");
    const CString controls = ProgramFolder();
    medium.MakeDir("Controls");
    for (const char* control : {"RecordingControl.ocx", "PlainControl.ocx"})
        ASSERT_TRUE(::CopyFileA(controls + control, medium.Path("Controls\\") + control, FALSE)) << control;
    medium.WriteFile("Controls\\readme.txt", "not a control");
    medium.WriteFile("图框\\A3图框.dwg", "frame");
    medium.WriteFile("模板\\acad.dwt", "template");
    medium.WriteFile("Database\\工程.mdb", "read-only on the medium");
    ::SetFileAttributesA(medium.Path("Database\\工程.mdb"), FILE_ATTRIBUTE_READONLY);
    medium.WriteFile("Data\\setup.exe", "a setup.exe inside a folder is copied");
    medium.MakeDir("Temp");

    medium.WriteFile("SeTuP.ExE", "the installer itself");
    medium.WriteFile("Uninstall.exe", "uninstaller");
    medium.WriteFile("QELMAR.exe", "launcher");
    medium.WriteFile("QELMARV7.0.ico", "icon");
    medium.WriteFile("vindrel.url", "[InternetShortcut]\r\nURL=http://www.vindrel.com.cn/\r\n");
    medium.WriteFile("readme.txt", "read-only root file");
    ::SetFileAttributesA(medium.Path("readme.txt"), FILE_ATTRIBUTE_READONLY);
    medium.WriteFile("安装界面\\1.jpg", "slide");
}

void CleanRegistry()
{
    DeleteRegTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quorvane");
    DeleteRegTree(HKEY_LOCAL_MACHINE, Product::kUninstallKey);
    DeleteRegTree(HKEY_CURRENT_USER, "Software\\QelmarTests");
    RemoveAcadSeeds();
}

namespace
{
void Walk(const CString& source, const CString& target, const std::vector<std::string>& failing,
          ExpectedCopy& expected)
{
    expected.log += "Made Dir: " + target.str() + "\n";
    WIN32_FIND_DATAA data;
    CFindHandle find(::FindFirstFileA(source + "\\*.*", &data));
    if (!find)
        return;
    do
    {
        const std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        const CString entrySource = source + "\\" + name.c_str();
        const CString entryTarget = target + "\\" + name.c_str();
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            Walk(entrySource, entryTarget, failing, expected);
        else if (std::find(failing.begin(), failing.end(), entryTarget.str()) == failing.end())
            expected.log += "File Copy: " + entryTarget.str() + "\n";
        expected.reported.push_back(entryTarget.str());
    } while (::FindNextFileA(find.Get(), &data));
}
} // namespace

ExpectedCopy WalkMedium(const CString& setupDir, const CString& installDir,
                        const std::vector<std::string>& failingTargets)
{
    ExpectedCopy expected;
    for (const char* folder : Product::kInstallFolders)
        Walk(setupDir + folder, installDir + folder, failingTargets, expected);
    return expected;
}

namespace
{
CString ShellFolder(const char* name)
{
    return RegString(HKEY_CURRENT_USER,
                     "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name) +
           "\\";
}
} // namespace

CString DesktopShortcut()
{
    return ShellFolder("Desktop") + "土方工程量计算软件.LNK";
}

CString ProgramGroup()
{
    return ShellFolder("Programs") + "土方工程量计算软件 QELMAR V7.0";
}

void RemoveShortcuts()
{
    ::DeleteFileA(DesktopShortcut());
    RemoveTree(ProgramGroup());
}
