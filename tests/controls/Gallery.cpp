// The gallery: every custom control in every look in one dialog, for a screenshot a person can
// judge. Hover is real (the mouse is put over one button); pressed, disabled and focus are real
// states; the default look, which the system never asks an owner-drawn button for, is forced.
//
//   controls_gallery READY-FILE DONE-FILE
// Writes the dialog's screen rectangle to READY-FILE once everything is painted, then waits
// (at most 30 s) for DONE-FILE to appear before it closes.
#include "ControlsRes.h"

#include "controls/PercentProgressCtrl.h"
#include "controls/SkinButton.h"
#include "controls/TransparentStatic.h"
#include "tests/support/GuiTest.h"

#include <commctrl.h>
#include <io.h>

#include <cstdio>

namespace
{
// A skinned button that adds state bits to every drawing request.
class CGalleryButton : public CSkinButton
{
public:
    UINT m_nForced = 0;

    void DrawItem(LPDRAWITEMSTRUCT item) override
    {
        item->itemState |= m_nForced;
        CSkinButton::DrawItem(item);
    }
};

class CGalleryDialog : public CDialog
{
public:
    CGalleryDialog(const char* readyFile, const char* doneFile)
        : CDialog(IDD_GALLERY), m_readyFile(readyFile), m_doneFile(doneFile)
    {
    }

protected:
    static const UINT kShow = WM_APP + 1;

    void DoDataExchange(CDataExchange* pDX) override
    {
        for (int i = 0; i < 6; ++i)
        {
            DDX_Control(pDX, IDC_G7_NORMAL + i, m_btn7[i]);
            DDX_Control(pDX, IDC_G6_NORMAL + i, m_btn6[i]);
        }
        for (int i = 0; i < 5; ++i)
            DDX_Control(pDX, IDC_G_PLAIN + i, m_btnKinds[i]);
        for (int i = 0; i < 6; ++i)
            DDX_Control(pDX, IDC_G_BAR_EMPTY + i, m_bars[i]);
        DDX_Control(pDX, IDC_G_WELCOME, m_stcWelcome);
        DDX_Control(pDX, IDC_G_PROMPT, m_stcPrompt);
        DDX_Control(pDX, IDC_G_CENTRED, m_stcCentred);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        for (int i = 0; i < 6; ++i)
        {
            m_btn7[i].SetFacePattern(7, 8, 10, 0, 0);
            m_btn6[i].SetFacePattern(6, 8, 10, 0, 0);
        }
        for (int i = 1; i < 5; ++i)
            m_btnKinds[i].SetFacePattern(i < 3 ? 7 : 6, 8, 10, 0, 0);
        m_btnKinds[1].SetCheck(TRUE);
        m_btnKinds[4].SetCheck(TRUE);

        m_btn7[2].SetState(TRUE);
        m_btn6[2].SetState(TRUE);
        m_btn7[4].m_nForced = ODS_DEFAULT;
        m_btn6[4].m_nForced = ODS_DEFAULT;
        m_btn6[5].m_nForced = ODS_FOCUS;

        const struct
        {
            int lower, upper, pos;
            const char* text;
        } bars[] = {{0, 100, 0, nullptr},
                    {0, 3, 1, nullptr},
                    {0, 100, 50, nullptr},
                    {0, 100, 100, nullptr},
                    {0, 100, 37, "正在复制文件..."},
                    {0, 0, 0, nullptr}};
        for (int i = 0; i < 6; ++i)
        {
            m_bars[i].SetShowText(TRUE);
            m_bars[i].SetRange(bars[i].lower, bars[i].upper);
            m_bars[i].SetStep(1);
            if (bars[i].text)
                m_bars[i].SetWindowText(bars[i].text);
        }
        m_nBarPos[1] = 1;
        m_nBarPos[2] = 50;
        m_nBarPos[3] = 100;
        m_nBarPos[4] = 37;
        m_stcWelcome.SetShadow(TRUE);
        m_btn7[5].SetFocus();
        PostMessage(kShow);
        return FALSE; // the focus is set
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kShow)
        {
            OnShow();
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    void OnShow()
    {
        for (int i = 0; i < 6; ++i)
            m_bars[i].SetPos(m_nBarPos[i]);
        guitest::Mouse(m_hWnd).MoveTo(guitest::ScreenPoint(m_btn7[1]));
        guitest::Pump(500, m_hWnd);

        CRect rect;
        GetWindowRect(&rect);
        if (FILE* ready = std::fopen(m_readyFile, "w"))
        {
            std::fprintf(ready, "%dx%d+%d+%d\n", rect.Width(), rect.Height(), static_cast<int>(rect.left),
                         static_cast<int>(rect.top));
            std::fclose(ready);
        }
        guitest::PumpUntil([&] { return _access(m_doneFile, 0) == 0; }, 30000, m_hWnd);
        EndDialog(IDOK);
    }

    const char* m_readyFile;
    const char* m_doneFile;
    CGalleryButton m_btn7[6];
    CGalleryButton m_btn6[6];
    CSkinButton m_btnKinds[5];
    CPercentProgressCtrl m_bars[6];
    int m_nBarPos[6] = {};
    CTransparentStatic m_stcWelcome;
    CTransparentStatic m_stcPrompt;
    CTransparentStatic m_stcCentred;
};
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: controls_gallery READY-FILE DONE-FILE\n");
        return 2;
    }
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&classes);
    CGalleryDialog gallery(argv[1], argv[2]);
    return gallery.DoModal() == IDOK ? 0 : 1;
}
