// CPercentProgressCtrl: a progress bar that draws itself: a solid bar over the window colour and
// the percentage (or a text set with WM_SETTEXT) centred across the control in two colours, the
// part over the bar in the background colour and the rest in the bar colour. It keeps its own
// range, position and step and repaints only when the bar's pixel width changes.
#pragma once

#include "platform/ProgressCtrl.h"

class CPercentProgressCtrl : public CProgressCtrl
{
public:
    CPercentProgressCtrl();

    void SetShowText(BOOL show);
    void SetRange(int lower, int upper);
    // The previous position; -1 without a window.
    int SetPos(int pos);
    void SetStep(int step) { m_nStep = step; }
    int StepIt() { return SetPos(m_nPos + m_nStep); }
    int GetPos() const { return m_nPos; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    LRESULT OnSetText(const char* text);
    LRESULT OnGetText(WPARAM size, char* buffer) const;
    // The done part of the range; only meaningful when lower < upper.
    double Fraction() const;
    int BarWidth(int clientWidth) const;

    int m_nPos = 0;
    int m_nStep = 1;
    int m_nUpper = 100;
    int m_nLower = 0;
    CString m_strText;
    BOOL m_bShowText = TRUE;
    int m_nDrawnWidth = -1;
    COLORREF m_crBar;
    COLORREF m_crBack;
    COLORREF m_crTextOverBack;
    COLORREF m_crTextOverBar;
};
