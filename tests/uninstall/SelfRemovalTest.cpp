// The self-removal script's text, and the script run for real by Wine's command interpreter.
#include "platform/Handle.h"
#include "support/TempTree.h"
#include "uninstall/SelfRemoval.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <string>

namespace
{
std::string ExpectedScript(const std::string& exe, const std::string& folder)
{
    return ":Repeat\r\ndel \"" + exe + "\"\r\ndel \"Filedelr.avi\"\r\nif exist \"" + exe +
           "\" goto Repeat\r\nrmdir \"" + folder + "\"\r\ndel \"\\DelUS.bat\"\r\n";
}

// The command interpreters a process has started.
std::vector<DWORD> ChildInterpreters(DWORD parent)
{
    std::vector<DWORD> children;
    const CHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot.Get(), &entry); more;
         more = ::Process32Next(snapshot.Get(), &entry))
        if (entry.th32ParentProcessID == parent && CString(entry.szExeFile).CompareNoCase("cmd.exe") == 0)
            children.push_back(entry.th32ProcessID);
    return children;
}

// A process the test started or found, ended if the test leaves it running: the script would
// otherwise loop for ever.
class CProcessGuard
{
public:
    explicit CProcessGuard(HANDLE process) : m_process(process) {}
    ~CProcessGuard()
    {
        if (m_process && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_process.Get(), 1);
    }
    HANDLE Get() const { return m_process.Get(); }

private:
    CHandle m_process;
};

class CRemoveAtEnd
{
public:
    explicit CRemoveAtEnd(const char* path) : m_strPath(path) {}
    ~CRemoveAtEnd() { RemoveTree(m_strPath); }

private:
    CString m_strPath;
};

void WriteBytes(const char* path, const std::string& bytes)
{
    const CHandle file(
        ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file.IsValid()) << path;
    DWORD written = 0;
    ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
} // namespace

TEST(SelfRemoval, ScriptNamesTheExecutableItsFolderAndItself)
{
    struct Case
    {
        std::string exe;
        std::string folder;
    } const cases[] = {
        {"C:\\Program Files\\VindrelSoft\\QELMAR\\Uninstall.exe", "C:\\Program Files\\VindrelSoft\\QELMAR"},
        {"D:\\Uninstall.exe", "D:"},
        // The last byte 0x5C of "嘰" is no separator.
        {"C:\\软件\\卸载嘰.exe", "C:\\软件"},
        {"\\\\server\\share\\QELMAR\\Uninstall.exe", "\\\\server\\share\\QELMAR"},
    };
    for (const Case& test : cases)
        EXPECT_EQ(FormatSelfRemovalScript(test.exe.c_str()).str(), ExpectedScript(test.exe, test.folder));
    // The interpreter would read "%" as a variable's start: it is doubled, and so stays a "%".
    EXPECT_EQ(FormatSelfRemovalScript("C:\\软件100%\\%PATH%\\Uninstall.exe").str(),
              ExpectedScript("C:\\软件100%%\\%%PATH%%\\Uninstall.exe", "C:\\软件100%%\\%%PATH%%"));
}

TEST(SelfRemoval, DeletesTheExecutableOnceItHasEndedThenItsFolderAndItself)
{
    TempTree temp("selfremoval");
    // "%" in the folder's name: the interpreter must still find the executable and the folder.
    const CString inst = temp.Path("Inst 100%\\");
    temp.MakeDir("Inst 100%");
    const CString exe = inst + "Uninstall.exe";
    ASSERT_TRUE(::CopyFileA(ProgramFolder() + "uninstall_standin.exe", exe, FALSE));
    // The stand-in runs in C:\, so the script lies there; an earlier, longer one is replaced.
    const CString script = "C:\\DelUS.bat";
    const CRemoveAtEnd removeScript(script);
    WriteBytes(script, std::string(4096, 'x'));

    CString startedName;
    startedName.Format("QelmarSelfRemovalStarted%lu", ::GetCurrentProcessId());
    CString releaseName;
    releaseName.Format("QelmarSelfRemovalRelease%lu", ::GetCurrentProcessId());
    const CHandle started(::CreateEventA(nullptr, TRUE, FALSE, startedName));
    const CHandle release(::CreateEventA(nullptr, TRUE, FALSE, releaseName));
    CString commandLine;
    commandLine.Format("\"%s\" %s %s", exe.str().c_str(), startedName.str().c_str(),
                       releaseName.str().c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Detached, so the script's console echo stays out of the test's output.
    ASSERT_TRUE(::CreateProcessA(exe, commandLine.GetBuffer(0), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                                 nullptr, "C:\\", &startup, &info));
    const CHandle standInThread(info.hThread);
    const CProcessGuard standIn(info.hProcess);
    ASSERT_EQ(::WaitForSingleObject(started.Get(), 30000), WAIT_OBJECT_0);

    const std::vector<DWORD> interpreters = ChildInterpreters(info.dwProcessId);
    ASSERT_EQ(interpreters.size(), 1u);
    const CProcessGuard interpreter(
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, interpreters[0]));
    // The script's idle class is not checked: Wine ignores priority classes given at creation.
    EXPECT_EQ(::GetPriorityClass(standIn.Get()), static_cast<DWORD>(HIGH_PRIORITY_CLASS));
    CString escapedExe = exe;
    escapedExe.Replace("%", "%%");
    EXPECT_EQ(ReadBytes(script),
              ExpectedScript(escapedExe.str(), escapedExe.Left(escapedExe.ReverseFind('\\')).str()));

    // While the stand-in runs, its executable is in use: the script keeps looping.
    ::Sleep(2000);
    EXPECT_TRUE(PathExists(exe));
    EXPECT_TRUE(PathExists(script));
    EXPECT_EQ(::WaitForSingleObject(interpreter.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));

    ::SetEvent(release.Get());
    ASSERT_EQ(::WaitForSingleObject(standIn.Get(), 30000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ::GetExitCodeProcess(standIn.Get(), &exitCode);
    EXPECT_EQ(static_cast<int>(exitCode), THREAD_PRIORITY_TIME_CRITICAL);
    ASSERT_EQ(::WaitForSingleObject(interpreter.Get(), 60000), WAIT_OBJECT_0);
    EXPECT_FALSE(PathExists(exe));
    EXPECT_FALSE(PathExists(inst));
    EXPECT_FALSE(PathExists(script));
}
