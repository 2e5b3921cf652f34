// CDataExchange and DDX_Control: a dialog's DoDataExchange binds its control members to the
// template's items by subclassing them.
#pragma once

class CWnd;

class CDataExchange
{
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate)
    {
    }

    CWnd* m_pDlgWnd;
    bool m_bSaveAndValidate;
};

// Binds control to the dialog item id, once per dialog window: an already bound member is left alone.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
