// sphere_gl_test.cpp — the globe drawn into a real window: a disc of radius
// h/4 about the centre in the default orthographic view, and the graticule.
#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "core/window.h"
#include "render/display.h"
#include "support/gl_fixture.h"

namespace {

// A texture of one colour bound as the map, so the globe shows up on black.
unsigned int solid_texture(unsigned char r, unsigned char g, unsigned char b)
{
    unsigned int name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    unsigned char pixels[4 * 4 * 3];
    for (int i = 0; i < 16; i++) {
        pixels[i * 3] = r;
        pixels[i * 3 + 1] = g;
        pixels[i * 3 + 2] = b;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 4, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    return name;
}

class SphereDraw : public GlTest {
  protected:
    bool lit(int x, int y) const
    {
        Rgba p = pixel(x, y);
        return p.r > 100 || p.g > 100 || p.b > 100;
    }
};

} // namespace

TEST_F(SphereDraw, GlobeIsADiscOfQuarterHeightRadius)
{
    img.texName[0] = solid_texture(0, 200, 255);
    draw_globe();
    int cx = 400, cy = 300, r = 150;
    Rgba centre = pixel(cx, cy);
    EXPECT_EQ(centre.r, 0);
    EXPECT_EQ(centre.g, 200);
    EXPECT_EQ(centre.b, 255);
    for (int d : {-1, 1}) {
        EXPECT_TRUE(lit(cx + d * (r - 3), cy));
        EXPECT_FALSE(lit(cx + d * (r + 3), cy));
        EXPECT_TRUE(lit(cx, cy + d * (r - 3)));
        EXPECT_FALSE(lit(cx, cy + d * (r + 3)));
    }
    glDeleteTextures(1, &img.texName[0]);
}

TEST_F(SphereDraw, DiscFollowsTheWindowHeight)
{
    size_window(600, 400);
    img.texName[0] = solid_texture(255, 255, 255);
    draw_globe();
    EXPECT_TRUE(lit(300 + 97, 200));
    EXPECT_FALSE(lit(300 + 103, 200));
    glDeleteTextures(1, &img.texName[0]);
}

TEST_F(SphereDraw, GraticuleDrawsTheEquatorInItsColour)
{
    overlay.isenkeisenornot = 1;
    overlay.line_width_red = 3;
    // North up: the equator is seen edge-on as a line through the centre.
    const double north_up[16] = {1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1};
    std::copy(north_up, north_up + 16, view.rt);
    draw_globe(); // no map: the globe itself stays black
    Rgba p = pixel(400, 300);
    EXPECT_GT(p.r, 120);
    EXPECT_LT(p.g, 100);
    // Off the globe nothing is drawn.
    EXPECT_FALSE(lit(400, 100));
}

TEST_F(SphereDraw, PerspectiveSwitchesTheGraticuleOff)
{
    overlay.isenkeisenornot = 1;
    wnd.perspec = 1;
    wnd.perspec_radio = 1;
    resize(800, 600);
    draw_globe();
    EXPECT_EQ(overlay.isenkeisenornot, 0);
}
