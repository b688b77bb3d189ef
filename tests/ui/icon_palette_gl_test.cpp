// icon_palette_gl_test.cpp — the palette drawn in a real window: a picture
// fills its icon's rectangle upright, and the pressed look darkens it only
// while held in the window of the press.
#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "imagery/texture_upload_gl.h"
#include "support/gl_fixture.h"
#include "ui/icon_palette.h"

namespace {

TexImage two_colour_image(Rgba top, Rgba bottom)
{
    TexImage image;
    image.width = image.height = 8;
    image.channels = 4;
    image.pixels.reset(new unsigned char[8 * 8 * 4]);
    for (int i = 0; i < 64; i++) {
        const Rgba& c = i < 32 ? top : bottom;
        unsigned char* p = &image.pixels[i * 4];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
        p[3] = c.a;
    }
    return image;
}

bool near(Rgba p, Rgba want, int tolerance = 8)
{
    return std::abs(p.r - want.r) < tolerance && std::abs(p.g - want.g) < tolerance &&
           std::abs(p.b - want.b) < tolerance;
}

const Rgba kRed{220, 30, 30, 255};
const Rgba kBlue{30, 30, 220, 255};

// The play icon alone, side 0.5 with its top-left corner at (1.5, -1): in the
// 800 x 600 window columns 625 .. 700 and rows 450 .. 525. Its picture is
// red above and blue below; the pressed look is half-transparent black.
class IconPaletteGl : public GlTest {
  protected:
    void SetUp() override
    {
        GlTest::SetUp();
        icons.int_button = 1;
        icons.icon_onoff[0] = icons.icon_onoff_permanent[0] = 1;
        icons.icon_scale[0] = 0.5;
        img.icon[0] = two_colour_image(kRed, kBlue);
        img.pushed_icon = two_colour_image({0, 0, 0, 128}, {0, 0, 0, 128});
        upload_icon_textures();
        upload_pushed_icon_texture();
        set_texture_environment();
    }

    void draw_palette()
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(0, 0, wnd.ez, 0, 0, 0, 0, 1, 0);
        show_icon();
    }
};

} // namespace

TEST_F(IconPaletteGl, PictureFillsItsRectangleUpright)
{
    draw_palette();
    EXPECT_TRUE(near(pixel(630, 455), kRed));
    EXPECT_TRUE(near(pixel(695, 480), kRed));
    EXPECT_TRUE(near(pixel(630, 495), kBlue));
    EXPECT_TRUE(near(pixel(695, 520), kBlue));
    for (auto [x, y] : {std::pair{620, 480}, {705, 480}, {660, 445}, {660, 530}})
        EXPECT_TRUE(near(pixel(x, y), {0, 0, 0, 255})) << x << ", " << y;
}

TEST_F(IconPaletteGl, PressedLookDarkensTheIconWhileHeldInItsWindow)
{
    icons.pushbutton[0] = 1;
    icons.pushwindow = glutGetWindow();
    draw_palette();
    EXPECT_TRUE(near(pixel(660, 460), {110, 15, 15, 255}, 12));

    // Pressed in the other window: this one shows the plain icon.
    icons.pushwindow = glutGetWindow() + 1;
    draw_palette();
    EXPECT_TRUE(near(pixel(660, 460), kRed));
}
