// text_layout.cpp — lines of text as quads.
#include "text/text_layout.h"

#include <cmath>

#include "text/utf8.h"

namespace {

void add_corner(std::vector<float>* quads, float x, float y, float s, float t)
{
    quads->push_back(x);
    quads->push_back(y);
    quads->push_back(s);
    quads->push_back(t);
}

} // namespace

float lay_out_text(GlyphAtlas& atlas, std::string_view text, float x, float baseline,
                   std::vector<float>* quads, float right)
{
    float pen = x;
    // Whole pixels, so that every glyph's texels land on pixels and stay sharp.
    baseline = std::round(baseline);
    size_t at = 0;
    while (at < text.size()) {
        const char32_t c = next_code_point(text, &at);
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0))
            continue;
        const AtlasGlyph& g = atlas_glyph(atlas, c);
        if (pen + g.advance > right)
            break;
        if (quads != nullptr && g.width > 0) {
            const float left = std::round(pen) + g.left, top = baseline + g.top;
            const float r = left + g.width, b = top + g.height;
            const float s0 = float(g.x), t0 = float(g.y);
            const float s1 = s0 + g.width, t1 = t0 + g.height;
            add_corner(quads, left, top, s0, t0);
            add_corner(quads, left, b, s0, t1);
            add_corner(quads, r, b, s1, t1);
            add_corner(quads, r, top, s1, t0);
        }
        pen += g.advance;
    }
    return pen;
}

float text_width(GlyphAtlas& atlas, std::string_view text, float right)
{
    return lay_out_text(atlas, text, 0, 0, nullptr, right);
}
