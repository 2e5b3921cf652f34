// Times the install engine against plain copies of the same medium, in one run:
//   bare     a plain FindFirstFile / CreateDirectory / CopyFile loop
//   xcopy    the system's xcopy /E /I /Q /Y
//   engine-0 the install worker with no window to report to: its own copying, attribute resets
//            included, without the messages
//   engine-a the install worker reporting to a window that does nothing
//   engine-b the same, with a window doing per message what the copying page does (item text,
//            progress step), shown on screen
//   sends    no copying: only the engine's synchronous messages, one per entry, to a window that
//            does nothing (what engine-a adds to a copy at the least)
// Usage: install_bench [files] [kilobytes-per-file] [repeats]
#include "platform/FileFind.h"
#include "platform/Handle.h"
#include "platform/Wnd.h"
#include "setup/Product.h"
#include "setup/SetupThread.h"

#include <commctrl.h>
#include <windows.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace
{
double Seconds()
{
    static LARGE_INTEGER frequency = []
    {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void RemoveTree(const CString& path)
{
    ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    if (!(::GetFileAttributesA(path) & FILE_ATTRIBUTE_DIRECTORY))
    {
        ::DeleteFileA(path);
        return;
    }
    CFileFind finder;
    for (BOOL more = finder.FindFile(path + "\\*.*"); more;)
    {
        more = finder.FindNextFile();
        if (!finder.IsDots())
            RemoveTree(finder.GetFilePath());
    }
    finder.Close();
    ::RemoveDirectoryA(path);
}

// Seven folders, two levels of subfolders, the files spread evenly.
void MakeMedium(const CString& root, int files, int kilobytes)
{
    if (::GetFileAttributesA(root + "done.txt") != INVALID_FILE_ATTRIBUTES)
        return;
    RemoveTree(root.Left(root.GetLength() - 1));
    ::CreateDirectoryA(root.Left(root.GetLength() - 1), nullptr);
    const std::string content(static_cast<std::size_t>(kilobytes) * 1024, 'q');
    int made = 0;
    for (const char* folder : Product::kInstallFolders)
        ::CreateDirectoryA(root + folder, nullptr);
    for (int i = 0; made < files; ++i)
    {
        CString dir;
        dir.Format("%s%s\\d%02d", static_cast<const char*>(root), Product::kInstallFolders[i % 7],
                   i / 7 % 40);
        ::CreateDirectoryA(dir, nullptr);
        for (int j = 0; j < 50 && made < files; ++j, ++made)
        {
            CString file;
            file.Format("%s\\f%05d.dat", static_cast<const char*>(dir), made);
            const CHandle h(::CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
            DWORD written = 0;
            ::WriteFile(h.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        }
    }
    CHandle(::CreateFileA(root + "done.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

void BareCopy(const CString& source, const CString& target)
{
    ::CreateDirectoryA(target, nullptr);
    WIN32_FIND_DATAA data;
    const CFindHandle find(::FindFirstFileA(source + "\\*.*", &data));
    if (!find)
        return;
    do
    {
        const std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            BareCopy(source + "\\" + name.c_str(), target + "\\" + name.c_str());
        else
            ::CopyFileA(source + "\\" + name.c_str(), target + "\\" + name.c_str(), FALSE);
    } while (::FindNextFileA(find.Get(), &data));
}

double TimeBare(const CString& medium, const CString& target)
{
    const double start = Seconds();
    ::CreateDirectoryA(target.Left(target.GetLength() - 1), nullptr);
    for (const char* folder : Product::kInstallFolders)
        BareCopy(medium + folder, target + folder);
    return Seconds() - start;
}

double TimeXcopy(const CString& medium, const CString& target)
{
    const double start = Seconds();
    for (const char* folder : Product::kInstallFolders)
    {
        CString command;
        command.Format("xcopy /E /I /Q /Y \"%s%s\" \"%s%s\"", static_cast<const char*>(medium), folder,
                       static_cast<const char*>(target), folder);
        // xcopy reports its counts; they would only clutter the results.
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        const CHandle nul(
            ::CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
        STARTUPINFOA si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = nul.Get();
        PROCESS_INFORMATION pi{};
        std::vector<char> line(command.str().begin(), command.str().end());
        line.push_back('\0');
        const BOOL started =
            ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
        if (!started)
            return -1;
        const CHandle process(pi.hProcess), thread(pi.hThread);
        ::WaitForSingleObject(process.Get(), INFINITE);
    }
    return Seconds() - start;
}

// The page stand-in: a visible window with an item label and a standard progress bar.
class BenchPage
{
public:
    BenchPage(bool update, int entries) : m_update(update)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "QelmarBenchPage";
        ::RegisterClassA(&wc);
        m_window.m_hWnd = ::CreateWindowExA(0, wc.lpszClassName, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                            0, 500, 200, nullptr, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrA(m_window.m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_item = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 470, 20, m_window.m_hWnd,
                                   nullptr, wc.hInstance, nullptr);
        m_progress = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 10, 40, 470, 20,
                                       m_window.m_hWnd, nullptr, wc.hInstance, nullptr);
        ::SendMessageA(m_progress, PBM_SETRANGE32, 0, entries);
        ::SendMessageA(m_progress, PBM_SETSTEP, 1, 0);
        ::UpdateWindow(m_window.m_hWnd);
    }
    ~BenchPage()
    {
        ::DestroyWindow(m_window.m_hWnd);
        m_window.m_hWnd = nullptr;
    }
    BenchPage(const BenchPage&) = delete;
    BenchPage& operator=(const BenchPage&) = delete;

    CWnd& Window() { return m_window; }
    // Runs the worker to its end, with this thread serving the page.
    double Time(CWinThread& worker)
    {
        worker.m_pMainWnd = &m_window;
        worker.m_bAutoDelete = FALSE;
        const double start = Seconds();
        worker.CreateThread();
        worker.WaitPumping();
        MSG msg;
        while (!m_done && ::GetMessageA(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageA(&msg);
        return Seconds() - start;
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* page = reinterpret_cast<BenchPage*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        switch (message)
        {
        case WM_SETUP_PROGRESS:
            if (page->m_update)
            {
                ::SetWindowTextA(page->m_item, reinterpret_cast<const char*>(lParam));
                ::SendMessageA(page->m_progress, PBM_STEPIT, 0, 0);
            }
            return 0;
        case WM_SETUP_DONE:
        case WM_SETUP_ABORTED:
            page->m_done = true;
            return 0;
        default:
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
        }
    }

    CWnd m_window;
    HWND m_item = nullptr;
    HWND m_progress = nullptr;
    bool m_update;
    bool m_done = false;
};

double TimeEngine(const CString& medium, const CString& target, bool update, int entries)
{
    BenchPage page(update, entries);
    CSetupThread worker;
    worker.m_strSetupDir = medium;
    worker.m_strInstallDir = target;
    return page.Time(worker);
}

double TimeEngineAlone(const CString& medium, const CString& target)
{
    CSetupThread worker;
    worker.m_strSetupDir = medium;
    worker.m_strInstallDir = target;
    worker.m_bAutoDelete = FALSE;
    const double start = Seconds();
    worker.CreateThread();
    worker.WaitPumping();
    return Seconds() - start;
}

// The floor the engine cannot go below here: one synchronous cross-thread send per entry.
class SendingThread : public CWinThread
{
public:
    explicit SendingThread(int count) : m_count(count) {}
    BOOL InitInstance() override
    {
        for (int i = 0; i < m_count; ++i)
            m_pMainWnd->SendMessage(WM_SETUP_PROGRESS, reinterpret_cast<WPARAM>(""),
                                    reinterpret_cast<LPARAM>(""));
        m_pMainWnd->PostMessage(WM_SETUP_DONE);
        return FALSE;
    }

private:
    int m_count;
};

double TimeSends(int entries)
{
    BenchPage page(false, entries);
    SendingThread sender(entries);
    return page.Time(sender);
}

int CountEntries(const CString& folder)
{
    int count = 0;
    CFileFind finder;
    for (BOOL more = finder.FindFile(folder + "\\*.*"); more;)
    {
        more = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        ++count;
        if (finder.IsDirectory())
            count += CountEntries(finder.GetFilePath());
    }
    return count;
}
} // namespace

int main(int argc, char** argv)
{
    const int files = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int kilobytes = argc > 2 ? std::atoi(argv[2]) : 10;
    // The machine is noisy: each run is repeated and the best time kept.
    const int repeats = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1;
    const CString work = "C:\\qelmar-bench\\";
    CString medium;
    medium.Format("%smedium-%d-%d\\", static_cast<const char*>(work), files, kilobytes);
    ::CreateDirectoryA(work.Left(work.GetLength() - 1), nullptr);
    InitCommonControls();

    std::printf("medium: %d files of %d KiB; best of %d\n", files, kilobytes, repeats);
    std::fflush(stdout);
    MakeMedium(medium, files, kilobytes);
    int entries = 0;
    for (const char* folder : Product::kInstallFolders)
        entries += CountEntries(medium + folder);

    struct Result
    {
        const char* name;
        double seconds;
    };
    std::vector<Result> results;
    const CString target = work + "target\\";
    auto measure = [&](const char* name, const std::function<double()>& run)
    {
        double best = 0;
        for (int i = 0; i < repeats; ++i)
        {
            const double seconds = run();
            best = i == 0 ? seconds : std::min(best, seconds);
            RemoveTree(target.Left(target.GetLength() - 1));
        }
        results.push_back({name, best});
        std::printf("%-9s %8.2f s\n", name, best);
        std::fflush(stdout);
    };
    RemoveTree(target.Left(target.GetLength() - 1));
    measure("bare", [&] { return TimeBare(medium, target); });
    measure("xcopy", [&] { return TimeXcopy(medium, target); });
    measure("engine-0", [&] { return TimeEngineAlone(medium, target); });
    measure("engine-a", [&] { return TimeEngine(medium, target, false, entries); });
    measure("engine-b", [&] { return TimeEngine(medium, target, true, entries); });
    measure("sends", [&] { return TimeSends(entries); });
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, Product::kInstallKey);
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, Product::kUninstallKey);

    std::printf("\nratio to the bare loop:\n");
    for (const Result& r : results)
        std::printf("%-9s %6.2f\n", r.name, r.seconds / results[0].seconds);
    return 0;
}
