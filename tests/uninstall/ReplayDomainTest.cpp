#include "uninstall/ReplayDomain.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
enum class Record
{
    File,
    Folder,
    Control,
};

struct PathCase
{
    Record record;
    std::string path;
    bool held;
};

CReplayDomain InstalledDomain(const char* logPath)
{
    CReplayDomain domain;
    domain.SetLogPath(logPath);
    domain.AddShellFolders("  C:\\Users\\u\\Desktop  ", "C:\\Users\\u\\Start Menu\\Programs\\");
    domain.AddShellFolders("C:\\Users\\Public\\Desktop", "C:\\ProgramData\\Start Menu\\Programs");
    return domain;
}

bool Holds(const CReplayDomain& domain, const PathCase& test)
{
    CString full;
    switch (test.record)
    {
    case Record::File:
        return domain.HoldsFile(test.path.c_str(), full);
    case Record::Folder:
        return domain.HoldsFolder(test.path.c_str(), full);
    case Record::Control:
        return domain.HoldsControl(test.path.c_str(), full);
    }
    return false;
}
} // namespace

TEST(ReplayDomain, HoldsOnlyWhatAnInstallationCanHaveMade)
{
    const std::string group = "C:\\Users\\u\\Start Menu\\Programs\\土方工程量计算软件 QELMAR V7.0";
    const std::string commonGroup = "C:\\ProgramData\\Start Menu\\Programs\\土方工程量计算软件 QELMAR V7.0";
    const PathCase cases[] = {
        {Record::File, "C:\\Inst\\a.txt", true},
        {Record::File, "c:\\INST\\Sub\\a,b.txt", true},
        {Record::File, "C:/Inst/Sub/a.txt", true},
        {Record::File, "C:\\Inst\\Sub\\..\\a.txt", true},
        {Record::File, "C:\\Inst\\Uninstall.log", true},
        {Record::File, "C:\\Inst", false},
        {Record::File, "C:\\Inst\\", false},
        {Record::File, "C:\\Inst\\.", false},
        {Record::File, "C:\\Inst2\\a.txt", false},
        {Record::File, "C:\\Ins", false},
        {Record::File, "C:\\Inst\\..\\Windows\\win.ini", false},
        {Record::File, "C:\\Inst\\Sub\\..\\..\\boot.ini", false},
        {Record::File, "Inst\\a.txt", false},
        {Record::File, "\\Inst\\a.txt", false},
        {Record::File, "C:Inst\\a.txt", false},
        {Record::File, "\\\\?\\C:\\Inst\\a.txt", false},
        {Record::File, "\\\\.\\C:\\Inst\\a.txt", false},
        {Record::File, "", false},
        {Record::File, "C:\\Inst\\" + std::string(300, 'x'), false},
        {Record::File, "C:\\Users\\u\\Desktop\\土方工程量计算软件.LNK", true},
        {Record::File, "c:\\users\\U\\desktop\\土方工程量计算软件.lnk", true},
        {Record::File, "C:\\Users\\Public\\Desktop\\土方工程量计算软件.LNK", true},
        {Record::File, "C:\\Users\\u\\Desktop\\other.lnk", false},
        {Record::File, "C:\\Users\\u\\Desktop\\土方工程量计算软件.txt", false},
        {Record::File, group + "\\官方网站.LNK", true},
        {Record::File, commonGroup + "\\QELMAR V7.0 卸载程序.lnk", true},
        {Record::File, group + "\\readme.txt", false},
        {Record::File, group + "\\Sub\\x.lnk", false},
        {Record::File, group + "\\..\\other.lnk", false},
        {Record::File, "C:\\Users\\u\\Start Menu\\Programs\\other.lnk", false},
        {Record::Folder, "C:\\Inst\\Support", true},
        {Record::Folder, "C:\\Inst\\Support\\", true},
        {Record::Folder, "C:\\Inst", false},
        {Record::Folder, "C:\\Inst\\..", false},
        {Record::Folder, "C:\\", false},
        {Record::Folder, group, true},
        {Record::Folder, group + "\\", true},
        {Record::Folder, commonGroup, true},
        {Record::Folder, "C:\\Users\\u\\Start Menu\\Programs", false},
        {Record::Folder, "C:\\Users\\u\\Desktop", false},
        {Record::Control, "C:\\Inst\\Controls\\a.ocx", true},
        {Record::Control, "c:\\inst\\controls\\A.OCX", true},
        {Record::Control, "C:\\Inst\\Controls\\Sub\\a.ocx", false},
        {Record::Control, "C:\\Inst\\Controls\\a.dll", false},
        {Record::Control, "C:\\Inst\\Support\\a.ocx", false},
        {Record::Control, "C:\\Inst\\Controls\\..\\a.ocx", false},
        {Record::Control, "C:\\Other\\Controls\\a.ocx", false},
        {Record::Control, "C:\\Windows\\System32\\a.ocx", false},
    };
    const CReplayDomain domain = InstalledDomain("C:\\Inst\\Uninstall.log");
    EXPECT_EQ(domain.GetInstallFolder(), "C:\\Inst\\");
    for (const PathCase& test : cases)
        EXPECT_EQ(Holds(domain, test), test.held) << static_cast<int>(test.record) << " " << test.path;
}

TEST(ReplayDomain, ComparesDoubleByteCharactersWhole)
{
    // "丄" is 0x81 0x41 and "乤" is 0x81 0x61: they differ only in a trail byte that a byte-wise
    // case fold would equate. "嘰" ends in 0x5C, which is no separator.
    const CReplayDomain domain = InstalledDomain("C:\\软件\\丄\\Uninstall.log");
    const PathCase cases[] = {
        {Record::File, "C:\\软件\\丄\\文件.txt", true},
        {Record::File, "C:\\软件\\乤\\文件.txt", false},
        {Record::Control, "C:\\软件\\丄\\Controls\\控件.ocx", true},
        {Record::Control, "C:\\软件\\丄\\Controls\\嘰\\a.ocx", false},
    };
    for (const PathCase& test : cases)
        EXPECT_EQ(Holds(domain, test), test.held) << test.path;

    const CReplayDomain trail = InstalledDomain("C:\\嘰\\Uninstall.log");
    EXPECT_EQ(trail.GetInstallFolder(), "C:\\嘰\\");
}

// Of a root, only what Setup puts there: the files in the root itself and its seven folders.
TEST(ReplayDomain, ALogInARootMakesTheRootTheInstallationFolder)
{
    struct Case
    {
        const char* logPath;
        const char* folder;
    } const roots[] = {
        {"D:\\Uninstall.log", "D:\\"},
        {"C:\\Inst\\..\\Uninstall.log", "C:\\"},
        {"\\\\server\\share\\Uninstall.log", "\\\\server\\share\\"},
    };
    for (const Case& root : roots)
    {
        const CReplayDomain domain = InstalledDomain(root.logPath);
        EXPECT_EQ(domain.GetInstallFolder(), root.folder);
        const std::string drive = root.folder;
        const PathCase cases[] = {
            {Record::File, drive + "QELMAR.exe", true},
            {Record::File, drive + "Data\\a.txt", true},
            {Record::File, drive + "图框\\子\\a.dwg", true},
            {Record::File, drive + "Documents\\a.doc", false},
            {Record::File, drive + "Data2\\a.txt", false},
            {Record::File, "E:\\Data\\a.txt", false},
            {Record::Folder, drive + "Data", true},
            {Record::Folder, drive + "temp\\Sub", true},
            {Record::Folder, drive + "Documents", false},
            {Record::Folder, drive, false},
            {Record::Control, drive + "Controls\\a.ocx", true},
            {Record::Control, drive + "a.ocx", false},
        };
        for (const PathCase& test : cases)
            EXPECT_EQ(Holds(domain, test), test.held) << root.logPath << ": " << test.path;
    }
    EXPECT_EQ(InstalledDomain("\\\\server\\share\\Inst\\Uninstall.log").GetInstallFolder(),
              "\\\\server\\share\\Inst\\");
}

TEST(ReplayDomain, HoldsTheTwoProductKeysOfTheLocalMachine)
{
    using LogRecord::Root;
    struct KeyCase
    {
        Root root;
        const char* path;
        bool held;
    } const cases[] = {
        {Root::LocalMachine, "SOFTWARE\\Quorvane\\enggQELMAR\\V8", true},
        {Root::LocalMachine, "software\\quorvane\\ENGGQELMAR\\v8", true},
        {Root::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QELMAR V7", true},
        {Root::LocalMachine, "SOFTWARE\\Quorvane\\enggQELMAR", false},
        {Root::LocalMachine, "SOFTWARE\\Quorvane\\enggQELMAR\\V8\\Sub", false},
        {Root::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", false},
        {Root::LocalMachine, "SOFTWARE", false},
        {Root::CurrentUser, "SOFTWARE\\Quorvane\\enggQELMAR\\V8", false},
        {Root::ClassesRoot, "SOFTWARE\\Quorvane\\enggQELMAR\\V8", false},
        {Root::Other, "SOFTWARE\\Quorvane\\enggQELMAR\\V8", false},
    };
    const CReplayDomain domain = InstalledDomain("C:\\Inst\\Uninstall.log");
    for (const KeyCase& test : cases)
        EXPECT_EQ(domain.HoldsKey(test.root, test.path), test.held) << test.path;
}
