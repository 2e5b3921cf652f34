#include "controls/BufferDC.h"

CBufferDC::CBufferDC(CDC* target) : m_pTarget(target)
{
    target->GetClipBox(&m_rcClip);
    if (CreateCompatibleDC(target) &&
        m_bitmap.CreateCompatibleBitmap(target, m_rcClip.Width(), m_rcClip.Height()))
    {
        m_oldBitmap = SelectObject(m_bitmap);
        SetWindowOrg(m_rcClip.left, m_rcClip.top);
        m_bMemDC = TRUE;
    }
    else
    {
        // Without memory for the buffer, draw straight to the target.
        Attach(target->GetSafeHdc());
    }
}

CBufferDC::~CBufferDC()
{
    if (!m_bMemDC)
        return;
    m_pTarget->BitBlt(m_rcClip.left, m_rcClip.top, m_rcClip.Width(), m_rcClip.Height(), this, m_rcClip.left,
                      m_rcClip.top, SRCCOPY);
    SelectObject(m_oldBitmap);
}
