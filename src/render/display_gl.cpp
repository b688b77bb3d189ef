// display_gl.cpp — the frame routines: deferred work, animation, frame change,
// the globe with its overlays, and the screen layer.
//
// Fixed GL state relied on (set at window creation and by the loader):
// blending SRC_ALPHA / ONE_MINUS_SRC_ALPHA, back-face culling, texture
// environment GL_REPLACE, no lighting. Depth testing is on only inside
// display_earth.
#include "render/display.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cmath>
#include <ctime>

#include "config/readinitfile.h"
#include "config/reload.h"
#include "core/clock.h"
#include "core/frame_counter.h"
#include "core/tyxparam.h"
#include "core/window.h"
#include "drawing/drawing_palette.h"
#include "drawing/drawing_store.h"
#include "imagery/series_discovery.h"
#include "imagery/series_files.h"
#include "imagery/series_stats.h"
#include "imagery/series_stream.h"
#include "imagery/texture_loading.h"
#include "imagery/texture_upload_gl.h"
#include "lesson/lesson_steps.h"
#include "plot/plot_files.h"
#include "plot/plot_render.h"
#include "render/animation.h"
#include "render/flat_quad_gl.h"
#include "render/globe_state.h"
#include "render/picture_export.h"
#include "render/series_export.h"
#include "render/sphere.h"
#include "render/timebar.h"
#include "text/captions.h"
#include "text/notices.h"
#include "text/place_labels_gl.h"
#include "text/window_text.h"
#include "ui/help_overlay.h"
#include "ui/icon_palette.h"
#include "ui/statistics_line.h"

namespace {

// Longest wait of an exported frame for its decode, per drawn frame.
constexpr double kExportFrameWait = 5.0;

bool valid_slot(int slot)
{
    return slot >= 0 && slot < kMaxFrames;
}

// Up-down arrows during a zoom drag, none when the cursor is hidden. Set only
// when it differs from the window's cursor, so a steady frame sends the X
// server nothing.
void set_cursor()
{
    int cursor = view.scaling ? GLUT_CURSOR_UP_DOWN : GLUT_CURSOR_INHERIT;
    if (wnd.invisible_cursor == 1)
        cursor = GLUT_CURSOR_NONE;
    if (glutGet(GLUT_WINDOW_CURSOR) != cursor)
        glutSetCursor(cursor);
}

void look_at_globe()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    if (wnd.ez >= 0)
        gluLookAt(0, 0, wnd.ez, 0, 0, 0, 0, 1, 0);
    else
        gluLookAt(0, 0, -wnd.ez, 0, 0, 0, 0, -1, 0);
}

// Screen layer of the frame in `slot` of `window`, placed with its top-left
// corner at (x, y) and height `scale`, in the shape of the screen image the
// window's texture holds. Texturing is left disabled.
void draw_screen_layer(int window, int slot, double scale, double x, double y)
{
    int width = 0, height = 0;
    if (!valid_slot(slot) || img.mask_logo[slot] == 0 ||
        !shown_layer_size(window, static_cast<int>(SeriesLayer::screen), &width, &height))
        return;
    double h = scale;
    double w = scale * width / height;
    // The window's own slot: window 2's series keeps its alternates apart.
    bool alternate = series.texture_double1 == 1 && img.mask_doublelogo[slot] == 1;
    glBindTexture(GL_TEXTURE_2D, img.texName[alternate ? 3 : 1]);
    if (overlay.screen_onoff != 1)
        return;
    draw_flat_picture(x, y, w, h);
}

// Window width or height from its reciprocal kept by resize, or the current
// window's own before resize has run. Rounded: a plain cast of 1 / (1 / n)
// gives n - 1 for many sizes (1680 among them), which would shrink the
// viewport by a pixel at every projection switch.
int last_window_size(double reciprocal, GLenum current)
{
    if (reciprocal > 0)
        return static_cast<int>(std::lround(1 / reciprocal));
    return glutGet(current);
}

// Offset of window 2's images in the tables.
int window2_offset()
{
    return series.second_sphere_texture == 1 ? play.ntimemax : 0;
}

} // namespace

void display()
{
    if (series.auto_reload == 1) {
        series.time_now = std::time(nullptr) / 60.0;
        if (series.time_now - series.time_previous > series.auto_reload_interval_min) {
            reload_texture_init_file();
            series.time_previous = series.time_now;
        }
    }
    const bool settings_reload = series.readinit_file == 1;
    const bool maps_reload = settings_reload && series.readtextureornot == 1;
    if (series.readinit_file == 1) {
        SlotRange own_before = window_slot_range(wnd.window2);
        func_readinit_file();
        fileornot();
        load_caption_file();
        series.readinit_file = 0;
        // Window 2 may have carried out its part of a full reload already,
        // under the old frame count. If its own series now sits elsewhere in
        // the tables (window 1's load is about to overwrite the old place),
        // it loads again.
        SlotRange own_after = window_slot_range(wnd.window2);
        if (wnd.window2 != 0 && series.readtextureornot == 1 &&
            (own_before.first != own_after.first || own_before.end != own_after.end))
            series.readtextureornot2 = 1;
    }
    carry_out_lesson_frame();
    if (series.readtextureornot == 1) {
        fileyomitori(wnd.window1);
        series.readtextureornot = 0;
    }
    if (settings_reload)
        notice_reload_done(maps_reload);
    set_cursor();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    prepare_series_export_frame();
    step_animation(elapsed_seconds());
    const bool exporting = series_export_active();
    follow_series_position(play.ntime, exporting ? 1 : play.anim);
    // Every exported frame must be the series' own: its decode is waited for.
    if (exporting)
        wait_for_streamed_frame(play.ntime, kExportFrameWait);
    // A streamed frame not decoded yet leaves the frame shown before, and
    // the next frame tries again.
    bool frame_changed = play.ntimetmp != play.ntime;
    bool shown = true;
    if (frame_changed || frame_textures_stale(wnd.window1))
        shown = texture_change(wnd.window1);
    if (frame_changed && shown) {
        read_step_plot_files(play.ntime);
        notice_frame_shown(play.ntime);
    }

    look_at_globe();
    advance_globe_state(elapsed_seconds());
    if (overlay.screen_front == 1)
        display_earth(wnd.window1);
    draw_screen_layer(wnd.window1, play.ntime, overlay.logo_scale, overlay.logo_x, overlay.logo_y);
    if (overlay.screen_front == 0)
        display_earth(wnd.window1);
    draw_caption();

    // After the frame's time step, so reading it back delays only the swap;
    // the writer thread encodes it. Pictures show the globe, not the
    // notices, the black screen, the statistics or the key reference over it.
    if (shown)
        export_drawn_frame(false);
    draw_notices();
    draw_statistics_line(false);
    cover_window(false);
    glutSwapBuffers();
    count_drawn_frame(false);
    note_frame_drawn(elapsed_seconds());
    if (!shown)
        return;
    play.ntimetmp = play.ntime;
    finish_series_export_frame();
}

void display2()
{
    // Sharing window 1's series, this window waits while window 1 is about to
    // (re)fill the tables: a frame drawn now would show them empty. It keeps
    // showing its last picture meanwhile.
    if (series.second_sphere_texture != 1 && series.readtextureornot == 1) {
        glutPostRedisplay();
        return;
    }
    if (series.readtextureornot2 == 1) {
        fileyomitori(wnd.window2);
        series.readtextureornot2 = 0;
    }
    set_cursor();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    if (wnd.fullscreen == 1) {
        step_animation(elapsed_seconds());
        follow_series_position(play.ntime, play.anim);
    }
    // Also when only the tables changed: sharing window 1's series, this
    // window may have drawn before window 1 filled them.
    if ((play.ntime2 != play.ntime || frame_textures_stale(wnd.window2)) &&
        texture_change(wnd.window2))
        play.ntime2 = play.ntime;

    look_at_globe();
    int offset = window2_offset();
    advance_globe_state(elapsed_seconds());
    if (overlay.screen_front == 1)
        display_earth(wnd.window2);
    draw_screen_layer(wnd.window2, play.ntime + offset, overlay.logo_scale2, overlay.logo_x2,
                      overlay.logo_y2);
    if (overlay.screen_front == 0)
        display_earth(wnd.window2);
    draw_caption();

    export_drawn_frame(true);
    draw_statistics_line(true);
    cover_window(true);
    glutSwapBuffers();
    count_drawn_frame(true);
}

// Draws only: the state it shows was advanced by advance_globe_state, which
// the callers run right before it. The one state change here is the
// projection switch requested through perspec_radio, applied at the end.
//
// GL state: expects the camera alone on the model-view stack and depth
// testing off. Depth testing, 2D texturing and line smoothing are on only
// inside; it leaves them off, the model-view matrix as found, the depth
// function GL_LESS, the depth range 0 .. 1 and the globe's texture bound.
// The projection may be rebuilt at the very end (the switch requested
// through perspec_radio).
void display_earth(int window)
{
    bool second = window == wnd.window2 && wnd.window2 != 0;
    glEnable(GL_DEPTH_TEST);
    glPushMatrix();

    int slot = play.ntime + (second ? window2_offset() : 0);
    bool alternate =
        series.texture_double1 == 1 && valid_slot(slot) && img.mask_spherelogo[slot] == 1;
    glBindTexture(GL_TEXTURE_2D, img.texName[alternate ? 2 : 0]);
    glEnable(GL_TEXTURE_2D);

    float s = second ? view.scale_factor2 : view.scale_factor;
    if (second) {
        const float* shift = view.synch == 1 ? view.trans : view.trans2;
        glTranslated(view.trans_x2 * s, view.trans_y2 * s, 0);
        glTranslated(shift[0] * s, shift[1] * s, 0);
        glMultMatrixd(view.rt2);
        glRotated(spin.thetajiten, 0, 0, 1);
        glScaled(s, s, s);
    } else {
        glTranslated(view.trans[0] * s, view.trans[1] * s, 0);
        glMultMatrixd(view.rt);
        glRotated(spin.thetajiten, 0, 0, 1);
        glScaled(s, s, s);
    }

    // A negative zoom (a negative eye position) mirrors the globe in depth:
    // culling keeps the same faces as at the positive zoom, but they and
    // everything on them now lie beyond the globe's centre, so the depth
    // order is reversed for the globe pass.
    if (s < 0)
        glDepthRange(1, 0);
    sphere(1.0);
    draw_plot_overlays();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LINE_SMOOTH);
    draw_strokes();
    draw_place_labels();
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_TEXTURE_2D);
    glDepthRange(0, 1);
    glPopMatrix();

    glDepthFunc(GL_ALWAYS);
    if (overlay.icon_hyoji_onoff == 1) {
        functimebar();
        draw_timebar_text();
    }
    if (!second) {
        show_icon();
        if (drawing.drawing_onoff == 1)
            show_drawing_palette();
    }
    glDepthFunc(GL_LESS);
    glDisable(GL_DEPTH_TEST);

    if (wnd.perspec_radio != wnd.perspec) {
        wnd.perspec = wnd.perspec_radio;
        int which = second ? 1 : 0;
        resize(last_window_size(wnd.sx[which], GLUT_WINDOW_WIDTH),
               last_window_size(wnd.sy[which], GLUT_WINDOW_HEIGHT));
    }
}
