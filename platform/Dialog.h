// CDialog: a modal dialog run from a resource template of the program.
//
// DoModal hands the object to the dialog procedure with WM_INITDIALOG, which subclasses the
// dialog window: from then on its messages reach WindowProc like any other window's, and the
// dialog manager's own handling (keyboard navigation, default button, WM_CLOSE as IDCANCEL) is
// the default. OnInitDialog binds the controls through DoDataExchange.
#pragma once

#include "platform/DataExchange.h"
#include "platform/Wnd.h"

class CDialog : public CWnd
{
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_nIDTemplate(templateId), m_pParentWnd(parent)
    {
    }

    // Runs the dialog until EndDialog; its result, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int result) { ::EndDialog(m_hWnd, result); }
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

protected:
    // Binds the controls; TRUE lets the dialog manager give the first control the focus.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange*) {}
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // A WM_COMMAND from a control, menu or the dialog manager; TRUE when handled. The base answers
    // IDOK and IDCANCEL (Enter, Esc and the close box arrive here as those).
    virtual BOOL OnCommand(UINT id, UINT code);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
};
