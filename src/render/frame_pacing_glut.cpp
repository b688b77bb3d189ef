// frame_pacing_glut.cpp — the paced display callbacks, the timers that ask for
// the next frame, and the swap interval requested through GLX.
#include <GL/freeglut.h>
#include <GL/glx.h>

#include <algorithm>

#include "core/clock.h"
#include "core/tyxparam.h"
#include "imagery/texture_upload_gl.h"
#include "render/display.h"
#include "render/frame_pacing.h"
#include "render/series_export.h"
#include "view/menu.h"

namespace {

int window_of(int index)
{
    return index == 0 ? wnd.window1 : wnd.window2;
}

// Asks window `index` (0 = window 1) for a frame, marked as the pacing's own
// request so that its display does not count as a request from outside.
void ask_for_frame(int index)
{
    if (window_of(index) == 0)
        return;
    wnd.frame_asked[index] = 1;
    glutPostWindowRedisplay(window_of(index));
}

// Timer callback. The value holds the window index (bit 0) and the timer's
// number; a timer that a nearer one has replaced does nothing.
void frame_timer(int value)
{
    int index = value & 1;
    if (value >> 1 != wnd.frame_timer_generation[index])
        return;
    wnd.frame_timer_at[index] = -1;
    ask_for_frame(index);
}

// A timer for window `index` at `at`, unless one already comes as early.
void ask_for_frame_at(int index, double at, double now)
{
    double pending = wnd.frame_timer_at[index];
    if (pending >= 0 && pending <= at + kFrameSlack)
        return;
    int generation = (wnd.frame_timer_generation[index] + 1) & 0x3fffffff;
    wnd.frame_timer_generation[index] = generation;
    wnd.frame_timer_at[index] = at;
    glutTimerFunc(frame_wait_ms(at, now), frame_timer, index | generation << 1);
}

// Whether a window still has to bring its textures up to the frame tables
// (after the other window refilled them, for one).
bool textures_stale()
{
    for (int window : {wnd.window1, wnd.window2})
        if (window != 0 && frame_textures_stale(window))
            return true;
    return false;
}

// A display request of window `index`. Without a limit, and while a series
// export writes its frames: draw and ask for the next frame at once. With one: draw when the frame
// is due (an early request, from input or an expose, is served by the timer of the due frame), then
// ask for the next frame when it is due, or after kStillFrameSeconds when
// nothing moves. A request from outside wakes both windows.
void paced(int index, void (*draw)())
{
    if (frame_period(wnd.frame_rate_limit) <= 0 || series_export_active()) {
        draw();
        renew_stale_menu();
        glutPostRedisplay();
        return;
    }
    double now = elapsed_seconds();
    if (wnd.frame_asked[index] == 0) {
        wnd.frames_lively_until = now + kLivelySeconds;
        ask_for_frame(1 - index);
    }
    wnd.frame_asked[index] = 0;
    if (frame_is_due(wnd.frame_due[index], now)) {
        wnd.frame_due[index] = next_frame_due(wnd.frame_due[index], now, wnd.frame_rate_limit);
        draw();
        renew_stale_menu();
        now = elapsed_seconds();
    }
    bool lively = view_is_moving() || textures_stale() || now < wnd.frames_lively_until;
    double at = next_frame_request(wnd.frame_due[index], now, lively);
    // A playing series alone needs a frame only when its next map is due.
    if (lively && now >= wnd.frames_lively_until && !textures_stale())
        at = std::max(at, next_map_time());
    ask_for_frame_at(index, at, now);
}

using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
using SwapIntervalMesa = int (*)(unsigned int);
using SwapIntervalSgi = int (*)(int);

// A GLX entry point by name; null where the library has none.
template <typename Function> Function glx_function(const char* name)
{
    return reinterpret_cast<Function>(glXGetProcAddress(reinterpret_cast<const GLubyte*>(name)));
}

} // namespace

void paced_display()
{
    paced(0, display);
}

void paced_display2()
{
    paced(1, display2);
}

void request_swap_interval()
{
    Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    if (display == nullptr || drawable == 0)
        return;
    int interval = wnd.frame_rate_limit > 0 ? 1 : 0;
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    if (has_extension_name(extensions, "GLX_EXT_swap_control")) {
        auto set = glx_function<SwapIntervalExt>("glXSwapIntervalEXT");
        if (set != nullptr) {
            set(display, drawable, interval);
            return;
        }
    }
    if (has_extension_name(extensions, "GLX_MESA_swap_control")) {
        auto set = glx_function<SwapIntervalMesa>("glXSwapIntervalMESA");
        if (set != nullptr) {
            set(static_cast<unsigned int>(interval));
            return;
        }
    }
    // The SGI extension knows no interval 0.
    if (interval > 0 && has_extension_name(extensions, "GLX_SGI_swap_control")) {
        auto set = glx_function<SwapIntervalSgi>("glXSwapIntervalSGI");
        if (set != nullptr)
            set(interval);
    }
}
