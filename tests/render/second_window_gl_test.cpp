// second_window_gl_test.cpp — both windows' frame routines in real GL
// contexts: window 2 shows the right map from its first frame, after a frame
// change and after a full or configuration-only reload, whichever window
// draws first, with a shared series or its own; never a plain globe between.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/reload.h"
#include "core/window.h"
#include "imagery/series_discovery.h"
#include "render/display.h"
#include "support/gl_fixture.h"
#include "support/temp_dir.h"

// X11 last: its macros (None, Bool, Status) would break the headers above.
#include <GL/glx.h>
#include <X11/Xutil.h>

namespace {

struct Shade {
    int r, g, b;
};

// Frame i's map: globe 1 (10 + 40 i, 100, 50), globe 2's own (10 + 40 i, 200, 150).
Shade map_shade(int frame, bool globe2)
{
    return {10 + 40 * frame, globe2 ? 200 : 100, globe2 ? 150 : 50};
}

std::string solid_map(Shade c)
{
    std::string file = "P6\n4 2\n255\n";
    for (int i = 0; i < 8; i++)
        file += {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
    return file;
}

class SecondWindow : public GlTest {
  protected:
    void SetUp() override
    {
        GlTest::SetUp();
        dir.enter();
        first_ = wnd.window1;
        glutInitWindowSize(160, 120);
        glutInitWindowPosition(1500, 60);
        second_ = glutCreateWindow("tyx test 2");
        glutDisplayFunc([] {});
        glutSetWindow(first_);
    }
    void TearDown() override
    {
        glutDestroyWindow(second_);
        glutMainLoopEvent();
        glutSetWindow(first_);
        GlTest::TearDown();
    }

    // A fresh start: `maps` maps for globe 1 and, with `own`, as many for
    // globe 2; the series discovered as start-up does.
    void start(int maps, bool own)
    {
        reset_viewer_state();
        wnd.window1 = first_;
        wnd.window2 = second_;
        wnd.nsphere = 2;
        series.second_sphere_texture = own ? 1 : 0;
        series.strtexfile2 = "map2/globe";
        std::filesystem::remove_all(dir.path() + "/map");
        std::filesystem::remove_all(dir.path() + "/map2");
        write_maps(maps);
        testing::internal::CaptureStdout();
        fileornot();
        testing::internal::GetCapturedStdout();
        series.readinit_file = 0;
        for (int window : {second_, first_}) {
            glutSetWindow(window);
            init(window);
            glutSetWindowTitle(window == first_ ? "tyx test" : "tyx test 2");
            resize(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
        }
    }
    void write_maps(int maps)
    {
        for (int i = 0; i < maps; i++) {
            dir.write("map/sample" + std::to_string(i + 1) + ".ppm",
                      solid_map(map_shade(i, false)));
            dir.write("map2/globe" + std::to_string(i + 1) + ".ppm", solid_map(map_shade(i, true)));
        }
    }
    // Two frames of each window, window 2's first when `second_first`,
    // checking after every frame of window 2 that it never shows a plain
    // globe: until it first draws it is black, then it shows a map.
    void redraw_both(bool second_first)
    {
        testing::internal::CaptureStdout();
        for (int round = 0; round < 2; round++)
            for (bool second : {second_first, !second_first}) {
                glutSetWindow(second ? second_ : first_);
                if (!second) {
                    display();
                    continue;
                }
                display2();
                Shade c = shown_centre(true);
                EXPECT_FALSE(c.r == 64 && c.g == 64 && c.b == 64) << "window 2 shows a plain globe";
            }
        testing::internal::GetCapturedStdout();
    }
    // The centre pixel that window 1 or 2 shows.
    Shade shown_centre(bool second)
    {
        glutSetWindow(second ? second_ : first_);
        Display* display = glXGetCurrentDisplay();
        XSync(display, False);
        int width = glutGet(GLUT_WINDOW_WIDTH), height = glutGet(GLUT_WINDOW_HEIGHT);
        XImage* image = XGetImage(display, glXGetCurrentDrawable(), width / 2, height / 2, 1, 1,
                                  AllPlanes, ZPixmap);
        glutSetWindow(first_);
        if (image == nullptr)
            return {-1, -1, -1};
        unsigned long pixel = XGetPixel(image, 0, 0);
        auto channel = [pixel](unsigned long mask) {
            unsigned long v = pixel & mask;
            while (mask != 0 && (mask & 1) == 0) {
                mask >>= 1;
                v >>= 1;
            }
            return static_cast<int>(v);
        };
        Shade c{channel(image->red_mask), channel(image->green_mask), channel(image->blue_mask)};
        XDestroyImage(image);
        return c;
    }
    void expect_shown(bool second, Shade want, const std::string& when)
    {
        Shade got = shown_centre(second);
        EXPECT_TRUE(got.r == want.r && got.g == want.g && got.b == want.b)
            << "window " << (second ? 2 : 1) << ", " << when << ": " << got.r << " " << got.g << " "
            << got.b;
    }
    void expect_frame(int frame, bool own, const std::string& when)
    {
        expect_shown(false, map_shade(frame, false), when);
        expect_shown(true, map_shade(frame, own), when);
    }

    TempDir dir;
    int first_ = 0, second_ = 0;
};

TEST_F(SecondWindow, ShowsItsMapsFromTheFirstFrameWhicheverWindowDrawsFirst)
{
    for (bool own : {false, true})
        for (int maps : {1, 3})
            for (bool second_first : {true, false}) {
                std::string c = std::string(own ? "own" : "shared") + " series of " +
                                std::to_string(maps) +
                                (second_first ? ", window 2 first" : ", window 1 first");
                start(maps, own);
                redraw_both(second_first);
                expect_frame(0, own, "first frame, " + c);

                play.ntime = maps - 1;
                redraw_both(second_first);
                expect_frame(maps - 1, own, "frame change, " + c);

                // A full reload that finds one map more: the images move
                // (globe 2's own series sits after globe 1's in the tables).
                write_maps(maps + 1);
                reload_texture_init_file();
                redraw_both(second_first);
                expect_frame(maps - 1, own, "full reload, " + c);
                play.ntime = maps;
                redraw_both(second_first);
                expect_frame(maps, own, "the added map, " + c);

                series.readinit_file = 1;
                redraw_both(second_first);
                expect_frame(maps, own, "configuration reload, " + c);
            }
}

// Window 2's screen layer comes from its own slot, with the alternate image
// only where its own series has one, whatever window 1's frame holds.
TEST_F(SecondWindow, OwnSeriesShowsItsOwnScreenLayer)
{
    const Shade alternate{0, 250, 250}, own{250, 0, 250};
    // Window 1's frame without a screen image, then with one and an alternate.
    for (bool screen1 : {false, true}) {
        std::filesystem::remove_all(dir.path() + "/logo");
        if (screen1) {
            dir.write("logo/sample1.ppm", solid_map({250, 250, 0}));
            dir.write("logo/alternate1.ppm", solid_map(alternate));
        }
        dir.write("logo/panel1.ppm", solid_map(own));
        start(1, true);
        play.number_of_textures = 2;
        series.texture_double1 = 1;
        series.strdoublescreenfile = "logo/alternate";
        series.strdoublescreenfile2 = "logo/none";
        redraw_both(false);
        std::string when = screen1 ? "window 1 with an alternate" : "window 1 without a screen";
        expect_shown(false, screen1 ? alternate : map_shade(0, false), when);
        expect_shown(true, own, when);
    }
}

} // namespace
