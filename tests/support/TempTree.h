// A folder tree a test builds for itself and removes again, attributes and all.
#pragma once

#include "platform/String.h"

#include <windows.h>

#include <string>

class TempTree
{
public:
    // A fresh, empty folder under the system's temporary folder.
    explicit TempTree(const char* name);
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // The root with a trailing backslash.
    const CString& Root() const { return m_root; }
    CString Path(const char* relative) const { return m_root + relative; }

    void MakeDir(const char* relative) const;
    // Creates parents as needed.
    void WriteFile(const char* relative, const std::string& bytes) const;

private:
    CString m_root;
};

bool PathExists(const char* path);
bool IsFolder(const char* path);
std::string ReadBytes(const char* path);
// The attributes as Windows reports them; Wine adds FILE_ATTRIBUTE_ARCHIVE to every file and
// reports a file reset to FILE_ATTRIBUTE_NORMAL as archive only, so both are masked out.
DWORD Attributes(const char* path);
// Removes a file or a whole tree, clearing read-only and hidden attributes on the way.
void RemoveTree(const char* path);
// The folder of the running test program, with a trailing backslash.
CString ProgramFolder();
