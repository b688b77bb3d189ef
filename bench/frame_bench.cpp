// frame_bench.cpp — frames per second of the bare textured globe (display_earth
// with a 2048 x 1024 map) against a frame that only clears and swaps, in the
// same 800 x 600 window. The ratio is what drawing the globe costs.
//
// Needs an X display (run it under Xvfb). The map is
// /usr/share/xplanet/images/earth.jpg when installed at that size, else a
// synthetic pattern; the texture cost does not depend on the picture.
#include <GL/freeglut.h>
#include <GL/glu.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bench_jpeg.h"
#include "core/tyxparam.h"
#include "core/window.h"
#include "imagery/texture_upload_gl.h"
#include "render/display.h"

namespace {

constexpr int kWidth = 2048;
constexpr int kHeight = 1024;
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr double kSecondsPerRun = 2.0;
constexpr int kRounds = 3;

TexImage bench_map(bool* from_earth)
{
    TexImage map;
    map.width = kWidth;
    map.height = kHeight;
    map.channels = 3;
    int width = 0, height = 0;
    std::unique_ptr<unsigned char[]> earth =
        libjpeg_decode("/usr/share/xplanet/images/earth.jpg", &width, &height);
    *from_earth = earth && width == kWidth && height == kHeight;
    if (*from_earth) {
        map.pixels = std::move(earth);
        return map;
    }
    map.pixels.reset(new unsigned char[static_cast<size_t>(kWidth) * kHeight * 3]);
    for (int y = 0; y < kHeight; y++)
        for (int x = 0; x < kWidth; x++) {
            unsigned char* p = &map.pixels[(static_cast<size_t>(y) * kWidth + x) * 3];
            p[0] = static_cast<unsigned char>(x * 255 / kWidth);
            p[1] = static_cast<unsigned char>(y * 255 / kHeight);
            p[2] = static_cast<unsigned char>((x ^ y) & 0xff);
        }
    return map;
}

void clear_and_swap()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

// What window 1's frame does for the globe alone: clear, camera, globe.
void draw_globe()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, wnd.ez, 0, 0, 0, 0, 1, 0);
    display_earth(wnd.window1);
}

void globe_frame()
{
    draw_globe();
    glutSwapBuffers();
}

// Frames per second of `frame` over about kSecondsPerRun.
double frames_per_second(void (*frame)())
{
    for (int i = 0; i < 10; i++)
        frame();
    glFinish();
    auto start = std::chrono::steady_clock::now();
    int frames = 0;
    double elapsed = 0;
    while (elapsed < kSecondsPerRun) {
        frame();
        frames++;
        if (frames % 16 == 0)
            glutMainLoopEvent();
        elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    glFinish();
    elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return frames / elapsed;
}

} // namespace

int main(int argc, char** argv)
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        std::fprintf(stderr, "frame_bench needs an X display; run it under xvfb-run\n");
        return 1;
    }
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(kWindowWidth, kWindowHeight);
    wnd.window1 = glutCreateWindow("tyx frame bench");
    glutDisplayFunc([] {});
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    init(wnd.window1);
    for (int i = 0; i < 20; i++)
        glutMainLoopEvent();
    resize(kWindowWidth, kWindowHeight);

    // Frames are drawn back to back in this program's own loop: no frame-rate
    // limit applies, whatever the configuration says.
    wnd.frame_rate_limit = 0;

    // The globe alone: no time bar, icons, screen layer, graticule or spin.
    overlay.icon_hyoji_onoff = 0;
    icons.int_button = 0;
    play.ntimemax = 1;
    play.ntime = 0;
    bool from_earth = false;
    img.image1[0] = bench_map(&from_earth);
    prepare_frame_texture_names(wnd.window1);
    upload_frame_textures(wnd.window1);
    set_texture_environment();

    // The globe must really be drawn for its figure to mean anything.
    unsigned char centre[4] = {};
    draw_globe();
    glReadPixels(kWindowWidth / 2, kWindowHeight / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, centre);
    if (centre[0] + centre[1] + centre[2] == 0) {
        std::fprintf(stderr, "the globe did not draw; nothing to compare\n");
        return 1;
    }

    std::printf("window %dx%d, map %dx%d from %s, renderer %s\n", kWindowWidth, kWindowHeight,
                kWidth, kHeight, from_earth ? "earth.jpg" : "a synthetic pattern",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    double best_empty = 0, best_globe = 0;
    for (int round = 0; round < kRounds; round++) {
        best_empty = std::max(best_empty, frames_per_second(clear_and_swap));
        best_globe = std::max(best_globe, frames_per_second(globe_frame));
    }
    std::printf("clear and swap only:     %8.1f frames/s (%.2f ms a frame)\n", best_empty,
                1000 / best_empty);
    std::printf("textured globe:          %8.1f frames/s (%.2f ms a frame)\n", best_globe,
                1000 / best_globe);
    std::printf("ratio empty / globe:     %8.2f (the globe adds %.2f ms a frame)\n",
                best_empty / best_globe, 1000 / best_globe - 1000 / best_empty);
    return 0;
}
