// CBufferDC: stands in for a target context during one paint. Drawing goes to an off-screen
// bitmap the size of the target's clip box, in the target's coordinates; the bitmap is copied to
// the target when the object ends, so the window never shows a half-drawn state.
#pragma once

#include "platform/DC.h"
#include "platform/GdiObject.h"

class CBufferDC : public CDC
{
public:
    explicit CBufferDC(CDC* target);
    ~CBufferDC() override;

private:
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    CDC* m_pTarget;
    CRect m_rcClip;
    BOOL m_bMemDC = FALSE;
};
