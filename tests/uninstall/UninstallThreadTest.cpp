// The worker's passes on real folders, stand-in controls and Wine's registry.
#include "UninstallHarness.h"

#include "common/LogRecord.h"
#include "fixtures/RecordingControl.h"
#include "platform/Handle.h"
#include "support/RegistryProbe.h"
#include "support/TempTree.h"
#include "uninstall/UninstallConstants.h"
#include "uninstall/UninstallMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using LogRecord::Kind;

std::vector<std::string> Values(const CUninstallThread& worker, Kind kind, const std::string& text)
{
    std::vector<std::string> values;
    int pos = 0;
    int start = 0;
    int length = 0;
    while (worker.NextRecord(kind, pos, start, length))
        values.push_back(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)));
    return values;
}

std::string Record(Kind kind, const CString& value)
{
    return LogRecord::Format(kind, value.str());
}

std::string KeyRecord(const std::string& value)
{
    return LogRecord::Format(LogRecord::RegDbKey, value);
}

std::string ControlTrace(const CString& control)
{
    return RegString(HKEY_CURRENT_USER, kControlTraceKey, control).str();
}

void CopyControl(const char* name, const CString& to)
{
    ASSERT_TRUE(::CopyFileA(ProgramFolder() + name, to, FALSE)) << name;
}
} // namespace

TEST(UninstallThread, FindsRecordsBySubstringUpToTheLineFeed)
{
    struct Case
    {
        std::string bytes; // on disk
        Kind kind;
        std::vector<std::string> values;
    } const cases[] = {
        {"File Copy: C:\\a.txt\r\nMade Dir: C:\\d\r\nFile Copy: C:\\b,c.txt\r\n",
         Kind::FileCopy,
         {"C:\\a.txt", "C:\\b,c.txt"}},
        {"File Copy: C:\\a.txt\r\nMade Dir: C:\\d\r\nFile Copy: C:\\b,c.txt\r\n", Kind::MadeDir, {"C:\\d"}},
        {"xxFile Copy: C:\\f.txt\r\n", Kind::FileCopy, {"C:\\f.txt"}},
        {"File Copy: C:\\a.txt\r\nFile Copy: C:\\last.txt", Kind::FileCopy, {"C:\\a.txt", "C:\\last.txt"}},
        {"File Copy:  C:\\blank \r\nFile Copy: \r\n", Kind::FileCopy, {" C:\\blank ", ""}},
        {"File Copy: a File Copy: b\r\nFile Copy: c\r\n", Kind::FileCopy, {"a File Copy: b", "c"}},
        {"file copy: C:\\a.txt\r\nFile Copy:C:\\b.txt\r\n", Kind::FileCopy, {}},
        {"Reg Ctrl: C:\\I\\Controls\\a.ocx\r\nRegDB Key: 2,SOFTWARE\\A,B\r\n",
         Kind::RegDbKey,
         {"2,SOFTWARE\\A,B"}},
        {"Reg Ctrl: C:\\I\\Controls\\a.ocx\r\nRegDB Key: 2,SOFTWARE\\A,B\r\n",
         Kind::RegCtrl,
         {"C:\\I\\Controls\\a.ocx"}},
        {"", Kind::FileCopy, {}},
        {"", Kind::RegDbKey, {}},
    };
    TempTree temp("records");
    for (const auto& test : cases)
    {
        temp.WriteFile("Uninstall.log", test.bytes);
        MessageRecorder recorder;
        ScriptedUninstallThread worker(recorder);
        ASSERT_TRUE(worker.ReadLog(temp.Path("Uninstall.log")));
        std::string text = test.bytes; // what text mode reads
        for (std::size_t crlf = text.find("\r\n"); crlf != std::string::npos; crlf = text.find("\r\n", crlf))
            text.erase(crlf, 1);
        EXPECT_EQ(Values(worker, test.kind, text), test.values) << test.bytes;
        EXPECT_EQ(worker.CountRecords(test.kind), static_cast<int>(test.values.size())) << test.bytes;
    }
}

TEST(UninstallThread, ReplaysTheLogControlsFirstThenFilesFoldersAndKeys)
{
    TempTree temp("replay");
    const CString inst = temp.Path("Inst\\");
    for (const char* file :
         {"Inst\\a.txt", "Inst\\Sub\\b.txt", "Inst\\Sub\\Deep\\c.txt", "Inst\\Keep\\keep.txt",
          "Inst\\Keep\\unlogged.txt", "Inst\\Controls\\broken.ocx"})
        temp.WriteFile(file, "x");
    ::SetFileAttributesA(inst + "a.txt", FILE_ATTRIBUTE_READONLY); // as root files from a CD
    CopyControl("RecordingControl.ocx", inst + "Controls\\Recording.ocx");
    CopyControl("PlainControl.ocx", inst + "Controls\\Plain.ocx");
    const TestKey installKey(HKEY_LOCAL_MACHINE, UninstallConstants::kInstallKey);
    const TestKey uninstallEntry(HKEY_LOCAL_MACHINE, UninstallConstants::kUninstallEntryKey);
    DeleteRegTree(HKEY_CURRENT_USER, kControlTraceKey);

    const std::vector<std::string> files = {
        (inst + "Sub\\b.txt").str(),          (inst + "Sub\\Deep\\c.txt").str(),
        (inst + "Keep\\keep.txt").str(),      (inst + "Controls\\Recording.ocx").str(),
        (inst + "Controls\\Plain.ocx").str(), (inst + "a.txt").str(),
        (inst + "missing.txt").str(),         (inst + "Uninstall.log").str(),
    };
    const std::string log =
        Record(Kind::MadeDir, inst + "Sub") + Record(Kind::FileCopy, files[0]) +
        Record(Kind::MadeDir, inst + "Sub\\Deep") + Record(Kind::FileCopy, files[1]) +
        Record(Kind::MadeDir, inst + "Keep") + Record(Kind::FileCopy, files[2]) +
        Record(Kind::MadeDir, inst + "Controls") + Record(Kind::FileCopy, files[3]) +
        Record(Kind::FileCopy, files[4]) + Record(Kind::FileCopy, files[5]) +
        Record(Kind::FileCopy, files[6]) + Record(Kind::RegCtrl, inst + "Controls\\Recording.ocx") +
        Record(Kind::RegCtrl, inst + "Controls\\broken.ocx") +
        Record(Kind::RegCtrl, inst + "Controls\\Plain.ocx") +
        LogRecord::FormatKey(LogRecord::Root::LocalMachine, UninstallConstants::kInstallKey) +
        LogRecord::FormatKey(LogRecord::Root::LocalMachine, UninstallConstants::kUninstallEntryKey) +
        Record(Kind::FileCopy, files[7]);
    WriteLog(inst + "Uninstall.log", log);

    MessageRecorder recorder;
    ScriptedUninstallThread worker(recorder);
    ASSERT_TRUE(worker.ReadLog(inst + "Uninstall.log"));
    EXPECT_EQ(worker.CountRecords(Kind::FileCopy), 8);
    std::vector<UINT> beforeSelfRemoval;
    bool keysGoneBeforeSelfRemoval = false;
    bool logDeletedLast = false;
    recorder.onMessage = [&](UINT id)
    {
        if (id == WM_UNINSTALL_FILESDONE)
            logDeletedLast = PathExists(inst + "Uninstall.log");
    };
    worker.onSelfRemoval = [&]
    {
        logDeletedLast = logDeletedLast && !PathExists(inst + "Uninstall.log");
        beforeSelfRemoval = recorder.Ids();
        keysGoneBeforeSelfRemoval = !RegKeyExists(HKEY_LOCAL_MACHINE, UninstallConstants::kInstallKey) &&
                                    !RegKeyExists(HKEY_LOCAL_MACHINE, UninstallConstants::kUninstallEntryKey);
    };
    worker.RunPumping();

    // The control was still there to unregister: its pass came before the file pass.
    EXPECT_EQ(ControlTrace(inst + "Controls\\Recording.ocx"), "unregistered");
    DeleteRegTree(HKEY_CURRENT_USER, "Software\\QelmarTests");
    // Every file record is reported, deleted or not, in log order; the log has deleted itself.
    EXPECT_EQ(recorder.Items(), files);
    std::vector<UINT> expected(files.size(), WM_UNINSTALL_ITEM);
    expected.push_back(WM_UNINSTALL_FILESDONE);
    EXPECT_EQ(beforeSelfRemoval, expected);
    expected.push_back(WM_UNINSTALL_DONE);
    EXPECT_EQ(recorder.Ids(), expected);
    EXPECT_TRUE(recorder.AllSent());
    for (const std::string& file : files)
        EXPECT_FALSE(PathExists(file.c_str())) << file;
    // Removed last logged first; a folder that keeps an unlogged file stays, as does the installation
    // folder, which no record names.
    for (const char* gone : {"Controls\\broken.ocx", "Controls", "Sub\\Deep", "Sub"})
        EXPECT_FALSE(PathExists(inst + gone)) << gone;
    EXPECT_TRUE(PathExists(inst + "Keep\\unlogged.txt"));
    EXPECT_TRUE(keysGoneBeforeSelfRemoval);
    EXPECT_TRUE(logDeletedLast) << "the log is deleted last, before the self-removal";
    EXPECT_EQ(worker.selfRemovals, 1);
}

TEST(UninstallThread, StopEndsThePassesAtTheNextRecordAndKeepsTheUninstallerAndItsLog)
{
    struct Case
    {
        const char* name;
        UINT stopAt;
        std::vector<std::string> items;
        std::vector<std::string> kept;
    };
    TempTree temp("stop");
    const CString inst = temp.Path("Inst\\");
    const std::string a = (inst + "a.txt").str(), b = (inst + "b.txt").str(),
                      log = (inst + "Uninstall.log").str();
    // Stopped after the file pass, the log is still there to run the uninstaller again with.
    const Case cases[] = {
        {"first item", WM_UNINSTALL_ITEM, {a}, {"b.txt", "Uninstall.log", "Empty"}},
        {"files done", WM_UNINSTALL_FILESDONE, {a, b, log}, {"Uninstall.log", "Empty"}},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.name);
        temp.MakeDir("Inst\\Empty");
        temp.WriteFile("Inst\\a.txt", "x");
        temp.WriteFile("Inst\\b.txt", "x");
        const TestKey installKey(HKEY_LOCAL_MACHINE, UninstallConstants::kInstallKey);
        WriteLog(inst + "Uninstall.log",
                 Record(Kind::MadeDir, inst + "Empty") + Record(Kind::FileCopy, a) +
                     Record(Kind::FileCopy, b) +
                     LogRecord::FormatKey(LogRecord::Root::LocalMachine, UninstallConstants::kInstallKey) +
                     Record(Kind::FileCopy, log));

        MessageRecorder recorder;
        ScriptedUninstallThread worker(recorder);
        recorder.onMessage = [&](UINT id)
        {
            if (id == test.stopAt)
                worker.Stop();
        };
        ASSERT_TRUE(worker.ReadLog(inst + "Uninstall.log"));
        worker.RunPumping();

        EXPECT_EQ(recorder.Items(), test.items);
        std::vector<UINT> ids(test.items.size(), WM_UNINSTALL_ITEM);
        ids.push_back(WM_UNINSTALL_FILESDONE);
        EXPECT_EQ(recorder.Ids(), ids);
        EXPECT_FALSE(PathExists(inst + "a.txt"));
        for (const std::string& kept : test.kept)
            EXPECT_TRUE(PathExists(inst + kept.c_str())) << kept;
        EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, UninstallConstants::kInstallKey));
        EXPECT_EQ(worker.selfRemovals, 0);
    }
}

TEST(UninstallThread, AnEmptyLogRemovesNothingButStillEnds)
{
    TempTree temp("empty");
    const CString log = temp.Path("Uninstall.log");
    WriteLog(log, "");
    MessageRecorder recorder;
    ScriptedUninstallThread worker(recorder);
    ASSERT_TRUE(worker.ReadLog(log));
    EXPECT_EQ(worker.CountRecords(Kind::FileCopy), 0);
    worker.RunPumping();
    EXPECT_EQ(recorder.Ids(), (std::vector<UINT>{WM_UNINSTALL_FILESDONE, WM_UNINSTALL_DONE}));
    EXPECT_EQ(worker.selfRemovals, 1);
    EXPECT_TRUE(PathExists(log));
}

TEST(UninstallThread, AnUnreadableLogIsReportedAndPostsTheFailure)
{
    TempTree temp("unreadable");
    const CString log = temp.Path("Uninstall.log");
    WriteLog(log, Record(Kind::FileCopy, temp.Path("a.txt")));
    const CHandle locked(::CreateFileA(log, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);

    MessageRecorder recorder;
    ScriptedUninstallThread worker(recorder);
    EXPECT_FALSE(worker.ReadLog(log));
    EXPECT_EQ(worker.reportedErrors, std::vector<DWORD>{ERROR_SHARING_VIOLATION});
    EXPECT_TRUE(recorder.received.empty()); // posted, not sent
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    ASSERT_EQ(recorder.Ids(), std::vector<UINT>{WM_UNINSTALL_FAILED});
    EXPECT_FALSE(recorder.received[0].sent);
}

TEST(UninstallThread, LeavesEverythingOutsideTheInstallationUntouched)
{
    TempTree temp("tampered");
    const CString inst = temp.Path("Inst\\");
    const CString outside = temp.Path("Inst2\\"); // has the installation folder's name as a prefix
    for (const char* folder : {"Inst\\Support", "Inst2\\Empty", "Inst2\\Empty2"})
        temp.MakeDir(folder);
    temp.WriteFile("Inst2\\victim.txt", "x");
    temp.WriteFile("Inst2\\dotdot.txt", "x");
    CopyControl("RecordingControl.ocx", outside + "Recording.ocx");
    CopyControl("RecordingControl.ocx", inst + "Support\\Recording.ocx");
    const TestKey victimKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\QelmarTests\\Victim");
    const TestKey installKey(HKEY_LOCAL_MACHINE, UninstallConstants::kInstallKey);
    const TestKey userKey(HKEY_CURRENT_USER, UninstallConstants::kInstallKey);
    DeleteRegTree(HKEY_CURRENT_USER, kControlTraceKey);
    const std::string installKeyPath = UninstallConstants::kInstallKey;
    WriteLog(inst + "Uninstall.log", Record(Kind::FileCopy, outside + "victim.txt") +
                                         Record(Kind::FileCopy, inst + "..\\Inst2\\dotdot.txt") +
                                         Record(Kind::MadeDir, outside + "Empty") +
                                         Record(Kind::MadeDir, inst + "..\\Inst2\\Empty2") +
                                         Record(Kind::RegCtrl, outside + "Recording.ocx") +
                                         Record(Kind::RegCtrl, inst + "Support\\Recording.ocx") +
                                         KeyRecord("2,SOFTWARE\\QelmarTests\\Victim") +
                                         KeyRecord("1," + installKeyPath) + KeyRecord("4," + installKeyPath) +
                                         KeyRecord("02," + installKeyPath) + KeyRecord(installKeyPath) +
                                         KeyRecord("2,SOFTWARE\\Quorvane\\enggQELMAR"));

    MessageRecorder recorder;
    ScriptedUninstallThread worker(recorder);
    ASSERT_TRUE(worker.ReadLog(inst + "Uninstall.log"));
    worker.RunPumping();

    for (const char* kept : {"Inst2\\victim.txt", "Inst2\\dotdot.txt", "Inst2\\Empty", "Inst2\\Empty2",
                             "Inst2\\Recording.ocx", "Inst\\Support\\Recording.ocx"})
        EXPECT_TRUE(PathExists(temp.Path(kept))) << kept;
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kControlTraceKey)); // neither control was unregistered
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\QelmarTests\\Victim"));
    EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, UninstallConstants::kInstallKey));
    EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, UninstallConstants::kInstallKey));
    // Skipped records are not reported as deleted.
    EXPECT_EQ(recorder.Ids(), (std::vector<UINT>{WM_UNINSTALL_FILESDONE, WM_UNINSTALL_DONE}));
}
