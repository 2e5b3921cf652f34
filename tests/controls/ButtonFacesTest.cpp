// The shaded button faces as numbers: the bitmap layout, the palette, the relief patterns and
// the derived faces, for the examples a reader can check by hand.
#include "controls/ButtonFaces.h"

#include <gtest/gtest.h>

#include <set>

namespace
{
const FaceColors kClassic{RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 255, 255)};

// r ÷ 2047 − 8 = 0 for noise 8: faces without grain, so every pixel is the pattern's own value.
int NoGrain()
{
    return 8 * 2047;
}

BYTE Pixel(const CPaletteDib& dib, int x, int yFromBottom)
{
    return dib.GetBits()[yFromBottom * dib.GetRowLength() + x];
}

RGBQUAD Entry(const CPaletteDib& dib, int index)
{
    return dib.GetPalette()[index];
}

void ExpectGrey(const RGBQUAD& entry, int level)
{
    EXPECT_EQ(entry.rgbRed, level);
    EXPECT_EQ(entry.rgbGreen, level);
    EXPECT_EQ(entry.rgbBlue, level);
    EXPECT_EQ(entry.rgbReserved, 0);
}

CButtonFaces Build(UINT pattern, int width, int height, GrainSource grain = &NoGrain)
{
    CButtonFaces faces;
    faces.Build(pattern, width, height, 4, 8, 10, 0, 0, kClassic, grain);
    return faces;
}
} // namespace

TEST(PaletteDib, HeaderRowLengthAndLayout)
{
    CPaletteDib dib;
    EXPECT_FALSE(dib.IsValid());
    EXPECT_EQ(dib.GetBits(), nullptr);
    EXPECT_EQ(dib.GetHeader().biSize, 40u);

    const BITMAPINFO* block = dib.Create(75, 23, 8);
    ASSERT_NE(block, nullptr);
    const BITMAPINFOHEADER& header = block->bmiHeader;
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, 75);
    EXPECT_EQ(header.biHeight, 23);
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 8);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(header.biSizeImage, 76u * 23u);
    EXPECT_EQ(header.biXPelsPerMeter, 0);
    EXPECT_EQ(header.biClrUsed, 0u);
    EXPECT_EQ(header.biClrImportant, 0u);
    EXPECT_EQ(dib.GetRowLength(), 76u);
    EXPECT_EQ(dib.GetColors(), 256);
    EXPECT_EQ(dib.GetBits(), reinterpret_cast<const BYTE*>(block) + 40 + 4 * 256);
}

TEST(PaletteDib, BitCountsAreNormalised)
{
    struct Case
    {
        int bits;
        WORD normalised;
        WORD colours;
        DWORD rowLength; // for 75 pixels
    };
    for (const Case& c : {Case{0, 1, 2, 12}, Case{3, 4, 16, 40}, Case{5, 8, 256, 76}, Case{16, 24, 0, 228}})
    {
        CPaletteDib dib;
        ASSERT_NE(dib.Create(75, 2, c.bits), nullptr) << c.bits;
        EXPECT_EQ(dib.GetHeader().biBitCount, c.normalised) << c.bits;
        EXPECT_EQ(dib.GetColors(), c.colours) << c.bits;
        EXPECT_EQ(dib.GetRowLength(), c.rowLength) << c.bits;
    }
}

TEST(PaletteDib, EmptyBitmapIgnoresEveryOperation)
{
    CPaletteDib dib;
    EXPECT_EQ(dib.Create(0, 23, 8), nullptr);
    EXPECT_FALSE(dib.IsValid());
    dib.SetPaletteIndex(1, 2, 3, 4);
    dib.BlendPalette(RGB(255, 0, 0), 50);
    EXPECT_FALSE(dib.Draw(nullptr, 0, 0));
    CPaletteDib copy;
    copy.CopyFrom(dib);
    EXPECT_FALSE(copy.IsValid());
}

TEST(PaletteDib, PaletteEntriesBlendAndCopy)
{
    CPaletteDib dib;
    ASSERT_NE(dib.Create(3, 2, 4), nullptr);
    dib.SetPaletteIndex(0x105, 10, 20, 30); // only the low byte counts: entry 5
    const RGBQUAD five = Entry(dib, 5);
    EXPECT_EQ(five.rgbRed, 10);
    EXPECT_EQ(five.rgbGreen, 20);
    EXPECT_EQ(five.rgbBlue, 30);
    dib.SetPaletteIndex(20, 1, 1, 1); // beyond 16 colours: ignored, nothing overwritten
    for (int i = 0; i < 16; ++i)
        dib.SetPaletteIndex(static_cast<UINT>(i), 100, 0, 200);
    dib.BlendPalette(RGB(200, 100, 0), 150); // counts as 100
    EXPECT_EQ(Entry(dib, 3).rgbRed, 200);
    EXPECT_EQ(Entry(dib, 3).rgbGreen, 100);
    EXPECT_EQ(Entry(dib, 3).rgbBlue, 0);
    dib.BlendPalette(RGB(0, 0, 0), 25);
    EXPECT_EQ(Entry(dib, 3).rgbRed, 150);
    EXPECT_EQ(Entry(dib, 3).rgbGreen, 75);
    dib.GetBits()[0] = 0x12;

    CPaletteDib copy;
    copy.CopyFrom(dib);
    ASSERT_TRUE(copy.IsValid());
    EXPECT_EQ(copy.GetHeader().biBitCount, 4);
    EXPECT_EQ(copy.GetBits()[0], 0x12);
    EXPECT_EQ(Entry(copy, 3).rgbRed, 150);
    EXPECT_NE(copy.GetBits(), dib.GetBits());
}

TEST(ButtonFaces, PaletteRunsFromShadowThroughFaceToHighlight)
{
    const CButtonFaces faces = Build(7, 75, 23);
    for (const CPaletteDib* dib :
         {&faces.m_normal, &faces.m_disabled, &faces.m_focusHorz, &faces.m_focusVert})
    {
        ExpectGrey(Entry(*dib, 0), 128);
        ExpectGrey(Entry(*dib, 64), 160);
        ExpectGrey(Entry(*dib, 127), 191);
        ExpectGrey(Entry(*dib, 128), 192);
        ExpectGrey(Entry(*dib, 255), 255);
    }
    // Hover and pressed: lightened by 10 percent toward the highlight, (255 × 10 + 128 × 90) ÷ 100.
    ExpectGrey(Entry(faces.m_hover, 0), 140);
    ExpectGrey(Entry(faces.m_pressed, 0), 140);
    ExpectGrey(Entry(faces.m_hover, 255), 255);
}

TEST(ButtonFaces, ColoursAreMixedChannelByChannel)
{
    CButtonFaces faces;
    faces.Build(6, 20, 10, 4, 8, 0, 50, RGB(0, 0, 255),
                FaceColors{RGB(0, 40, 80), RGB(100, 140, 180), RGB(200, 240, 250)}, &NoGrain);
    const RGBQUAD line = Entry(faces.m_focusHorz, 64); // (shadow × 64 + face × 64) ÷ 128
    EXPECT_EQ(line.rgbRed, 50);
    EXPECT_EQ(line.rgbGreen, 90);
    EXPECT_EQ(line.rgbBlue, 130);
    const RGBQUAD tinted = Entry(faces.m_normal, 64); // half way toward the tint colour
    EXPECT_EQ(tinted.rgbRed, 25);
    EXPECT_EQ(tinted.rgbGreen, 45);
    EXPECT_EQ(tinted.rgbBlue, 192);
}

TEST(ButtonFaces, Pattern7BandsOfA75By23Button)
{
    const CButtonFaces faces = Build(7, 75, 23);
    const CPaletteDib& face = faces.m_normal;
    // Mid-height (row 11): the relief is flat at 128; the left band covers columns 0 ... 11 and
    // lightens toward the edge, the right band columns 63 ... 74 darkens toward it.
    EXPECT_EQ(Pixel(face, 0, 11), 247);
    EXPECT_EQ(Pixel(face, 11, 11), 130);
    EXPECT_EQ(Pixel(face, 12, 11), 128);
    EXPECT_EQ(Pixel(face, 62, 11), 128);
    EXPECT_EQ(Pixel(face, 63, 11), 136);
    EXPECT_EQ(Pixel(face, 74, 11), 18);
    // Top and bottom rows: only the outermost column of each band.
    for (int row : {0, 22})
    {
        const int relief = row == 0 ? 19 : 211;
        EXPECT_EQ(Pixel(face, 0, row), 247) << row;
        EXPECT_EQ(Pixel(face, 1, row), relief) << row;
        EXPECT_EQ(Pixel(face, 73, row), relief) << row;
        EXPECT_EQ(Pixel(face, 74, row), 18) << row;
    }
}

TEST(ButtonFaces, Pattern6IsLightestTopLeftAndDarkestBottomRight)
{
    const CButtonFaces faces = Build(6, 75, 23);
    const CPaletteDib& face = faces.m_normal;
    int lightest = 0;
    int darkest = 255;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 75; ++x)
        {
            lightest = std::max<int>(lightest, Pixel(face, x, y));
            darkest = std::min<int>(darkest, Pixel(face, x, y));
        }
    EXPECT_EQ(Pixel(face, 0, 22), 247); // top-left, raised to 255 − 8 at most
    EXPECT_EQ(Pixel(face, 74, 0), 8);   // bottom-right, at least 8
    EXPECT_EQ(lightest, 247);
    EXPECT_EQ(darkest, 8);
}

TEST(ButtonFaces, FocusLinesAndDerivedFaces)
{
    const CButtonFaces faces = Build(7, 75, 23);
    EXPECT_EQ(faces.m_focusHorz.GetHeader().biWidth, 66);
    EXPECT_EQ(faces.m_focusHorz.GetHeader().biHeight, 1);
    EXPECT_EQ(faces.m_focusVert.GetHeader().biWidth, 1);
    EXPECT_EQ(faces.m_focusVert.GetHeader().biHeight, 15);
    EXPECT_EQ(Pixel(faces.m_focusHorz, 0, 0), 0);
    EXPECT_EQ(Pixel(faces.m_focusHorz, 1, 0), 255);
    EXPECT_EQ(Pixel(faces.m_focusHorz, 64, 0), 0);
    EXPECT_EQ(Pixel(faces.m_focusVert, 0, 0), 0);
    EXPECT_EQ(Pixel(faces.m_focusVert, 0, 13), 255);

    // Tiny buttons still get one-pixel lines.
    const CButtonFaces tiny = Build(6, 6, 6);
    EXPECT_EQ(tiny.m_focusHorz.GetHeader().biWidth, 1);
    EXPECT_EQ(tiny.m_focusVert.GetHeader().biHeight, 1);

    const std::size_t size = faces.m_normal.GetHeader().biSizeImage;
    for (const CPaletteDib* derived : {&faces.m_disabled, &faces.m_hover, &faces.m_pressed})
        EXPECT_EQ(memcmp(derived->GetBits(), faces.m_normal.GetBits(), size), 0);
    EXPECT_EQ(memcmp(faces.m_disabled.GetPalette(), faces.m_normal.GetPalette(), 1024), 0);
}

TEST(ButtonFaces, GrainFromTheRuntimeGeneratorStaysWithinTheNoise)
{
    std::srand(1);
    const CButtonFaces first = Build(7, 75, 23, &std::rand);
    std::set<int> values;
    for (int x = 12; x < 63; ++x)
    {
        const int value = Pixel(first.m_normal, x, 11);
        EXPECT_GE(value, 128 - 16) << x; // the relief plus two grain terms of at most 8 each
        EXPECT_LE(value, 128 + 16) << x;
        values.insert(value);
    }
    EXPECT_GT(values.size(), 5u);

    // The same sequence gives the same face.
    std::srand(1);
    const CButtonFaces again = Build(7, 75, 23, &std::rand);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 75; ++x)
            ASSERT_EQ(Pixel(again.m_normal, x, y), Pixel(first.m_normal, x, y)) << x << ", " << y;
}

TEST(ButtonFaces, ButtonsTooSmallForSideBandsKeepTheRelief)
{
    const CButtonFaces narrow = Build(7, 5, 23);
    ASSERT_TRUE(narrow.m_normal.IsValid());
    EXPECT_EQ(Pixel(narrow.m_normal, 0, 0), 19);
    const CButtonFaces flat = Build(7, 75, 1);
    ASSERT_TRUE(flat.m_normal.IsValid());
    const CButtonFaces none = Build(7, 0, 23);
    EXPECT_FALSE(none.m_normal.IsValid());
    EXPECT_FALSE(none.m_hover.IsValid());
}
