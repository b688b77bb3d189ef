// plot_geometry.h — symbols and arrows as triangles placed on the sphere in
// the globe's model space. Built when the data change, drawn by
// plot_render_gl.cpp: arrows always, symbols only when the drawing is asked
// for their triangles (the reference their quads are compared with). No GL.
//
// Conventions: model space is the frame of the unit globe (z towards the
// north pole), the frame the globe transform maps to the screen; positions
// are floats (x, y, z), colours floats (r, g, b, a) per vertex. The arrays
// hold the primitives in the order in which they are to be drawn, since later
// ones blend over and are depth-tested against earlier ones.
#pragma once

#include <vector>

#include "plot/plot_layers.h"

// One symbol with its border, or one arrow: a stretch of the indices, and a
// ball in model space that holds all its corners.
struct TriangleItem {
    unsigned first; // first entry of `index`
    unsigned count; // entries of `index`
    float centre[3];
    float radius;
};

// Triangles with three indices each into per-vertex positions and colours,
// grouped into items.
struct TriangleArrays {
    std::vector<float> position;
    std::vector<float> color;
    std::vector<unsigned> index;
    std::vector<TriangleItem> item;

    int vertex_count() const { return int(position.size() / 3); }
    void clear();
};

// The frame of a symbol or arrow at polar position (radius, colatitude,
// longitude + 180 in degrees): origin on the sphere of that radius, unit
// vectors east, north and up (away from the centre).
struct SymbolFrame {
    double origin[3];
    double east[3];
    double north[3];
    double up[3];
};
SymbolFrame symbol_frame(const double polar[3]);

// Rebuild the arrays from a layer of symbols, or from the arrow store of the
// state block. A symbol of an unknown type or of size 0, an arrow of length
// 0, and anything whose corners do not fit a float, add nothing; what
// follows still does. Called by the overlay drawing when the data changed.
void build_point_triangles(const PointLayer& layer, TriangleArrays& out);
void build_arrow_triangles(TriangleArrays& out);
