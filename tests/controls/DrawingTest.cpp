// What the controls paint, read back pixel by pixel from memory contexts: the progress bar's fill
// and two-coloured text, the label's shadow and layout, and every look of the skinned button.
#include "ControlsDialog.h"

#include <gtest/gtest.h>

using guitest::ClientPixels;

namespace
{
COLORREF Sys(int index)
{
    return ::GetSysColor(index);
}

bool Contains(const ClientPixels& pixels, int left, int right, COLORREF colour)
{
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = left; x < right; ++x)
            if (pixels.At(x, y) == colour)
                return true;
    return false;
}

bool SamePixels(const ClientPixels& a, const ClientPixels& b)
{
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y))
                return false;
    return true;
}

// One look of a button, drawn by its DrawItem into a memory context.
class Look : public guitest::MemoryImage
{
public:
    Look(CSkinButton& button, UINT state) : MemoryImage(75, 23)
    {
        DRAWITEMSTRUCT item{ODT_BUTTON, static_cast<UINT>(button.GetDlgCtrlID()),
                            0,          ODA_DRAWENTIRE,
                            state,      button,
                            DC(),       RECT{0, 0, 75, 23},
                            0};
        button.DrawItem(&item);
    }
};

// Inside the edges and away from the caption.
const POINT kFacePoints[] = {{2, 2}, {72, 2}, {2, 20}, {72, 20}, {12, 11}};

void ExpectFace(const Look& look, const CPaletteDib& face, int shift = 0)
{
    for (const POINT& p : kFacePoints)
        EXPECT_EQ(look.At(p.x, p.y), FaceColour(face, p.x - shift, p.y - shift)) << p.x << ", " << p.y;
}
} // namespace

TEST(PercentProgress, FillsToThePositionAndWritesTheTextInTwoColours)
{
    CControlsDialog dialog;
    dialog.Run(
        [&]
        {
            CPercentProgressCtrl& bar = dialog.m_progress;
            bar.SetRange(0, 100);
            bar.SetPos(50);
            const ClientPixels half(bar);
            ASSERT_EQ(half.Width(), 200);
            EXPECT_EQ(half.At(99, 0), Sys(COLOR_HIGHLIGHT));
            EXPECT_EQ(half.At(100, 0), Sys(COLOR_WINDOW));
            EXPECT_FALSE(Contains(half, 0, 60, Sys(COLOR_WINDOW)));
            EXPECT_FALSE(Contains(half, 140, 200, Sys(COLOR_HIGHLIGHT)));
            // The text crosses the edge: over the bar in the window colour, beyond it in the bar colour.
            EXPECT_TRUE(Contains(half, 60, 100, Sys(COLOR_WINDOW)));
            EXPECT_TRUE(Contains(half, 100, 140, Sys(COLOR_HIGHLIGHT)));

            bar.SetShowText(FALSE);
            bar.UpdateWindow();
            const ClientPixels plain(bar);
            EXPECT_FALSE(Contains(plain, 0, 100, Sys(COLOR_WINDOW)));
            EXPECT_FALSE(Contains(plain, 100, 200, Sys(COLOR_HIGHLIGHT)));
            bar.SetShowText(TRUE);

            bar.SetPos(100);
            const ClientPixels full(bar);
            EXPECT_EQ(full.At(199, 0), Sys(COLOR_HIGHLIGHT));
            bar.SetPos(130); // beyond the range: the bar stays full
            const ClientPixels beyond(bar);
            EXPECT_EQ(beyond.At(199, 0), Sys(COLOR_HIGHLIGHT));
        });
}

TEST(PercentProgress, PercentageIsTruncatedAndCustomTextReplacesIt)
{
    CControlsDialog dialog;
    dialog.Run(
        [&]
        {
            CPercentProgressCtrl& bar = dialog.m_progress;
            // The same picture as the control writing the given text itself.
            const auto looksLike = [&](const char* text)
            {
                const ClientPixels percentage(bar);
                bar.SetWindowText(text);
                bar.UpdateWindow();
                const ClientPixels custom(bar);
                bar.SendMessage(WM_SETTEXT, 0, 0); // back to the percentage
                bar.UpdateWindow();
                return SamePixels(percentage, custom);
            };
            bar.SetRange(0, 3);
            bar.SetPos(1);
            EXPECT_TRUE(looksLike("33%"));
            EXPECT_FALSE(looksLike("34%"));
            bar.SetPos(2);
            EXPECT_TRUE(looksLike("66%"));

            bar.SetWindowText("正在复制");
            char text[32] = "";
            EXPECT_EQ(bar.SendMessage(WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text)), 8);
            EXPECT_STREQ(text, "正在复制");
            EXPECT_EQ(bar.SendMessage(WM_GETTEXT, 5, reinterpret_cast<LPARAM>(text)), 4);
            EXPECT_STREQ(text, "正在");
            bar.SetWindowText("");
            EXPECT_EQ(bar.SendMessage(WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text)), 0);
        });
}

TEST(PercentProgress, EmptyRangePaintsNothingButKeepsPositions)
{
    CControlsDialog dialog;
    dialog.Run(
        [&]
        {
            CCountingProgress& bar = dialog.m_progress;
            bar.SetRange(0, 0);
            const COLORREF marker = RGB(255, 0, 255);
            HDC window = ::GetDC(bar);
            CDC dc;
            dc.Attach(window);
            dc.FillSolidRect(CRect(0, 0, 200, 30), marker);
            dc.Detach();
            ::ReleaseDC(bar, window);

            const int paints = bar.m_nPaints;
            bar.Invalidate();
            bar.UpdateWindow();
            EXPECT_EQ(bar.m_nPaints, paints + 1);
            EXPECT_FALSE(::GetUpdateRect(bar, nullptr, FALSE)); // the request was consumed
            const ClientPixels pixels(bar);
            EXPECT_EQ(pixels.At(0, 0), marker);
            EXPECT_EQ(pixels.At(100, 15), marker);

            bar.SetStep(2);
            EXPECT_EQ(bar.SetPos(3), 0);
            EXPECT_EQ(bar.StepIt(), 3);
            EXPECT_EQ(bar.GetPos(), 5);
        });
}

TEST(PercentProgress, RepaintsOnlyWhenTheBarWidthChanges)
{
    CPercentProgressCtrl unbound;
    EXPECT_EQ(unbound.SetPos(5), -1);
    EXPECT_EQ(unbound.GetPos(), 0);

    CControlsDialog dialog;
    dialog.Run(
        [&]
        {
            CCountingProgress& bar = dialog.m_progress;
            bar.SetRange(0, 1000);
            const int before = bar.m_nPaints;
            bar.SetPos(0);
            EXPECT_EQ(bar.m_nPaints, before + 1); // the first width is always drawn
            for (int pos = 1; pos <= 4; ++pos)
                bar.SetPos(pos); // 200 × 4 ÷ 1000 is still 0 pixels
            EXPECT_EQ(bar.m_nPaints, before + 1);
            bar.SetPos(5);
            EXPECT_EQ(bar.m_nPaints, before + 2);
            bar.SetPos(9);
            EXPECT_EQ(bar.m_nPaints, before + 2);

            bar.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 30));
            bar.SetPos(9);
            EXPECT_EQ(bar.m_nPaints, before + 3);
        });
}

TEST(TransparentStatic, DrawsOnlyItsTextWithTheShadowDownRight)
{
    CControlsDialog dialog;
    dialog.Run(
        [&]
        {
            const COLORREF black = RGB(0, 0, 0);
            const COLORREF shadow = RGB(208, 208, 208);
            const ClientPixels flat(dialog.m_stcShadow);
            EXPECT_EQ(flat.Bounds(shadow).right, 0);
            // Nothing erased: the white dialog shows through where a plain label paints its own colour.
            EXPECT_EQ(flat.At(flat.Width() - 1, flat.Height() - 1), RGB(255, 255, 255));
            const ClientPixels plain(dialog.GetDlgItem(IDC_PLAIN_LABEL)->GetSafeHwnd());
            EXPECT_NE(plain.At(plain.Width() - 1, plain.Height() - 1), RGB(255, 255, 255));

            EXPECT_FALSE(dialog.m_stcShadow.SetShadow(TRUE));
            EXPECT_TRUE(dialog.m_stcShadow.SetShadow(TRUE));
            dialog.m_stcShadow.Invalidate();
            dialog.m_stcShadow.UpdateWindow();
            const ClientPixels shaded(dialog.m_stcShadow);
            const RECT text = shaded.Bounds(black);
            const RECT grey = shaded.Bounds(shadow);
            ASSERT_LT(text.left, text.right);
            ASSERT_LT(grey.left, grey.right);
            EXPECT_EQ(grey.right - text.right, 3);
            EXPECT_EQ(grey.bottom - text.bottom, 3);

            // A template asking for centred text is still painted from the left.
            const ClientPixels centred(dialog.m_stcCentred);
            EXPECT_LE(centred.Bounds(black).left, 2);
        });
}

TEST(SkinButton, EachLookOfAShadedButton)
{
    CControlsDialog dialog;
    dialog.Run(
        [&]
        {
            CSkinButton& button = dialog.m_btnPush;
            const CButtonFaces& faces = button.GetFaces();
            CRect client;
            button.GetClientRect(&client);
            ASSERT_EQ(client, CRect(0, 0, 75, 23));
            EXPECT_EQ(button.GetKind(), CSkinButton::PushKind);
            EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
            {
                SCOPED_TRACE("normal");
                const Look look(button, 0);
                ExpectFace(look, faces.m_normal);
                EXPECT_EQ(look.At(0, 0), Sys(COLOR_3DLIGHT)); // raised edge
                EXPECT_EQ(look.At(74, 22), Sys(COLOR_3DDKSHADOW));
                EXPECT_EQ(look.At(5, 4), FaceColour(faces.m_normal, 5, 4)); // no focus dots
                const RECT caption = look.Bounds(Sys(COLOR_BTNTEXT));
                EXPECT_LT(caption.left, caption.right);
                EXPECT_NEAR((caption.left + caption.right) / 2, 37, 3); // centred
            }
            {
                SCOPED_TRACE("pressed");
                const Look look(button, ODS_SELECTED);
                ExpectFace(look, faces.m_pressed, 1);
                EXPECT_EQ(look.At(0, 0), Sys(COLOR_BTNSHADOW)); // sunken edge
                EXPECT_EQ(look.At(74, 22), Sys(COLOR_BTNHIGHLIGHT));
                const RECT normal = Look(button, 0).Bounds(Sys(COLOR_BTNTEXT));
                const RECT caption = look.Bounds(Sys(COLOR_BTNTEXT));
                EXPECT_EQ(caption.left - normal.left, 1);
                EXPECT_EQ(caption.top - normal.top, 1);
            }
            {
                SCOPED_TRACE("default");
                const Look look(button, ODS_DEFAULT);
                EXPECT_EQ(look.At(0, 0), Sys(COLOR_BTNSHADOW)); // sunken outside, raised inside
                EXPECT_EQ(look.At(1, 1), Sys(COLOR_3DLIGHT));
                EXPECT_EQ(look.At(74, 22), Sys(COLOR_BTNHIGHLIGHT));
                EXPECT_EQ(look.At(73, 21), Sys(COLOR_3DDKSHADOW));
            }
            {
                SCOPED_TRACE("focused");
                const Look look(button, ODS_FOCUS);
                const COLORREF dark = FaceColour(faces.m_focusHorz, 0, 0);
                const COLORREF light = FaceColour(faces.m_focusHorz, 1, 0);
                EXPECT_EQ(dark, Sys(COLOR_BTNSHADOW));
                EXPECT_EQ(light, Sys(COLOR_BTNHIGHLIGHT));
                for (const POINT& p : {POINT{5, 4}, POINT{5, 19}, POINT{4, 5}, POINT{71, 5}, POINT{69, 4}})
                    EXPECT_EQ(look.At(p.x, p.y), dark) << p.x << ", " << p.y;
                for (const POINT& p : {POINT{6, 4}, POINT{6, 19}, POINT{4, 6}, POINT{71, 6}, POINT{70, 4}})
                    EXPECT_EQ(look.At(p.x, p.y), light) << p.x << ", " << p.y;
                EXPECT_EQ(look.At(4, 4), FaceColour(faces.m_normal, 4, 4)); // the corners stay open
            }
            {
                SCOPED_TRACE("hover");
                guitest::Mouse mouse(dialog);
                mouse.MoveTo(guitest::ScreenPoint(button));
                const Look look(button, 0);
                ExpectFace(look, faces.m_hover);
                EXPECT_NE(FaceColour(faces.m_hover, 72, 20), FaceColour(faces.m_normal, 72, 20));

                SCOPED_TRACE("disabled, under the mouse and focused");
                const Look disabled(button, ODS_DISABLED | ODS_FOCUS);
                ExpectFace(disabled, faces.m_disabled);
                EXPECT_EQ(disabled.At(0, 0), Sys(COLOR_3DLIGHT));
                EXPECT_EQ(disabled.At(5, 4), FaceColour(faces.m_disabled, 5, 4));
                EXPECT_EQ(disabled.Bounds(Sys(COLOR_BTNTEXT)).right, 0);
                // Embossed: every glyph pixel of the enabled caption is grey one pixel up and left,
                // and where the grey copy leaves it uncovered, highlight.
                const Look enabled(button, 0);
                int glyph = 0;
                int wrong = 0;
                for (int y = 1; y < 23; ++y)
                    for (int x = 1; x < 75; ++x)
                    {
                        if (enabled.At(x, y) != Sys(COLOR_BTNTEXT))
                            continue;
                        ++glyph;
                        const COLORREF under = disabled.At(x, y);
                        wrong += disabled.At(x - 1, y - 1) != Sys(COLOR_GRAYTEXT);
                        wrong += under != Sys(COLOR_GRAYTEXT) && under != Sys(COLOR_BTNHIGHLIGHT);
                    }
                EXPECT_GT(glyph, 10);
                EXPECT_EQ(wrong, 0);
                mouse.MoveTo(POINT{0, 0});
            }
        });
}

TEST(SkinButton, WithoutFacesPaintsThePlainButtonFace)
{
    CControlsDialog dialog;
    dialog.Run(
        [&]
        {
            CSkinButton& button = dialog.m_btnPlain;
            EXPECT_FALSE(button.GetFaces().m_normal.IsValid());
            for (UINT state : {0u, static_cast<UINT>(ODS_FOCUS), static_cast<UINT>(ODS_DISABLED)})
            {
                const Look look(button, state);
                EXPECT_EQ(look.At(0, 0), Sys(COLOR_3DLIGHT)) << state;
                for (const POINT& p : kFacePoints)
                    EXPECT_EQ(look.At(p.x, p.y), Sys(COLOR_BTNFACE)) << state;
                EXPECT_EQ(look.At(5, 4), Sys(COLOR_BTNFACE)) << state; // no dots to draw
            }
            const Look pressed(button, ODS_SELECTED);
            EXPECT_EQ(pressed.At(0, 0), Sys(COLOR_BTNSHADOW));
            EXPECT_EQ(pressed.At(12, 11), Sys(COLOR_BTNFACE));
        });
}
