// The drawing wrappers release what they created or selected, and nothing they only borrowed.
#include "platform/DC.h"
#include "platform/GdiObject.h"

#include <gtest/gtest.h>

#include <utility>

TEST(GdiObject, DeletesItsObjectOnceAndHandsItOverOnMove)
{
    HGDIOBJ handle = nullptr;
    {
        CBrush brush;
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(1, 2, 3)));
        handle = brush.GetSafeHandle();
        CBrush moved(std::move(brush));
        EXPECT_FALSE(brush.IsValid());
        EXPECT_EQ(moved.GetSafeHandle(), handle);
        EXPECT_EQ(::GetObjectType(handle), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(::GetObjectType(handle), 0u);

    CFont font;
    LOGFONTA description{};
    description.lfHeight = -12;
    ASSERT_TRUE(font.CreateFontIndirect(&description));
    const HGDIOBJ kept = font.Detach();
    EXPECT_FALSE(font.IsValid());
    EXPECT_EQ(::GetObjectType(kept), static_cast<DWORD>(OBJ_FONT));
    ::DeleteObject(kept);
}

TEST(DC, CreatedContextIsDeletedBorrowedOneIsNot)
{
    HDC screen = ::GetDC(nullptr);
    HDC created = nullptr;
    {
        CDC borrowed;
        borrowed.Attach(screen);
        CDC memory;
        ASSERT_TRUE(memory.CreateCompatibleDC(&borrowed));
        created = memory.GetSafeHdc();
        EXPECT_EQ(::GetObjectType(created), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(::GetObjectType(created), 0u);
    EXPECT_EQ(::GetObjectType(screen), static_cast<DWORD>(OBJ_DC));
    ::ReleaseDC(nullptr, screen);
}

TEST(DC, SelectionIsUndoneAtTheEndOfItsScopeSoTheObjectCanBeDeleted)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const HGDIOBJ originalBitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 4, 4));
    {
        CGdiSelection selection(dc, bitmap);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), bitmap.GetSafeHandle());
        dc.FillSolidRect(CRect(0, 0, 4, 4), RGB(255, 255, 255));
        dc.Draw3dRect(CRect(0, 0, 4, 4), RGB(0, 0, 0), RGB(255, 255, 255));
        EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 0, 0));
        EXPECT_EQ(dc.GetPixel(1, 1), RGB(255, 255, 255));
        EXPECT_EQ(dc.GetPixel(3, 3), RGB(255, 255, 255));
        EXPECT_EQ(dc.GetPixel(0, 2), RGB(0, 0, 0));
    }
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), originalBitmap);
    const HGDIOBJ handle = bitmap.GetSafeHandle();
    bitmap.DeleteObject();
    EXPECT_EQ(::GetObjectType(handle), 0u);
}
