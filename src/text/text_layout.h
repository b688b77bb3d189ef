// text_layout.h — a line of UTF-8 text laid out as textured quads from a
// glyph atlas. No GL here; text_gl.cpp draws the quads.
//
// Conventions: window pixels from the top-left corner, y downwards; a line's
// position is the left end of its baseline. Texture coordinates are atlas
// texels (the drawing scales them to the atlas's current size, so quads stay
// valid when the atlas grows).
#pragma once

#include <limits>
#include <string_view>
#include <vector>

#include "text/glyph_atlas.h"

// Floats per quad corner: x, y, s, t; four corners per glyph, wound
// counter-clockwise on the screen (top-left, bottom-left, bottom-right,
// top-right), so that back-face culling keeps them.
constexpr int kTextFloatsPerCorner = 4;
constexpr int kTextFloatsPerGlyph = 4 * kTextFloatsPerCorner;

constexpr float kNoRightEdge = std::numeric_limits<float>::infinity();

// Appends the quads of `text` with its pen starting at (x, baseline) to
// `quads`. The line stops before the first character whose advance would
// carry the pen beyond `right`, so that a line of any length costs no more
// than what fits. Line ends and other control characters take no room.
// Returns where the pen ends.
float lay_out_text(GlyphAtlas& atlas, std::string_view text, float x, float baseline,
                   std::vector<float>* quads, float right = kNoRightEdge);

// Pixels the line takes, as far as it goes before `right` when starting at 0.
float text_width(GlyphAtlas& atlas, std::string_view text, float right = kNoRightEdge);
