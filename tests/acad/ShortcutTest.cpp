// Shortcuts made through the shell's link object, into shell folders the tests point elsewhere.
// With QELMAR_KEEP_SHORTCUTS naming a folder, the launcher test leaves its shortcuts there with a
// list of what each must hold, for a reader outside Wine (check-shortcut-files).
#include "setup/SetupThread.h"
#include "support/AcadSeed.h"
#include "support/RegistryProbe.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>

namespace
{
const HKEY HKLM = HKEY_LOCAL_MACHINE;
const HKEY HKCU = HKEY_CURRENT_USER;
const char kWindows[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kWindowsNT[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Explorer\\Shell Folders";
const char kNTExplorer[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Explorer";
const char kGroup[] = "土方工程量计算软件 QELMAR V7.0\\";
const char kArguments[] = "/p \"<<enggQELMAR V8>>\" /t acad.dwt";

struct ShellValue
{
    HKEY root;
    const char* key;
    const char* name;
};
const ShellValue kChanged[] = {{HKCU, kWindows, "Desktop"},
                               {HKCU, kWindows, "Programs"},
                               {HKLM, kWindows, "Common Desktop"},
                               {HKLM, kWindows, "Common Programs"}};

void SetValue(HKEY root, const char* key, const char* name, const char* data)
{
    if (data)
    {
        SeedString(root, key, name, data);
        return;
    }
    HKEY opened;
    if (::RegOpenKeyExA(root, key, 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS)
        return;
    ::RegDeleteValueA(opened, name);
    ::RegCloseKey(opened);
}

// Plain kernel calls: the shell's own folder functions would write the real folders back into
// the shell-folder values a test has just changed.
void MakeFolders(const CString& folder)
{
    for (int at = folder.Find('\\', 3); at >= 0; at = folder.Find('\\', at + 1))
        ::CreateDirectoryA(folder.Left(at), nullptr);
    ::CreateDirectoryA(folder, nullptr);
}

void Touch(const CString& path, const char* bytes = "")
{
    MakeFolders(path.Left(path.ReverseFind('\\')));
    std::ofstream(path.str(), std::ios::binary) << bytes;
}

bool IsShellLink(const CString& path)
{
    return ReadBytes(path).compare(0, 4, std::string("L\0\0\0", 4)) == 0;
}

class Shortcuts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RemoveAcadSeeds();
        for (const ShellValue& value : kChanged)
            m_saved.push_back(RegString(value.root, value.key, value.name));
        for (HKEY root : {HKCU, HKLM})
            m_ntExplorer.push_back(RegKeyExists(root, kNTExplorer));

        const char* keep = std::getenv("QELMAR_KEEP_SHORTCUTS");
        m_keep = keep && *keep;
        if (m_keep)
            root = CString(keep) + "\\";
        else
        {
            char temp[MAX_PATH];
            ::GetTempPathA(MAX_PATH, temp);
            root.Format("%sqelmar-shortcuts-%lu\\", temp, ::GetCurrentProcessId());
            RemoveTree(root.Left(root.GetLength() - 1));
        }
        installDir = root + "Install\\";
        for (const char* file : {"QELMAR.exe", "vindrel.url", "Uninstall.exe", "QELMARV7.0.ICO"})
            Touch(installDir + file, file);
    }

    void TearDown() override
    {
        for (std::size_t i = 0; i < m_saved.size(); ++i)
            SetValue(kChanged[i].root, kChanged[i].key, kChanged[i].name,
                     m_saved[i].IsEmpty() ? nullptr : static_cast<const char*>(m_saved[i]));
        ForgetWindowsNT();
        RemoveAcadSeeds();
        if (!m_keep)
            RemoveTree(root.Left(root.GetLength() - 1));
    }

    void ForgetWindowsNT() const
    {
        const HKEY roots[] = {HKCU, HKLM};
        for (int i = 0; i < 2; ++i)
            DeleteRegTree(roots[i], m_ntExplorer[i] ? kWindowsNT : kNTExplorer);
    }

    // Per-user folders under root, all-users folders elsewhere under root.
    void PointShellFolders(const char* desktop, const char* programs) const
    {
        for (const ShellValue& value : kChanged)
            SetValue(value.root, value.key, value.name, nullptr);
        SetValue(HKCU, kWindows, "Desktop", desktop ? static_cast<const char*>(root + desktop) : nullptr);
        SetValue(HKCU, kWindows, "Programs", programs ? static_cast<const char*>(root + programs) : nullptr);
    }

    // The log of a run that found the folders, without launchers.
    std::string ProductLog(const CString& desktop, const CString& programs,
                           const std::vector<int>& launchers = {}) const
    {
        const std::string group = (programs + kGroup).str();
        std::string log = "Made Dir: " + group.substr(0, group.size() - 1) + "\n";
        log += "File Copy: " + desktop.str() + "土方工程量计算软件.LNK\n";
        log += "File Copy: " + group + "土方工程量计算软件.LNK\n";
        for (int year : launchers)
            log += "File Copy: " + installDir.str() + "QELMARfor" + std::to_string(year) + ".LNK\n";
        log += "File Copy: " + group + "官方网站.LNK\n";
        log += "File Copy: " + group + "QELMAR V7.0 卸载程序.LNK\n";
        return log;
    }

    CString root;
    CString installDir;
    bool m_keep = false;

private:
    std::vector<CString> m_saved;
    std::vector<bool> m_ntExplorer;
};

struct ShellCase
{
    const char* name;
    std::function<void()> seed;
    const char* desktop;  // relative to root; null: no folders found
    const char* programs; // relative to root
};
} // namespace

TEST_F(Shortcuts, ShellFoldersComeFromOnePlacePerUserFirst)
{
    const auto common = [this]
    {
        SetValue(HKLM, kWindows, "Common Desktop", root + "Common\\Desktop");
        SetValue(HKLM, kWindows, "Common Programs", root + "Common\\Programs\\");
    };
    const ShellCase cases[] = {
        {"per-user values",
         [&]
         {
             PointShellFolders("User\\Desktop\\", "User\\Programs\\");
             common();
         },
         "User\\Desktop\\", "User\\Programs\\"},
        {"per-user values with white space around and no trailing backslash",
         [&]
         {
             PointShellFolders(nullptr, nullptr);
             SetValue(HKCU, kWindows, "Desktop", "  " + root + "User\\Desktop \t");
             SetValue(HKCU, kWindows, "Programs", " " + root + "User\\Programs\\  ");
             common();
         },
         "User\\Desktop\\", "User\\Programs\\"},
        {"per-user Programs missing: both from all users",
         [&]
         {
             PointShellFolders("User\\Desktop\\", nullptr);
             common();
         },
         "Common\\Desktop\\", "Common\\Programs\\"},
        {"blank per-user values count as missing",
         [&]
         {
             PointShellFolders(nullptr, "User\\Programs\\");
             SetValue(HKCU, kWindows, "Desktop", "   ");
             common();
         },
         "Common\\Desktop\\", "Common\\Programs\\"},
        {"per-user values under Windows NT",
         [&]
         {
             PointShellFolders(nullptr, nullptr);
             SetValue(HKCU, kWindowsNT, "Desktop", root + "NT\\Desktop");
             SetValue(HKCU, kWindowsNT, "Programs", root + "NT\\Programs");
             common();
         },
         "NT\\Desktop\\", "NT\\Programs\\"},
        {"all-users values under Windows NT",
         [&]
         {
             PointShellFolders(nullptr, nullptr);
             SetValue(HKLM, kWindows, "Common Desktop", root + "Common\\Desktop");
             SetValue(HKLM, kWindowsNT, "Common Desktop", root + "Common NT\\Desktop");
             SetValue(HKLM, kWindowsNT, "Common Programs", root + "Common NT\\Programs");
         },
         "Common NT\\Desktop\\", "Common NT\\Programs\\"},
        {"no shell folder anywhere", [&] { PointShellFolders(nullptr, nullptr); }, nullptr, nullptr},
    };

    const char* places[] = {"User\\", "NT\\", "Common\\", "Common NT\\"};
    for (const ShellCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        ForgetWindowsNT();
        for (const char* place : places)
        {
            RemoveTree(root + place);
            MakeFolders(root + place + "Desktop"); // every desktop exists; program groups are made
        }
        c.seed();
        const bool userNT = RegKeyExists(HKCU, kWindowsNT);
        const bool commonNT = RegKeyExists(HKLM, kWindowsNT);

        CSetupThread worker;
        worker.m_strInstallDir = installDir;
        EXPECT_EQ(worker.CreateShortcuts(), c.desktop != nullptr);

        // Looking for the folders leaves no key behind.
        EXPECT_EQ(RegKeyExists(HKCU, kWindowsNT), userNT);
        EXPECT_EQ(RegKeyExists(HKLM, kWindowsNT), commonNT);
        if (!c.desktop)
        {
            EXPECT_EQ(worker.m_strLog, "");
            for (const char* place : places)
            {
                EXPECT_FALSE(PathExists(root + place + "Desktop\\土方工程量计算软件.LNK")) << place;
                EXPECT_FALSE(PathExists(root + place + "Programs")) << place;
            }
            continue;
        }
        const CString desktop = root + c.desktop;
        const CString programs = root + c.programs;
        EXPECT_EQ(worker.m_strLog.str(), ProductLog(desktop, programs));
        for (const CString& link :
             {desktop + "土方工程量计算软件.LNK", programs + kGroup + "土方工程量计算软件.LNK",
              programs + kGroup + "官方网站.LNK", programs + kGroup + "QELMAR V7.0 卸载程序.LNK"})
            EXPECT_TRUE(IsShellLink(link)) << link;
    }
}

TEST_F(Shortcuts, LaunchersForTheReleasesFoundAndEarlierFilesReplaced)
{
    SeedCurVer(HKLM, "R15.0", "ACAD-1:804");
    SeedAcadFolder("R15.0", "ACAD-1:804", "AcadLocation", (root + "AutoCAD 2002").str());
    SeedCurVer(HKCU, "R17.1", "ACAD-6001:804");
    SeedAcadFolder("R17.1", "ACAD-6001:804", "Location", (root + "AutoCAD 2008\\").str());
    SeedCurVer(HKCU, "R18.0", "ACAD-8001:804");
    SeedAcadFolder("R18.0", "ACAD-8001:804", "AcadLocation",
                   (root + "Program Files\\AutoCAD 2010 简体中文版").str());
    for (const char* acad : {"AutoCAD 2002\\acad.exe", "AutoCAD 2008\\acad.exe",
                             "Program Files\\AutoCAD 2010 简体中文版\\acad.exe"})
        Touch(root + acad, "acad");
    Touch(root + "Desktop\\土方工程量计算软件.LNK", "an earlier desktop shortcut");
    Touch(installDir + "QELMARfor2008.LNK", "an earlier launcher");
    PointShellFolders("Desktop", "Programs");

    CSetupThread worker;
    worker.m_strInstallDir = installDir;
    EXPECT_TRUE(worker.CreateShortcuts());
    EXPECT_EQ(worker.m_strLog.str(), ProductLog(root + "Desktop\\", root + "Programs\\", {2002, 2008, 2010}));
    WIN32_FIND_DATAA data;
    int launchers = 0;
    for (CFindHandle find(::FindFirstFileA(installDir + "QELMARfor*", &data)); find.IsValid();)
    {
        ++launchers;
        EXPECT_TRUE(IsShellLink(installDir + data.cFileName)) << data.cFileName;
        if (!::FindNextFileA(find.Get(), &data))
            break;
    }
    EXPECT_EQ(launchers, 3);
    EXPECT_TRUE(IsShellLink(root + "Desktop\\土方工程量计算软件.LNK"));

    if (!m_keep)
        return;
    // One line per shortcut: its file (relative to root), target, arguments, working folder, icon.
    const std::string dir = installDir.str();
    const std::string group = std::string("Programs\\") + kGroup;
    std::ofstream expected((root + "expected.txt").str(), std::ios::binary);
    const auto line = [&](const std::string& link, const std::string& target, bool launcher)
    {
        expected << link << "|" << target << "|" << (launcher ? kArguments : "") << "|" << dir << "|"
                 << (launcher ? dir + "QELMARV7.0.ICO" : "") << "\n";
    };
    line("Desktop\\土方工程量计算软件.LNK", dir + "QELMAR.exe", false);
    line(group + "土方工程量计算软件.LNK", dir + "QELMAR.exe", false);
    line("Install\\QELMARfor2002.LNK", root.str() + "AutoCAD 2002\\acad.exe", true);
    line("Install\\QELMARfor2008.LNK", root.str() + "AutoCAD 2008\\acad.exe", true);
    line("Install\\QELMARfor2010.LNK", root.str() + "Program Files\\AutoCAD 2010 简体中文版\\acad.exe", true);
    line(group + "官方网站.LNK", dir + "vindrel.url", false);
    line(group + "QELMAR V7.0 卸载程序.LNK", dir + "Uninstall.exe", false);
}

TEST_F(Shortcuts, APathBeyondTheSystemLimitMakesNoShortcutAndNoRecord)
{
    MakeFolders(root + "Desktop");
    PointShellFolders("Desktop", "Programs");
    SeedCurVer(HKCU, "R17.1", "ACAD-6001:804");
    SeedAcadFolder("R17.1", "ACAD-6001:804", "AcadLocation", (root + "AutoCAD 2008").str());
    // Room for every name in the folder but the launcher's: it would end beyond MAX_PATH.
    const CString longDir = root + CString('d', 245 - root.GetLength()) + "\\";
    for (const char* file : {"QELMAR.exe", "vindrel.url", "Uninstall.exe"})
        Touch(longDir + file);

    CSetupThread worker;
    worker.m_strInstallDir = longDir;
    EXPECT_TRUE(worker.CreateShortcuts());
    EXPECT_EQ(worker.m_strLog.str(), ProductLog(root + "Desktop\\", root + "Programs\\"));
    WIN32_FIND_DATAA data;
    CFindHandle find(::FindFirstFileA(longDir + "QELMAR*.LNK", &data));
    EXPECT_FALSE(find.IsValid()) << data.cFileName;
}
