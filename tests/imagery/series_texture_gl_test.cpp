// series_texture_gl_test.cpp — the frame, icon and overlay textures in real GL
// contexts: what texture_change leaves on the card, empty and failed slots,
// oversized images, and one set of frame names shared by two windows.
#include <GL/freeglut.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <vector>

#include "config/reload.h"
#include "imagery/series_discovery.h"
#include "imagery/series_fixture.h"
#include "imagery/texture_loading.h"
#include "imagery/texture_upload_gl.h"
#include "render/display.h"
#include "support/gl_fixture.h"

namespace {

struct TextureContent {
    int width = 0, height = 0;
    GLint internal_format = 0;
    std::vector<unsigned char> pixels;
};

// Image of texture `name` in the current context, read back as `format`.
TextureContent texture_content(unsigned int name, GLenum format)
{
    TextureContent t;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &t.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &t.height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &t.internal_format);
    t.pixels.resize(static_cast<size_t>(t.width) * t.height * (format == GL_RGBA ? 4 : 3));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, t.pixels.data());
    return t;
}

std::vector<unsigned char> grey_texel()
{
    return {64, 64, 64};
}

class SeriesTextures : public GlTest {
  protected:
    void SetUp() override
    {
        GlTest::SetUp();
        dir.enter();
    }
    void frame(const std::string& path, int base, int width = 4, int height = 2)
    {
        dir.write(path, ppm_file(width, height, base));
    }
    void discover()
    {
        testing::internal::CaptureStdout();
        fileornot();
        printed = testing::internal::GetCapturedStdout();
    }
    TempDir dir;
    std::string printed;
};

TEST_F(SeriesTextures, TextureChangeLeavesTheFramesPixelsOnTheCard)
{
    for (int n = 1; n <= 3; n++)
        frame("map/sample" + std::to_string(n) + ".ppm", 30 * n);
    frame("logo/sample3.ppm", 7, 3, 3);
    discover();
    fileyomitori(wnd.window1);

    TextureContent map = texture_content(img.texName[0], GL_RGB);
    EXPECT_EQ(map.width, 4);
    EXPECT_EQ(map.height, 2);
    // Four bytes a texel, as the driver keeps them; the colours as the file's.
    EXPECT_EQ(map.internal_format, GL_RGBA);
    EXPECT_EQ(map.pixels, ppm_pixels(4, 2, 30));
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_REPLACE);

    unsigned int names[4];
    std::copy(img.texName, img.texName + 4, names);
    play.ntime = 2;
    texture_change(wnd.window1);
    EXPECT_TRUE(std::equal(names, names + 4, img.texName)) << "textures are reused";
    EXPECT_EQ(texture_content(img.texName[0], GL_RGB).pixels, ppm_pixels(4, 2, 90));
    TextureContent screen = texture_content(img.texName[1], GL_RGBA);
    EXPECT_EQ(screen.internal_format, GL_RGBA);
    EXPECT_EQ(screen.width, 3);
    ASSERT_EQ(screen.pixels.size(), 36u);
    EXPECT_EQ(screen.pixels[4 * 4 + 1], 8); // pixel 4: (11, 8, 200, 255)
    EXPECT_EQ(screen.pixels[4 * 4 + 3], 255);
}

TEST_F(SeriesTextures, AFrameWithoutAMapShowsAPlainGlobeNotThePreviousMap)
{
    frame("map/sample1.ppm", 0);
    frame("logo/sample2.ppm", 0); // frame 2 has only a screen
    series.strtexfile_s = "ppm";
    discover();
    ASSERT_EQ(play.ntimemax, 2);
    fileyomitori(wnd.window1);
    play.ntime = 1;
    texture_change(wnd.window1);
    TextureContent map = texture_content(img.texName[0], GL_RGB);
    EXPECT_EQ(map.width, 1);
    EXPECT_EQ(map.pixels, grey_texel());
    // The alternate layers of a frame without them are blank too.
    EXPECT_EQ(texture_content(img.texName[3], GL_RGBA).pixels,
              (std::vector<unsigned char>{0, 0, 0, 0}));

    draw_globe();
    Rgba centre = pixel(width() / 2, height() / 2);
    EXPECT_EQ(centre.r, 64);
    EXPECT_EQ(centre.g, 64);
    Rgba corner = pixel(5, 5);
    EXPECT_EQ(corner.r, 0);
}

TEST_F(SeriesTextures, WithoutAnyFrameTheGlobeIsPlainAndTheIndexStaysZero)
{
    play.ntime = 3;
    discover();
    EXPECT_EQ(printed, "No sphere texture file\n");
    ASSERT_EQ(play.ntimemax, 0);
    fileyomitori(wnd.window1);
    EXPECT_EQ(play.ntime, 0);
    texture_change(wnd.window1);
    EXPECT_EQ(texture_content(img.texName[0], GL_RGB).pixels, grey_texel());
    draw_globe();
    EXPECT_EQ(pixel(width() / 2, height() / 2).r, 64);
}

TEST_F(SeriesTextures, TheRecordsChannelCountDecidesTheFormat)
{
    frame("map/sample1.ppm", 0);
    frame("logo/sample1.ppm", 5, 2, 2);
    overlay.screen_front = 0; // screens decoded opaque ...
    discover();
    fileyomitori(wnd.window1);
    overlay.screen_front = 1; // ... and shown in front later
    texture_change(wnd.window1);
    TextureContent screen = texture_content(img.texName[1], GL_RGBA);
    EXPECT_EQ(screen.internal_format, GL_RGBA);
    EXPECT_EQ(screen.pixels[3], 255) << "no alpha made up later";
    EXPECT_EQ(texture_content(img.texName[1], GL_RGB).pixels, ppm_pixels(2, 2, 5));
}

TEST_F(SeriesTextures, AnImageOverTheCardsLimitIsShrunkToFit)
{
    int limit = max_texture_size();
    ASSERT_GT(limit, 0);
    TexImage wide;
    wide.width = limit + 1;
    wide.height = 2;
    wide.channels = 3;
    size_t bytes = static_cast<size_t>(wide.width) * 2 * 3;
    wide.pixels.reset(new unsigned char[bytes]);
    std::fill(wide.pixels.get(), wide.pixels.get() + bytes, 120);
    unsigned int name = 0;
    glGenTextures(1, &name);
    testing::internal::CaptureStderr();
    upload_texture(name, wide, EmptyTexel::globe);
    testing::internal::GetCapturedStderr();
    TextureContent t = texture_content(name, GL_RGB);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(t.width, limit);
    EXPECT_EQ(t.height, 1);
    ASSERT_FALSE(t.pixels.empty());
    EXPECT_EQ(t.pixels[0], 120);
    glDeleteTextures(1, &name);
}

TEST_F(SeriesTextures, IconsAreUploadedOnceAndThePressedLookReusesItsName)
{
    frame("map/sample1.ppm", 0);
    frame("data/icons/play.ppm", 1, 2, 2);
    frame("data/icons/pause.ppm", 2, 2, 2);
    icons.icon_onoff[0] = 1;
    discover();
    fileyomitori(wnd.window1);
    EXPECT_EQ(icons.int_button, 1);
    EXPECT_EQ(icons.icon_texture_finish, 1);
    TextureContent play_icon = texture_content(img.icontexName[0], GL_RGBA);
    EXPECT_EQ(play_icon.internal_format, GL_RGBA);
    EXPECT_EQ(play_icon.width, 2);
    EXPECT_EQ(play_icon.pixels[3], 255);
    unsigned int pushed = img.pushed_icontexName;
    EXPECT_EQ(texture_content(pushed, GL_RGBA).pixels[4 + 3], 130);

    unsigned int first_icon = img.icontexName[0];
    series.readtextureornot = 1;
    fileyomitori(wnd.window1);
    EXPECT_EQ(img.pushed_icontexName, pushed);
    EXPECT_EQ(img.icontexName[0], first_icon);
}

// Window 2 has a GL context of its own; the frame routines bind img.texName
// in both, so both must hold the frames under the same names, also after a
// reload, and the icons of window 1 must survive it.
TEST_F(SeriesTextures, BothWindowsShowTheirOwnFramesUnderOneSetOfNames)
{
    int first = wnd.window1;
    glutInitWindowSize(200, 200);
    int second = glutCreateWindow("tyx test 2");
    glutDisplayFunc([] {});
    wnd.window2 = second;
    series.second_sphere_texture = 1;
    series.strtexfile2 = "map2/globe";
    for (int n = 1; n <= 2; n++) {
        frame("map/sample" + std::to_string(n) + ".ppm", n);
        frame("map2/globe" + std::to_string(n) + ".ppm", 100 + n);
    }
    frame("data/icons/play.ppm", 9, 2, 2);
    frame("data/icons/pause.ppm", 9, 2, 2);
    icons.icon_onoff[0] = 1;
    discover();
    ASSERT_EQ(play.ntimemax, 2);

    auto check_both = [&](const char* when) {
        glutSetWindow(second);
        EXPECT_EQ(texture_content(img.texName[0], GL_RGB).pixels, ppm_pixels(4, 2, 101)) << when;
        glutSetWindow(first);
        EXPECT_EQ(texture_content(img.texName[0], GL_RGB).pixels, ppm_pixels(4, 2, 1)) << when;
        TextureContent icon = texture_content(img.icontexName[0], GL_RGBA);
        EXPECT_EQ(icon.width, 2) << when;
        EXPECT_EQ(icon.pixels[0], 9) << when;
    };

    // Window 2 is created first and usually loads first.
    glutSetWindow(second);
    fileyomitori(second);
    glutSetWindow(first);
    fileyomitori(first);
    check_both("after the first load");

    for (int round = 0; round < 2; round++) {
        // A reload asked for in window 1, loaded by window 2 first.
        glutSetWindow(first);
        testing::internal::CaptureStdout();
        reload_texture_init_file();
        testing::internal::GetCapturedStdout();
        glutSetWindow(second);
        fileyomitori(second);
        glutSetWindow(first);
        fileyomitori(first);
        check_both(round == 0 ? "after a reload" : "after a second reload");
    }

    // Frame changes reach both contexts.
    play.ntime = 1;
    glutSetWindow(second);
    texture_change(second);
    EXPECT_EQ(texture_content(img.texName[0], GL_RGB).pixels, ppm_pixels(4, 2, 102));
    glutSetWindow(first);
    texture_change(first);
    EXPECT_EQ(texture_content(img.texName[0], GL_RGB).pixels, ppm_pixels(4, 2, 2));

    glutDestroyWindow(second);
    glutMainLoopEvent();
    glutSetWindow(first);
}

} // namespace
