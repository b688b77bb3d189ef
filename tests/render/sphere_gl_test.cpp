// sphere_gl_test.cpp — the globe drawn into a real window: a disc of radius
// h/4 about the centre in the default orthographic view, and the graticule.
#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/window.h"
#include "render/display.h"
#include "render/sphere_mesh.h"
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

// A map with another colour in every texel, so that any change in where the
// mesh lands or how its texture coordinates run shows in the picture.
unsigned int pattern_texture(int width, int height)
{
    std::vector<unsigned char> pixels;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            pixels.insert(pixels.end(),
                          {static_cast<unsigned char>(x), static_cast<unsigned char>(y),
                           static_cast<unsigned char>((x * 7 + y * 13) & 255)});
    unsigned int name = solid_texture(0, 0, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 pixels.data());
    return name;
}

// The globe as the mesh describes it, sent quad by quad in immediate mode
// under display_earth's transform: what the picture must look like however
// the mesh reaches GL.
void draw_reference_globe()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, wnd.ez, 0, 0, 0, 0, 1, 0);
    glEnable(GL_DEPTH_TEST);
    glPushMatrix();
    float s = view.scale_factor;
    glTranslated(view.trans[0] * s, view.trans[1] * s, 0);
    glMultMatrixd(view.rt);
    glRotated(spin.thetajiten, 0, 0, 1);
    glScaled(s, s, s);
    glBindTexture(GL_TEXTURE_2D, img.texName[0]);
    glEnable(GL_TEXTURE_2D);
    glColor4f(0, 0, 0, 1);
    glBegin(GL_QUADS);
    for (const SphereCell& c : unit_sphere_mesh().cell) {
        glNormal3dv(c.normal);
        for (int k = 0; k < 4; k++) {
            glTexCoord2dv(c.tex[k]);
            glVertex3dv(c.corner[k]);
        }
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    glDisable(GL_DEPTH_TEST);
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

TEST_F(SphereDraw, GlobeIsTheMeshPixelForPixel)
{
    img.texName[0] = pattern_texture(256, 128);
    overlay.icon_hyoji_onoff = 0; // the globe alone: no time bar or icons
    icons.int_button = 0;
    // Zoomed in and turned, so that cells near the limb and both poles are
    // seen at a slant and large enough for interpolation to matter.
    view.scale_factor = 1.6f;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRotated(-62, 1, 0, 0);
    glRotated(35, 0, 0, 1);
    glGetDoublev(GL_MODELVIEW_MATRIX, view.rt);
    glPopMatrix();

    draw_reference_globe();
    std::vector<unsigned char> reference = read_back();
    draw_globe();
    std::vector<unsigned char> drawn = read_back();
    ASSERT_EQ(drawn.size(), reference.size());
    size_t differing = 0;
    for (size_t i = 0; i < drawn.size(); i++)
        differing += drawn[i] != reference[i];
    EXPECT_EQ(differing, 0u);
    EXPECT_GT(pixel(400, 300).r + pixel(400, 300).g, 0) << "the globe was drawn";
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
