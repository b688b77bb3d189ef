// plot_shapes.h — the point symbols and the arrow as triangles in their own
// plane. No GL.
//
// Conventions: every shape lies in the plane z = 0 of its own frame, x to the
// east, y to the north, centred on the origin (the arrow: tail at the origin,
// tip at (1, 0)). Triangles keep the winding of the shapes they come from:
// every filled area runs counter-clockwise seen from +z (from outside the
// globe), except arrow parts that a head's values fold over, which back-face
// culling then hides exactly as it would hide the shape drawn directly.
#pragma once

constexpr int kSymbolTypes = 11;                  // types 0 .. 10; any other type draws nothing
constexpr int kCircleSegments = 36;               // sides of the polygon that stands for a circle
constexpr int kArrowVertices = 8;                 // corners of an arrow outline
constexpr int kArrowTriangles = 5;                // shaft (two), shaft end to notch, two barbs
constexpr double kCircleInradius = 0.56418958354; // radius of the unit-area disc

struct PlotVec2 {
    double x, y;
};

// One symbol type: its corners, its triangles as three corner indices each,
// and the inradius that scales its black border (0: the type has no border).
struct SymbolShape {
    const PlotVec2* vertex;
    int vertex_count;
    const int* triangle;
    int triangle_count;
    double border_inradius;
};

// The shape of symbol `type`, with the type's extra rotation applied; null for
// a type outside 0 .. 10. Built on first use, then constant.
const SymbolShape* symbol_shape(int type);

// An arrow of length 1 with notch position a, head length b, shaft width c and
// head width d.
struct ArrowOutline {
    double e; // x where the shaft edges meet the inner edges of the barbs
    PlotVec2 vertex[kArrowVertices];
};
ArrowOutline arrow_outline(double a, double b, double c, double d);

// Corner indices of the arrow's triangles, three per triangle, in drawing
// order: the shaft quad as two triangles, the shaft end to the notch, the
// upper barb, the lower barb.
extern const int kArrowTriangleCorners[kArrowTriangles * 3];
