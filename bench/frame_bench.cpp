// frame_bench.cpp — frames per second of the bare textured globe (display_earth
// with a 2048 x 1024 map) against a frame that only clears and swaps, and
// against a minimal renderer that keeps the same mesh in a display list, all
// in the same 800 x 600 window. The ratios are what drawing the globe costs,
// and how close the program's globe comes to the plainest fast way of
// drawing that mesh.
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
#include <vector>

#include "bench_frames.h"
#include "bench_map.h"
#include "core/tyxparam.h"
#include "core/window.h"
#include "imagery/texture_upload_gl.h"
#include "render/display.h"
#include "render/sphere_mesh.h"

namespace {

constexpr int kWidth = 2048;
constexpr int kHeight = 1024;
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr double kSecondsPerRound = 2.0;
constexpr int kRounds = 7;     // the machine is shared: medians of interleaved runs
constexpr int kSeriesMaps = 8; // maps of the playing series

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

// The reference: the 72 x 36 mesh compiled once into a display list, drawn
// with the camera, globe transform and texture of display_earth and nothing
// else.
GLuint mesh_list = 0;

void compile_mesh_list()
{
    mesh_list = glGenLists(1);
    glNewList(mesh_list, GL_COMPILE);
    glBegin(GL_QUADS);
    for (const SphereCell& c : unit_sphere_mesh().cell) {
        glNormal3dv(c.normal);
        for (int k = 0; k < 4; k++) {
            glTexCoord2dv(c.tex[k]);
            glVertex3dv(c.corner[k]);
        }
    }
    glEnd();
    glEndList();
}

void display_list_frame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, wnd.ez, 0, 0, 0, 0, 1, 0);
    glEnable(GL_DEPTH_TEST);
    glPushMatrix();
    glMultMatrixd(view.rt);
    glScaled(view.scale_factor, view.scale_factor, view.scale_factor);
    glBindTexture(GL_TEXTURE_2D, img.texName[0]);
    glEnable(GL_TEXTURE_2D);
    glColor4f(0, 0, 0, 1);
    glCallList(mesh_list);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    glDisable(GL_DEPTH_TEST);
    glutSwapBuffers();
}

// Window 1's whole frame, with the series standing still or playing so fast
// that the map changes at every frame.
void still_series_frame()
{
    play.anim = 0;
    display();
}

void playing_series_frame()
{
    play.anim = 1;
    display();
}

// The series: the map turned by an eighth of a turn per frame, so that every
// frame really holds other pixels; in the loader's layout (four bytes, B, G,
// R, A).
void fill_series(const TexImage& map)
{
    const size_t row = static_cast<size_t>(kWidth) * 4;
    for (int f = 0; f < kSeriesMaps; f++) {
        TexImage& frame = img.image1[f];
        frame.width = kWidth;
        frame.height = kHeight;
        frame.channels = 4;
        frame.bgra = true;
        frame.pixels.reset(new unsigned char[row * kHeight]);
        const int shift = f * kWidth / kSeriesMaps;
        for (int y = 0; y < kHeight; y++)
            for (int x = 0; x < kWidth; x++) {
                const unsigned char* from = &map.pixels[(size_t(y) * kWidth + x) * 3];
                unsigned char* to =
                    &frame.pixels[y * row + size_t((x + kWidth - shift) % kWidth) * 4];
                to[0] = from[2];
                to[1] = from[1];
                to[2] = from[0];
                to[3] = 255;
            }
    }
    play.ntimemax = kSeriesMaps;
    play.ntime = 0;
    play.stopornot = 1;
    play.anim_speed = 0; // no interval: one map per frame
    play.anim_duration = 0;
    play.anim_duration_Final = 0;
    series.readtextureornot = 0; // the tables are filled here, not from files
    series.readinit_file = 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (!open_bench_window(&argc, argv, "frame_bench", kWindowWidth, kWindowHeight))
        return 1;
    start_bench_window(kWindowWidth, kWindowHeight);

    // Frames are drawn back to back in this program's own loop: no frame-rate
    // limit applies, whatever the configuration says.
    wnd.frame_rate_limit = 0;

    // The globe alone: no time bar, icons, screen layer, graticule or spin.
    overlay.icon_hyoji_onoff = 0;
    icons.int_button = 0;
    play.ntimemax = 1;
    play.ntime = 0;
    bool from_earth = false;
    img.image1[0] = bench_map(kWidth, kHeight, &from_earth);
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
    compile_mesh_list();
    std::vector<double> empty, globe, list, globe_to_list;
    for (int round = 0; round < kRounds; round++) {
        std::vector<double> rates =
            rates_side_by_side({clear_and_swap, globe_frame, display_list_frame}, kSecondsPerRound);
        empty.push_back(rates[0]);
        globe.push_back(rates[1]);
        list.push_back(rates[2]);
        globe_to_list.push_back(rates[1] / rates[2]);
    }
    const double fps_empty = median(empty), fps_globe = median(globe), fps_list = median(list);
    std::printf("medians of %d rounds of %.1f s, the frames taking turns in blocks:\n", kRounds,
                kSecondsPerRound);
    std::printf("clear and swap only:     %8.1f frames/s (%.2f ms a frame)\n", fps_empty,
                1000 / fps_empty);
    std::printf("textured globe:          %8.1f frames/s (%.2f ms a frame)\n", fps_globe,
                1000 / fps_globe);
    std::printf("display-list renderer:   %8.1f frames/s (%.2f ms a frame)\n", fps_list,
                1000 / fps_list);
    std::printf("ratio empty / globe:     %8.2f (the globe adds %.2f ms a frame)\n",
                fps_empty / fps_globe, 1000 / fps_globe - 1000 / fps_empty);
    std::printf("globe / display list:    %8.2f (frames per second; target >= 1.00)\n",
                median(globe_to_list));

    // Window 1's whole frame over a series of maps of the same size.
    TexImage map = std::move(img.image1[0]);
    fill_series(map);
    std::vector<double> still, playing, playing_to_still;
    int changes = 0;
    for (int round = 0; round < kRounds; round++) {
        const int before = play.ntime;
        std::vector<double> rates =
            rates_side_by_side({still_series_frame, playing_series_frame}, kSecondsPerRound);
        changes += play.ntime != before;
        still.push_back(rates[0]);
        playing.push_back(rates[1]);
        playing_to_still.push_back(rates[1] / rates[0]);
    }
    if (changes == 0) {
        std::fprintf(stderr, "the series did not play; nothing to compare\n");
        return 1;
    }
    std::printf("series of %d maps standing still: %8.1f frames/s\n", kSeriesMaps, median(still));
    std::printf("the same changing maps every frame: %6.1f frames/s\n", median(playing));
    std::printf("playing / standing still: %7.2f (target >= 0.80)\n", median(playing_to_still));
    return 0;
}
