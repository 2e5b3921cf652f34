#include "platform/StdioFile.h"

#include <string>
#include <utility>

CStdioFile::CStdioFile(const char* path, unsigned flags)
{
    Open(path, flags);
}

void CStdioFile::Open(const char* path, unsigned flags)
{
    m_file.Close();
    m_strPath = path;
    m_bText = (flags & typeBinary) == 0;
    m_nPushback = -1;
    m_readBuffer.clear();
    m_nReadPos = 0;
    DWORD access = GENERIC_READ;
    if (flags & modeWrite)
        access = GENERIC_WRITE;
    else if (flags & modeReadWrite)
        access = GENERIC_READ | GENERIC_WRITE;
    const DWORD disposition = (flags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    m_file.Attach(
        ::CreateFileA(path, access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_file)
        Throw(::GetLastError());
}

void CStdioFile::Write(const void* data, unsigned count)
{
    const char* bytes = static_cast<const char*>(data);
    std::string out;
    if (m_bText)
    {
        out.reserve(count + count / 16);
        for (unsigned i = 0; i < count; ++i)
        {
            if (bytes[i] == '\n')
                out.push_back('\r');
            out.push_back(bytes[i]);
        }
        bytes = out.data();
        count = static_cast<unsigned>(out.size());
    }
    DWORD written = 0;
    if (!::WriteFile(m_file.Get(), bytes, count, &written, nullptr))
        Throw(::GetLastError());
    if (written != count)
        Throw(ERROR_DISK_FULL);
}

int CStdioFile::NextByte()
{
    if (m_nPushback >= 0)
        return std::exchange(m_nPushback, -1);
    if (m_nReadPos == m_readBuffer.size())
    {
        m_readBuffer.resize(64 * 1024);
        DWORD got = 0;
        if (!::ReadFile(m_file.Get(), m_readBuffer.data(), static_cast<DWORD>(m_readBuffer.size()), &got,
                        nullptr))
            Throw(::GetLastError());
        m_readBuffer.resize(got);
        m_nReadPos = 0;
        if (got == 0)
            return -1;
    }
    return static_cast<unsigned char>(m_readBuffer[m_nReadPos++]);
}

unsigned CStdioFile::Read(void* buffer, unsigned count)
{
    char* out = static_cast<char*>(buffer);
    unsigned n = 0;
    while (n < count)
    {
        int c = NextByte();
        if (c < 0)
            break;
        if (c == '\r' && m_bText)
        {
            const int following = NextByte();
            if (following == '\n')
                c = '\n';
            else
                m_nPushback = following;
        }
        out[n++] = static_cast<char>(c);
    }
    return n;
}

unsigned long long CStdioFile::GetLength() const
{
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(m_file.Get(), &size))
        Throw(::GetLastError());
    return static_cast<unsigned long long>(size.QuadPart);
}

void CStdioFile::Close()
{
    if (m_file && !::CloseHandle(m_file.Detach()))
        Throw(::GetLastError());
}

void CStdioFile::Throw(DWORD error) const
{
    throw CFileException(error, m_strPath);
}
