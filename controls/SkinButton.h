// CSkinButton: an owner-drawn button painted from shaded face bitmaps computed for its size. It
// lights up under the mouse, sinks while pressed, embosses its caption when disabled and draws a
// dotted focus rectangle. Bound to a push button it is a push button; bound to an automatic check
// box or radio button it keeps its own check state and draws it as the pressed face.
#pragma once

#include "controls/ButtonFaces.h"
#include "platform/Button.h"

// Posted by a radio-kind CSkinButton to the other members of its dialog group when it becomes
// checked; wParam and lParam are 0. The receiver clears its check state.
const UINT WM_SKIN_UNCHECK = WM_USER + 256;

class CSkinButton : public CButton
{
public:
    enum Kind
    {
        PushKind = 0,
        CheckKind = 2,
        RadioKind = 4,
    };

    CSkinButton();

    // Builds the faces for the button's current size; the window must exist.
    void SetFacePattern(UINT pattern, BYTE noise, BYTE hoverPercent, BYTE tintPercent, COLORREF tintColor);
    void DrawItem(LPDRAWITEMSTRUCT item) override;

    Kind GetKind() const { return m_nKind; }
    const CButtonFaces& GetFaces() const { return m_faces; }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnLButtonDown();
    LRESULT OnLButtonUp(CPoint point);
    LRESULT OnMouseMove(CPoint point);
    LRESULT OnKillFocus();
    LRESULT OnKeyDown(UINT key);
    LRESULT OnMouseLeave();
    LRESULT OnSkinUncheck();
    LRESULT OnSetCheck(WPARAM state);

    bool IsOnButton(CPoint client) const;
    void ToggleCheck();
    // While the mouse drags a press: follows the cursor with the pushed state; TRUE if it changed.
    BOOL FollowDrag();
    void DrawFace(CDC& dc, CRect& rect, UINT state, CRect& caption);

    Kind m_nKind = PushKind;
    BOOL m_bChecked = FALSE;
    BOOL m_bPushLike = FALSE;
    BOOL m_bFlat = FALSE;
    int m_nBorder = 1;
    short m_nBorderWidth = 4;
    COLORREF m_crText;
    UINT m_nTextFormat = DT_CENTER;
    BOOL m_bHover = FALSE;
    BOOL m_bLButtonDown = FALSE;
    CButtonFaces m_faces;
};
