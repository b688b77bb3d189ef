// fuzz_text_layout.cpp — libFuzzer target: arbitrary bytes decoded as UTF-8
// and laid out as a line in DejaVu Sans at a size the first byte picks, cut
// at a right edge the second byte picks.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "text/font_faces.h"
#include "text/text_layout.h"
#include "text/utf8.h"

namespace {

void check(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);
    for (size_t at = 0; at < text.size();) {
        const size_t before = at;
        const char32_t c = next_code_point(text, &at);
        check(at > before && at <= text.size());
        check(c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF));
    }
    check(utf8_prefix_length(text, data[1]) <= data[1]);

    GlyphAtlas* atlas = text_atlas(TextFace::kText, 8 + data[0] % 40);
    if (atlas == nullptr)
        return 0;
    static std::vector<float> quads;
    quads.clear();
    const float right = 10.0f + 4 * data[1];
    const float end = lay_out_text(*atlas, text, 10, 50, &quads, right);
    check(end >= 10 && end <= right);
    check(quads.size() % kTextFloatsPerGlyph == 0);
    for (size_t k = 0; k < quads.size(); k += kTextFloatsPerCorner) {
        check(std::isfinite(quads[k]) && std::isfinite(quads[k + 1]));
        // Texture coordinates inside the atlas.
        check(quads[k + 2] >= 0 && quads[k + 2] <= kAtlasWidth);
        check(quads[k + 3] >= 0 && quads[k + 3] <= atlas->height);
    }
    return 0;
}
