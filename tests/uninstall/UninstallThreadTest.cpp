#include "TestSupport.h"

#include "common/LogRecord.h"
#include "platform/Handle.h"
#include "uninstall/UninstallConstants.h"
#include "uninstall/UninstallMessages.h"
#include "uninstall/UninstallThread.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
using LogRecord::Kind;

// Answers the file-error box and records the self-removal instead of starting it: a real script
// would delete the test program once it has ended.
class CTestWorker : public CUninstallThread
{
public:
    explicit CTestWorker(CRecorderWnd& window)
    {
        m_pMainWnd = &window;
        m_bAutoDelete = FALSE;
    }

    void Run(CRecorderWnd& window)
    {
        ASSERT_TRUE(CreateThread());
        WaitPumping();
        window.DrainPosted();
    }

    std::vector<DWORD> m_reportedErrors;
    int m_nSelfRemovals = 0;
    std::function<void()> m_onSelfRemoval;

protected:
    void ReportFileError(const CFileException& error) override
    {
        m_reportedErrors.push_back(error.m_lOsError);
    }
    void StartSelfRemoval() override
    {
        ++m_nSelfRemovals;
        if (m_onSelfRemoval)
            m_onSelfRemoval();
    }
};

// The log as Setup writes it: text mode, so CR LF on disk; hidden.
void WriteLog(const CString& path, const std::string& text)
{
    std::string bytes;
    for (char ch : text)
    {
        if (ch == '\n')
            bytes.push_back('\r');
        bytes.push_back(ch);
    }
    WriteBytes(path, bytes);
    ::SetFileAttributesA(path, FILE_ATTRIBUTE_HIDDEN);
}

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

std::vector<UINT> Messages(const CRecorderWnd& window)
{
    std::vector<UINT> messages;
    for (const auto& received : window.m_received)
        messages.push_back(received.message);
    return messages;
}

std::vector<std::string> Items(const CRecorderWnd& window)
{
    std::vector<std::string> items;
    for (const auto& received : window.m_received)
        if (received.message == WM_UNINSTALL_ITEM)
            items.push_back(received.path);
    return items;
}

bool AllSent(const CRecorderWnd& window)
{
    for (const auto& received : window.m_received)
        if (!received.sent)
            return false;
    return true;
}

std::string Record(Kind kind, const CString& value)
{
    return LogRecord::Format(kind, value.str());
}

std::string KeyRecord(const char* value)
{
    return LogRecord::Format(LogRecord::RegDbKey, value);
}

void MakeFile(const CString& path)
{
    WriteBytes(path, "x");
}

void CopyFixture(const char* name, const CString& to)
{
    ASSERT_TRUE(::CopyFileA(TestProgramFolder() + name, to, FALSE)) << name;
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
    CTempFolder folder("records");
    const CString log = folder.Path("Uninstall.log");
    for (const auto& test : cases)
    {
        WriteBytes(log, test.bytes);
        CRecorderWnd window;
        CTestWorker worker(window);
        ASSERT_TRUE(worker.ReadLog(log));
        std::string text = test.bytes; // what text mode reads
        for (std::size_t crlf = text.find("\r\n"); crlf != std::string::npos; crlf = text.find("\r\n", crlf))
            text.erase(crlf, 1);
        EXPECT_EQ(Values(worker, test.kind, text), test.values) << test.bytes;
        EXPECT_EQ(worker.CountRecords(test.kind), static_cast<int>(test.values.size())) << test.bytes;
    }
}

TEST(UninstallThread, ReplaysTheLogControlsFirstThenFilesFoldersAndKeys)
{
    CTempFolder temp("replay");
    const CString inst = temp.Path("Inst\\");
    for (const char* folder : {"", "Sub", "Sub\\Deep", "Keep", "Controls"})
        ::CreateDirectoryA(inst + folder, nullptr);
    for (const char* file :
         {"a.txt", "Sub\\b.txt", "Sub\\Deep\\c.txt", "Keep\\keep.txt", "Keep\\unlogged.txt"})
        MakeFile(inst + file);
    CopyFixture("uninstall_fixture_control.ocx", inst + "Controls\\fixture.ocx");
    CopyFixture("uninstall_fixture_noexport.ocx", inst + "Controls\\noexport.ocx");
    WriteBytes(inst + "Controls\\broken.ocx", "not a library");
    const CTestKey installKey(HKEY_LOCAL_MACHINE, UninstallConstants::kInstallKey);
    const CTestKey uninstallEntry(HKEY_LOCAL_MACHINE, UninstallConstants::kUninstallEntryKey);
    ForgetControlCalls();

    const std::vector<std::string> files = {
        (inst + "Sub\\b.txt").str(),
        (inst + "Sub\\Deep\\c.txt").str(),
        (inst + "Keep\\keep.txt").str(),
        (inst + "Controls\\fixture.ocx").str(),
        (inst + "Controls\\noexport.ocx").str(),
        (inst + "a.txt").str(),
        (inst + "missing.txt").str(),
        (inst + "Uninstall.log").str(),
    };
    const std::string log =
        Record(Kind::MadeDir, inst + "Sub") + Record(Kind::FileCopy, files[0]) +
        Record(Kind::MadeDir, inst + "Sub\\Deep") + Record(Kind::FileCopy, files[1]) +
        Record(Kind::MadeDir, inst + "Keep") + Record(Kind::FileCopy, files[2]) +
        Record(Kind::MadeDir, inst + "Controls") + Record(Kind::FileCopy, files[3]) +
        Record(Kind::FileCopy, files[4]) + Record(Kind::FileCopy, files[5]) +
        Record(Kind::FileCopy, files[6]) + Record(Kind::RegCtrl, inst + "Controls\\fixture.ocx") +
        Record(Kind::RegCtrl, inst + "Controls\\broken.ocx") +
        Record(Kind::RegCtrl, inst + "Controls\\noexport.ocx") +
        LogRecord::FormatKey(LogRecord::Root::LocalMachine, UninstallConstants::kInstallKey) +
        LogRecord::FormatKey(LogRecord::Root::LocalMachine, UninstallConstants::kUninstallEntryKey) +
        Record(Kind::FileCopy, files[7]);
    WriteLog(inst + "Uninstall.log", log);

    CRecorderWnd window;
    CTestWorker worker(window);
    ASSERT_TRUE(worker.ReadLog(inst + "Uninstall.log"));
    EXPECT_EQ(worker.CountRecords(Kind::FileCopy), 8);
    std::vector<UINT> beforeSelfRemoval;
    bool keysGoneBeforeSelfRemoval = false;
    worker.m_onSelfRemoval = [&]
    {
        beforeSelfRemoval = Messages(window);
        keysGoneBeforeSelfRemoval =
            !CTestKey::Exists(HKEY_LOCAL_MACHINE, UninstallConstants::kInstallKey) &&
            !CTestKey::Exists(HKEY_LOCAL_MACHINE, UninstallConstants::kUninstallEntryKey);
    };
    worker.Run(window);

    // The control was still there to unregister: its pass came before the file pass.
    EXPECT_TRUE(ControlCalled("DllUnregisterServer", inst + "Controls\\fixture.ocx"));
    ForgetControlCalls();
    // Every file record is reported, deleted or not, in log order; the log has deleted itself.
    EXPECT_EQ(Items(window), files);
    std::vector<UINT> expected(files.size(), WM_UNINSTALL_ITEM);
    expected.push_back(WM_UNINSTALL_FILESDONE);
    EXPECT_EQ(beforeSelfRemoval, expected);
    expected.push_back(WM_UNINSTALL_DONE);
    EXPECT_EQ(Messages(window), expected);
    EXPECT_TRUE(AllSent(window));
    for (const std::string& file : files)
        EXPECT_FALSE(Exists(file.c_str())) << file;
    for (const char* gone : {"Controls\\broken.ocx", "Controls", "Sub\\Deep", "Sub"})
        EXPECT_FALSE(Exists(inst + gone)) << gone;
    // A folder that keeps an unlogged file stays, and so does the unlogged installation folder.
    EXPECT_TRUE(Exists(inst + "Keep\\unlogged.txt"));
    EXPECT_TRUE(keysGoneBeforeSelfRemoval);
    EXPECT_EQ(worker.m_nSelfRemovals, 1);
}

TEST(UninstallThread, StopEndsThePassesAtTheNextRecordAndKeepsTheUninstaller)
{
    CTempFolder temp("stop");
    const CString inst = temp.Path("Inst\\");
    ::CreateDirectoryA(inst, nullptr);
    ::CreateDirectoryA(inst + "Empty", nullptr);
    for (const char* file : {"a.txt", "b.txt"})
        MakeFile(inst + file);
    const CTestKey installKey(HKEY_LOCAL_MACHINE, UninstallConstants::kInstallKey);
    WriteLog(inst + "Uninstall.log",
             Record(Kind::MadeDir, inst + "Empty") + Record(Kind::FileCopy, inst + "a.txt") +
                 Record(Kind::FileCopy, inst + "b.txt") +
                 LogRecord::FormatKey(LogRecord::Root::LocalMachine, UninstallConstants::kInstallKey) +
                 Record(Kind::FileCopy, inst + "Uninstall.log"));

    CRecorderWnd window;
    CTestWorker worker(window);
    window.m_onMessage = [&](UINT message)
    {
        if (message == WM_UNINSTALL_ITEM)
            worker.Stop();
    };
    ASSERT_TRUE(worker.ReadLog(inst + "Uninstall.log"));
    worker.Run(window);

    EXPECT_EQ(Items(window), std::vector<std::string>{(inst + "a.txt").str()});
    EXPECT_EQ(Messages(window), (std::vector<UINT>{WM_UNINSTALL_ITEM, WM_UNINSTALL_FILESDONE}));
    EXPECT_FALSE(Exists(inst + "a.txt"));
    for (const char* kept : {"b.txt", "Uninstall.log", "Empty"})
        EXPECT_TRUE(Exists(inst + kept)) << kept;
    EXPECT_TRUE(CTestKey::Exists(HKEY_LOCAL_MACHINE, UninstallConstants::kInstallKey));
    EXPECT_EQ(worker.m_nSelfRemovals, 0);
}

TEST(UninstallThread, AnEmptyLogRemovesNothingButStillEnds)
{
    CTempFolder temp("empty");
    const CString log = temp.Path("Uninstall.log");
    WriteLog(log, "");
    CRecorderWnd window;
    CTestWorker worker(window);
    ASSERT_TRUE(worker.ReadLog(log));
    EXPECT_EQ(worker.CountRecords(Kind::FileCopy), 0);
    worker.Run(window);
    EXPECT_EQ(Messages(window), (std::vector<UINT>{WM_UNINSTALL_FILESDONE, WM_UNINSTALL_DONE}));
    EXPECT_EQ(worker.m_nSelfRemovals, 1);
    EXPECT_TRUE(Exists(log));
}

TEST(UninstallThread, AnUnreadableLogIsReportedAndPostsTheFailure)
{
    CTempFolder temp("unreadable");
    const CString log = temp.Path("Uninstall.log");
    WriteLog(log, Record(Kind::FileCopy, temp.Path("a.txt")));
    const CHandle locked(::CreateFileA(log, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);

    CRecorderWnd window;
    CTestWorker worker(window);
    EXPECT_FALSE(worker.ReadLog(log));
    EXPECT_EQ(worker.m_reportedErrors, std::vector<DWORD>{ERROR_SHARING_VIOLATION});
    EXPECT_TRUE(window.m_received.empty()); // posted, not sent
    window.DrainPosted();
    ASSERT_EQ(Messages(window), std::vector<UINT>{WM_UNINSTALL_FAILED});
    EXPECT_FALSE(window.m_received[0].sent);
}

TEST(UninstallThread, LeavesEverythingOutsideTheInstallationUntouched)
{
    CTempFolder temp("tampered");
    const CString inst = temp.Path("Inst\\");
    const CString outside = temp.Path("Inst2\\"); // shares the installation folder's name as a prefix
    for (const char* folder : {"Inst", "Inst\\Support", "Inst2", "Inst2\\Empty", "Inst2\\Empty2"})
        ::CreateDirectoryA(temp.Path(folder), nullptr);
    for (const char* file : {"Inst2\\victim.txt", "Inst2\\dotdot.txt"})
        MakeFile(temp.Path(file));
    CopyFixture("uninstall_fixture_control.ocx", outside + "fixture.ocx");
    CopyFixture("uninstall_fixture_control.ocx", inst + "Support\\fixture.ocx");
    const CTestKey victimKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\QelmarTests\\Victim");
    const CTestKey installKey(HKEY_LOCAL_MACHINE, UninstallConstants::kInstallKey);
    const CTestKey userKey(HKEY_CURRENT_USER, UninstallConstants::kInstallKey);
    ForgetControlCalls();
    const std::string installKeyPath = UninstallConstants::kInstallKey;
    WriteLog(inst + "Uninstall.log",
             Record(Kind::FileCopy, outside + "victim.txt") +
                 Record(Kind::FileCopy, inst + "..\\Inst2\\dotdot.txt") +
                 Record(Kind::MadeDir, outside + "Empty") +
                 Record(Kind::MadeDir, inst + "..\\Inst2\\Empty2") +
                 Record(Kind::RegCtrl, outside + "fixture.ocx") +
                 Record(Kind::RegCtrl, inst + "Support\\fixture.ocx") +
                 KeyRecord("2,SOFTWARE\\QelmarTests\\Victim") + KeyRecord(("1," + installKeyPath).c_str()) +
                 KeyRecord(("4," + installKeyPath).c_str()) + KeyRecord(("02," + installKeyPath).c_str()) +
                 KeyRecord(installKeyPath.c_str()) + KeyRecord("2,SOFTWARE\\Quorvane\\enggQELMAR"));

    CRecorderWnd window;
    CTestWorker worker(window);
    ASSERT_TRUE(worker.ReadLog(inst + "Uninstall.log"));
    worker.Run(window);

    for (const char* kept : {"Inst2\\victim.txt", "Inst2\\dotdot.txt", "Inst2\\Empty", "Inst2\\Empty2",
                             "Inst2\\fixture.ocx", "Inst\\Support\\fixture.ocx"})
        EXPECT_TRUE(Exists(temp.Path(kept))) << kept;
    EXPECT_FALSE(ControlCalled("DllUnregisterServer", outside + "fixture.ocx"));
    EXPECT_FALSE(ControlCalled("DllUnregisterServer", inst + "Support\\fixture.ocx"));
    ForgetControlCalls();
    EXPECT_TRUE(CTestKey::Exists(HKEY_LOCAL_MACHINE, "SOFTWARE\\QelmarTests\\Victim"));
    EXPECT_TRUE(CTestKey::Exists(HKEY_LOCAL_MACHINE, UninstallConstants::kInstallKey));
    EXPECT_TRUE(CTestKey::Exists(HKEY_CURRENT_USER, UninstallConstants::kInstallKey));
    // Skipped records are not reported as deleted.
    EXPECT_EQ(Messages(window), (std::vector<UINT>{WM_UNINSTALL_FILESDONE, WM_UNINSTALL_DONE}));
}
