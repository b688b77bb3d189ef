// command_table.cpp — the command table: one entry per command, in the order
// of the Command values.
#include "view/command_table.h"

#include <cmath>
#include <cstdio>
#include <iterator>

#include "core/clock.h"
#include "core/tyxparam.h"
#include "drawing/drawing_store.h"
#include "lesson/lesson_record.h"
#include "lesson/lesson_steps.h"
#include "platform/click_lock.h"
#include "render/animation.h"
#include "render/picture_export.h"
#include "text/notices.h"
#include "ui/icon_palette.h"
#include "view/commands.h"
#include "view/orientation.h"

namespace {

using In = const CommandInput&;
using Work = CommandResponse*;

int flipped(int onoff)
{
    return onoff == 0 ? 1 : 0;
}

// Arrow and function-key turns: dx in window widths, dy in window heights,
// each in units of the key step. Committed at once, so that repeated presses
// add up in every rotation mode rather than each restarting from the
// orientation of the last mouse release.
bool key_turn(In in, double dx, double dy)
{
    double a = std::sqrt(dx * dx + dy * dy);
    if (!(a > 0))
        return false;
    double h = a * 6.283185307179586 * 0.5;
    view_turn(in.second_window, dx, dy, a, h, true);
    return true;
}

// Steps of the turn keys in the key's window: the arrows turn by the key
// step, the diagonal function keys by its square root in each direction.
double turn_step_x(In in, bool diagonal)
{
    return (diagonal ? std::sqrt(view.key_kaiten) : view.key_kaiten) *
           wnd.sx[in.second_window ? 1 : 0];
}

double turn_step_y(In in, bool diagonal)
{
    return (diagonal ? std::sqrt(view.key_kaiten) : view.key_kaiten) *
           wnd.sy[in.second_window ? 1 : 0];
}

bool full_screen(Work work)
{
    if (toggle_full_screen_flag())
        work->enter_full_screen = true;
    else
        work->leave_full_screen = true;
    return true;
}

// Z: a second press before the next frame cancels the first.
bool full_reload(Work work)
{
    if (series.readtextureornot == 1) {
        // The first press has already released the images, so only the
        // configuration re-read is called off: the image reload stays
        // requested and the globe gets its maps back instead of none.
        series.readinit_file = 0;
    } else {
        work->request_full_reload = true;
    }
    return true;
}

// z: the same for the configuration alone.
bool configuration_reload()
{
    if (series.readinit_file == 1) {
        series.readinit_file = 0;
    } else {
        std::printf("reload init parameter file\n");
        std::fflush(stdout);
        series.readinit_file = 1;
    }
    return true;
}

// + and -, > and <: the new speed is told in the window.
bool play_speed(int step)
{
    change_play_speed(step);
    post_notice(play_speed_notice(play.animsokudo, base_interval()));
    return true;
}

bool spin_speed(int step)
{
    change_spin_speed(step);
    post_notice(spin_speed_notice(spin.jitensokudo, spin.jiten_kankaku));
    return true;
}

bool second_layer()
{
    // With a single texture set there is nothing to switch to.
    if (play.number_of_textures <= 1)
        return false;
    series.texture_double1 = flipped(series.texture_double1);
    return true;
}

// The step the step keys count from: the one asked for when a key was
// pressed before the frame applied it.
int step_counted_from()
{
    return lesson.step_request >= 0 ? lesson.step_request : lesson.step;
}

constexpr bool kMenu = true, kNoMenu = false;     // renews the pop-up menu
constexpr bool kRedraw = true, kNoRedraw = false; // asks for a redraw

// clang-format off
const CommandEntry kCommands[] = {
    {Command::kQuit, "quit", "Quit", kNoMenu, kNoRedraw,
     [](In, Work w) { w->quit = true; return true; }},

    {Command::kPlayForward, "play_forward", "Play forward / stop", kMenu, kRedraw,
     [](In, Work) { toggle_play_forward(); return true; }},
    {Command::kPlayBackward, "play_backward", "Play backward / stop", kMenu, kRedraw,
     [](In, Work) { toggle_play_backward(); return true; }},
    {Command::kPlayFaster, "play_faster", "Play faster", kMenu, kNoRedraw,
     [](In, Work) { return play_speed(1); }},
    {Command::kPlaySlower, "play_slower", "Play slower", kMenu, kNoRedraw,
     [](In, Work) { return play_speed(-1); }},
    {Command::kSpin, "spin", "Spin on / off", kMenu, kRedraw,
     [](In, Work) { toggle_spin(); return true; }},
    {Command::kSpinFaster, "spin_faster", "Spin faster", kMenu, kNoRedraw,
     [](In, Work) { return spin_speed(1); }},
    {Command::kSpinSlower, "spin_slower", "Spin slower", kMenu, kNoRedraw,
     [](In, Work) { return spin_speed(-1); }},

    // Frame steps that stop the animation also renew the menu, so that it
    // does not go on offering "Stop play" for a stopped series.
    {Command::kNextFrame, "next_frame", "One map forward", kMenu, kRedraw,
     [](In, Work) { step_frames_forward(1); return true; }},
    {Command::kNextTenFrames, "next_ten_frames", "Ten maps forward", kMenu, kRedraw,
     [](In, Work) { step_frames_forward(10); return true; }},
    {Command::kPreviousFrame, "previous_frame", "One map back", kMenu, kRedraw,
     [](In, Work) { step_frames_back(1); return true; }},
    {Command::kPreviousTenFrames, "previous_ten_frames", "Ten maps back", kMenu, kRedraw,
     [](In, Work) { step_frames_back(10); return true; }},
    {Command::kNextFrameWrapping, "next_frame_wrapping",
     "One map forward, from the last to the first", kMenu, kRedraw,
     [](In, Work) { step_frame_wrapping(); return true; }},
    {Command::kPreviousFrameWrapping, "previous_frame_wrapping",
     "One map back, from the first to the last", kMenu, kRedraw,
     [](In, Work) { step_frame_back_wrapping(); return true; }},
    {Command::kLayerAndNextFrame, "layer_and_next_frame",
     "Other layer and one map forward", kMenu, kRedraw,
     [](In, Work) {
         if (play.number_of_textures > 1)
             series.texture_double1 = flipped(series.texture_double1);
         step_frame_wrapping();
         return true;
     }},
    {Command::kFirstFrame, "first_frame", "First map", kNoMenu, kRedraw,
     [](In, Work) { go_to_first_frame(elapsed_seconds()); return true; }},
    {Command::kLastFrame, "last_frame", "Last map", kNoMenu, kRedraw,
     [](In, Work) { go_to_last_frame(elapsed_seconds()); return true; }},

    {Command::kZoomIn, "zoom_in", "Zoom in", kNoMenu, kRedraw,
     [](In in, Work) { zoom_current_globe(1.2, in.second_window); return true; }},
    {Command::kZoomOut, "zoom_out", "Zoom out", kNoMenu, kRedraw,
     [](In in, Work) { zoom_current_globe(0.8333333333333, in.second_window); return true; }},
    {Command::kZoomInFine, "zoom_in_fine", "Zoom in a little", kNoMenu, kRedraw,
     [](In in, Work) { zoom_current_globe(1.015, in.second_window); return true; }},
    {Command::kZoomOutFine, "zoom_out_fine", "Zoom out a little", kNoMenu, kRedraw,
     [](In in, Work) { zoom_current_globe(0.985221674877, in.second_window); return true; }},
    // One notch of the wheel: the fine zoom steps, kept within a zoom drag's
    // bounds.
    {Command::kWheelZoomIn, "wheel_zoom_in", "Zoom in a little", kNoMenu, kRedraw,
     [](In in, Work) { wheel_zoom_current_globe(1.015, in.second_window); return true; }},
    {Command::kWheelZoomOut, "wheel_zoom_out", "Zoom out a little", kNoMenu, kRedraw,
     [](In in, Work) {
         wheel_zoom_current_globe(0.985221674877, in.second_window);
         return true;
     }},
    {Command::kTurnLeft, "turn_left", "Turn: left side to the centre",
     kNoMenu, kRedraw,
     [](In in, Work) { return key_turn(in, turn_step_x(in, false), 0); }},
    {Command::kTurnRight, "turn_right", "Turn: right side to the centre",
     kNoMenu, kRedraw,
     [](In in, Work) { return key_turn(in, -turn_step_x(in, false), 0); }},
    {Command::kTurnUp, "turn_up", "Turn: top to the centre", kNoMenu, kRedraw,
     [](In in, Work) { return key_turn(in, 0, turn_step_y(in, false)); }},
    {Command::kTurnDown, "turn_down", "Turn: bottom to the centre",
     kNoMenu, kRedraw,
     [](In in, Work) { return key_turn(in, 0, -turn_step_y(in, false)); }},
    {Command::kTurnUpRight, "turn_up_right", "Turn: top right to the centre",
     kNoMenu, kRedraw,
     [](In in, Work) { return key_turn(in, -turn_step_x(in, true), turn_step_y(in, true)); }},
    {Command::kTurnDownRight, "turn_down_right", "Turn: bottom right to the centre",
     kNoMenu, kRedraw,
     [](In in, Work) { return key_turn(in, -turn_step_x(in, true), -turn_step_y(in, true)); }},
    {Command::kTurnUpLeft, "turn_up_left", "Turn: top left to the centre",
     kNoMenu, kRedraw,
     [](In in, Work) { return key_turn(in, turn_step_x(in, true), turn_step_y(in, true)); }},
    {Command::kTurnDownLeft, "turn_down_left", "Turn: bottom left to the centre",
     kNoMenu, kRedraw,
     [](In in, Work) { return key_turn(in, turn_step_x(in, true), -turn_step_y(in, true)); }},
    {Command::kNorthUp, "north_up", "Turn north up", kNoMenu, kRedraw,
     [](In in, Work) { north_up(in.second_window); return true; }},
    {Command::kResetView, "reset_view", "First view and first map",
     kNoMenu, kRedraw,
     [](In, Work) { reset_view(); return true; }},
    {Command::kResetViewKeepFrame, "reset_view_keep_frame",
     "First view, same map", kNoMenu, kRedraw,
     [](In, Work) { reset_view_keep_frame(); return true; }},
    // The window work renews the menu and redraws in every window.
    {Command::kProjection, "projection", "Perspective / flat view", kNoMenu, kNoRedraw,
     [](In, Work w) { toggle_projection(); w->set_up_projections = true; return true; }},

    {Command::kFullScreen, "full_screen", "Full screen on / off", kMenu, kRedraw,
     [](In, Work w) { return full_screen(w); }},
    // The icon's version: the press that clicked it stored the pointer in
    // full-screen pixels; it is carried over to the restored size.
    {Command::kFullScreenClick, "full_screen_click",
     "Full screen on / off, keeping the pointer's place", kMenu, kRedraw,
     [](In in, Work w) {
         full_screen(w);
         if (w->leave_full_screen) {
             WindowSize size = configured_window_size(in.second_window);
             int which = in.second_window ? 1 : 0;
             view.cx = static_cast<int>(view.cx * wnd.sx[which] * size.width);
             view.cy = static_cast<int>(view.cy * wnd.sy[which] * size.height);
         }
         return true;
     }},
    {Command::kLeaveFullScreen, "leave_full_screen", "Leave full screen", kMenu, kRedraw,
     [](In, Work w) { wnd.fullscreen = 0; w->leave_full_screen = true; return true; }},
    {Command::kHelpOverlay, "help_overlay", "Show / hide this help", kNoMenu, kRedraw,
     [](In in, Work) {
         int& shown = overlay.help_onoff[in.second_window ? 1 : 0];
         shown = flipped(shown);
         return true;
     }},
    {Command::kStatistics, "statistics", "Statistics line on / off", kNoMenu, kRedraw,
     [](In in, Work) {
         int& shown = overlay.stats_onoff[in.second_window ? 1 : 0];
         shown = flipped(shown);
         return true;
     }},
    {Command::kBlankScreen, "blank_screen", "Black screen on / off", kNoMenu, kRedraw,
     [](In in, Work) {
         int& blank = overlay.blank_onoff[in.second_window ? 1 : 0];
         blank = flipped(blank);
         return true;
     }},
    // Turning the lock on starts the turn from where the pointer is.
    {Command::kClickLock, "click_lock", "Globe follows the pointer on / off", kNoMenu,
     kNoRedraw,
     [](In in, Work w) {
         w->press_at_pointer = toggle_click_lock();
         w->x = in.x;
         w->y = in.y;
         return true;
     }},
    // The window's next frame is read back once drawn.
    {Command::kSavePicture, "save_picture", "Save the window as a PNG picture", kNoMenu,
     kRedraw,
     [](In in, Work) { request_snapshot(in.second_window); return true; }},

    {Command::kGraticule, "graticule", "Graticule on / off", kMenu, kRedraw,
     [](In, Work) { overlay.isenkeisenornot = flipped(overlay.isenkeisenornot); return true; }},
    {Command::kSecondLayer, "second_layer", "Second layer on / off", kMenu, kRedraw,
     [](In, Work) { return second_layer(); }},
    {Command::kScreenLayer, "screen_layer", "Screen image on / off", kMenu, kRedraw,
     [](In, Work) { overlay.screen_onoff = flipped(overlay.screen_onoff); return true; }},
    {Command::kPlottedLines, "plotted_lines", "Plotted lines on / off", kMenu, kRedraw,
     [](In, Work) {
         plot.senga_display_onoff = flipped(plot.senga_display_onoff);
         return true;
     }},
    {Command::kPoints, "points", "Point symbols on / off", kMenu, kRedraw,
     [](In, Work) {
         plot.point_display_onoff = flipped(plot.point_display_onoff);
         return true;
     }},
    {Command::kArrows, "arrows", "Arrows on / off", kMenu, kRedraw,
     [](In, Work) {
         plot.arrow_display_onoff = flipped(plot.arrow_display_onoff);
         return true;
     }},
    {Command::kLabels, "labels", "Place labels on / off", kMenu, kRedraw,
     [](In, Work) {
         txt.labels_display_onoff = flipped(txt.labels_display_onoff);
         return true;
     }},
    {Command::kStrokes, "strokes", "Drawn lines on / off", kMenu, kRedraw,
     [](In, Work) {
         drawing.drawing_display_onoff = flipped(drawing.drawing_display_onoff);
         return true;
     }},
    {Command::kIconDisplay, "icon_display", "Icons and time bar on / off",
     kNoMenu, kRedraw,
     [](In, Work) { toggle_icon_display(); return true; }},

    {Command::kLogoSmaller, "logo_smaller", "Screen image smaller", kNoMenu, kRedraw,
     [](In, Work) { overlay.logo_scale /= 1.01; return true; }},
    {Command::kLogoLarger, "logo_larger", "Screen image larger", kNoMenu, kRedraw,
     [](In, Work) { overlay.logo_scale *= 1.01; return true; }},
    {Command::kLogoLeft, "logo_left", "Screen image to the left", kNoMenu, kRedraw,
     [](In, Work) { overlay.logo_x -= 0.01; return true; }},
    {Command::kLogoRight, "logo_right", "Screen image to the right", kNoMenu, kRedraw,
     [](In, Work) { overlay.logo_x += 0.01; return true; }},
    {Command::kLogoDown, "logo_down", "Screen image down", kNoMenu, kRedraw,
     [](In, Work) { overlay.logo_y -= 0.01; return true; }},
    {Command::kLogoUp, "logo_up", "Screen image up", kNoMenu, kRedraw,
     [](In, Work) { overlay.logo_y += 0.01; return true; }},

    {Command::kDrawingMode, "drawing_mode", "Drawing mode on / off", kMenu, kRedraw,
     [](In, Work) {
         const bool was_on = drawing.drawing_onoff == 1;
         toggle_drawing_mode(); // also shows or hides the erase and save icons
         if (!was_on && drawing.drawing_onoff != 1) // refused in the perspective view
             post_notice("No drawing in the perspective view: switch to the flat view first");
         return true;
     }},
    {Command::kUndoStroke, "undo_stroke", "Undo a line (drawing mode)", kMenu, kRedraw,
     [](In, Work) { return drawing.drawing_onoff == 1 && undo_stroke(); }},
    {Command::kRedoStroke, "redo_stroke", "Redo a line (drawing mode)", kMenu,
     kRedraw,
     [](In, Work) { return drawing.drawing_onoff == 1 && redo_stroke(); }},
    {Command::kSaveDrawings, "save_drawings", "Save the drawing (drawing mode)", kMenu, kRedraw,
     [](In, Work) {
         if (drawing.drawing_onoff != 1) {
             post_notice("Not saved: the drawing is saved in drawing mode (p, then v)");
             return false;
         }
         save_drawings(); // tells how it went
         return true;
     }},
    {Command::kFadeMore, "fade_more", "Fade the drawn lines", kMenu, kRedraw,
     [](In, Work) { fade_strokes_more(); return true; }},
    {Command::kFadeLess, "fade_less", "Fade the drawn lines less", kMenu, kRedraw,
     [](In, Work) { fade_strokes_less(); return true; }},

    {Command::kFullReload, "full_reload", "Reload settings and maps / cancel",
     kMenu, kRedraw,
     [](In, Work w) { return full_reload(w); }},
    {Command::kConfigurationReload, "configuration_reload",
     "Reload settings / cancel", kMenu, kRedraw,
     [](In, Work) { return configuration_reload(); }},

    {Command::kNextStep, "next_step", "Next lesson step", kNoMenu, kRedraw,
     [](In, Work) { return request_lesson_step(step_counted_from() + 1); }},
    {Command::kPreviousStep, "previous_step", "Previous lesson step", kNoMenu, kRedraw,
     [](In, Work) {
         return step_counted_from() > 0 && request_lesson_step(step_counted_from() - 1);
     }},
    // Also the step shown: its view again, after the globe was turned.
    {Command::kFirstStep, "first_step", "First lesson step", kNoMenu, kRedraw,
     [](In, Work) { return request_lesson_step(0); }},
    {Command::kLastStep, "last_step", "Last lesson step", kNoMenu, kRedraw,
     [](In, Work) { return request_lesson_step(static_cast<int>(lesson.steps.size()) - 1); }},
    {Command::kAddStep, "add_step", "Add the view to the lesson as a step", kNoMenu, kRedraw,
     [](In, Work) { record_view_step(); return true; }},
};
// clang-format on

static_assert(std::size(kCommands) == static_cast<size_t>(Command::kCount),
              "one table entry per command");

} // namespace

const CommandEntry* command_entry(Command command)
{
    int index = static_cast<int>(command);
    if (index < 0 || index >= static_cast<int>(Command::kCount))
        return nullptr;
    return &kCommands[index];
}

CommandResponse run_command(Command command, const CommandInput& input)
{
    CommandResponse response;
    const CommandEntry* entry = command_entry(command);
    if (entry == nullptr)
        return response;
    if (entry->change(input, &response)) {
        response.rebuild_menu = response.rebuild_menu || entry->rebuild_menu;
        response.redisplay = response.redisplay || entry->redisplay;
    }
    return response;
}
