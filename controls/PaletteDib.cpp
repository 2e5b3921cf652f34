#include "controls/PaletteDib.h"

#include "platform/DC.h"

#include <cstring>
#include <new>

CPaletteDib::CPaletteDib()
{
    m_header.biSize = sizeof(BITMAPINFOHEADER);
}

BITMAPINFO* CPaletteDib::Create(int width, int height, int bitsPerPixel)
{
    m_block.reset();
    m_blockSize = 0;
    const WORD bits = bitsPerPixel <= 1 ? 1 : bitsPerPixel <= 4 ? 4 : bitsPerPixel <= 8 ? 8 : 24;
    m_colors = bits == 24 ? 0 : static_cast<WORD>(1u << bits);
    m_header = BITMAPINFOHEADER{};
    m_header.biSize = sizeof(BITMAPINFOHEADER);
    m_rowLength = 0;
    // A bitmap without pixels cannot be drawn; a huge one would overflow the size arithmetic.
    if (width <= 0 || height <= 0 || width > 0x10000 || height > 0x10000)
        return nullptr;
    m_rowLength = (static_cast<DWORD>(width) * bits + 31) / 32 * 4;
    m_header.biWidth = width;
    m_header.biHeight = height;
    m_header.biPlanes = 1;
    m_header.biBitCount = bits;
    m_header.biCompression = BI_RGB;
    m_header.biSizeImage = m_rowLength * static_cast<DWORD>(height);
    const std::size_t size = sizeof(BITMAPINFOHEADER) + 4u * m_colors + std::size_t{m_header.biSizeImage};
    m_block.reset(new (std::nothrow) BYTE[size]);
    if (!m_block)
        return nullptr;
    m_blockSize = size;
    std::memcpy(m_block.get(), &m_header, sizeof(BITMAPINFOHEADER));
    return reinterpret_cast<BITMAPINFO*>(m_block.get());
}

BYTE* CPaletteDib::GetBits() const
{
    return m_block ? m_block.get() + sizeof(BITMAPINFOHEADER) + 4u * m_colors : nullptr;
}

RGBQUAD* CPaletteDib::Palette() const
{
    return m_block && m_colors ? reinterpret_cast<RGBQUAD*>(m_block.get() + sizeof(BITMAPINFOHEADER))
                               : nullptr;
}

const RGBQUAD* CPaletteDib::GetPalette() const
{
    return Palette();
}

void CPaletteDib::SetPaletteIndex(UINT index, BYTE red, BYTE green, BYTE blue)
{
    RGBQUAD* palette = Palette();
    index &= 0xFF;
    if (!palette || index >= m_colors)
        return;
    palette[index] = RGBQUAD{blue, green, red, 0};
}

void CPaletteDib::BlendPalette(COLORREF colour, UINT percent)
{
    RGBQUAD* palette = Palette();
    if (!palette)
        return;
    if (percent > 100)
        percent = 100;
    const auto blend = [percent](BYTE toward, BYTE old)
    { return static_cast<BYTE>((toward * percent + old * (100 - percent)) / 100); };
    for (WORD i = 0; i < m_colors; ++i)
    {
        RGBQUAD& entry = palette[i];
        entry.rgbRed = blend(GetRValue(colour), entry.rgbRed);
        entry.rgbGreen = blend(GetGValue(colour), entry.rgbGreen);
        entry.rgbBlue = blend(GetBValue(colour), entry.rgbBlue);
    }
}

void CPaletteDib::CopyFrom(const CPaletteDib& other)
{
    if (this == &other)
        return;
    if (Create(other.m_header.biWidth, other.m_header.biHeight, other.m_header.biBitCount) && other.m_block)
        std::memcpy(m_block.get(), other.m_block.get(), m_blockSize);
}

BOOL CPaletteDib::Draw(CDC* dc, int x, int y) const
{
    if (!m_block || !dc || !dc->GetSafeHdc())
        return FALSE;
    dc->SetStretchBltMode(COLORONCOLOR);
    ::SetDIBitsToDevice(dc->GetSafeHdc(), x, y, static_cast<DWORD>(m_header.biWidth),
                        static_cast<DWORD>(m_header.biHeight), 0, 0, 0, static_cast<UINT>(m_header.biHeight),
                        GetBits(), reinterpret_cast<const BITMAPINFO*>(m_block.get()), DIB_RGB_COLORS);
    return TRUE;
}
