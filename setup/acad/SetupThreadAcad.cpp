// The install worker's AutoCAD detection and profile writer, driven by the release table.
#include "setup/SetupThread.h"

#include "platform/Mbcs.h"
#include "setup/Product.h"
#include "setup/acad/AcadRelease.h"

namespace
{
const char kCurVer[] = "CurVer";
const char kSearchPathValue[] = "ACAD";
} // namespace

BOOL CSetupThread::FindAcadProduct(const AcadRelease& release, const AcadProductLookup& lookup,
                                   CString& product)
{
    for (HKEY root : lookup.roots)
    {
        if (root && ReadRegString(root, release.ReleaseKey(), kCurVer, product))
            return TRUE;
    }
    if (!lookup.takesFallback || !release.fallbackProduct)
        return FALSE;
    product = release.fallbackProduct;
    return TRUE;
}

BOOL CSetupThread::FindAcadLocation(const AcadRelease& release, CString& folder)
{
    folder.Empty();
    CString product;
    if (!FindAcadProduct(release, release.detection, product))
        return FALSE;
    const CString productKey = release.ProductKey(product);
    for (const char* name : release.folderValues)
    {
        if (name && ReadRegString(HKEY_LOCAL_MACHINE, productKey, name, folder) && !folder.IsEmpty())
            break;
    }
    if (folder.IsEmpty())
        return FALSE;
    if (!Mbcs::EndsWithSeparator(folder))
        folder += '\\';
    return TRUE;
}

void CSetupThread::ConfigureAcadProfiles()
{
    for (const AcadRelease& release : AcadRelease::Table())
    {
        CString acadFolder;
        if (FindAcadLocation(release, acadFolder))
            WriteAcadProfile(release, acadFolder);
    }
}

void CSetupThread::WriteAcadProfile(const AcadRelease& release, const CString& acadFolder)
{
    CString product;
    if (!FindAcadProduct(release, release.profile, product))
        return;

    // A default profile that does not exist is only looked for, never created.
    CString copied;
    for (const char* profile : release.defaultProfiles)
    {
        if (profile && ReadRegString(HKEY_CURRENT_USER, release.ProfileKey(product, profile) + "\\General",
                                     kSearchPathValue, copied))
            break;
    }

    const CString support = m_strInstallDir + "Support\\" + release.supportYears + "\\";
    CString searchPath = support + "arx;" + support + "Menu;";
    for (const char* name : release.acadFolders)
    {
        if (name)
            searchPath += acadFolder + name + ";";
    }
    if (release.defaultProfiles[0])
        searchPath += copied + ";";

    const CString profileKey = release.ProfileKey(product, Product::kAcadProfile);
    WriteRegString(HKEY_CURRENT_USER, profileKey + "\\General", kSearchPathValue, searchPath);
    if (release.menuFile)
        WriteRegString(HKEY_CURRENT_USER, profileKey + "\\General Configuration", "MenuFile",
                       m_strInstallDir + release.menuFile);
    WriteRegString(HKEY_CURRENT_USER, profileKey, "", Product::kAcadProfile);
}
