// An installation by the install engine from a sample medium, then the uninstall worker on the log
// it wrote: the file system and the registry are as they were, but for what is meant to stay.
#include "UninstallHarness.h"

#include "engine/EngineHarness.h"
#include "fixtures/RecordingControl.h"
#include "platform/FileFind.h"
#include "platform/Handle.h"
#include "support/AcadSeed.h"
#include "support/RegistryProbe.h"
#include "support/TempTree.h"
#include "uninstall/UninstallMessages.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <set>
#include <utility>
#include <string>

namespace
{
using Snapshot = std::set<std::string>;

// The entries below folder (only its own with recurse false), by path relative to it; folders end
// with a backslash.
void AddFiles(const CString& folder, const std::string& relative, Snapshot& out, bool recurse = true)
{
    CFileFind finder;
    for (BOOL more = finder.FindFile(folder + relative.c_str() + "*.*"); more;)
    {
        more = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        const std::string entry = relative + finder.GetFileName().str();
        if (finder.IsDirectory())
        {
            out.insert(entry + "\\");
            if (recurse)
                AddFiles(folder, entry + "\\", out);
        }
        else
            out.insert(entry);
    }
}

Snapshot Files(const CString& folder)
{
    Snapshot files;
    AddFiles(folder, "", files);
    return files;
}

// Every key and value below a key, with the values' types and data. Class registrations are left
// out: they are the controls' own business (the stand-in control's trace tells what it was asked),
// and there are tens of thousands of them.
void AddKeys(HKEY root, const std::string& path, Snapshot& out)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return;
    out.insert(path + "\\");
    char name[16384];
    std::string data(65536, '\0');
    for (DWORD i = 0;; ++i)
    {
        DWORD nameSize = sizeof name;
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (::RegEnumValueA(opened, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]),
                            &dataSize) != ERROR_SUCCESS)
            break;
        out.insert(path + "\\" + name + "=" + std::to_string(type) + ":" + data.substr(0, dataSize));
    }
    for (DWORD i = 0;; ++i)
    {
        DWORD nameSize = sizeof name;
        if (::RegEnumKeyExA(opened, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (CString(name).CompareNoCase("Classes") == 0)
            continue;
        AddKeys(root, path + "\\" + name, out);
    }
    ::RegCloseKey(opened);
}

Snapshot Registry()
{
    Snapshot keys;
    AddKeys(HKEY_LOCAL_MACHINE, "SOFTWARE", keys);
    Snapshot user;
    AddKeys(HKEY_CURRENT_USER, "Software", user);
    for (const std::string& key : user)
        keys.insert("HKCU\\" + key);
    return keys;
}

// Where shortcuts go: the desktops (Wine may link one to the home folder: only their own entries)
// and the Start-menu programs, of the user and of all users.
Snapshot ShellFolders()
{
    Snapshot entries;
    const std::pair<int, bool> folders[] = {{CSIDL_DESKTOPDIRECTORY, false},
                                            {CSIDL_COMMON_DESKTOPDIRECTORY, false},
                                            {CSIDL_PROGRAMS, true},
                                            {CSIDL_COMMON_PROGRAMS, true}};
    for (const auto& [folder, recurse] : folders)
    {
        char path[MAX_PATH] = "";
        if (SUCCEEDED(::SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path)))
            AddFiles("", std::string(path) + "\\", entries, recurse);
    }
    return entries;
}

std::string Difference(const Snapshot& a, const Snapshot& b)
{
    std::string text;
    for (const std::string& entry : a)
        if (b.count(entry) == 0)
            text += entry + "\n";
    return text;
}

class RoundTrip : public ::testing::Test
{
protected:
    void SetUp() override { CleanRegistry(); }
    void TearDown() override
    {
        RemoveShortcuts();
        CleanRegistry();
    }
};
} // namespace

TEST_F(RoundTrip, UninstallLeavesTheSystemAsBeforeTheInstallation)
{
    TempTree medium("roundtrip-medium");
    BuildMedium(medium);
    TempTree target("roundtrip");
    target.WriteFile("Program Files\\other.txt", "not ours");
    // A Chinese AutoCAD 2008: it gets the add-on's profile and a launcher in the installation folder.
    SeedCurVer(HKEY_CURRENT_USER, "R17.1", "ACAD-6001:804");
    SeedAcadFolder("R17.1", "ACAD-6001:804", "AcadLocation", target.Path("AutoCAD 2008\\").str());
    SeedProfileSearchPath("R17.1", "ACAD-6001:804", "<<未命名配置>>", "C:\\AutoCAD 2008\\support");
    const CString installDir = target.Path("Program Files\\VindrelSoft\\QELMAR\\");
    const Snapshot filesBefore = Files(target.Root());
    const Snapshot shellBefore = ShellFolders();
    const Snapshot registryBefore = Registry();

    MessageSink sink;
    ScriptedSetupThread setup;
    RunWorker(setup, sink, medium.Root(), installDir);
    ASSERT_EQ(sink.Count(WM_SETUP_DONE), 1);
    ASSERT_TRUE(PathExists(installDir + "Uninstall.log"));
    ASSERT_TRUE(PathExists(installDir + "QELMARfor2008.LNK"));
    // The user's own file, which the log never names.
    target.WriteFile("Program Files\\VindrelSoft\\QELMAR\\Data\\mine.dwg", "user data");

    MessageRecorder recorder;
    ScriptedUninstallThread uninstall(recorder);
    ASSERT_TRUE(uninstall.ReadLog(installDir + "Uninstall.log"));
    const int files = uninstall.CountRecords(LogRecord::FileCopy);
    uninstall.RunPumping();

    EXPECT_EQ(static_cast<int>(recorder.Items().size()), files);
    EXPECT_EQ(recorder.Ids().back(), WM_UNINSTALL_DONE);
    EXPECT_EQ(RegString(HKEY_CURRENT_USER, kControlTraceKey, installDir + "Controls\\RecordingControl.ocx"),
              "unregistered");
    DeleteRegTree(HKEY_CURRENT_USER, "Software\\QelmarTests"); // the stand-in control's own record

    Snapshot filesExpected = filesBefore;
    for (const char* kept :
         {"Program Files\\VindrelSoft\\", "Program Files\\VindrelSoft\\QELMAR\\",
          "Program Files\\VindrelSoft\\QELMAR\\Data\\", "Program Files\\VindrelSoft\\QELMAR\\Data\\mine.dwg"})
        filesExpected.insert(kept);
    const Snapshot filesAfter = Files(target.Root());
    EXPECT_EQ(Difference(filesAfter, filesExpected), "");
    EXPECT_EQ(Difference(filesExpected, filesAfter), "");

    EXPECT_EQ(ShellFolders(), shellBefore);

    // The installation key's parents stay, empty, and so does the add-on's AutoCAD profile, which
    // the log does not name.
    Snapshot registryExpected = registryBefore;
    registryExpected.insert("SOFTWARE\\Quorvane\\");
    registryExpected.insert("SOFTWARE\\Quorvane\\enggQELMAR\\");
    const Snapshot registryAfter = Registry();
    const std::string profile =
        "HKCU\\Software\\Autodesk\\AutoCAD\\R17.1\\ACAD-6001:804\\Profiles\\<<enggQELMAR V8>>\\";
    Snapshot profileKept;
    for (const std::string& entry : registryAfter)
        if (entry.compare(0, profile.size(), profile) == 0 && registryExpected.count(entry) == 0)
            profileKept.insert(entry);
    EXPECT_FALSE(profileKept.empty());
    registryExpected.insert(profileKept.begin(), profileKept.end());
    EXPECT_EQ(Difference(registryAfter, registryExpected), "");
    EXPECT_EQ(Difference(registryExpected, registryAfter), "");
}
