// CFileException: what the file classes throw when the system refuses an operation.
#pragma once

#include "platform/String.h"

#include <windows.h>

class CFileException
{
public:
    CFileException(DWORD osError, const char* fileName) : m_lOsError(osError), m_strFileName(fileName) {}

    // The standard file-error text: what failed, on which file, and the system's reason.
    CString GetErrorMessage() const;
    // The standard file-error box: that text, OK only.
    int ReportError(HWND owner = nullptr) const;

    DWORD m_lOsError;
    CString m_strFileName;
};

// The system's text for an error code, as the system gives it (its line break included).
CString SystemErrorText(DWORD error);
