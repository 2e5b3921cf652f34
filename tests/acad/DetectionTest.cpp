// Detection of the installed AutoCAD releases against seeded registry layouts.
#include "setup/SetupThread.h"
#include "setup/acad/AcadRelease.h"
#include "support/AcadSeed.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace
{
const HKEY HKLM = HKEY_LOCAL_MACHINE;
const HKEY HKCU = HKEY_CURRENT_USER;

struct Case
{
    const char* name;
    std::function<void()> seed;
    std::map<std::string, std::string> found; // release key -> AutoCAD folder
};

// A Chinese AutoCAD 2008 as its installer leaves it, but for the folder values.
void Seed2008(const char* value, const std::string& folder)
{
    SeedCurVer(HKLM, "R17.1", "ACAD-6001:804");
    SeedCurVer(HKCU, "R17.1", "ACAD-6001:804");
    SeedAcadFolder("R17.1", "ACAD-6001:804", value, folder);
}
} // namespace

TEST(AcadDetection, FindsExactlyTheReleasesAutoCadRecordsAndCreatesNoKey)
{
    const std::string fits = "C:\\" + std::string(2044, 'a');    // 2047 bytes
    const std::string tooLong = "C:\\" + std::string(2045, 'b'); // 2048 bytes
    const Case cases[] = {
        {"nothing installed", [] {}, {}},
        {"R15.0 without any CurVer",
         [] { SeedAcadFolder("R15.0", "ACAD-1:804", "AcadLocation", "C:\\AutoCAD 2002"); },
         {}},
        {"R15.0 with CurVer only in HKCU",
         []
         {
             SeedCurVer(HKCU, "R15.0", "ACAD-1:804");
             SeedAcadFolder("R15.0", "ACAD-1:804", "AcadLocation", "C:\\AutoCAD 2002");
         },
         {{"R15.0", "C:\\AutoCAD 2002\\"}}},
        {"R16.0 with CurVer only in HKLM takes that product, not the fallback",
         []
         {
             SeedCurVer(HKLM, "R16.0", "ACAD-201:409");
             SeedAcadFolder("R16.0", "ACAD-201:409", "AcadLocation", "D:\\AutoCAD 2004 English\\");
             SeedAcadFolder("R16.0", "ACAD-201:804", "AcadLocation", "C:\\AutoCAD 2004\\");
         },
         {{"R16.0", "D:\\AutoCAD 2004 English\\"}}},
        {"R17.1 with CurVer only in HKLM takes the fallback",
         []
         {
             SeedCurVer(HKLM, "R17.1", "ACAD-6002:804");
             SeedAcadFolder("R17.1", "ACAD-6002:804", "AcadLocation", "D:\\Other 2008");
             SeedAcadFolder("R17.1", "ACAD-6001:804", "AcadLocation", "C:\\AutoCAD 2008");
         },
         {{"R17.1", "C:\\AutoCAD 2008\\"}}},
        {"R16.1 with CurVer only in HKLM and no fallback folder",
         []
         {
             SeedCurVer(HKLM, "R16.1", "ACAD-301:804");
             SeedAcadFolder("R16.1", "ACAD-301:804", "AcadLocation", "C:\\AutoCAD 2005");
         },
         {}},
        {"R17.1 with Location only",
         [] { Seed2008("Location", "C:\\AutoCAD 2008"); },
         {{"R17.1", "C:\\AutoCAD 2008\\"}}},
        {"R17.1 with an empty AcadLocation",
         []
         {
             Seed2008("AcadLocation", "");
             SeedAcadFolder("R17.1", "ACAD-6001:804", "Location", "C:\\AutoCAD 2008");
         },
         {{"R17.1", "C:\\AutoCAD 2008\\"}}},
        {"R17.0 with Location only",
         []
         {
             SeedCurVer(HKCU, "R17.0", "ACAD-5001:804");
             SeedAcadFolder("R17.0", "ACAD-5001:804", "Location", "C:\\AutoCAD 2007");
         },
         {}},
        {"trailing backslash kept, not doubled",
         []
         {
             SeedCurVer(HKCU, "R18.0", "ACAD-8001:804");
             SeedAcadFolder("R18.0", "ACAD-8001:804", "AcadLocation", "C:\\AutoCAD 2010\\");
         },
         {{"R18.0", "C:\\AutoCAD 2010\\"}}},
        {"a last character whose trail byte is 0x5C still gets its backslash",
         []
         {
             SeedCurVer(HKCU, "R17.2", "ACAD-7001:804");
             SeedAcadFolder("R17.2", "ACAD-7001:804", "AcadLocation", "D:\\AutoCAD 嘰");
         },
         {{"R17.2", "D:\\AutoCAD 嘰\\"}}},
        {"a 2047-byte folder is read whole",
         [&]
         {
             SeedCurVer(HKCU, "R16.2", "ACAD-4001:409");
             SeedAcadFolder("R16.2", "ACAD-4001:409", "AcadLocation", fits);
         },
         {{"R16.2", fits + "\\"}}},
        {"a 2048-byte folder reads as absent",
         [&]
         {
             SeedCurVer(HKCU, "R16.2", "ACAD-4001:409");
             SeedAcadFolder("R16.2", "ACAD-4001:409", "AcadLocation", tooLong);
         },
         {}},
        {"a 2048-byte AcadLocation gives way to Location",
         [&]
         {
             Seed2008("AcadLocation", tooLong);
             SeedAcadFolder("R17.1", "ACAD-6001:804", "Location", "C:\\AutoCAD 2008");
         },
         {{"R17.1", "C:\\AutoCAD 2008\\"}}},
        {"two releases at once",
         []
         {
             Seed2008("AcadLocation", "C:\\Program Files\\AutoCAD 2008");
             SeedCurVer(HKCU, "R18.0", "ACAD-8001:804");
             SeedAcadFolder("R18.0", "ACAD-8001:804", "AcadLocation", "C:\\Program Files\\AutoCAD 2010");
         },
         {{"R17.1", "C:\\Program Files\\AutoCAD 2008\\"}, {"R18.0", "C:\\Program Files\\AutoCAD 2010\\"}}},
    };

    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        RemoveAcadSeeds();
        c.seed();
        const std::vector<std::string> machineKeys = AutodeskKeys(HKLM);
        const std::vector<std::string> userKeys = AutodeskKeys(HKCU);

        std::map<std::string, std::string> found;
        for (const AcadRelease& release : AcadRelease::Table())
        {
            CString folder = "stale";
            if (CSetupThread::FindAcadLocation(release, folder))
                found[release.key] = folder.str();
            else
                EXPECT_EQ(folder, "") << release.key;
        }
        EXPECT_EQ(found, c.found);
        EXPECT_EQ(AutodeskKeys(HKLM), machineKeys);
        EXPECT_EQ(AutodeskKeys(HKCU), userKeys);
    }
    RemoveAcadSeeds();
}
