// CUninstallDlg: the progress window. Finds the uninstall log, lets the worker replay it and shows
// each removed file; ends when the user closes it.
#pragma once

#include "controls/PercentProgressCtrl.h"
#include "controls/SkinButton.h"
#include "controls/TransparentStatic.h"
#include "platform/Dialog.h"
#include "uninstall/UninstallThread.h"

// Ends the window with IDOK; nothing in the programs sends it. wParam, lParam 0.
constexpr UINT WM_UNINSTALL_CLOSE = WM_USER + 15;

class CUninstallDlg : public CDialog
{
public:
    explicit CUninstallDlg(CWnd* parent = nullptr);

    // The installation folder from the installation key, with a trailing backslash.
    static BOOL FindInstallFolder(CString& folder);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnUninstallItem(const char* path);
    void OnUninstallFilesDone();
    void OnUninstallDone();
    void OnUninstallFailed();
    void OnPaint();
    // The worker sends to this window: it is waited for with messages still flowing.
    void StopWorker();

    HICON m_hIcon;
    CSkinButton m_btnCancel;
    CSkinButton m_btnFinish;
    CPercentProgressCtrl m_progress;
    CTransparentStatic m_stcThanks;
    CUninstallThread m_thread;
};
