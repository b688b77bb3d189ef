// symbol_atlas.cpp — rasterises the symbol shapes into the atlas cells.
#include "plot/symbol_atlas.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMarginTexels = 2; // empty texels around the largest shape of a cell

double cross(const PlotVec2& a, const PlotVec2& b, double x, double y)
{
    return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
}

// The factor that turns a symbol into its black copy; 1 for the types
// without a border.
double border_scale(const SymbolShape& shape, double point_thickness)
{
    if (shape.border_inradius == 0)
        return 1;
    return (shape.border_inradius + point_thickness) / shape.border_inradius;
}

// The bounding box of the shape scaled by `scale`, with a margin of
// kMarginTexels texels of a cell on every side.
void bounds(int type, const SymbolShape& shape, double scale, AtlasCell& cell)
{
    double lo[2] = {0, 0}, hi[2] = {0, 0};
    if (type == 0) {
        lo[0] = lo[1] = -kCircleInradius;
        hi[0] = hi[1] = kCircleInradius;
    } else {
        for (int v = 0; v < shape.vertex_count; v++) {
            const double p[2] = {shape.vertex[v].x, shape.vertex[v].y};
            for (int axis = 0; axis < 2; axis++) {
                lo[axis] = std::min(lo[axis], p[axis]);
                hi[axis] = std::max(hi[axis], p[axis]);
            }
        }
    }
    const double grow = double(kSymbolAtlasCell) / (kSymbolAtlasCell - 2 * kMarginTexels);
    for (int axis = 0; axis < 2; axis++) {
        const double a = lo[axis] * scale, b = hi[axis] * scale;
        const double mid = (a + b) / 2, half = std::fabs(b - a) / 2 * grow;
        (axis == 0 ? cell.x0 : cell.y0) = mid - half;
        (axis == 0 ? cell.x1 : cell.y1) = mid + half;
    }
}

} // namespace

bool symbol_covers(int type, double scale, double x, double y)
{
    const SymbolShape* shape = symbol_shape(type);
    if (shape == nullptr || scale == 0)
        return false;
    x /= scale;
    y /= scale;
    if (type == 0)
        return x * x + y * y <= kCircleInradius * kCircleInradius;
    for (int t = 0; t < shape->triangle_count; t++) {
        const int* c = shape->triangle + 3 * t;
        const PlotVec2 &a = shape->vertex[c[0]], &b = shape->vertex[c[1]], &d = shape->vertex[c[2]];
        if (cross(a, b, x, y) >= 0 && cross(b, d, x, y) >= 0 && cross(d, a, x, y) >= 0)
            return true;
    }
    return false;
}

namespace {

void place_cell(int slot, AtlasCell& cell)
{
    const int column = slot % kSymbolAtlasColumns, row = slot / kSymbolAtlasColumns;
    cell.s0 = float(column) / kSymbolAtlasColumns;
    cell.s1 = float(column + 1) / kSymbolAtlasColumns;
    cell.t0 = float(row) / kSymbolAtlasRows;
    cell.t1 = float(row + 1) / kSymbolAtlasRows;
}

// The eleven symbols and the six black copies must find a cell.
static_assert(kSymbolAtlasColumns * kSymbolAtlasRows >= kSymbolTypes + 6, "atlas too small");

// Rasterises the shape of `type` scaled by `scale` into `cell`.
void paint_cell(SymbolAtlas& atlas, const AtlasCell& cell, int type, double scale)
{
    const int column = int(cell.s0 * kSymbolAtlasColumns + 0.5f),
              row = int(cell.t0 * kSymbolAtlasRows + 0.5f);
    const double dx = (cell.x1 - cell.x0) / kSymbolAtlasCell,
                 dy = (cell.y1 - cell.y0) / kSymbolAtlasCell;
    for (int j = 0; j < kSymbolAtlasCell; j++) {
        const double y = cell.y0 + (j + 0.5) * dy;
        unsigned char* texels =
            &atlas.texels[size_t(row * kSymbolAtlasCell + j) * kSymbolAtlasWidth +
                          column * kSymbolAtlasCell];
        for (int i = 0; i < kSymbolAtlasCell; i++)
            if (symbol_covers(type, scale, cell.x0 + (i + 0.5) * dx, y))
                texels[i] = 255;
    }
}

} // namespace

void build_symbol_atlas(double point_thickness, SymbolAtlas& out)
{
    out.point_thickness = point_thickness;
    out.texels.assign(size_t(kSymbolAtlasWidth) * kSymbolAtlasHeight, 0);
    int slot = 0;
    for (int type = 0; type < kSymbolTypes; type++) {
        const SymbolShape& shape = *symbol_shape(type);
        AtlasCell& symbol = out.symbol[type];
        bounds(type, shape, 1, symbol);
        place_cell(slot++, symbol);
        paint_cell(out, symbol, type, 1);
        out.border[type] = {};
        if (shape.border_inradius != 0) {
            const double scale = border_scale(shape, point_thickness);
            AtlasCell& border = out.border[type];
            bounds(type, shape, scale, border);
            place_cell(slot++, border);
            paint_cell(out, border, type, scale);
        }
    }
}
