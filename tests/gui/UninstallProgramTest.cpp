// The real Uninstall.exe, installed by the install engine and driven through its windows.
#include "Driver.h"

#include "engine/EngineHarness.h"
#include "fixtures/RecordingControl.h"
#include "setup/Product.h"
#include "support/RegistryProbe.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <random>

namespace
{
const char kDialogCaption[] = "QELMAR V7.0 卸载";
const char kQuestionCaption[] = "卸载软件";
constexpr int kProgress = 1000, kItem = 1001, kThanks = 1002, kDone = 1003, kGroup = 1004;
// The text of a message box.
constexpr int kBoxText = 0xFFFF;

// What Wine's own list of installed programs says.
std::string InstalledPrograms()
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    ::CreatePipe(&read, &write, &inherit, 0);
    const CHandle reader(read), writer(write);
    ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write;
    PROCESS_INFORMATION info{};
    char line[] = "uninstaller.exe --list";
    if (!::CreateProcessA(nullptr, line, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
        return "";
    const CHandle process(info.hProcess), thread(info.hThread);
    std::string out;
    char buffer[4096];
    DWORD got = 0;
    ::WaitForSingleObject(process.Get(), 30000);
    while (::PeekNamedPipe(read, nullptr, 0, nullptr, &got, nullptr) && got > 0 &&
           ::ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0)
        out.append(buffer, got);
    return out;
}

class UninstallProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CleanRegistry();
        BuildMedium(medium);
        // The real uninstaller is one of the medium's root files.
        ASSERT_TRUE(::CopyFileA(ProgramFolder() + "Uninstall.exe", medium.Path("Uninstall.exe"), FALSE));
    }
    void TearDown() override
    {
        // A stopped run leaves part of the installation behind.
        RemoveTree("C:\\DelUS.bat");
        RemoveShortcuts();
        CleanRegistry();
    }

    // Installs with the engine; extra files make a longer run.
    void Install(int extraFiles = 0)
    {
        for (int i = 0; i < extraFiles; ++i)
        {
            CString name;
            name.Format("Data\\批量\\%03d\\文件%05d.dat", i / 100, i);
            medium.WriteFile(name, "x");
        }
        MessageSink sink;
        ScriptedSetupThread setup;
        RunWorker(setup, sink, medium.Root(), InstallDir());
        ASSERT_EQ(sink.Count(WM_SETUP_DONE), 1);
        ASSERT_TRUE(PathExists(InstallDir() + "Uninstall.log"));
    }

    CString InstallDir() const { return target.Path("VindrelSoft\\QELMAR\\"); }
    CString Exe() const { return InstallDir() + "Uninstall.exe"; }

    // Starts Uninstall.exe from the drive's root and answers its question.
    HWND StartAndAnswer(driver::Program& program, int answer)
    {
        EXPECT_TRUE(program.Started());
        const HWND question = driver::WaitForWindow(program.Id(), kQuestionCaption, 20000);
        EXPECT_NE(question, nullptr);
        if (!question)
            return nullptr;
        EXPECT_EQ(driver::ItemText(question, kBoxText), "真要卸载 QELMAR V7.0吗?");
        driver::Click(question, answer);
        return answer == IDYES ? driver::WaitForWindow(program.Id(), kDialogCaption, 20000) : nullptr;
    }

    void ExpectInstalled() const
    {
        EXPECT_TRUE(PathExists(Exe()));
        EXPECT_TRUE(PathExists(InstallDir() + "Uninstall.log"));
        EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, Product::kInstallKey));
        EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, Product::kUninstallKey));
    }

    TempTree medium{"gui-medium"};
    TempTree target{"gui"};
};
} // namespace

TEST_F(UninstallProgram, RemovesEverythingShowsItsProgressAndRemovesItself)
{
    Install(1500);
    EXPECT_NE(InstalledPrograms().find("QELMAR V7"), std::string::npos);
    DWORD code = 0;
    {
        driver::Program program(Exe(), "C:\\");
        const HWND dialog = StartAndAnswer(program, IDYES);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(driver::ItemText(dialog, kThanks), "谢谢使用  土方工程量计算软件 QELMAR V7.0 ");

        // While it runs: the file in hand with " ... ", the bar moving, Finish disabled.
        const HWND bar = ::GetDlgItem(dialog, kProgress);
        const bool seenRunning = driver::WaitUntil(
            [&] { return ::SendMessageA(bar, PBM_GETPOS, 0, 0) >= 200 || driver::IsVisible(dialog, kDone); },
            20000);
        const std::string item = driver::ItemText(dialog, kItem);
        if (seenRunning && !driver::IsVisible(dialog, kDone))
        {
            EXPECT_EQ(item.substr(item.size() - 5), " ... ");
            EXPECT_EQ(item.rfind(InstallDir().str(), 0), 0u) << item;
            EXPECT_FALSE(driver::IsEnabled(dialog, IDOK));
            ::Sleep(300); // let it paint
            driver::SaveScreenshot(dialog, driver::ArtefactFolder() + "uninstall-running.bmp");
            EXPECT_GT(driver::DarkPixels(::GetDlgItem(dialog, kItem)), 20)
                << "the item line is not on screen";
        }

        ASSERT_TRUE(driver::WaitUntil([&] { return driver::IsVisible(dialog, kDone); }, 120000));
        // The bar counted every "File Copy: " record and is full.
        const LRESULT upper = ::SendMessageA(bar, PBM_GETRANGE, FALSE, 0);
        EXPECT_GT(upper, 1500);
        EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, TRUE, 0), 0);
        EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), upper);
        EXPECT_EQ(driver::ItemText(dialog, kDone), "卸载完成!");
        EXPECT_EQ(driver::ItemText(dialog, kItem), "");
        EXPECT_FALSE(driver::IsVisible(dialog, kProgress));
        EXPECT_FALSE(driver::IsVisible(dialog, kGroup));
        EXPECT_TRUE(driver::IsEnabled(dialog, IDOK));
        ::Sleep(300);
        driver::SaveScreenshot(dialog, driver::ArtefactFolder() + "uninstall-done.bmp");
        EXPECT_GT(driver::DarkPixels(::GetDlgItem(dialog, kDone)), 20) << "the done label is not on screen";

        driver::Click(dialog, IDOK);
        ASSERT_TRUE(program.WaitForExit(20000, code));
    }
    EXPECT_EQ(code, 0u);

    // The script deletes the program once it has ended, then the empty folder, then itself.
    EXPECT_TRUE(driver::WaitUntil([&] { return !PathExists(Exe()); }, 30000));
    EXPECT_TRUE(driver::WaitUntil([&] { return !PathExists(InstallDir()); }, 30000));
    EXPECT_TRUE(driver::WaitUntil([] { return !PathExists("C:\\DelUS.bat"); }, 30000));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, Product::kInstallKey));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, Product::kUninstallKey));
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kControlTraceKey, InstallDir() + "Controls\\RecordingControl.ocx"),
              "unregistered");
    EXPECT_EQ(InstalledPrograms().find("QELMAR V7"), std::string::npos);
}

TEST_F(UninstallProgram, FindsTheLogWhateverTheInstallPathEndsWith)
{
    Install();
    CString path = InstallDir();
    path = path.Left(path.GetLength() - 1);
    ASSERT_TRUE(CSetupThread::WriteRegString(HKEY_LOCAL_MACHINE, Product::kInstallKey, "installPath", path));
    DWORD code = 0;
    driver::Program program(Exe(), "C:\\");
    const HWND dialog = StartAndAnswer(program, IDYES);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(driver::WaitUntil([&] { return driver::IsVisible(dialog, kDone); }, 60000));
    EXPECT_FALSE(PathExists(InstallDir() + "Uninstall.log"));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, Product::kInstallKey));
    driver::Click(dialog, IDOK);
    EXPECT_TRUE(program.WaitForExit(20000, code));
    EXPECT_TRUE(driver::WaitUntil([&] { return !PathExists(InstallDir()); }, 30000));
}

TEST_F(UninstallProgram, ACopyRunFromTheMediumRemovesTheInstallationButNotItself)
{
    Install();
    DWORD code = 0;
    driver::Program program(medium.Path("Uninstall.exe"), "C:\\");
    const HWND dialog = StartAndAnswer(program, IDYES);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(driver::WaitUntil([&] { return driver::IsVisible(dialog, kDone); }, 60000));
    driver::Click(dialog, IDOK);
    EXPECT_TRUE(program.WaitForExit(20000, code));
    EXPECT_FALSE(PathExists(InstallDir()));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, Product::kInstallKey));
    ::Sleep(1000);
    EXPECT_TRUE(PathExists(medium.Path("Uninstall.exe")));
    EXPECT_FALSE(PathExists("C:\\DelUS.bat"));
}

TEST_F(UninstallProgram, NoChangesAnythingAndAMissingLogClosesSilently)
{
    Install();
    DWORD code = 0;
    {
        driver::Program program(Exe(), "C:\\");
        StartAndAnswer(program, IDNO);
        EXPECT_TRUE(program.WaitForExit(20000, code));
    }
    ExpectInstalled();

    RemoveTree(InstallDir() + "Uninstall.log");
    driver::Program program(Exe(), "C:\\");
    StartAndAnswer(program, IDYES);
    EXPECT_TRUE(program.WaitForExit(20000, code));
    EXPECT_TRUE(PathExists(Exe()));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, Product::kInstallKey));
    EXPECT_FALSE(PathExists("C:\\DelUS.bat"));
}

TEST_F(UninstallProgram, AnUnreadableLogIsReportedAndNothingIsRemoved)
{
    Install();
    // Held open by another program: the log cannot be read.
    const CHandle held(
        ::CreateFileA(InstallDir() + "Uninstall.log", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.IsValid());
    DWORD code = 0;
    driver::Program program(Exe(), "C:\\");
    EXPECT_TRUE(program.Started());
    const HWND question = driver::WaitForWindow(program.Id(), kQuestionCaption, 20000);
    ASSERT_NE(question, nullptr);
    driver::Click(question, IDYES);

    // First the file-error box naming the log, then the could-not-complete box.
    HWND box = nullptr;
    ASSERT_TRUE(driver::WaitUntil(
        [&]
        {
            box = driver::AnyWindow(program.Id());
            return box && driver::ItemText(box, kBoxText).find("Uninstall.log") != std::string::npos;
        },
        20000));
    driver::Click(box, IDOK);
    ASSERT_TRUE(driver::WaitUntil(
        [&]
        {
            box = driver::AnyWindow(program.Id());
            return box && driver::ItemText(box, kBoxText) == "QELMAR V7.0 卸载未能完成!";
        },
        20000));
    EXPECT_EQ(driver::Text(box), "Uninstall");
    driver::Click(box, IDOK);
    EXPECT_TRUE(program.WaitForExit(20000, code));
    ExpectInstalled();
    EXPECT_FALSE(PathExists("C:\\DelUS.bat"));
}

TEST_F(UninstallProgram, CancelAtAnyMomentEndsCleanly)
{
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> delay(0, 1500);
    Install(1500); // a run of a few seconds
    for (int round = 0; round < 4; ++round)
    {
        const int wait = delay(random);
        SCOPED_TRACE(wait);
        if (round > 0)
            Install();
        DWORD code = 0;
        driver::Program program(Exe(), "C:\\");
        const HWND dialog = StartAndAnswer(program, IDYES);
        ASSERT_NE(dialog, nullptr);
        ::Sleep(static_cast<DWORD>(wait));
        const bool done = driver::IsVisible(dialog, kDone);
        // Cancel, or the window's own close message: either stops the worker before the window ends.
        if (round % 2 == 0)
            driver::Click(dialog, IDCANCEL);
        else
            ::PostMessageA(dialog, WM_USER + 15, 0, 0);
        ASSERT_TRUE(program.WaitForExit(30000, code)) << "hangs";
        EXPECT_EQ(code, 0u) << "crashed";
        if (!done)
        {
            // A stopped run starts no self-removal: Uninstall stays and can be run again.
            ::Sleep(1000);
            EXPECT_TRUE(PathExists(Exe()));
            EXPECT_FALSE(PathExists("C:\\DelUS.bat"));
        }
    }
}
