// The skinned button in a real dialog, driven by the mouse and keyboard input a person makes:
// pressing, dragging off and back, releasing, double clicks, hover light, check and radio kinds.
#include "ControlsDialog.h"

#include <gtest/gtest.h>

using guitest::Mouse;
using guitest::ScreenPoint;

namespace
{
bool Pushed(CSkinButton& button)
{
    return (button.GetState() & BST_PUSHED) != 0;
}

COLORREF Shown(CSkinButton& button, int x, int y)
{
    return guitest::ClientPixels(button).At(x, y);
}

COLORREF Corner(CSkinButton& button)
{
    return guitest::ClientPixels(button).At(0, 0);
}

// A point of the dialog beside the button, over no other control.
POINT Beside(CSkinButton& button)
{
    RECT rect;
    button.GetWindowRect(&rect);
    return POINT{rect.left + 40, rect.bottom + 4};
}
} // namespace

TEST(SkinButtonInput, PressDragOffAndBackReleaseOffGivesNoClick)
{
    CControlsDialog dialog;
    dialog.Run(
        [&]
        {
            CSkinButton& button = dialog.m_btnPush;
            Mouse mouse(dialog);
            mouse.MoveTo(ScreenPoint(button));
            mouse.Down();
            EXPECT_TRUE(Pushed(button));
            EXPECT_EQ(::GetCapture(), button.GetSafeHwnd());
            EXPECT_EQ(Corner(button), ::GetSysColor(COLOR_BTNSHADOW)); // the sunken face

            mouse.MoveTo(Beside(button));
            EXPECT_FALSE(Pushed(button));
            EXPECT_EQ(Corner(button), ::GetSysColor(COLOR_3DLIGHT)); // raised again

            mouse.MoveTo(ScreenPoint(button));
            EXPECT_TRUE(Pushed(button));
            EXPECT_EQ(Corner(button), ::GetSysColor(COLOR_BTNSHADOW));

            mouse.MoveTo(Beside(button));
            mouse.Up();
            EXPECT_EQ(dialog.Commands(IDC_PUSH, BN_CLICKED), 0);
            EXPECT_EQ(::GetCapture(), nullptr);
            EXPECT_FALSE(Pushed(button));

            mouse.MoveTo(ScreenPoint(button));
            mouse.Click();
            EXPECT_EQ(dialog.Commands(IDC_PUSH, BN_CLICKED), 1);
            mouse.MoveTo(POINT{0, 0});
        });
}

TEST(SkinButtonInput, DoubleClickIsTwoClicks)
{
    CControlsDialog dialog;
    dialog.Run(
        [&]
        {
            CSkinButton& button = dialog.m_btnPush;
            Mouse mouse(dialog);
            mouse.MoveTo(ScreenPoint(button));
            mouse.Click();
            mouse.Click();
            EXPECT_EQ(dialog.Commands(IDC_PUSH, BN_CLICKED), 2);
            EXPECT_EQ(dialog.Commands(IDC_PUSH, BN_DOUBLECLICKED), 0);
            mouse.MoveTo(POINT{0, 0});
        });
}

TEST(SkinButtonInput, LightsUpWhileTheMouseIsOver)
{
    CControlsDialog dialog;
    dialog.Run(
        [&]
        {
            CSkinButton& button = dialog.m_btnPush;
            const CButtonFaces& faces = button.GetFaces();
            // A pixel of the lower half, dark enough for the lighter palette to show.
            const auto shown = [&] { return Shown(button, 65, 17); };
            EXPECT_EQ(shown(), FaceColour(faces.m_normal, 65, 17));

            Mouse mouse(dialog);
            mouse.MoveTo(ScreenPoint(button));
            EXPECT_EQ(shown(), FaceColour(faces.m_hover, 65, 17));
            EXPECT_NE(FaceColour(faces.m_hover, 65, 17), FaceColour(faces.m_normal, 65, 17));
            mouse.MoveTo(Beside(button));
            EXPECT_TRUE(guitest::PumpUntil([&] { return shown() == FaceColour(faces.m_normal, 65, 17); },
                                           2000, dialog));

            // Pressing ends the light; the pressed face is drawn one pixel down and right.
            mouse.MoveTo(ScreenPoint(button));
            mouse.Down();
            EXPECT_EQ(Shown(button, 66, 18), FaceColour(faces.m_pressed, 65, 17));
            mouse.Up();
            mouse.MoveTo(POINT{0, 0});
        });
}

TEST(SkinButtonInput, LosingTheFocusWhilePressedReleasesTheMouse)
{
    CControlsDialog dialog;
    dialog.Run(
        [&]
        {
            CSkinButton& button = dialog.m_btnPush;
            Mouse mouse(dialog);
            mouse.MoveTo(ScreenPoint(button));
            mouse.Down();
            ASSERT_EQ(::GetCapture(), button.GetSafeHwnd());
            dialog.m_chkCheck.SetFocus();
            dialog.Pump(50);
            EXPECT_EQ(::GetCapture(), nullptr);
            EXPECT_FALSE(Pushed(button));
            mouse.Up();
            EXPECT_EQ(dialog.Commands(IDC_PUSH, BN_CLICKED), 0);
            mouse.MoveTo(POINT{0, 0});
        });
}

TEST(SkinButtonInput, RadioKindUnchecksTheRestOfItsGroup)
{
    CControlsDialog dialog;
    dialog.Run(
        [&]
        {
            CSkinButton* radios[] = {&dialog.m_radA, &dialog.m_radB, &dialog.m_radC};
            for (CSkinButton* radio : radios)
                EXPECT_EQ(radio->GetKind(), CSkinButton::RadioKind);
            const auto checks = [&] {
                return std::vector<int>{radios[0]->GetCheck(), radios[1]->GetCheck(), radios[2]->GetCheck()};
            };
            Mouse mouse(dialog);
            mouse.MoveTo(ScreenPoint(dialog.m_radA));
            mouse.Click();
            EXPECT_EQ(checks(), (std::vector<int>{1, 0, 0}));
            mouse.MoveTo(ScreenPoint(dialog.m_radC));
            mouse.Click();
            EXPECT_EQ(checks(), (std::vector<int>{0, 0, 1}));
            EXPECT_EQ(dialog.Commands(IDC_RADIO1, BN_CLICKED), 1);
            EXPECT_EQ(dialog.Commands(IDC_RADIO3, BN_CLICKED), 1);

            // Checked radios show the pressed face; unchecking one touches no other.
            EXPECT_EQ(Shown(dialog.m_radC, 65, 17), FaceColour(dialog.m_radC.GetFaces().m_pressed, 65, 17));
            EXPECT_EQ(Shown(dialog.m_radA, 65, 17), FaceColour(dialog.m_radA.GetFaces().m_normal, 65, 17));
            dialog.m_radC.SetCheck(FALSE);
            dialog.m_radB.SetCheck(TRUE);
            dialog.Pump(50);
            EXPECT_EQ(checks(), (std::vector<int>{0, 1, 0}));
            dialog.m_radB.SetCheck(FALSE);
            dialog.m_radA.SendMessage(WM_SKIN_UNCHECK);
            dialog.Pump(50);
            EXPECT_EQ(checks(), (std::vector<int>{0, 0, 0}));
            // The button after the group is not part of it.
            EXPECT_EQ(::GetNextDlgGroupItem(dialog, dialog.m_radC, FALSE), dialog.m_radA.GetSafeHwnd());
            mouse.MoveTo(POINT{0, 0});
        });
}

TEST(SkinButtonInput, SpaceAndClicksToggleACheckKind)
{
    CControlsDialog dialog;
    dialog.Run(
        [&]
        {
            CSkinButton& check = dialog.m_chkCheck;
            EXPECT_EQ(check.GetKind(), CSkinButton::CheckKind);
            check.SetFocus();
            guitest::PressKey(VK_SPACE, dialog);
            EXPECT_EQ(check.GetCheck(), 1);
            EXPECT_EQ(dialog.Commands(IDC_CHECK, BN_CLICKED), 1);
            guitest::PressKey(VK_SPACE, dialog);
            EXPECT_EQ(check.GetCheck(), 0);

            Mouse mouse(dialog);
            mouse.MoveTo(ScreenPoint(check));
            mouse.Click();
            EXPECT_EQ(check.GetCheck(), 1);
            mouse.Down();
            mouse.MoveTo(Beside(check)); // released elsewhere: no toggle
            mouse.Up();
            EXPECT_EQ(check.GetCheck(), 1);
            EXPECT_EQ(dialog.Commands(IDC_CHECK, BN_CLICKED), 3);

            // A push-kind button has no check state.
            dialog.m_btnPush.SetCheck(TRUE);
            EXPECT_EQ(dialog.m_btnPush.GetCheck(), 0);
            mouse.MoveTo(POINT{0, 0});
        });
}

TEST(SkinButtonInput, ADialogShownAgainStartsWithFreshButtons)
{
    CControlsDialog dialog;
    dialog.Run([&] { dialog.m_chkCheck.SetCheck(TRUE); });
    dialog.Run([&] { EXPECT_EQ(dialog.m_chkCheck.GetCheck(), 0); });
}
