// Whole runs of the install worker against a sample medium, the real file system and registry.
#include "engine/EngineHarness.h"

#include "fixtures/RecordingControl.h"
#include "platform/FileException.h"
#include "support/AcadSeed.h"
#include "support/RegistryProbe.h"
#include "setup/Product.h"

#include <gtest/gtest.h>

namespace
{
std::string Crlf(const std::string& lf)
{
    std::string out;
    for (char c : lf)
    {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

CString RegValue(HKEY root, const char* key, const char* name)
{
    return RegString(root, key, name);
}

DWORD RegDword(const char* key, const char* name)
{
    return ::RegDword(HKEY_LOCAL_MACHINE, key, name);
}

bool KeyExists(HKEY root, const char* key)
{
    return RegKeyExists(root, key);
}

class InstallRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CleanRegistry();
        BuildMedium(medium);
    }
    void TearDown() override
    {
        CleanRegistry();
        RemoveShortcuts();
    }

    void Run(ScriptedSetupThread& worker) { RunWorker(worker, sink, medium.Root(), InstallDir()); }
    CString InstallDir() const { return target.Path("QELMAR\\"); }
    CString LogPath() const { return InstallDir() + "Uninstall.log"; }

    // The log a complete run writes, from an independent walk of the medium.
    std::string ExpectedLog(const std::vector<std::string>& failingCopies = {},
                            const std::vector<std::string>& launchers = {}) const
    {
        const CString dir = InstallDir();
        std::string log = WalkMedium(medium.Root(), dir, failingCopies).log;
        WIN32_FIND_DATAA data;
        CFindHandle find(::FindFirstFileA(medium.Path("*.*"), &data));
        do
        {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                CString(data.cFileName).CompareNoCase("setup.exe"))
                log += "File Copy: " + dir.str() + data.cFileName + "\n";
        } while (::FindNextFileA(find.Get(), &data));
        WIN32_FIND_DATAA control;
        CFindHandle controls(::FindFirstFileA(dir + "Controls\\*.ocx", &control));
        do
            log += "Reg Ctrl: " + dir.str() + "Controls\\" + control.cFileName + "\n";
        while (::FindNextFileA(controls.Get(), &control));
        log += "RegDB Key: 2,SOFTWARE\\Quorvane\\enggQELMAR\\V8\n";
        log += "RegDB Key: 2,SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QELMAR V7\n";
        const std::string group = ProgramGroup().str();
        log += "Made Dir: " + group + "\n";
        log += "File Copy: " + DesktopShortcut().str() + "\n";
        log += "File Copy: " + group + "\\土方工程量计算软件.LNK\n";
        for (const std::string& launcher : launchers)
            log += "File Copy: " + dir.str() + launcher + "\n";
        log += "File Copy: " + group + "\\官方网站.LNK\n";
        log += "File Copy: " + group + "\\QELMAR V7.0 卸载程序.LNK\n";
        log += "File Copy: " + dir.str() + "Uninstall.log\n";
        return Crlf(log);
    }

    TempTree medium{"medium"};
    TempTree target{"target"};
    MessageSink sink;
};
} // namespace

TEST_F(InstallRun, CompleteRunCopiesRecordsAndLogsEverything)
{
    // A target file that cannot be overwritten (held open, as by another program): the copy fails
    // silently and leaves no record. (A read-only one would do on Windows; Wine run as root writes it.)
    target.WriteFile("QELMAR\\图框\\A3图框.dwg", "older frame");
    CHandle held(::CreateFileA(target.Path("QELMAR\\图框\\A3图框.dwg"), GENERIC_READ, 0, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.IsValid());
    // A Chinese AutoCAD 2008 and 2010 on the machine.
    target.WriteFile("AutoCAD 2008\\acad.exe", "acad");
    target.WriteFile("AutoCAD 2010\\acad.exe", "acad");
    SeedCurVer(HKEY_LOCAL_MACHINE, "R17.1", "ACAD-6001:804");
    SeedCurVer(HKEY_CURRENT_USER, "R17.1", "ACAD-6001:804");
    SeedAcadFolder("R17.1", "ACAD-6001:804", "AcadLocation", target.Path("AutoCAD 2008").str());
    SeedProfileSearchPath("R17.1", "ACAD-6001:804", "<<未命名配置>>", "2008 path");
    SeedCurVer(HKEY_CURRENT_USER, "R18.0", "ACAD-8001:804");
    SeedAcadFolder("R18.0", "ACAD-8001:804", "Location", target.Path("AutoCAD 2010\\").str());
    SeedProfileSearchPath("R18.0", "ACAD-8001:804", "初始设置配置", "2010 path");
    bool logWrittenBeforeConfiguring = false;
    sink.onMessage = [&](const SinkMessage& m)
    {
        if (m.id == WM_SETUP_CONFIGURING)
            logWrittenBeforeConfiguring = PathExists(LogPath());
    };
    ScriptedSetupThread worker;
    Run(worker);

    const CString dir = InstallDir();
    const std::string blocked = dir.str() + "图框\\A3图框.dwg";
    EXPECT_EQ(ReadBytes(LogPath()), ExpectedLog({blocked}, {"QELMARfor2008.LNK", "QELMARfor2010.LNK"}));
    EXPECT_EQ(Attributes(LogPath()), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(worker.questions.empty());

    // Every entry reported once, after its contents; then configuring, then done.
    std::vector<std::string> reported;
    for (const SinkMessage& m : sink.messages)
        if (m.id == WM_SETUP_PROGRESS)
            reported.push_back(m.target);
    EXPECT_EQ(reported, WalkMedium(medium.Root(), dir).reported);
    ASSERT_GE(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[sink.messages.size() - 2].id, WM_SETUP_CONFIGURING);
    EXPECT_EQ(sink.messages.back().id, WM_SETUP_DONE);
    EXPECT_EQ(sink.Count(WM_SETUP_ABORTED), 0);
    EXPECT_TRUE(logWrittenBeforeConfiguring);

    // Attributes: the folder copy resets, root files keep theirs, the icon is hidden.
    held.Close();
    EXPECT_EQ(ReadBytes(blocked.c_str()), "older frame");
    EXPECT_EQ(Attributes(dir + "Database\\工程.mdb"), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(Attributes(dir + "readme.txt") & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Attributes(dir + "QELMARV7.0.ico"), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(ReadBytes(dir + "Support\\嘰\\说明.txt"), "trail byte 0x5C in the folder name");
    EXPECT_TRUE(IsFolder(dir + "Support\\空文件夹"));
    EXPECT_TRUE(IsFolder(dir + "Temp"));

    // Root files: setup.exe in any case stays behind, one inside a folder is copied, slides too.
    EXPECT_FALSE(PathExists(dir + "setup.exe"));
    EXPECT_TRUE(PathExists(dir + "Data\\setup.exe"));
    EXPECT_FALSE(PathExists(dir + "安装界面"));

    // The controls: the recording one was registered from its installed place.
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, kControlTraceKey, dir + "Controls\\RecordingControl.ocx"),
              "registered");

    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, Product::kInstallKey, "installPath"), dir);
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, Product::kInstallKey, "Ver"), "8.00");
    const char* entry = Product::kUninstallKey;
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, entry, "DisplayName"), "土方工程量计算软件 QELMAR V7.0");
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, entry, "UninstallString"), "\"" + dir + "Uninstall.exe\"");
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, entry, "DisplayIcon"), dir + "QELMARV7.0.ico");
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, entry, "InstallLocation"), dir);
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, entry, "Publisher"), "Vindrel科技有限公司");
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, entry, "DisplayVersion"), "7.0");
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, entry, "InstallDate").GetLength(), 8);
    EXPECT_EQ(RegDword(entry, "NoModify"), 1u);
    EXPECT_EQ(RegDword(entry, "NoRepair"), 1u);
    EXPECT_GE(RegDword(entry, "EstimatedSize"), 1u);

    // Each AutoCAD got the add-on's profile; the shortcuts were made.
    const char* profiles = "Software\\Autodesk\\AutoCAD\\%s\\Profiles\\<<enggQELMAR V8>>\\General";
    CString profile;
    profile.Format(profiles, "R17.1\\ACAD-6001:804");
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, profile, "ACAD"),
              dir + "Support\\2007-09\\arx;" + dir + "Support\\2007-09\\Menu;2008 path;");
    profile.Format(profiles, "R18.0\\ACAD-8001:804");
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, profile, "ACAD"),
              dir + "Support\\2010-11\\arx;" + dir + "Support\\2010-11\\Menu;2010 path;");
    for (const CString& link : {DesktopShortcut(), ProgramGroup() + "\\QELMAR V7.0 卸载程序.LNK",
                                dir + "QELMARfor2008.LNK", dir + "QELMARfor2010.LNK"})
        EXPECT_EQ(ReadBytes(link).compare(0, 4, std::string("L\0\0\0", 4)), 0) << link;
}

TEST_F(InstallRun, LaterRunReplacesTheLogAndAFailedWriteKeepsTheEarlierOne)
{
    ScriptedSetupThread first;
    Run(first);
    const std::string firstLog = ReadBytes(LogPath());
    ASSERT_FALSE(firstLog.empty());

    // A log that cannot be replaced (held open by another program): the file-error box, and the
    // installation still completes.
    CHandle held(
        ::CreateFileA(LogPath(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.IsValid());
    ScriptedSetupThread blocked;
    blocked.answer = [](const Question&) { return IDOK; };
    sink.messages.clear();
    Run(blocked);
    ASSERT_EQ(blocked.questions.size(), 1u);
    EXPECT_EQ(blocked.questions[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_NE(blocked.questions[0].text.find(LogPath().str()), std::string::npos);
    held.Close();
    EXPECT_EQ(ReadBytes(LogPath()), firstLog);
    EXPECT_EQ(sink.Count(WM_SETUP_CONFIGURING), 1);
    EXPECT_EQ(sink.messages.back().id, WM_SETUP_DONE);
    WIN32_FIND_DATAA data;
    CFindHandle leftovers(::FindFirstFileA(InstallDir() + "*.tmp", &data));
    EXPECT_FALSE(leftovers.IsValid()) << data.cFileName;

    // Once free again, a new run replaces it with a hidden log of its own.
    medium.WriteFile("Data\\新增.txt", "added for the second run");
    ScriptedSetupThread second;
    Run(second);
    EXPECT_EQ(ReadBytes(LogPath()), ExpectedLog());
    EXPECT_NE(ReadBytes(LogPath()), firstLog);
    EXPECT_EQ(Attributes(LogPath()), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

TEST_F(InstallRun, CancelStopsAfterTheEntryInHandAndLeavesNoTrace)
{
    target.WriteFile("QELMAR\\Uninstall.log", "an earlier log");
    ScriptedSetupThread worker;
    int progress = 0;
    sink.onMessage = [&](const SinkMessage& m)
    {
        if (m.id == WM_SETUP_PROGRESS && ++progress == 3)
            worker.RequestCancel();
    };
    Run(worker);

    EXPECT_EQ(sink.Count(WM_SETUP_PROGRESS), 3);
    EXPECT_EQ(sink.Count(WM_SETUP_ABORTED), 1);
    EXPECT_EQ(sink.Count(WM_SETUP_CONFIGURING) + sink.Count(WM_SETUP_DONE), 0);
    EXPECT_EQ(ReadBytes(LogPath()), "an earlier log");
    EXPECT_FALSE(PathExists(InstallDir() + "Uninstall.exe"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Product::kInstallKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Product::kUninstallKey));
}

TEST_F(InstallRun, MissingMediumFolderIsAskedAbout)
{
    struct Case
    {
        const char* name;
        int firstAnswer;
        bool completes;
    };
    for (const Case& c : {Case{"abort", IDABORT, false}, Case{"ignore", IDIGNORE, true},
                          Case{"retry", IDRETRY, true}, Case{"box not shown", 0, false}})
    {
        SCOPED_TRACE(c.name);
        CleanRegistry();
        RemoveTree(InstallDir().Left(InstallDir().GetLength() - 1));
        RemoveTree(medium.Path("Data"));
        sink.messages.clear();
        ScriptedSetupThread worker;
        worker.answer = [&](const Question&)
        {
            if (c.firstAnswer == IDRETRY) // the user puts the right medium in, then retries
                medium.WriteFile("Data\\late.dat", "found on retry");
            return c.firstAnswer;
        };
        Run(worker);

        ASSERT_EQ(worker.questions.size(), 1u);
        const Question& q = worker.questions[0];
        EXPECT_EQ(q.type, static_cast<UINT>(MB_ABORTRETRYIGNORE | MB_ICONQUESTION));
        const std::string tail =
            "\n找不到安装文件的路径 " + medium.Path("Data\\").str() +
            "，\n点击“重试”按钮试图重新查找该安装文件路径；\n点击“忽略”按钮将跳过该路径下的操作"
            "并继续执行；\n点击“取消”按钮将终止程序运行。";
        ASSERT_GT(q.text.size(), tail.size());
        EXPECT_EQ(q.text.substr(q.text.size() - tail.size()), tail);
        EXPECT_EQ(sink.Count(WM_SETUP_DONE), c.completes ? 1 : 0);
        EXPECT_EQ(sink.Count(WM_SETUP_ABORTED), c.completes ? 0 : 1);
        EXPECT_EQ(PathExists(LogPath()), c.completes);
        EXPECT_EQ(IsFolder(InstallDir() + "Data"), c.completes);
        EXPECT_EQ(PathExists(InstallDir() + "Data\\late.dat"), c.firstAnswer == IDRETRY);
        if (c.completes)
        {
            EXPECT_EQ(ReadBytes(LogPath()), ExpectedLog());
        }
        // Nothing after the folder in question ran on abort.
        EXPECT_EQ(IsFolder(InstallDir() + "Temp"), c.completes);
    }
}

TEST_F(InstallRun, UncreatableFolderIsAskedAboutUntilCancelled)
{
    // A file where the worker needs a folder: the folder below it cannot be created.
    target.WriteFile("QELMAR\\Support\\2004-06", "a file in the way");
    ScriptedSetupThread worker;
    worker.answer = [&](const Question&) { return worker.questions.size() == 1 ? IDRETRY : IDCANCEL; };
    Run(worker);

    ASSERT_EQ(worker.questions.size(), 2u);
    const Question& q = worker.questions[1];
    EXPECT_EQ(q.type, static_cast<UINT>(MB_RETRYCANCEL | MB_ICONQUESTION));
    const std::string tail =
        "\n不能创建文件夹 " + InstallDir().str() +
        "Support\\2004-06\\arx ，\n点击“重试”按钮试图重新创建文件夹；\n点击“取消”按钮将终止程序运行。";
    ASSERT_GT(q.text.size(), tail.size());
    EXPECT_EQ(q.text.substr(q.text.size() - tail.size()), tail);
    EXPECT_EQ(sink.Count(WM_SETUP_ABORTED), 1);
    EXPECT_FALSE(PathExists(LogPath()));
}

TEST_F(InstallRun, PathsTooLongForTheSystemAreRefusedCleanly)
{
    // Room for every name of the sample medium, not for the long ones added below.
    const CString longDir = target.Root() + CString('d', MAX_PATH - 41 - target.Root().GetLength()) + "\\";
    const CString longFile = "Data\\" + CString('n', 60);
    medium.WriteFile(longFile, "its target would not fit");
    ScriptedSetupThread fileOnly;
    RunWorker(fileOnly, sink, medium.Root(), longDir);

    EXPECT_TRUE(fileOnly.questions.empty());
    EXPECT_EQ(sink.Count(WM_SETUP_DONE), 1);
    EXPECT_FALSE(PathExists(longDir + longFile));
    const std::string log = ReadBytes(longDir + "Uninstall.log");
    EXPECT_EQ(log.find(std::string(CString('n', 60))), std::string::npos);
    EXPECT_NE(log.find("File Copy: " + longDir.str() + "Data\\setup.exe\r\n"), std::string::npos);

    // A folder that would not fit: the creation question with the system's own reason.
    medium.WriteFile("Data\\" + CString('s', 60) + "\\x.dat", "below a folder too long");
    sink.messages.clear();
    ScriptedSetupThread folder;
    folder.answer = [](const Question&) { return IDCANCEL; };
    RunWorker(folder, sink, medium.Root(), longDir);

    ASSERT_EQ(folder.questions.size(), 1u);
    EXPECT_EQ(folder.questions[0].type, static_cast<UINT>(MB_RETRYCANCEL | MB_ICONQUESTION));
    // The system's text as it comes, line break and all, then the question.
    EXPECT_EQ(folder.questions[0].text.rfind(
                  SystemErrorText(ERROR_FILENAME_EXCED_RANGE).str() + "\n不能创建文件夹 ", 0),
              0u);
    EXPECT_EQ(sink.Count(WM_SETUP_ABORTED), 1);
    RemoveTree(longDir.Left(longDir.GetLength() - 1));
}
