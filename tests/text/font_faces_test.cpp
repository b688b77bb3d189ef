// font_faces_test.cpp — the font found through fontconfig or by its path, the
// fallback with one message, and DejaVu's glyphs in the atlas.
#include "text/font_faces.h"

#include <gtest/gtest.h>

#include "support/state_fixture.h"
#include "text/text_layout.h"

namespace {

class FontFaces : public StateTest {};

} // namespace

TEST_F(FontFaces, AFontThatIsNotThereIsToldOnceAndReplacedByDejaVu)
{
    struct Case {
        std::string wanted;
        bool told;
    };
    const Case cases[] = {
        {"DejaVu Sans", false},
        {"DejaVu Sans:bold", false},
        {kDefaultFontFile, false},
        {"No Such Family Anywhere", true},
        {"/no/such/font.ttf", true},
        {"/dev/zero", true},
        {"/tmp", true},
    };
    for (const Case& c : cases) {
        std::string message;
        const std::string file = find_font_file(c.wanted, &message);
        EXPECT_NE(file.find("DejaVuSans"), std::string::npos) << c.wanted << ": " << file;
        EXPECT_EQ(!message.empty(), c.told) << c.wanted << ": " << message;
    }

    txt.font = "/no/such/font.ttf";
    testing::internal::CaptureStderr();
    GlyphAtlas* first = text_atlas(TextFace::kText, 20);
    text_atlas(TextFace::kText, 30); // the same face: nothing more is told
    const std::string told = testing::internal::GetCapturedStderr();
    ASSERT_NE(first, nullptr);
    EXPECT_NE(told.find("/no/such/font.ttf"), std::string::npos) << told;
    EXPECT_EQ(told.find('\n'), told.size() - 1) << told;
}

TEST_F(FontFaces, GlyphsComeFromTheFontAndAMissingOneIsItsBox)
{
    GlyphAtlas* atlas = text_atlas(TextFace::kText, points_to_pixels(14));
    ASSERT_NE(atlas, nullptr);
    EXPECT_EQ(points_to_pixels(14), 19);
    EXPECT_GT(atlas->line_height, 19);
    EXPECT_GT(atlas->cap_height, 10);
    EXPECT_LT(atlas->cap_height, atlas->ascent);

    const AtlasGlyph& capital = atlas_glyph(*atlas, 'H');
    EXPECT_GT(capital.height, atlas->cap_height); // the halo adds to the box
    EXPECT_GT(atlas_glyph(*atlas, ' ').advance, 0);
    EXPECT_EQ(atlas_glyph(*atlas, ' ').width, 0);
    // A private-use character DejaVu lacks: the font's own missing-glyph box.
    const AtlasGlyph& missing = atlas_glyph(*atlas, 0xF8FF);
    EXPECT_GT(missing.width, 0);
    EXPECT_EQ(missing.x, atlas->glyphs.at(0).x);
    // The key face is a fixed-pitch one: "I" and "l" as wide as "m".
    GlyphAtlas* keys = text_atlas(TextFace::kKeys, 19);
    ASSERT_NE(keys, nullptr);
    EXPECT_FLOAT_EQ(text_width(*keys, "Il"), text_width(*keys, "mm"));
    EXPECT_LT(text_width(*atlas, "Il"), text_width(*atlas, "mm"));
}
