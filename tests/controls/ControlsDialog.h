// The test dialog holding one of each custom control, bound as the programs bind them. Its own
// background is white, so that what a transparent label leaves alone can be told from what a
// plain label paints.
#pragma once

#include "ControlsRes.h"

#include "controls/PercentProgressCtrl.h"
#include "controls/SkinButton.h"
#include "controls/TransparentStatic.h"
#include "tests/support/GuiTest.h"

#include <commctrl.h>

// The colour a face bitmap gives its pixel (x, y), y counted from the top as on the screen.
inline COLORREF FaceColour(const CPaletteDib& dib, int x, int y)
{
    const int row = dib.GetHeader().biHeight - 1 - y;
    const RGBQUAD entry = dib.GetPalette()[dib.GetBits()[row * dib.GetRowLength() + x]];
    return RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
}

// Counts the paints that reach the bar.
class CCountingProgress : public CPercentProgressCtrl
{
public:
    int m_nPaints = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT)
            ++m_nPaints;
        return CPercentProgressCtrl::WindowProc(message, wParam, lParam);
    }
};

class CControlsDialog : public guitest::ScenarioDialog
{
public:
    CControlsDialog() : ScenarioDialog(IDD_CONTROLS)
    {
        static const bool registered = []
        {
            INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_PROGRESS_CLASS};
            return ::InitCommonControlsEx(&classes) != FALSE;
        }();
        (void)registered;
        m_brWhite.CreateSolidBrush(RGB(255, 255, 255));
    }

    CSkinButton m_btnPush;
    CSkinButton m_btnPlain;
    CSkinButton m_chkCheck;
    CSkinButton m_radA;
    CSkinButton m_radB;
    CSkinButton m_radC;
    CCountingProgress m_progress;
    CTransparentStatic m_stcShadow;
    CTransparentStatic m_stcCentred;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_PUSH, m_btnPush);
        DDX_Control(pDX, IDC_PLAIN_FACE, m_btnPlain);
        DDX_Control(pDX, IDC_CHECK, m_chkCheck);
        DDX_Control(pDX, IDC_RADIO1, m_radA);
        DDX_Control(pDX, IDC_RADIO2, m_radB);
        DDX_Control(pDX, IDC_RADIO3, m_radC);
        DDX_Control(pDX, IDC_PROGRESS, m_progress);
        DDX_Control(pDX, IDC_SHADOW, m_stcShadow);
        DDX_Control(pDX, IDC_CENTRED, m_stcCentred);
    }
    BOOL OnInitDialog() override
    {
        const BOOL result = ScenarioDialog::OnInitDialog();
        // Exact pixel sizes, so that the computed faces can be checked column by column.
        for (CSkinButton* button : {&m_btnPush, &m_btnPlain, &m_chkCheck, &m_radA, &m_radB, &m_radC})
        {
            CRect rect;
            button->GetWindowRect(&rect);
            ScreenToClient(reinterpret_cast<LPPOINT>(&rect));
            button->MoveWindow(rect.left, rect.top, 75, 23);
        }
        CRect bar;
        m_progress.GetWindowRect(&bar);
        ScreenToClient(reinterpret_cast<LPPOINT>(&bar));
        m_progress.MoveWindow(bar.left, bar.top, 200, 30);
        for (CSkinButton* button : {&m_btnPush, &m_chkCheck, &m_radA, &m_radB, &m_radC})
            button->SetFacePattern(7, 8, 10, 0, 0);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CTLCOLORDLG)
            return reinterpret_cast<LRESULT>(static_cast<HBRUSH>(m_brWhite));
        return ScenarioDialog::WindowProc(message, wParam, lParam);
    }

private:
    CBrush m_brWhite;
};
