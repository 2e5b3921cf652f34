// CStdioFile: a file read or written whole, in text mode (CR LF on disk, LF in memory) or binary.
// Failures throw CFileException carrying the system's error code.
#pragma once

#include "platform/FileException.h"
#include "platform/Handle.h"

#include <vector>

class CStdioFile
{
public:
    enum OpenFlags : unsigned
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        modeCreate = 0x1000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };

    CStdioFile() = default;
    CStdioFile(const char* path, unsigned flags); // throws CFileException
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;
    ~CStdioFile() = default; // closes without reporting

    // modeCreate creates or truncates; without it the file must exist.
    void Open(const char* path, unsigned flags);
    // Text mode: each LF is written as CR LF; each CR LF read back as LF.
    void Write(const void* data, unsigned count);
    unsigned Read(void* buffer, unsigned count);
    unsigned long long GetLength() const;
    void Close();

private:
    [[noreturn]] void Throw(DWORD error) const;

    CHandle m_file;
    CString m_strPath;
    bool m_bText = true;
    int NextByte(); // -1 at the end
    std::vector<char> m_readBuffer;
    std::size_t m_nReadPos = 0;
    int m_nPushback = -1; // a byte read ahead while folding CR LF
};
