// text_layout_test.cpp — UTF-8 decoding, the width and cut of a laid-out line,
// and the atlas: packing without overlap, the halo, the missing-glyph box.
#include "text/text_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/glyph_atlas.h"
#include "text/utf8.h"

namespace {

std::u32string decode(const std::string& bytes)
{
    std::u32string out;
    for (size_t at = 0; at < bytes.size();)
        out += next_code_point(bytes, &at);
    return out;
}

// An atlas whose font has every character but U+0416, each a solid box of
// 6 x 8 pixels with an advance of 10; code point 0 (the missing glyph) is a
// 4 x 8 box with an advance of 7.
GlyphAtlas box_atlas()
{
    GlyphAtlas atlas;
    atlas.halo = 1;
    atlas.line_height = 12;
    atlas.rasterise = [](char32_t c, GlyphBitmap* out) {
        if (c == 0x416)
            return false;
        out->width = c == 0 ? 4 : 6;
        out->height = 8;
        out->left = 1;
        out->top = -8;
        out->advance = c == 0 ? 7 : 10;
        out->coverage.assign(size_t(out->width) * out->height, 255);
        return true;
    };
    return atlas;
}

} // namespace

TEST(Utf8, EveryByteSequenceDecodesWithReplacementsForTheBadParts)
{
    const char32_t R = kReplacementCharacter;
    struct Case {
        std::string bytes;
        std::u32string expected;
    };
    const Case cases[] = {
        {"Zu\xCC\x88rich", U"Zu\u0308rich"},
        {"S\xC3\xA3o", U"S\u00e3o"},
        {"\xE2\x82\xAC\xF0\x9F\x8C\x8D", U"\u20ac\U0001F30D"},
        {"\xC0\xAF", {R, R}},      // overlong "/": lead byte never valid
        {"\xE0\x80\xAF", {R}},     // overlong in three bytes
        {"\xF0\x80\x80\xAF", {R}}, // overlong in four bytes
        {"\xED\xA0\x80", {R}},     // a surrogate
        {"\xF4\x90\x80\x80", {R}}, // beyond U+10FFFF
        {"\xC3", {R}},             // cut by the end of the text
        {"\xE2\x82"
         "A",
         {R, U'A'}}, // cut by a byte that starts a character
        {"\x80\xBF"
         "a",
         {R, R, U'a'}}, // stray continuation bytes
        {"\xFF\xFE", {R, R}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decode(c.bytes), c.expected) << testing::PrintToString(c.bytes);

    // Cutting to a size never splits a character.
    EXPECT_EQ(utf8_prefix_length("S\xC3\xA3o", 2), 1u);
    EXPECT_EQ(utf8_prefix_length("S\xC3\xA3o", 3), 3u);
    EXPECT_EQ(utf8_prefix_length("abc", 10), 3u);
}

TEST(TextLayout, WidthIsTheSumOfAdvancesAndTheLineStopsBeforeTheRightEdge)
{
    GlyphAtlas atlas = box_atlas();
    EXPECT_FLOAT_EQ(text_width(atlas, "abc"), 30);
    // Control characters take no room; a character the font lacks is the
    // missing-glyph box, with its own advance.
    EXPECT_FLOAT_EQ(text_width(atlas, "a\tb\n"), 20);
    EXPECT_FLOAT_EQ(text_width(atlas, "a\xD0\x96"), 17);
    EXPECT_EQ(atlas.glyphs.at(0x416).width, atlas.glyphs.at(0).width);

    std::vector<float> quads;
    const std::string long_line(100000, 'x');
    const float end = lay_out_text(atlas, long_line, 5, 20, &quads, 800);
    EXPECT_FLOAT_EQ(end, 5 + 79 * 10); // the 80th glyph would end past 800
    ASSERT_EQ(quads.size(), 79u * kTextFloatsPerGlyph);
    // First quad: the box grown by the halo, placed from the pen.
    EXPECT_FLOAT_EQ(quads[0], 5 + 1 - 1);  // pen + left - halo
    EXPECT_FLOAT_EQ(quads[1], 20 - 8 - 1); // baseline + top - halo
    EXPECT_FLOAT_EQ(quads[8], 5 + 8);      // right edge: the box is 8 wide
    EXPECT_FLOAT_EQ(quads[9], 20 + 1);     // bottom edge
}

TEST(GlyphAtlas, PackedBoxesNeverOverlapAndStayInside)
{
    AtlasShelves shelves;
    struct Box {
        int x, y, w, h;
    };
    std::vector<Box> boxes;
    unsigned state = 12345;
    for (int i = 0; i < 400; i++) {
        state = state * 1103515245 + 12345;
        const int w = 1 + int(state >> 16) % 60, h = 1 + int(state >> 8) % 40;
        Box b{0, 0, w, h};
        if (!pack_atlas_box(shelves, w, h, 512, &b.x, &b.y))
            break;
        boxes.push_back(b);
    }
    ASSERT_GT(boxes.size(), 100u);
    for (size_t a = 0; a < boxes.size(); a++) {
        const Box& p = boxes[a];
        EXPECT_GE(p.x, 0);
        EXPECT_LE(p.x + p.w, kAtlasWidth);
        EXPECT_LE(p.y + p.h, 512);
        for (size_t b = a + 1; b < boxes.size(); b++) {
            const Box& q = boxes[b];
            EXPECT_FALSE(p.x < q.x + q.w && q.x < p.x + p.w && p.y < q.y + q.h && q.y < p.y + p.h)
                << a << " and " << b;
        }
    }
    // Full: the box that does not fit changes nothing.
    const AtlasShelves before = shelves;
    int x = 0, y = 0;
    EXPECT_FALSE(pack_atlas_box(shelves, 10, 600, 512, &x, &y));
    EXPECT_EQ(shelves.shelf_x, before.shelf_x);
    EXPECT_FALSE(pack_atlas_box(shelves, kAtlasWidth + 1, 1, 512, &x, &y));
}

TEST(GlyphAtlas, TheHaloSurroundsTheGlyphAndAFullAtlasGivesTheMissingGlyph)
{
    GlyphAtlas atlas = box_atlas();
    atlas.halo = 2;
    const AtlasGlyph& g = atlas_glyph(atlas, 'a');
    ASSERT_EQ(g.width, 6 + 4);
    auto texel = [&](int x, int y, int channel) {
        return atlas.texels[(size_t(g.y + y) * kAtlasWidth + g.x + x) * 2 + channel];
    };
    EXPECT_EQ(texel(5, 5, 0), 255); // inside: glyph and halo
    EXPECT_EQ(texel(5, 5, 1), 255);
    EXPECT_EQ(texel(1, 5, 0), 0); // beside it: halo only
    EXPECT_EQ(texel(1, 5, 1), 255);
    EXPECT_EQ(texel(0, 0, 1), 0); // the corner is beyond the radius

    // Fill the atlas to its largest size: what comes then is the missing box.
    char32_t c = 0x4E00;
    while (atlas.shelves.height + 12 <= kAtlasMostHeight)
        atlas_glyph(atlas, c++);
    for (int k = 0; k < 200; k++)
        atlas_glyph(atlas, c++);
    EXPECT_EQ(atlas.height, kAtlasMostHeight);
    EXPECT_EQ(atlas_glyph(atlas, c).x, atlas.glyphs.at(0).x);
    EXPECT_EQ(atlas_glyph(atlas, c).width, 4 + 4);
}
