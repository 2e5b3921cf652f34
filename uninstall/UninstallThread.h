// CUninstallThread: the worker that replays the uninstall log. The progress window sets
// m_pMainWnd and m_bAutoDelete (FALSE), calls ReadLog and CountRecords, then starts the thread.
#pragma once

#include "common/LogRecord.h"
#include "platform/FileException.h"
#include "platform/String.h"
#include "platform/WinThread.h"
#include "uninstall/ReplayDomain.h"

#include <atomic>

class CUninstallThread : public CWinThread
{
public:
    // Loads the whole log in text mode. A file error is shown to the user, WM_UNINSTALL_FAILED is
    // posted to the report window and the result is FALSE. The log's folder is the installation
    // folder the replay keeps to.
    BOOL ReadLog(const char* path);
    int CountRecords(LogRecord::Kind kind) const;
    // The next record of a kind at or after pos; its value is the text at start of length bytes.
    BOOL NextRecord(LogRecord::Kind kind, int& pos, int& start, int& length) const;

    // Any thread: the passes end at the next record; the run then ends without the self-removal
    // and without WM_UNINSTALL_DONE. The caller waits for the thread.
    void Stop() { m_nStop = 1; }

    // The passes; FALSE ends the thread without a message loop.
    BOOL InitInstance() override;

protected:
    // The standard file-error box, owned by the report window.
    virtual void ReportFileError(const CFileException& error);
    // What the file pass cannot remove: the running uninstaller, by a script once it has ended, and
    // the installation folder.
    virtual void StartSelfRemoval();

private:
    bool IsStopping() const { return m_nStop != 0; }
    BOOL ReadFailed(const CFileException& error);
    CString Value(int start, int length) const;

    void UnregisterLoggedControls();
    void DeleteLoggedFiles();
    void RemoveLoggedFolders();
    void DeleteLoggedKeys();
    static void UnregisterServer(const char* path);
    static void DeleteEvenReadOnly(const char* path);
    void Send(UINT message, LPARAM lParam = 0) const;

    CString m_strLog;
    CReplayDomain m_domain;
    CString m_strLogPath;        // full, as the domain normalises it
    bool m_bLogRecorded = false; // the log names itself: it is deleted once all else is done
    std::atomic<LONG> m_nStop{0};
};
