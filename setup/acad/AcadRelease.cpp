#include "setup/acad/AcadRelease.h"

namespace
{
const HKEY HKLM = HKEY_LOCAL_MACHINE;
const HKEY HKCU = HKEY_CURRENT_USER;

const char kUnnamedChinese[] = "<<未命名配置>>";
const char kUnnamedEnglish[] = "<<Unnamed Profile>>";
const char kMenu2007[] = "Support\\2007-09\\Menu\\Kelvorn";
const char kMenu2010[] = "Support\\2010-11\\Menu\\Kelvorn";
} // namespace

const std::array<AcadRelease, 8>& AcadRelease::Table()
{
    // R15.0's profile looks in HKCU after HKLM: a release found through HKCU's "CurVer" alone gets
    // its profile under that product key instead of under an empty key name.
    // Columns: key, year, fallback product, detection lookup, folder values, profile lookup,
    // support years, AutoCAD folders on the search path, default profiles, menu file.
    // clang-format off
    static const std::array<AcadRelease, 8> table = {{
        {"R15.0", 2002, nullptr, {{HKLM, HKCU}, false}, {"AcadLocation"}, {{HKLM, HKCU}, false},
         "2000-02", {"support", "fonts", "help", "express"}, {}, nullptr},
        {"R16.0", 2004, "ACAD-201:804", {{HKCU, HKLM}, true}, {"AcadLocation"}, {{HKCU, HKLM}, true},
         "2004-06", {}, {kUnnamedChinese, kUnnamedEnglish}, nullptr},
        {"R16.1", 2005, "ACAD-301:409", {{HKCU}, true}, {"AcadLocation"}, {{HKCU, HKLM}, true},
         "2004-06", {}, {kUnnamedChinese, kUnnamedEnglish}, nullptr},
        {"R16.2", 2006, "ACAD-4001:409", {{HKCU}, true}, {"AcadLocation"}, {{HKCU, HKLM}, true},
         "2004-06", {}, {kUnnamedChinese, kUnnamedEnglish}, nullptr},
        {"R17.0", 2007, "ACAD-5001:804", {{HKCU}, true}, {"AcadLocation"}, {{HKCU, HKLM}, true},
         "2007-09", {}, {kUnnamedChinese, kUnnamedEnglish}, kMenu2007},
        {"R17.1", 2008, "ACAD-6001:804", {{HKCU}, true}, {"AcadLocation", "Location"}, {{HKCU, HKLM}, true},
         "2007-09", {}, {kUnnamedChinese, kUnnamedEnglish}, kMenu2007},
        {"R17.2", 2009, "ACAD-7001:804", {{HKCU}, true}, {"AcadLocation", "Location"}, {{HKCU, HKLM}, true},
         "2007-09", {}, {kUnnamedChinese, kUnnamedEnglish}, kMenu2007},
        {"R18.0", 2010, "ACAD-8001:804", {{HKCU}, true}, {"AcadLocation", "Location"}, {{HKCU, HKLM}, true},
         "2010-11", {}, {"初始设置配置", "<<初始设置配置>>"}, kMenu2010},
    }};
    // clang-format on
    return table;
}

CString AcadRelease::ReleaseKey() const
{
    return CString("SOFTWARE\\Autodesk\\AutoCAD\\") + key;
}

CString AcadRelease::ProductKey(const char* product) const
{
    return ReleaseKey() + "\\" + product;
}

CString AcadRelease::ProfileKey(const char* product, const char* profile) const
{
    CString path;
    path.Format("Software\\Autodesk\\AutoCAD\\%s\\%s\\Profiles\\%s", key, product, profile);
    return path;
}
