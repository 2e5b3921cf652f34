#include "platform/FileException.h"

#include "platform/Handle.h"

CString SystemErrorText(DWORD error)
{
    char* buffer = nullptr;
    ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer), 0, nullptr);
    const CLocalMemory owner(buffer);
    return CString(buffer);
}

CString CFileException::GetErrorMessage() const
{
    CString reason = SystemErrorText(m_lOsError);
    reason.TrimRight();
    CString text;
    text.Format("访问文件 %s 时出错。\n%s", m_strFileName.str().c_str(), reason.str().c_str());
    return text;
}

int CFileException::ReportError(HWND owner) const
{
    return ::MessageBoxA(owner, GetErrorMessage(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}
