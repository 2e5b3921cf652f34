// CFileFind: directory search. FindFile starts it; each FindNextFile steps to an entry and
// returns FALSE when that entry is the last one (the entry is still valid then).
#pragma once

#include "platform/Handle.h"
#include "platform/String.h"

#include <windows.h>

class CFileFind
{
public:
    CFileFind() = default;
    ~CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // pattern defaults to "*.*" in the current folder; a relative pattern searches from there.
    BOOL FindFile(const char* pattern = nullptr);
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const;
    CString GetFilePath() const; // the pattern's folder followed by the entry's name
    BOOL IsDirectory() const;
    BOOL IsDots() const;
    unsigned long long GetLength() const
    {
        return (static_cast<unsigned long long>(m_current.nFileSizeHigh) << 32) | m_current.nFileSizeLow;
    }

private:
    CFindHandle m_find;
    WIN32_FIND_DATAA m_next{};
    WIN32_FIND_DATAA m_current{};
    CString m_root;
    bool m_hasNext = false;
};
