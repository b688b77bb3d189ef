// glyph_atlas.h — the glyphs of one font at one size, rasterised once each
// into a plain bitmap that the GL side uploads as one texture. No GL here.
//
// Conventions: atlas and glyph positions are texels from the bitmap's
// top-left corner (rows top first). A glyph's box is placed relative to the
// pen on the baseline with y downwards, as window pixels count: the box's
// top-left corner lies at (pen + left, baseline + top), so `top` is negative
// for what stands above the baseline.
//
// Each texel holds two bytes: the glyph's own coverage, and its halo (the
// coverage grown by the halo radius, never less than the coverage). Drawn as
// luminance and alpha with the text colour, the halo gives the text a dark
// outline that reads over any map.
#pragma once

#include <functional>
#include <unordered_map>
#include <vector>

constexpr int kAtlasWidth = 1024;      // texels; the atlas grows in height
constexpr int kAtlasFirstHeight = 64;  // texels of a new atlas
constexpr int kAtlasMostHeight = 2048; // the atlas never grows beyond this
constexpr int kAtlasGap = 1;           // free texels around each glyph box

// Shelf packing: boxes go left to right along a shelf as high as its
// highest box; a box that does not fit opens the next shelf below.
struct AtlasShelves {
    int width = kAtlasWidth;
    int height = 0;    // rows in use so far, the shelf being filled included
    int shelf_top = 0; // top row of the shelf being filled
    int shelf_x = 0;   // next free column on it
    int shelf_height = 0;
};

// Finds a place for a box of w x h texels (plus the gap) within `most_height`
// rows; false, with nothing changed, when there is none.
bool pack_atlas_box(AtlasShelves& shelves, int w, int h, int most_height, int* x, int* y);

// A glyph as the rasteriser hands it over: its coverage (one byte per pixel,
// rows top first), the box's offset from the pen and the pen's advance.
struct GlyphBitmap {
    int width = 0, height = 0;
    int left = 0, top = 0; // as in AtlasGlyph, before the halo is added
    float advance = 0;     // pixels
    std::vector<unsigned char> coverage;
};

struct AtlasGlyph {
    int x = 0, y = 0;          // box in the atlas, texels
    int width = 0, height = 0; // 0 for a glyph that leaves no mark (a space)
    int left = 0, top = 0;     // box offset from the pen on the baseline
    float advance = 0;         // pixels the pen moves on
};

// Rasterises a character; false when the font cannot (the atlas then uses
// its missing-glyph box). Code point 0 asks for the font's missing-glyph box.
using GlyphRasteriser = std::function<bool(char32_t code_point, GlyphBitmap* out)>;

struct GlyphAtlas {
    unsigned long id = 0; // unique among the atlases of a run (0: none given)
    int halo = 1;         // halo radius, pixels
    int ascent = 0;       // pixels above the baseline of a line
    int descent = 0;      // pixels below it
    int line_height = 0;  // pixels from baseline to baseline
    int cap_height = 0;   // height of a capital letter, for centring a line on a point
    GlyphRasteriser rasterise;

    AtlasShelves shelves;
    int height = 0;                    // rows of `texels`
    std::vector<unsigned char> texels; // kAtlasWidth x height, two bytes each
    std::unordered_map<char32_t, AtlasGlyph> glyphs;
    unsigned long generation = 0; // changes whenever `texels` change
};

// The glyph of a character: from the atlas, or rasterised now and added.
// A character the font lacks, or that no longer fits the atlas, gives the
// missing-glyph box (itself added on first use). Never null.
const AtlasGlyph& atlas_glyph(GlyphAtlas& atlas, char32_t code_point);

// Adds `bitmap` with its halo at a free place; false when the atlas is full.
bool add_atlas_glyph(GlyphAtlas& atlas, const GlyphBitmap& bitmap, AtlasGlyph* placed);
