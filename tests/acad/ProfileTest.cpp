// The add-on's AutoCAD profile, written into every release found, against seeded machines.
#include "setup/SetupThread.h"
#include "support/AcadSeed.h"
#include "support/RegistryProbe.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace
{
const HKEY HKLM = HKEY_LOCAL_MACHINE;
const HKEY HKCU = HKEY_CURRENT_USER;
const char kInstallDir[] = "D:\\工程软件\\QELMAR\\";

std::string ProductKey(const char* release, const char* product)
{
    return std::string("Software\\Autodesk\\AutoCAD\\") + release + "\\" + product;
}

std::string AddonProfile(const char* release, const char* product)
{
    return ProductKey(release, product) + "\\Profiles\\<<enggQELMAR V8>>";
}

struct Value
{
    std::string key;
    std::string name;
    std::string data;
};

struct Case
{
    const char* name;
    std::function<void()> seed;
    std::vector<Value> written; // under HKCU, REG_SZ
};

// The three values of the add-on's profile.
std::vector<Value> Profile(const char* release, const char* product, const std::string& searchPath,
                           const char* menuFile)
{
    const std::string key = AddonProfile(release, product);
    std::vector<Value> values = {{key + "\\General", "ACAD", searchPath}, {key, "", "<<enggQELMAR V8>>"}};
    if (menuFile)
        values.push_back({key + "\\General Configuration", "MenuFile", std::string(kInstallDir) + menuFile});
    return values;
}

std::string AddonPath(const char* years)
{
    const std::string support = std::string(kInstallDir) + "Support\\" + years + "\\";
    return support + "arx;" + support + "Menu;";
}

void SeedChinese2008()
{
    SeedCurVer(HKLM, "R17.1", "ACAD-6001:804");
    SeedCurVer(HKCU, "R17.1", "ACAD-6001:804");
    SeedAcadFolder("R17.1", "ACAD-6001:804", "AcadLocation", "C:\\Program Files\\AutoCAD 2008");
    SeedProfileSearchPath("R17.1", "ACAD-6001:804", "<<未命名配置>>",
                          "C:\\Program Files\\AutoCAD 2008\\support;C:\\Program Files\\AutoCAD 2008\\fonts");
    SeedProfileSearchPath("R17.1", "ACAD-6001:804", "<<Unnamed Profile>>", "never copied");
}

const char kChinese2008Path[] =
    "C:\\Program Files\\AutoCAD 2008\\support;C:\\Program Files\\AutoCAD 2008\\fonts";

void SeedChinese2010()
{
    SeedCurVer(HKCU, "R18.0", "ACAD-8001:804");
    SeedAcadFolder("R18.0", "ACAD-8001:804", "AcadLocation", "C:\\Program Files\\AutoCAD 2010\\");
    SeedProfileSearchPath("R18.0", "ACAD-8001:804", "<<初始设置配置>>", "bracketed 2010 profile");
    SeedProfileSearchPath("R18.0", "ACAD-8001:804", "初始设置配置", "bare 2010 profile");
}

std::set<std::string> WithParents(std::set<std::string> keys, const std::vector<Value>& values)
{
    for (const Value& value : values)
        for (std::size_t end = value.key.find('\\'); end != std::string::npos;
             end = value.key.find('\\', end + 1))
            keys.insert(value.key.substr(0, end));
    for (const Value& value : values)
        keys.insert(value.key);
    keys.erase("Software");
    return keys;
}

std::set<std::string> Keys(HKEY root)
{
    const std::vector<std::string> keys = AutodeskKeys(root);
    return {keys.begin(), keys.end()};
}
} // namespace

TEST(AcadProfiles, EachReleaseFoundGetsTheAddonsProfileAndNothingElseChanges)
{
    const std::string longPath(2047, 'p');
    const Case cases[] = {
        {"nothing installed", [] {}, {}},
        {"a Chinese 2008 copies its Chinese default profile", SeedChinese2008,
         Profile("R17.1", "ACAD-6001:804", AddonPath("2007-09") + kChinese2008Path + ";",
                 "Support\\2007-09\\Menu\\Kelvorn")},
        {"an English 2005 copies its English profile and leaves no empty Chinese one",
         []
         {
             SeedCurVer(HKCU, "R16.1", "ACAD-301:409");
             SeedAcadFolder("R16.1", "ACAD-301:409", "AcadLocation", "C:\\Program Files\\AutoCAD 2005");
             SeedProfileSearchPath("R16.1", "ACAD-301:409", "<<Unnamed Profile>>", "english search path");
         },
         Profile("R16.1", "ACAD-301:409", AddonPath("2004-06") + "english search path;", nullptr)},
        {"a Chinese 2010 with both default profiles copies the bare one", SeedChinese2010,
         Profile("R18.0", "ACAD-8001:804", AddonPath("2010-11") + "bare 2010 profile;",
                 "Support\\2010-11\\Menu\\Kelvorn")},
        {"2002 puts four AutoCAD folders on the path and copies nothing",
         []
         {
             SeedCurVer(HKLM, "R15.0", "ACAD-1:804");
             SeedAcadFolder("R15.0", "ACAD-1:804", "AcadLocation", "C:\\Program Files\\ACAD2002");
             SeedProfileSearchPath("R15.0", "ACAD-1:804", "<<Unnamed Profile>>", "never read");
         },
         Profile("R15.0", "ACAD-1:804",
                 AddonPath("2000-02") +
                     "C:\\Program Files\\ACAD2002\\support;C:\\Program Files\\ACAD2002\\fonts;"
                     "C:\\Program Files\\ACAD2002\\help;C:\\Program Files\\ACAD2002\\express;",
                 nullptr)},
        {"2002 found through HKCU alone is written under that product",
         []
         {
             SeedCurVer(HKCU, "R15.0", "ACAD-1:409");
             SeedAcadFolder("R15.0", "ACAD-1:409", "AcadLocation", "E:\\R15");
         },
         Profile("R15.0", "ACAD-1:409",
                 AddonPath("2000-02") + "E:\\R15\\support;E:\\R15\\fonts;E:\\R15\\help;E:\\R15\\express;",
                 nullptr)},
        {"2004 whose default profiles have no search path ends in two semicolons",
         []
         {
             SeedCurVer(HKCU, "R16.0", "ACAD-201:804");
             SeedCurVer(HKLM, "R16.0", "ACAD-201:804");
             SeedAcadFolder("R16.0", "ACAD-201:804", "AcadLocation", "C:\\Program Files\\AutoCAD 2004");
             SeedString(HKCU, ProductKey("R16.0", "ACAD-201:804") + "\\Profiles\\<<未命名配置>>\\General",
                        "MaxArray", "100000");
         },
         Profile("R16.0", "ACAD-201:804", AddonPath("2004-06") + ";", nullptr)},
        {"R17.1 with CurVer only in HKLM: found through the fallback, written under HKLM's product",
         []
         {
             SeedCurVer(HKLM, "R17.1", "ACAD-6002:804");
             SeedAcadFolder("R17.1", "ACAD-6001:804", "AcadLocation", "C:\\Program Files\\AutoCAD 2008");
         },
         Profile("R17.1", "ACAD-6002:804", AddonPath("2007-09") + ";", "Support\\2007-09\\Menu\\Kelvorn")},
        {"a 2047-byte default search path is copied and the longer result written whole",
         [&]
         {
             SeedCurVer(HKCU, "R17.2", "ACAD-7001:804");
             SeedAcadFolder("R17.2", "ACAD-7001:804", "AcadLocation", "C:\\Program Files\\AutoCAD 2009");
             SeedProfileSearchPath("R17.2", "ACAD-7001:804", "<<未命名配置>>", longPath);
         },
         Profile("R17.2", "ACAD-7001:804", AddonPath("2007-09") + longPath + ";",
                 "Support\\2007-09\\Menu\\Kelvorn")},
        {"a 2048-byte first default search path reads as absent: the second one is copied",
         [&]
         {
             SeedCurVer(HKCU, "R17.2", "ACAD-7001:804");
             SeedAcadFolder("R17.2", "ACAD-7001:804", "AcadLocation", "C:\\Program Files\\AutoCAD 2009");
             SeedProfileSearchPath("R17.2", "ACAD-7001:804", "<<未命名配置>>", longPath + "x");
             SeedProfileSearchPath("R17.2", "ACAD-7001:804", "<<Unnamed Profile>>", "second");
         },
         Profile("R17.2", "ACAD-7001:804", AddonPath("2007-09") + "second;",
                 "Support\\2007-09\\Menu\\Kelvorn")},
    };

    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        RemoveAcadSeeds();
        c.seed();
        const std::set<std::string> machineKeys = Keys(HKLM);
        const std::set<std::string> userKeys = Keys(HKCU);

        CSetupThread worker;
        worker.m_strInstallDir = kInstallDir;
        worker.ConfigureAcadProfiles();

        for (const Value& value : c.written)
        {
            std::string data;
            DWORD type = 0;
            ASSERT_TRUE(RegRawValue(HKCU, value.key.c_str(), value.name.c_str(), data, type))
                << value.key << " " << value.name;
            EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
            EXPECT_EQ(data, value.data + '\0') << value.key << " " << value.name;
        }
        EXPECT_EQ(Keys(HKCU), WithParents(userKeys, c.written));
        EXPECT_EQ(Keys(HKLM), machineKeys);
        EXPECT_TRUE(worker.m_strLog.IsEmpty());
    }
    RemoveAcadSeeds();
}

TEST(AcadProfiles, TwoReleasesGetOneProfileEachAndARerunChangesNothing)
{
    RemoveAcadSeeds();
    SeedChinese2008();
    SeedChinese2010();
    // A value AutoCAD added to the profile since the last installation stays.
    SeedString(HKCU, AddonProfile("R17.1", "ACAD-6001:804") + "\\General", "MaxHatch", "10000");
    const std::set<std::string> seeded = Keys(HKCU);

    std::vector<Value> expected =
        Profile("R17.1", "ACAD-6001:804", AddonPath("2007-09") + kChinese2008Path + ";",
                "Support\\2007-09\\Menu\\Kelvorn");
    const std::vector<Value> of2010 =
        Profile("R18.0", "ACAD-8001:804", AddonPath("2010-11") + "bare 2010 profile;",
                "Support\\2010-11\\Menu\\Kelvorn");
    expected.insert(expected.end(), of2010.begin(), of2010.end());
    for (int run = 0; run < 2; ++run)
    {
        SCOPED_TRACE(run);
        CSetupThread worker;
        worker.m_strInstallDir = kInstallDir;
        worker.ConfigureAcadProfiles();
        for (const Value& value : expected)
            EXPECT_EQ(RegString(HKCU, value.key.c_str(), value.name.c_str()), value.data.c_str())
                << value.key << " " << value.name;
        EXPECT_EQ(RegString(HKCU, (AddonProfile("R17.1", "ACAD-6001:804") + "\\General").c_str(), "MaxHatch"),
                  "10000");
        EXPECT_EQ(Keys(HKCU), WithParents(seeded, expected));
    }
    RemoveAcadSeeds();
}
