// reload_gl_test.cpp — full reloads reach a steady state: two windows with a
// series each go through thousands of reload requests and the frames that
// carry them out, and the process's memory, its live texture names and the GL
// error flag stay as they were; a configuration-only reload allocates nothing.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "config/reload.h"
#include "core/window.h"
#include "imagery/series_discovery.h"
#include "render/display.h"
#include "support/gl_fixture.h"
#include "support/temp_dir.h"

namespace {

// Resident memory of this process in KiB.
long resident_kib()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Texture names alive in the current context, counted over the low numbers
// that this program's name choice and glGenTextures hand out.
int live_texture_names()
{
    int n = 0;
    for (GLuint name = 1; name <= 2048; name++)
        n += glIsTexture(name) == GL_TRUE;
    return n;
}

// A 256 x 128 map of one shade, and a 64 x 16 screen image.
std::string image(int width, int height, int shade)
{
    std::string file = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    file.append(static_cast<size_t>(width) * height * 3, static_cast<char>(shade));
    return file;
}

class ReloadSoak : public GlTest {
  protected:
    void SetUp() override
    {
        GlTest::SetUp();
        dir.enter();
        for (int i = 1; i <= 4; i++) {
            dir.write("map/sample" + std::to_string(i) + ".ppm", image(256, 128, 40 * i));
            dir.write("map2/globe" + std::to_string(i) + ".ppm", image(256, 128, 40 * i + 10));
            dir.write("logo/sample" + std::to_string(i) + ".ppm", image(64, 16, 200));
        }
        first_ = wnd.window1;
        glutInitWindowSize(160, 120);
        glutInitWindowPosition(1500, 60);
        second_ = glutCreateWindow("tyx test 2");
        glutDisplayFunc([] {});

        wnd.window2 = second_;
        wnd.nsphere = 2;
        series.second_sphere_texture = 1;
        series.strtexfile2 = "map2/globe";
        for (int window : {second_, first_}) {
            glutSetWindow(window);
            init(window);
            glutSetWindowTitle(window == first_ ? "tyx test" : "tyx test 2");
            resize(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
        }
        testing::internal::CaptureStdout();
        fileornot();
        series.readinit_file = 0;
    }
    void TearDown() override
    {
        testing::internal::GetCapturedStdout();
        glutDestroyWindow(second_);
        glutMainLoopEvent();
        glutSetWindow(first_);
        GlTest::TearDown();
    }

    // One frame of window 1, then one of window 2.
    void frames()
    {
        glutSetWindow(first_);
        display();
        glutSetWindow(second_);
        display2();
        glutSetWindow(first_);
    }

    struct Census {
        long resident_kib;
        int names_window1, names_window2;
    };
    Census census()
    {
        Census c;
        c.resident_kib = resident_kib();
        glutSetWindow(second_);
        c.names_window2 = live_texture_names();
        glutSetWindow(first_);
        c.names_window1 = live_texture_names();
        return c;
    }
    void expect_no_gl_error()
    {
        for (int window : {first_, second_}) {
            glutSetWindow(window);
            EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "window " << window;
        }
        glutSetWindow(first_);
    }

    TempDir dir;
    int first_ = 0, second_ = 0;
};

TEST_F(ReloadSoak, TwoThousandFullReloadsKeepMemoryAndTextureNamesSteady)
{
    const int reloads = 2000;
    frames();
    ASSERT_EQ(play.ntimemax, 4);
    play.ntime = 2;
    Census at_100{};
    auto begun = std::chrono::steady_clock::now();
    for (int i = 1; i <= reloads; i++) {
        reload_texture_init_file();
        frames();
        if (i == 100)
            at_100 = census();
        // Keep the X connection's queue drained.
        if (i % 50 == 0)
            glutMainLoopEvent();
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
    Census at_end = census();
    expect_no_gl_error();
    std::fprintf(stderr,
                 "[ figures  ] %d full reloads in %.1f s; resident memory %ld KiB after the "
                 "100th, %ld KiB after the last; texture names %d and %d, then %d and %d\n",
                 reloads, seconds, at_100.resident_kib, at_end.resident_kib, at_100.names_window1,
                 at_100.names_window2, at_end.names_window1, at_end.names_window2);

    EXPECT_LE(at_end.resident_kib - at_100.resident_kib, 8 * 1024);
    EXPECT_EQ(at_end.names_window1, at_100.names_window1);
    EXPECT_EQ(at_end.names_window2, at_100.names_window2);
    // The windows still show their own series at frame 2.
    EXPECT_EQ(img.image1[2].pixels[0], 120);
    EXPECT_EQ(img.image1[4 + 2].pixels[0], 130);

    // A configuration-only reload keeps the decoded images and the textures.
    const unsigned char* map = img.image1[2].pixels.get();
    unsigned int names[4];
    std::copy(img.texName, img.texName + 4, names);
    series.readinit_file = 1;
    frames();
    frames();
    Census after_configuration = census();
    EXPECT_EQ(img.image1[2].pixels.get(), map);
    EXPECT_TRUE(std::equal(names, names + 4, img.texName));
    EXPECT_EQ(after_configuration.names_window1, at_end.names_window1);
    EXPECT_EQ(after_configuration.names_window2, at_end.names_window2);
    expect_no_gl_error();
}

} // namespace
