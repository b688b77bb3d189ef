// symbol_sprites.h — point symbols as textured quads in the tangent plane of
// their point, for vertex buffers: one for the symbol and, for the filled
// types, one for its black copy a little lower. Built when a layer or
// the atlas changes, never per frame. No GL.
//
// Conventions: positions in the unit globe's frame (z towards the north
// pole); texture coordinates into the symbol atlas; colours as bytes. Each
// quad is four vertices counter-clockwise seen from outside the globe, so
// back-face culling treats it as it treats the symbol's own triangles.
#pragma once

#include <vector>

#include "plot/plot_layers.h"
#include "plot/symbol_atlas.h"

struct SymbolVertex {
    float position[3];
    float tex[2];
    unsigned char rgba[4];
};

// One drawn symbol: its vertices (four, or eight with the black copy) and a
// ball around its quads.
struct SymbolSprite {
    unsigned first;
    unsigned count;
    float centre[3];
    float radius;
};

struct SymbolSprites {
    std::vector<SymbolVertex> vertex; // symbols in layer order, each copy after its symbol
    std::vector<SymbolSprite> sprite;
};

// The sprites of a layer's symbols; `lift` is how far the points' radius
// factor raises them above the globe, the depth of the black copies below
// the symbols. A symbol of an unknown type, of size 0 or whose corners do
// not fit a float adds nothing; the symbols after it still do.
void build_symbol_sprites(const PointLayer& layer, const SymbolAtlas& atlas, double lift,
                          SymbolSprites& out);
