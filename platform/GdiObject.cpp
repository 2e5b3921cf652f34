#include "platform/GdiObject.h"

#include "platform/DC.h"

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    return Own(::CreateCompatibleBitmap(dc->GetSafeHdc(), width, height));
}
