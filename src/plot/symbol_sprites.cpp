// symbol_sprites.cpp — places each symbol's triangles on the sphere.
#include "plot/symbol_sprites.h"

#include <algorithm>
#include <cmath>

#include "plot/plot_geometry.h"

namespace {

// Appends the quad of `cell` at `centre` scaled by `size`; false when a
// corner does not fit a float.
bool add_quad(std::vector<SymbolVertex>& out, const SymbolFrame& f, const double* centre,
              double size, const AtlasCell& cell, const unsigned char* rgba)
{
    // Counter-clockwise from the lower-left corner.
    const bool right[4] = {false, true, true, false}, top[4] = {false, false, true, true};
    for (int k = 0; k < 4; k++) {
        SymbolVertex v;
        const double x = size * (right[k] ? cell.x1 : cell.x0);
        const double y = size * (top[k] ? cell.y1 : cell.y0);
        for (int axis = 0; axis < 3; axis++) {
            v.position[axis] = float(centre[axis] + x * f.east[axis] + y * f.north[axis]);
            if (!std::isfinite(v.position[axis]))
                return false;
        }
        v.tex[0] = right[k] ? cell.s1 : cell.s0;
        v.tex[1] = top[k] ? cell.t1 : cell.t0;
        for (int c = 0; c < 4; c++)
            v.rgba[c] = rgba[c];
        out.push_back(v);
    }
    return true;
}

// The distance from the cell's origin to its farthest corner.
double reach(const AtlasCell& cell)
{
    return std::hypot(std::max(std::fabs(cell.x0), std::fabs(cell.x1)),
                      std::max(std::fabs(cell.y0), std::fabs(cell.y1)));
}

} // namespace

void build_symbol_sprites(const PointLayer& layer, const SymbolAtlas& atlas, double lift,
                          SymbolSprites& out)
{
    out.vertex.clear();
    out.sprite.clear();
    out.vertex.reserve(6 * layer.symbol.size());
    out.sprite.reserve(layer.symbol.size());
    for (const PlotSymbol& s : layer.symbol) {
        const SymbolShape* shape = symbol_shape(s.type);
        if (shape == nullptr || s.size == 0 || !std::isfinite(s.size))
            continue;
        const SymbolFrame f = symbol_frame(s.polar);
        const AtlasCell& cell = atlas.symbol[s.type];
        const bool bordered = shape->border_inradius != 0;
        unsigned char rgba[4];
        for (int c = 0; c < 4; c++)
            rgba[c] = plot_color_byte(s.rgba[c]);
        const size_t first = out.vertex.size();
        bool fits = add_quad(out.vertex, f, f.origin, s.size, cell, rgba);
        if (fits && bordered) {
            // The black copy lies lower by the lift (on the surface for
            // height 1), so the depth test leaves only its rim outside the
            // symbol; it keeps the point's alpha.
            const double below[3] = {f.origin[0] - lift * f.up[0], f.origin[1] - lift * f.up[1],
                                     f.origin[2] - lift * f.up[2]};
            const unsigned char black[4] = {0, 0, 0, rgba[3]};
            fits = add_quad(out.vertex, f, below, s.size, atlas.border[s.type], black);
        }
        if (!fits) {
            out.vertex.resize(first);
            continue;
        }
        const double radius =
            std::fabs(s.size) * std::max(reach(cell), bordered ? reach(atlas.border[s.type]) : 0);
        const SymbolSprite sprite = {unsigned(first),
                                     unsigned(out.vertex.size() - first),
                                     {float(f.origin[0]), float(f.origin[1]), float(f.origin[2])},
                                     float(radius * (1 + 1e-5) + std::fabs(lift))};
        out.sprite.push_back(sprite);
    }
}
