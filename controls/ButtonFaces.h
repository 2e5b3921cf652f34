// CButtonFaces: the six bitmaps a skinned button paints from, computed once for its size. The
// pixels hold a relief plus random grain as indices into a palette that runs from the shadow
// through the face to the highlight colour; hover and pressed faces only lighten the palette.
#pragma once

#include "controls/PaletteDib.h"

#include <cstdlib>

struct FaceColors
{
    COLORREF shadow;
    COLORREF face;
    COLORREF highlight;
};

// A source of pseudo-random numbers 0 ... 32767 for the grain.
using GrainSource = int (*)();

class CButtonFaces
{
public:
    // pattern 7: vertical relief with curved side bands; 6: diagonal relief; others: flat.
    void Build(UINT pattern, int width, int height, int borderWidth, BYTE noise, BYTE hoverPercent,
               BYTE tintPercent, COLORREF tintColor, const FaceColors& colors,
               GrainSource grain = &std::rand);

    CPaletteDib m_normal;
    CPaletteDib m_pressed;
    CPaletteDib m_disabled;
    CPaletteDib m_hover;
    CPaletteDib m_focusHorz;
    CPaletteDib m_focusVert;
};
