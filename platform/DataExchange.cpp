#include "platform/DataExchange.h"

#include "platform/Wnd.h"

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (!control.GetSafeHwnd())
        control.SubclassDlgItem(id, pDX->m_pDlgWnd);
}
