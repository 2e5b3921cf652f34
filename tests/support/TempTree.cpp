#include "TempTree.h"

#include "platform/FileFind.h"
#include "platform/Handle.h"

#include <gtest/gtest.h>

#include <windows.h>

TempTree::TempTree(const char* name)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    m_root.Format("%sqelmar-%s-%lu\\", temp, name, ::GetCurrentProcessId());
    RemoveTree(m_root.Left(m_root.GetLength() - 1));
    ::CreateDirectoryA(m_root, nullptr);
}

TempTree::~TempTree()
{
    RemoveTree(m_root.Left(m_root.GetLength() - 1));
}

void TempTree::MakeDir(const char* relative) const
{
    const CString path = m_root + relative;
    // Find is multibyte-aware: a GBK trail byte may be a backslash.
    for (int at = path.Find('\\', m_root.GetLength()); at >= 0; at = path.Find('\\', at + 1))
        ::CreateDirectoryA(path.Left(at), nullptr);
    ::CreateDirectoryA(path, nullptr);
}

void TempTree::WriteFile(const char* relative, const std::string& bytes) const
{
    const CString rest(relative);
    const int slash = rest.ReverseFind('\\');
    if (slash > 0)
        MakeDir(rest.Left(slash));
    const CHandle file(::CreateFileA(Path(relative), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file.IsValid()) << relative;
    DWORD written = 0;
    ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

bool PathExists(const char* path)
{
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const char* path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD Attributes(const char* path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return attributes;
    const DWORD masked = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL);
    return masked ? masked : FILE_ATTRIBUTE_NORMAL;
}

std::string ReadBytes(const char* path)
{
    const CHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!file)
        return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    return bytes;
}

void RemoveTree(const char* path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
    {
        ::DeleteFileA(path);
        return;
    }
    CFileFind finder;
    for (BOOL more = finder.FindFile(CString(path) + "\\*.*"); more;)
    {
        more = finder.FindNextFile();
        if (!finder.IsDots())
            RemoveTree(finder.GetFilePath());
    }
    finder.Close();
    ::RemoveDirectoryA(path);
}

CString ProgramFolder()
{
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString folder(path);
    return folder.Left(folder.ReverseFind('\\') + 1);
}
