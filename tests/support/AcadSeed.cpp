#include "AcadSeed.h"

#include "RegistryProbe.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
const std::string kAutodesk = "Software\\Autodesk";

std::string ReleaseKey(const char* release)
{
    return kAutodesk + "\\AutoCAD\\" + release;
}

void CollectKeys(HKEY root, const std::string& key, std::vector<std::string>& keys)
{
    HKEY opened;
    if (::RegOpenKeyExA(root, key.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &opened) != ERROR_SUCCESS)
        return;
    keys.push_back(key);
    char name[256];
    for (DWORD i = 0;; ++i)
    {
        DWORD size = sizeof name;
        if (::RegEnumKeyExA(opened, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        CollectKeys(root, key + "\\" + name, keys);
    }
    ::RegCloseKey(opened);
}
} // namespace

void SeedString(HKEY root, const std::string& key, const char* name, const std::string& data)
{
    HKEY created;
    ASSERT_EQ(::RegCreateKeyA(root, key.c_str(), &created), ERROR_SUCCESS) << key;
    EXPECT_EQ(::RegSetValueExA(created, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                               static_cast<DWORD>(data.size() + 1)),
              ERROR_SUCCESS)
        << key << " " << name;
    ::RegCloseKey(created);
}

void SeedCurVer(HKEY root, const char* release, const char* product)
{
    SeedString(root, ReleaseKey(release), "CurVer", product);
}

void SeedAcadFolder(const char* release, const char* product, const char* value, const std::string& folder)
{
    SeedString(HKEY_LOCAL_MACHINE, ReleaseKey(release) + "\\" + product, value, folder);
}

void SeedProfileSearchPath(const char* release, const char* product, const char* profile,
                           const std::string& searchPath)
{
    SeedString(HKEY_CURRENT_USER,
               ReleaseKey(release) + "\\" + product + "\\Profiles\\" + profile + "\\General", "ACAD",
               searchPath);
}

void RemoveAcadSeeds()
{
    DeleteRegTree(HKEY_LOCAL_MACHINE, kAutodesk.c_str());
    DeleteRegTree(HKEY_CURRENT_USER, kAutodesk.c_str());
}

std::vector<std::string> AutodeskKeys(HKEY root)
{
    std::vector<std::string> keys;
    CollectKeys(root, kAutodesk, keys);
    std::sort(keys.begin(), keys.end());
    return keys;
}
