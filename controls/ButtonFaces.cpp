#include "controls/ButtonFaces.h"

#include <algorithm>

namespace
{
int Cube(int t)
{
    return t * t * t;
}

// Shadow through face (entries 0 ... 127) to highlight (129 ... 255), channel by channel.
void FillPalette(CPaletteDib& dib, const FaceColors& colors)
{
    const auto channel = [](int shadow, int face, int highlight, int k)
    {
        if (k < 128)
            return (shadow * (128 - k) + face * k) / 128;
        if (k == 128)
            return (face * 127 + highlight) / 128;
        return (face * (255 - k) + highlight * (k - 127)) / 128;
    };
    for (int k = 0; k < 256; ++k)
    {
        dib.SetPaletteIndex(static_cast<UINT>(k),
                            static_cast<BYTE>(channel(GetRValue(colors.shadow), GetRValue(colors.face),
                                                      GetRValue(colors.highlight), k)),
                            static_cast<BYTE>(channel(GetGValue(colors.shadow), GetGValue(colors.face),
                                                      GetGValue(colors.highlight), k)),
                            static_cast<BYTE>(channel(GetBValue(colors.shadow), GetBValue(colors.face),
                                                      GetBValue(colors.highlight), k)));
    }
}

// Draws the grain term: -g ... +g.
class Grain
{
public:
    Grain(GrainSource source, int g) : m_source(source), m_g(g), m_divisor(32767 / std::max(2 * g, 1)) {}
    int operator()() const { return m_source() / m_divisor - m_g; }

private:
    GrainSource m_source;
    int m_g;
    int m_divisor;
};

class Pixels
{
public:
    explicit Pixels(CPaletteDib& dib) : m_dib(dib) {}
    // Row y counts from the bottom, as the rows lie in memory. Stores wrap modulo 256.
    BYTE& At(int x, int y) { return m_dib.GetBits()[static_cast<DWORD>(y) * m_dib.GetRowLength() + x]; }
    void Set(int x, int y, int value) { At(x, y) = static_cast<BYTE>(value); }
    void Add(int x, int y, int value) { At(x, y) = static_cast<BYTE>(At(x, y) + value); }

private:
    CPaletteDib& m_dib;
};

void Pattern7(Pixels pixels, int w, int h, int g, const Grain& grain)
{
    for (int y = 0; y < h; ++y)
    {
        const int t = (255 * y) / h - 127;
        const int v = ((Cube(t) / 16384) * (64 - g) * 2) / 128 + 128;
        for (int x = 0; x < w; ++x)
            pixels.Set(x, y, v + grain());
    }
    const int f = std::min(w / 6, 16);
    const int q = (h * h) / 4;
    if (f == 0 || q == 0)
        return; // too small for side bands
    for (int y = 0; y < h; ++y)
    {
        const int d = y - h / 2;
        const int bandEdge = (f * d * d) / q - f + w / 2;
        for (int x = 0; x < w; ++x)
        {
            const int e = x - w / 2;
            if (e > bandEdge)
                pixels.Set(x, y, ((w - x) * 128) / f + g);
            if (bandEdge + e < 0)
                pixels.Set(x, y, (255 - g) - (128 * x) / f);
            pixels.Add(x, y, grain());
        }
    }
}

void Pattern6(Pixels pixels, int w, int h, int g, const Grain& grain)
{
    for (int y = 0; y < h; ++y)
    {
        const int ty = (255 * y) / h - 127;
        for (int x = 0; x < w; ++x)
        {
            const int tx = (255 * (w - x)) / w - 127;
            int v = ((Cube(tx) / 16384 + Cube(ty) / 16384) * (128 - g)) / 128 + 128;
            v = std::clamp(v, g, 255 - g);
            pixels.Set(x, y, v + grain());
        }
    }
}

void Flat(Pixels pixels, int w, int h, const Grain& grain)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels.Set(x, y, 128 + grain());
}
} // namespace

void CButtonFaces::Build(UINT pattern, int width, int height, int borderWidth, BYTE noise, BYTE hoverPercent,
                         BYTE tintPercent, COLORREF tintColor, const FaceColors& colors, GrainSource grain)
{
    m_focusHorz.Create(std::max(width - 2 * borderWidth - 1, 1), 1, 8);
    m_focusVert.Create(1, std::max(height - 2 * borderWidth, 1), 8);
    m_normal.Create(width, height, 8);
    FillPalette(m_focusHorz, colors);
    FillPalette(m_focusVert, colors);
    FillPalette(m_normal, colors);
    m_normal.BlendPalette(tintColor, tintPercent);

    // Dots on odd positions: shadow and highlight alternate along each line.
    if (m_focusHorz.IsValid())
        for (int x = 0; x < m_focusHorz.GetHeader().biWidth; ++x)
            Pixels(m_focusHorz).Set(x, 0, x % 2 ? 255 : 0);
    if (m_focusVert.IsValid())
        for (int y = 0; y < m_focusVert.GetHeader().biHeight; ++y)
            Pixels(m_focusVert).Set(0, y, y % 2 ? 255 : 0);

    if (m_normal.IsValid())
    {
        const Grain n(grain, noise);
        if (pattern == 7)
            Pattern7(Pixels(m_normal), width, height, noise, n);
        else if (pattern == 6)
            Pattern6(Pixels(m_normal), width, height, noise, n);
        else
            Flat(Pixels(m_normal), width, height, n);
    }

    m_disabled.CopyFrom(m_normal);
    m_hover.CopyFrom(m_normal);
    m_hover.BlendPalette(colors.highlight, hoverPercent);
    m_pressed.CopyFrom(m_hover);
}
