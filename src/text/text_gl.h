// text_gl.h — text drawn in window pixels: the atlas textures of each GL
// context, lines and batches of quads, and GLUT's bitmap font where no font
// could be loaded. Labels, captions, the time bar's reading, notices and the
// key reference draw through these.
//
// Conventions: window pixels from the top-left corner, y downwards; a line's
// position is the left end of its baseline.
#pragma once

#include <string_view>
#include <vector>

#include "text/font_faces.h"
#include "text/text_layout.h"

struct TextMetrics {
    int ascent = 0, descent = 0; // pixels above and below the baseline
    int line_height = 0;         // pixels from baseline to baseline
    int cap_height = 0;          // pixels of a capital above the baseline
};

// Metrics and widths of lines in `face` at `pixels`, with whichever font
// draws them (GLUT's bitmap font when none could be loaded).
TextMetrics text_metrics(TextFace face, int pixels);
float measure_text(TextFace face, int pixels, std::string_view text);

// A pass of text over the current window; passes do not nest. GL state:
// expects the program's blend function (SRC_ALPHA, ONE_MINUS_SRC_ALPHA);
// sets a pixel projection, turns depth testing off and blending on, and at
// end_text_pass restores what it touched: the three matrices and the matrix
// mode, depth testing, blending, 2D texturing, the bound texture, the
// texture environment and the current colour.
void begin_text_pass();
void end_text_pass();

// Within a pass: one line in one call, cut before `right`; returns where the
// pen ends. The colour's alpha scales the halo too.
float draw_text(TextFace face, int pixels, std::string_view text, float x, float baseline,
                const float rgba[4], float right = kNoRightEdge);

// Within a pass: quads laid out from `atlas` (lay_out_text), in one call.
void draw_text_quads(GlyphAtlas& atlas, const std::vector<float>& quads, const float rgba[4]);

// Within a pass: a filled rectangle, for a backing behind text.
void fill_text_backing(float left, float top, float right, float bottom, const float rgba[4]);
