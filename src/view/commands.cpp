// commands.cpp — the shared command state changes.
#include "view/commands.h"

#include <algorithm>

#include "core/tyxparam.h"
#include "view/mouse_drag.h"

namespace {
// The zoom an input from the given window acts on.
float& current_zoom(bool second_window)
{
    return !second_window || view.synch == 1 ? view.scale_factor : view.scale_factor2;
}
} // namespace

void toggle_play_forward()
{
    play.anim = play.anim == 1 ? 0 : 1;
}

void toggle_play_backward()
{
    play.anim = play.anim == -1 ? 0 : -1;
}

void toggle_spin()
{
    spin.jitenornot = spin.jitenornot == 0 ? 1 : 0;
}

void toggle_projection()
{
    wnd.perspec = wnd.perspec == 1 ? 0 : 1;
}

void change_play_speed(int step)
{
    play.animsokudo = std::clamp(play.animsokudo + step, kPlaySpeedMin, kPlaySpeedMax);
}

void change_spin_speed(int step)
{
    spin.jitensokudo = std::clamp(spin.jitensokudo + step, kSpinSpeedMin, kSpinSpeedMax);
}

void step_frames_forward(int count)
{
    // With no frames the last index would be -1; frame 0 is the only
    // harmless value then.
    play.ntime = std::max(std::min(play.ntime + count, play.ntimemax - 1), 0);
    play.anim = 0;
}

void step_frames_back(int count)
{
    if (play.ntime != 0)
        play.ntime = std::max(play.ntime - count, 0);
    play.anim = 0;
}

void step_frame_wrapping()
{
    play.ntime += 1;
    if (play.ntime >= play.ntimemax)
        play.ntime = 0;
    play.anim = 0;
}

void step_frame_back_wrapping()
{
    // Also brings an index beyond a count that a reload made smaller back
    // to the last frame.
    play.ntime -= 1;
    if (play.ntime < 0 || play.ntime >= play.ntimemax)
        play.ntime = std::max(play.ntimemax - 1, 0);
    play.anim = 0;
}

void go_to_first_frame(double now)
{
    play.ntime = 0;
    play.jikan1 = now;
}

void go_to_last_frame(double now)
{
    play.ntime = std::max(play.ntimemax - 1, 0);
    play.jikan1 = now;
}

void zoom_current_globe(double factor, bool second_window)
{
    float& scale = current_zoom(second_window);
    scale = static_cast<float>(static_cast<double>(scale) * factor);
}

void wheel_zoom_current_globe(double factor, bool second_window)
{
    float& scale = current_zoom(second_window);
    scale = zoom_after_wheel(scale, factor, wnd.ez, wnd.nearlimit);
}

bool toggle_full_screen_flag()
{
    if (wnd.fullscreen == 0) {
        wnd.fullscreen = 1;
        return true;
    }
    wnd.fullscreen = 0;
    return false;
}

WindowSize configured_window_size(bool second_window)
{
    // The configuration gives window 2 window 1's size when it sets none;
    // the sentinel check keeps a state that was never read sane as well.
    if (second_window && wnd.pixsize2_x > 0 && wnd.pixsize2_y > 0)
        return {wnd.pixsize2_x, wnd.pixsize2_y};
    return {wnd.pixsize_x, wnd.pixsize_y};
}

WindowPosition configured_window_position(bool second_window)
{
    if (second_window && wnd.pixposition2_x != -9999 && wnd.pixposition2_y != -9999)
        return {wnd.pixposition2_x, wnd.pixposition2_y};
    return {wnd.pixposition_x, wnd.pixposition_y};
}
