// key_actions.cpp — the key tables: state changes and the window work each
// key asks for.
#include "view/key_actions.h"

#include <cmath>
#include <cstdio>

#include "core/clock.h"
#include "core/tyxparam.h"
#include "drawing/drawing_store.h"
#include "view/commands.h"
#include "view/orientation.h"

namespace {

int flipped(int onoff)
{
    return onoff == 0 ? 1 : 0;
}

KeyResponse redisplay_only()
{
    KeyResponse r;
    r.redisplay = true;
    return r;
}

// Rebuild and redisplay: the change shows in the pop-up menu or may do so.
KeyResponse rebuild_and_redisplay()
{
    KeyResponse r;
    r.rebuild_menu = true;
    r.redisplay = true;
    return r;
}

bool presentation_mode()
{
    return icons.presentation_remote == 1;
}

// Esc and F5 of a presentation clicker.
KeyResponse clicker_spin()
{
    toggle_spin();
    return rebuild_and_redisplay();
}

// Keys Z (full reload) and z (configuration only): a second press before
// the next frame cancels the first.
KeyResponse full_reload_key()
{
    KeyResponse r = rebuild_and_redisplay();
    if (series.readtextureornot == 1) {
        // The first press has already released the images, so only the
        // configuration re-read is called off: the image reload stays
        // requested and the globe gets its maps back instead of none.
        series.readinit_file = 0;
    } else {
        r.request_full_reload = true;
    }
    return r;
}

KeyResponse configuration_reload_key()
{
    if (series.readinit_file == 1) {
        series.readinit_file = 0;
    } else {
        std::printf("reload init parameter file\n");
        std::fflush(stdout);
        series.readinit_file = 1;
    }
    return rebuild_and_redisplay();
}

} // namespace

KeyResponse character_key(unsigned char key, bool second_window)
{
    KeyResponse r;
    if (key == 'q' || key == 'Q') {
        r.quit = true;
        return r;
    }
    switch (key) {
    case 27: // Esc
        if (presentation_mode())
            return clicker_spin();
        wnd.fullscreen = 0;
        r = rebuild_and_redisplay();
        r.leave_full_screen = true;
        return r;
    case ' ':
        toggle_play_forward();
        return rebuild_and_redisplay();
    case 'r':
        toggle_play_backward();
        return rebuild_and_redisplay();
    case 's':
        toggle_spin();
        return rebuild_and_redisplay();
    case '+':
    case '-':
        change_play_speed(key == '+' ? 1 : -1);
        r.rebuild_menu = true;
        return r;
    case '>':
    case '<':
        change_spin_speed(key == '>' ? 1 : -1);
        r.rebuild_menu = true;
        return r;
    case '1':
        overlay.logo_scale /= 1.01;
        return redisplay_only();
    case '2':
        overlay.logo_scale *= 1.01;
        return redisplay_only();
    case '3':
        overlay.logo_x -= 0.01;
        return redisplay_only();
    case '4':
        overlay.logo_x += 0.01;
        return redisplay_only();
    case '5':
        overlay.logo_y -= 0.01;
        return redisplay_only();
    case '6':
        overlay.logo_y += 0.01;
        return redisplay_only();

    // Frame steps. Those that stop the animation also rebuild, so that the
    // menu does not go on offering "Stop play" for a stopped series.
    case 'a':
        step_frames_forward(1);
        return rebuild_and_redisplay();
    case 'A':
        step_frames_forward(10);
        return rebuild_and_redisplay();
    case 'b':
        step_frames_back(1);
        return rebuild_and_redisplay();
    case 'B':
        step_frames_back(10);
        return rebuild_and_redisplay();
    case 'w':
        if (play.number_of_textures > 1)
            series.texture_double1 = flipped(series.texture_double1);
        step_frame_wrapping();
        return rebuild_and_redisplay();
    case 'I':
        go_to_first_frame(elapsed_seconds());
        return redisplay_only();
    case 'J':
        go_to_last_frame(elapsed_seconds());
        return redisplay_only();

    case 'H':
        zoom_current_globe(0.8333333333333, second_window);
        return redisplay_only();
    case 'L':
        zoom_current_globe(1.2, second_window);
        return redisplay_only();
    case 'h':
        zoom_current_globe(0.985221674877, second_window);
        return redisplay_only();
    case 'l':
        zoom_current_globe(1.015, second_window);
        return redisplay_only();

    case 'i':
        reset_view();
        return redisplay_only();
    case 'j':
        reset_view_keep_frame();
        return redisplay_only();
    case 'n':
        north_up(second_window);
        return redisplay_only();
    case 'f':
        // Also rebuilt, so that the menu names the way back.
        r = rebuild_and_redisplay();
        if (toggle_full_screen_flag())
            r.enter_full_screen = true;
        else
            r.leave_full_screen = true;
        return r;

    // Overlays.
    case 'C':
        r = redisplay_only();
        r.toggle_icons = true;
        return r;
    case 'D':
        plot.senga_display_onoff = flipped(plot.senga_display_onoff);
        return rebuild_and_redisplay();
    case 'P':
        plot.point_display_onoff = flipped(plot.point_display_onoff);
        return rebuild_and_redisplay();
    case 'V':
        plot.arrow_display_onoff = flipped(plot.arrow_display_onoff);
        return rebuild_and_redisplay();
    case 'c':
        overlay.screen_onoff = flipped(overlay.screen_onoff);
        return rebuild_and_redisplay();
    case 'd':
        drawing.drawing_display_onoff = flipped(drawing.drawing_display_onoff);
        return rebuild_and_redisplay();
    case 'm':
        overlay.isenkeisenornot = flipped(overlay.isenkeisenornot);
        return rebuild_and_redisplay();
    case 'o':
        // With a single texture set there is nothing to switch to.
        if (play.number_of_textures <= 1)
            return r;
        series.texture_double1 = flipped(series.texture_double1);
        return rebuild_and_redisplay();

    // Freehand strokes.
    case 'p':
        toggle_drawing_mode();
        return redisplay_only();
    case 'e':
        if (drawing.drawing_onoff == 1 && undo_stroke())
            return rebuild_and_redisplay();
        return r;
    case 'E':
        if (drawing.drawing_onoff == 1 && redo_stroke())
            return rebuild_and_redisplay();
        return r;
    case 'v':
        if (drawing.drawing_onoff != 1)
            return r;
        save_drawings();
        return rebuild_and_redisplay();
    case 'x':
        fade_strokes_more();
        return rebuild_and_redisplay();
    case 'y':
        fade_strokes_less();
        return rebuild_and_redisplay();

    // Reload requests.
    case 'Z':
        return full_reload_key();
    case 'z':
        return configuration_reload_key();
    default:
        return r;
    }
}

KeyResponse special_key(int key, bool second_window)
{
    if (presentation_mode()) {
        // A presentation clicker sends F5, Left and Right for its buttons.
        if (key == kKeyF5)
            return clicker_spin();
        if (key == kKeyLeft)
            return character_key('b', second_window);
        if (key == kKeyRight)
            return character_key('a', second_window);
    }

    // Turn vector: dx in window widths, dy in window heights.
    double k = view.key_kaiten;
    double dx = 0, dy = 0;
    switch (key) {
    case kKeyF1:
        dx = -std::sqrt(k) * wnd.sx;
        dy = std::sqrt(k) * wnd.sy;
        break;
    case kKeyF2:
        dx = -std::sqrt(k) * wnd.sx;
        dy = -std::sqrt(k) * wnd.sy;
        break;
    case kKeyF3:
        dx = std::sqrt(k) * wnd.sx;
        dy = std::sqrt(k) * wnd.sy;
        break;
    case kKeyF4:
        dx = std::sqrt(k) * wnd.sx;
        dy = -std::sqrt(k) * wnd.sy;
        break;
    case kKeyLeft:
        dx = k * wnd.sx;
        break;
    case kKeyUp:
        dy = k * wnd.sy;
        break;
    case kKeyRight:
        dx = -k * wnd.sx;
        break;
    case kKeyDown:
        dy = -k * wnd.sy;
        break;
    default:
        break;
    }
    double a = std::sqrt(dx * dx + dy * dy);
    if (a == 0)
        return {};
    double h = a * 6.283185307179586 * 0.5;
    // Committed at once: otherwise every press would restart from the
    // orientation of the last mouse release and repeated presses would
    // show one step only.
    view_turn(second_window, dx, dy, a, h, true);
    return redisplay_only();
}
