#include "platform/FileFind.h"

#include <algorithm>

BOOL CFileFind::FindFile(const char* pattern)
{
    Close();
    const CString search = pattern ? pattern : "*.*";
    m_find.Attach(::FindFirstFileA(search, &m_next));
    if (!m_find)
        return FALSE;
    const int separator = std::max(search.ReverseFind('\\'), search.ReverseFind('/'));
    m_root = search.Left(separator + 1);
    if (separator < 0 && search.GetLength() >= 2 && search[1] == ':')
        m_root = search.Left(2);
    m_hasNext = true;
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_hasNext)
        return FALSE;
    m_current = m_next;
    m_hasNext = ::FindNextFileA(m_find.Get(), &m_next) != FALSE;
    return m_hasNext ? TRUE : FALSE;
}

void CFileFind::Close()
{
    m_find.Close();
    m_hasNext = false;
    m_root.Empty();
}

CString CFileFind::GetFileName() const
{
    return m_current.cFileName;
}

CString CFileFind::GetFilePath() const
{
    return m_root + m_current.cFileName;
}

BOOL CFileFind::IsDirectory() const
{
    return (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? TRUE : FALSE;
}

BOOL CFileFind::IsDots() const
{
    const char* name = m_current.cFileName;
    return IsDirectory() && name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}
