// symbol_atlas.h — the eleven point symbols and the black copies of the
// filled ones as bitmaps in one atlas, for drawing each as a single
// textured quad. No GL.
//
// Each bitmap has a cell of kSymbolAtlasCell texels square that spans the shape's
// bounding box with a margin, so its texels may be wider than high. A texel
// is set where its centre lies inside the exact shape (the disc itself for
// the circle): a texture lookup without filtering at a pixel's centre tells
// what the triangles of the shape would cover there, within a texel. (A
// filtered or mipmapped lookup would soften or shift the edges of small
// symbols, which the triangles draw sharp.)
//
// Conventions: texel rows run from t = 0 upwards, so row j of a cell of n
// texels lies at y = y0 + (j + 0.5) (y1 - y0) / n in symbol units (x east, y
// north); texture coordinates are fractions of the atlas' sides.
#pragma once

#include <vector>

#include "plot/plot_shapes.h"

constexpr int kSymbolAtlasCell = 256;  // texels along a cell's side
constexpr int kSymbolAtlasColumns = 5; // cells in a row of the atlas
constexpr int kSymbolAtlasRows = 4;    // rows of cells
constexpr int kSymbolAtlasWidth = kSymbolAtlasCell * kSymbolAtlasColumns; // texels
constexpr int kSymbolAtlasHeight = kSymbolAtlasCell * kSymbolAtlasRows;

// Where a bitmap lies in the atlas and what part of the symbol plane it spans.
struct AtlasCell {
    float s0, t0, s1, t1;  // texture coordinates of the cell's corners
    double x0, y0, x1, y1; // the rectangle of the symbol plane it spans
};

struct SymbolAtlas {
    double point_thickness = -1; // the border width it was made for
    AtlasCell symbol[kSymbolTypes];
    AtlasCell border[kSymbolTypes]; // the black copies of the filled types
    // kSymbolAtlasWidth x kSymbolAtlasHeight alpha bytes, rows from t = 0: 255 inside a
    // shape, 0 elsewhere. (The colour, and the black of the copies, come from
    // the vertices.)
    std::vector<unsigned char> texels;
};

// Whether the point (x, y) of the symbol plane lies inside the shape of
// `type` scaled by `scale`.
bool symbol_covers(int type, double scale, double x, double y);

// Makes the atlas for borders `point_thickness` symbol units wide. Called by
// the overlay drawing when it has none yet or the width changed.
void build_symbol_atlas(double point_thickness, SymbolAtlas& out);
