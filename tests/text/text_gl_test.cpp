// text_gl_test.cpp — text drawn through the atlas reads over light and dark
// ground, and the key reference covers everything in an opaque window.
#include <GL/gl.h>

#include <gtest/gtest.h>

#include "support/gl_fixture.h"
#include "text/text_gl.h"
#include "ui/help_overlay.h"

namespace {

using TextGl = GlTest;

void fill(float left, float top, float right, float bottom, float grey)
{
    begin_text_pass();
    const float colour[4] = {grey, grey, grey, 1};
    fill_text_backing(left, top, right, bottom, colour);
    end_text_pass();
}

} // namespace

TEST_F(TextGl, WhiteTextWithADarkEdgeReadsOverLightAndDarkGround)
{
    ASSERT_TRUE(have_display());
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    fill(400, 0, 800, 600, 1); // right half white
    begin_text_pass();
    const float white[4] = {1, 1, 1, 1};
    const float end = draw_text(TextFace::kText, 40, "HHHH", 300, 100, white);
    draw_text(TextFace::kText, 40, "HHHH", 500, 100, white);
    end_text_pass();
    EXPECT_GT(end, 300 + 4 * 20);

    int lit_on_black = 0, dark_on_white = 0, lit_on_white = 0;
    for (int y = 60; y < 110; y++)
        for (int x = 290; x < 700; x++) {
            const Rgba p = pixel(x, y);
            if (x < 400 && x < end && p.r > 240)
                lit_on_black++;
            if (x >= 500 && p.r < 40)
                dark_on_white++;
            if (x >= 500 && x < 500 + (end - 300) && p.r > 240 && p.g > 240)
                lit_on_white++;
        }
    EXPECT_GT(lit_on_black, 200);
    EXPECT_GT(dark_on_white, 200) << "no dark edge around the letters";
    EXPECT_GT(lit_on_white, 200);
}

TEST_F(TextGl, TheKeyReferenceCoversEverythingAndTheWindowIsOpaque)
{
    ASSERT_TRUE(have_display());
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    // Bright red, as a caption or an icon; the reference's text is white.
    begin_text_pass();
    const float red[4] = {1, 0, 0, 1};
    fill_text_backing(0, 0, 800, 600, red);
    end_text_pass();
    overlay.help_onoff[0] = 1;
    cover_window(false);
    int shows_through = 0, covered = 0;
    // Nowhere, not even beside the reference's box at the window's edges.
    for (int y = 0; y < 600; y += 2)
        for (int x = 0; x < 800; x += 2) {
            const Rgba p = pixel(x, y);
            shows_through += p.r > 150 && p.g < 100 ? 1 : 0;
            covered += p.r < 60 ? 1 : 0;
        }
    EXPECT_EQ(shows_through, 0);
    EXPECT_GT(covered, 100000);
    // Translucent drawing left no hole in the window's alpha.
    for (int y : {0, 300, 599})
        for (int x : {0, 400, 799})
            EXPECT_EQ(pixel(x, y).a, 255) << x << ", " << y;
}
