// Registry layouts of installed AutoCAD releases, seeded by a test with plain API calls and
// removed again; never through the code under test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

void SeedString(HKEY root, const std::string& key, const char* name, const std::string& data);
// "CurVer" under the release's key: the product key of the installed AutoCAD.
void SeedCurVer(HKEY root, const char* release, const char* product);
// A folder value under the product's key in HKLM ("AcadLocation", "Location").
void SeedAcadFolder(const char* release, const char* product, const char* value, const std::string& folder);
// The search path ("ACAD") of one of AutoCAD's own profiles in HKCU.
void SeedProfileSearchPath(const char* release, const char* product, const char* profile,
                           const std::string& searchPath);
// Every AutoCAD key of both roots goes.
void RemoveAcadSeeds();

// Every key below "Software\Autodesk" of the root, as full paths, sorted; empty when none.
std::vector<std::string> AutodeskKeys(HKEY root);
