// The window layer in a real dialog: modal run from a template, binding by subclassing, message
// dispatch with default handling, reflection of owner-draw and colour requests, window operations.
#include "WindowTestRes.h"

#include "platform/Button.h"
#include "platform/Edit.h"
#include "platform/Static.h"
#include "tests/support/GuiTest.h"

#include <gtest/gtest.h>

using guitest::ScenarioDialog;

namespace
{
const COLORREF kLabelBack = RGB(10, 200, 30);
const COLORREF kDrawn = RGB(250, 20, 120);

// A label that answers the colour requests its dialog reflects to it.
class CColourLabel : public CStatic
{
public:
    int m_nRequests = 0;

protected:
    HBRUSH CtlColor(CDC* dc, UINT nCtlColor) override
    {
        ++m_nRequests;
        EXPECT_EQ(nCtlColor, static_cast<UINT>(CTLCOLOR_STATIC));
        dc->SetBkColor(kLabelBack);
        return m_brush;
    }

private:
    struct Brush
    {
        Brush() { m_brush.CreateSolidBrush(kLabelBack); }
        operator HBRUSH() const { return m_brush; }
        CBrush m_brush;
    } m_brush;
};

class CDrawnButton : public CButton
{
public:
    void DrawItem(LPDRAWITEMSTRUCT item) override
    {
        ++m_nDraws;
        CDC dc;
        dc.Attach(item->hDC);
        dc.FillSolidRect(item->rcItem, kDrawn);
        dc.Detach();
    }
    int m_nDraws = 0;
};

// Counts the text changes it lets through to the edit control's own handling.
class CCountingEdit : public CEdit
{
public:
    int m_nSetText = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETTEXT)
        {
            ++m_nSetText;
            return Default();
        }
        return CEdit::WindowProc(message, wParam, lParam);
    }
};

const UINT WM_TEST_PRIVATE = WM_USER + 5;

class CTestDialog : public ScenarioDialog
{
public:
    CTestDialog() : ScenarioDialog(IDD_WINDOW_TEST) {}

    CColourLabel m_stcLabel;
    CDrawnButton m_btnDrawn;
    CCountingEdit m_editName;
    int m_nInits = 0;
    int m_nTimers = 0;
    LPARAM m_nPrivate = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        ScenarioDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_LABEL, m_stcLabel);
        DDX_Control(pDX, IDC_OWNERDRAW, m_btnDrawn);
        DDX_Control(pDX, IDC_EDIT, m_editName);
    }
    BOOL OnInitDialog() override
    {
        ++m_nInits;
        return ScenarioDialog::OnInitDialog();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message)
        {
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_TEST_PRIVATE:
            m_nPrivate = lParam;
            return 42;
        }
        return ScenarioDialog::WindowProc(message, wParam, lParam);
    }

private:
    void OnTimer(UINT_PTR id)
    {
        if (id == 7)
            ++m_nTimers;
    }
};
} // namespace

TEST(Dialog, RunsModallyAndBindsItsControlsAgainOnEveryShowing)
{
    CTestDialog dialog;
    HWND firstLabel = nullptr;
    EXPECT_EQ(dialog.Run(
                  [&]
                  {
                      EXPECT_EQ(dialog.m_nInits, 1);
                      firstLabel = dialog.m_stcLabel.GetSafeHwnd();
                      EXPECT_EQ(firstLabel, ::GetDlgItem(dialog, IDC_LABEL));
                      EXPECT_EQ(CWnd::FromHandlePermanent(firstLabel), &dialog.m_stcLabel);
                      EXPECT_EQ(CWnd::FromHandlePermanent(dialog), &dialog);
                      EXPECT_EQ(dialog.GetDlgItem(IDC_LABEL), &dialog.m_stcLabel);
                      EXPECT_STREQ(dialog.m_stcLabel.GetWindowText(), "标签文字");
                      dialog.End(1234);
                  }),
              1234);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dialog.m_stcLabel.GetSafeHwnd(), nullptr);

    EXPECT_EQ(dialog.Run(
                  [&]
                  {
                      EXPECT_EQ(dialog.m_nInits, 2);
                      EXPECT_NE(dialog.m_stcLabel.GetSafeHwnd(), nullptr);
                      EXPECT_EQ(dialog.m_stcLabel.GetSafeHwnd(), ::GetDlgItem(dialog, IDC_LABEL));
                  }),
              IDOK);
}

TEST(Dialog, CloseBoxAndEscapeCancelEnterConfirms)
{
    CTestDialog dialog;
    EXPECT_EQ(dialog.Run(
                  [&]
                  {
                      dialog.PostMessage(WM_CLOSE);
                      dialog.Pump(100);
                  }),
              IDCANCEL);
    EXPECT_EQ(dialog.Commands(IDCANCEL, BN_CLICKED), 1);

    EXPECT_EQ(dialog.Run(
                  [&]
                  {
                      dialog.m_editName.SetFocus();
                      guitest::PressKey(VK_ESCAPE, dialog);
                  }),
              IDCANCEL);

    EXPECT_EQ(dialog.Run(
                  [&]
                  {
                      dialog.m_editName.SetFocus();
                      guitest::PressKey(VK_RETURN, dialog);
                  }),
              IDOK);
    EXPECT_EQ(dialog.Commands(IDOK, BN_CLICKED), 1);
}

TEST(Dialog, DispatchesTimersPrivateMessagesAndDefaultHandling)
{
    CTestDialog dialog;
    dialog.Run(
        [&]
        {
            EXPECT_EQ(dialog.SendMessage(WM_TEST_PRIVATE, 0, 99), 42);
            EXPECT_EQ(dialog.m_nPrivate, 99);
            dialog.PostMessage(WM_TEST_PRIVATE, 0, 5);
            dialog.Pump(50);
            EXPECT_EQ(dialog.m_nPrivate, 5);

            dialog.SetTimer(7, 20);
            EXPECT_TRUE(guitest::PumpUntil([&] { return dialog.m_nTimers >= 2; }, 2000, dialog));
            dialog.KillTimer(7);
            const int timers = dialog.m_nTimers;
            dialog.Pump(100);
            EXPECT_EQ(dialog.m_nTimers, timers);

            // The edit control's own handling still runs behind the handler.
            dialog.m_editName.SetWindowText("中文 text");
            EXPECT_EQ(dialog.m_editName.m_nSetText, 1);
            EXPECT_STREQ(dialog.m_editName.GetWindowText(), "中文 text");
        });
}

TEST(Dialog, ReflectsColourAndOwnerDrawRequestsToTheChildThatAsked)
{
    CTestDialog dialog;
    dialog.Run(
        [&]
        {
            dialog.m_stcLabel.Invalidate();
            dialog.m_btnDrawn.Invalidate();
            dialog.Pump(100);
            EXPECT_GT(dialog.m_stcLabel.m_nRequests, 0);
            EXPECT_GT(dialog.m_btnDrawn.m_nDraws, 0);

            const guitest::ClientPixels label(dialog.m_stcLabel);
            EXPECT_EQ(label.At(label.Width() - 1, 0), kLabelBack);
            const guitest::ClientPixels button(dialog.m_btnDrawn);
            EXPECT_EQ(button.At(button.Width() / 2, button.Height() / 2), kDrawn);
            // An unbound label keeps the dialog's own colours.
            const guitest::ClientPixels plain(dialog.GetDlgItem(IDC_PLAIN)->GetSafeHwnd());
            EXPECT_EQ(plain.At(plain.Width() - 1, 0), ::GetSysColor(COLOR_BTNFACE));
        });
}

TEST(Window, ShowEnableStylesTextsAndIcons)
{
    CTestDialog dialog;
    dialog.Run(
        [&]
        {
            CWnd* plain = dialog.GetDlgItem(IDC_PLAIN);
            ASSERT_NE(plain, nullptr);
            EXPECT_EQ(CWnd::FromHandlePermanent(*plain), nullptr); // not bound: a plain wrapper
            EXPECT_EQ(dialog.GetDlgItem(IDC_PLAIN), plain);
            EXPECT_EQ(plain->GetDlgCtrlID(), IDC_PLAIN);
            EXPECT_EQ(dialog.GetDlgItem(4711), nullptr);

            plain->ShowWindow(SW_HIDE);
            EXPECT_FALSE(plain->IsWindowVisible());
            plain->ShowWindow(SW_SHOW);
            EXPECT_TRUE(plain->IsWindowVisible());
            plain->EnableWindow(FALSE);
            EXPECT_FALSE(plain->IsWindowEnabled());
            plain->EnableWindow(TRUE);
            EXPECT_TRUE(plain->IsWindowEnabled());

            EXPECT_TRUE(plain->ModifyStyle(SS_TYPEMASK, SS_RIGHT));
            EXPECT_EQ(plain->GetStyle() & SS_TYPEMASK, static_cast<DWORD>(SS_RIGHT));
            EXPECT_FALSE(plain->ModifyStyle(0, SS_RIGHT)); // nothing to change
            EXPECT_TRUE(plain->ModifyStyleEx(0, WS_EX_TRANSPARENT));
            EXPECT_TRUE(plain->GetExStyle() & WS_EX_TRANSPARENT);

            dialog.SetDlgItemText(IDC_PLAIN, "完成");
            EXPECT_STREQ(plain->GetWindowText(), "完成");

            dialog.m_editName.SetFocus();
            EXPECT_EQ(::GetFocus(), dialog.m_editName.GetSafeHwnd());

            const HICON icon = ::LoadIconA(nullptr, IDI_QUESTION);
            dialog.SetIcon(icon, TRUE);
            EXPECT_EQ(dialog.GetIcon(TRUE), icon);
            EXPECT_EQ(dialog.GetIcon(FALSE), nullptr);
        });
}

TEST(Window, SubclassedWindowGetsItsOwnProcedureBackWhenTheObjectGoesFirst)
{
    CTestDialog dialog;
    dialog.Run(
        [&]
        {
            HWND label = ::GetDlgItem(dialog, IDC_PLAIN);
            const LONG_PTR original = ::GetWindowLongPtrA(label, GWLP_WNDPROC);
            {
                CCountingEdit temporary;
                ASSERT_TRUE(temporary.SubclassWindow(label));
                EXPECT_FALSE(CCountingEdit().SubclassWindow(label)); // one object per window
                ::SetWindowTextA(label, "一");
                EXPECT_EQ(temporary.m_nSetText, 1);
            }
            EXPECT_EQ(::GetWindowLongPtrA(label, GWLP_WNDPROC), original);
            EXPECT_EQ(CWnd::FromHandlePermanent(label), nullptr);
            ::SetWindowTextA(label, "二");
            char text[8] = "";
            ::GetWindowTextA(label, text, sizeof(text));
            EXPECT_STREQ(text, "二");
        });
}
