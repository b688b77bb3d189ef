// glyph_atlas.cpp — shelf packing and the glyph table of an atlas.
#include "text/glyph_atlas.h"

#include <algorithm>
#include <cmath>

namespace {

// The halo at every texel of a box grown by `radius` on each side: the
// largest coverage within the radius, faded over its last pixel so that the
// outline's edge is smooth too.
void draw_halo(const GlyphBitmap& g, int radius, int box_width, int box_height, unsigned char* halo,
               int stride)
{
    const int side = 2 * radius + 1;
    std::vector<float> reach(size_t(side) * side);
    for (int dy = -radius; dy <= radius; dy++)
        for (int dx = -radius; dx <= radius; dx++)
            reach[size_t(dy + radius) * side + (dx + radius)] =
                std::clamp(radius + 0.5f - std::sqrt(float(dx * dx + dy * dy)), 0.0f, 1.0f);
    for (int y = 0; y < box_height; y++)
        for (int x = 0; x < box_width; x++) {
            float most = 0;
            for (int dy = -radius; dy <= radius; dy++) {
                const int sy = y - radius + dy;
                if (sy < 0 || sy >= g.height)
                    continue;
                const float* weights = &reach[size_t(dy + radius) * side];
                const unsigned char* row = &g.coverage[size_t(sy) * g.width];
                for (int dx = -radius; dx <= radius; dx++) {
                    const int sx = x - radius + dx;
                    if (sx >= 0 && sx < g.width)
                        most = std::max(most, weights[dx + radius] * row[sx]);
                }
            }
            halo[size_t(y) * stride + size_t(x) * 2] = static_cast<unsigned char>(most + 0.5f);
        }
}

void grow_atlas(GlyphAtlas& atlas, int rows)
{
    int height = std::max(atlas.height, kAtlasFirstHeight);
    while (height < rows)
        height *= 2;
    if (height == atlas.height)
        return;
    atlas.texels.resize(size_t(kAtlasWidth) * height * 2, 0);
    atlas.height = height;
}

} // namespace

bool pack_atlas_box(AtlasShelves& s, int w, int h, int most_height, int* x, int* y)
{
    const int box_w = w + kAtlasGap, box_h = h + kAtlasGap;
    if (w < 0 || h < 0 || box_w > s.width)
        return false;
    int top = s.shelf_top, left = s.shelf_x, shelf = s.shelf_height;
    if (left + box_w > s.width) {
        top += shelf;
        left = 0;
        shelf = 0;
    }
    shelf = std::max(shelf, box_h);
    if (top + shelf > most_height)
        return false;
    *x = left;
    *y = top;
    s.shelf_top = top;
    s.shelf_x = left + box_w;
    s.shelf_height = shelf;
    s.height = std::max(s.height, top + shelf);
    return true;
}

bool add_atlas_glyph(GlyphAtlas& atlas, const GlyphBitmap& g, AtlasGlyph* placed)
{
    placed->advance = g.advance;
    if (g.width <= 0 || g.height <= 0 || g.coverage.size() < size_t(g.width) * g.height) {
        *placed = AtlasGlyph{};
        placed->advance = g.advance;
        return true; // leaves no mark
    }
    const int r = std::max(atlas.halo, 0);
    const int w = g.width + 2 * r, h = g.height + 2 * r;
    int x = 0, y = 0;
    if (!pack_atlas_box(atlas.shelves, w, h, kAtlasMostHeight, &x, &y))
        return false;
    grow_atlas(atlas, atlas.shelves.height);
    const int stride = kAtlasWidth * 2;
    unsigned char* box = atlas.texels.data() + size_t(y) * stride + size_t(x) * 2;
    for (int row = 0; row < g.height; row++)
        for (int col = 0; col < g.width; col++)
            box[size_t(row + r) * stride + size_t(col + r) * 2] =
                g.coverage[size_t(row) * g.width + col];
    draw_halo(g, r, w, h, box + 1, stride);
    placed->x = x;
    placed->y = y;
    placed->width = w;
    placed->height = h;
    placed->left = g.left - r;
    placed->top = g.top - r;
    atlas.generation++;
    return true;
}

const AtlasGlyph& atlas_glyph(GlyphAtlas& atlas, char32_t code_point)
{
    auto found = atlas.glyphs.find(code_point);
    if (found != atlas.glyphs.end())
        return found->second;
    // The missing-glyph box goes in first, so that a full atlas still has it.
    if (atlas.glyphs.empty() && code_point != 0)
        atlas_glyph(atlas, 0);
    GlyphBitmap bitmap;
    AtlasGlyph placed;
    if (atlas.rasterise && atlas.rasterise(code_point, &bitmap) &&
        add_atlas_glyph(atlas, bitmap, &placed))
        return atlas.glyphs.emplace(code_point, placed).first->second;
    if (code_point == 0) {
        // Not even the missing-glyph box: an empty glyph of half a line.
        placed = AtlasGlyph{};
        placed.advance = float(atlas.line_height) / 2;
        return atlas.glyphs.emplace(0, placed).first->second;
    }
    // Kept under the character too, so that it is not rasterised again at
    // every drawing: the atlas never gets room back.
    const AtlasGlyph missing = atlas_glyph(atlas, 0);
    return atlas.glyphs.emplace(code_point, missing).first->second;
}
