// CPaletteDib: a packed device-independent bitmap in memory (header, palette, rows bottom-up,
// each row padded to 4 bytes), the form the skinned button computes its faces in.
#pragma once

#include <windows.h>

#include <memory>

class CDC;

class CPaletteDib
{
public:
    CPaletteDib();
    CPaletteDib(const CPaletteDib&) = delete;
    CPaletteDib& operator=(const CPaletteDib&) = delete;
    CPaletteDib(CPaletteDib&&) noexcept = default;
    CPaletteDib& operator=(CPaletteDib&&) noexcept = default;

    // Replaces the bitmap; palette and pixels are left for the caller. Null (and no bitmap) when
    // the size is not positive or the memory cannot be had.
    BITMAPINFO* Create(int width, int height, int bitsPerPixel);
    BOOL IsValid() const { return m_block != nullptr; }
    // The bottom row's first byte.
    BYTE* GetBits() const;
    const RGBQUAD* GetPalette() const;
    const BITMAPINFOHEADER& GetHeader() const { return m_header; }
    DWORD GetRowLength() const { return m_rowLength; }
    WORD GetColors() const { return m_colors; }

    void SetPaletteIndex(UINT index, BYTE red, BYTE green, BYTE blue);
    // Moves every palette entry percent of the way toward colour.
    void BlendPalette(COLORREF colour, UINT percent);
    void CopyFrom(const CPaletteDib& other);
    // Copies the bitmap 1:1 with its top-left corner at (x, y).
    BOOL Draw(CDC* dc, int x, int y) const;

private:
    RGBQUAD* Palette() const;

    std::unique_ptr<BYTE[]> m_block;
    std::size_t m_blockSize = 0;
    BITMAPINFOHEADER m_header{};
    DWORD m_rowLength = 0;
    WORD m_colors = 0;
};
