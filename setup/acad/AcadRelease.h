// AcadRelease: one supported AutoCAD release, with every way in which releases differ for the
// add-on. The table of the eight rows is the only place where a release is named.
#pragma once

#include "platform/String.h"

#include <windows.h>

#include <array>

// Where a "CurVer" value naming the installed product is looked for.
struct AcadProductLookup
{
    HKEY roots[2];      // tried in order; an unused slot is null
    bool takesFallback; // whether the release's fallback product key serves when no read succeeds
};

struct AcadRelease
{
    const char* key;             // AutoCAD's registry key for the release, "R15.0" to "R18.0"
    int year;                    // the AutoCAD year its launcher bears
    const char* fallbackProduct; // product key when no "CurVer" is read; null: none
    AcadProductLookup detection;
    const char* folderValues[2]; // values holding the AutoCAD folder, tried in order
    AcadProductLookup profile;
    const char* supportYears;       // the add-on's "Support" subfolder for the release
    const char* acadFolders[4];     // AutoCAD's own subfolders put on the search path
    const char* defaultProfiles[2]; // AutoCAD's default profiles whose search path is copied
    const char* menuFile;           // relative to the installation folder; null: no menu file

    static const std::array<AcadRelease, 8>& Table();

    CString ReleaseKey() const;
    CString ProductKey(const char* product) const;
    CString ProfileKey(const char* product, const char* profile) const;
};
