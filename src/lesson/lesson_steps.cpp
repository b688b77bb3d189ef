// lesson_steps.cpp — the lesson held, the step applied and what it shows.
#include "lesson/lesson_steps.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "config/config_journal.h"
#include "config/config_text.h"
#include "config/readinitfile.h"
#include "config/reload.h"
#include "core/clock.h"
#include "core/tyxparam.h"
#include "imagery/series_discovery.h"
#include "lesson/flight_control.h"
#include "lesson/lesson_file.h"
#include "lesson/series_identity.h"
#include "text/captions.h"
#include "text/notices.h"
#include "view/view_pose.h"

namespace {

const double kPi = 4 * std::atan(1.0);

// What the current step's lines changed at the last reading, with the values
// they had before; put back by the next reading. Emptied by
// reset_viewer_state() through forget_lesson_step_settings().
ConfigJournal step_settings;
// The series settings at the start of the current reading: the maps shown.
SeriesIdentity series_before_reading;

void tell(const std::string& line)
{
    std::fprintf(stderr, "tyx: %s\n", line.c_str());
    std::fflush(stderr);
}

// The lesson the command line or the configuration names; "" for none.
const std::string& named_lesson()
{
    return lesson.lesson_option.empty() ? lesson.lesson_file : lesson.lesson_option;
}

void set_window_title_of_step(int step)
{
    lesson.window_title = wnd.window_title_1 + " - " + lesson.steps[step].title;
    lesson.title_changed = 1;
}

// "2/3 Europe at dusk"
std::string step_label(int step)
{
    return std::to_string(step + 1) + "/" + std::to_string(lesson.steps.size()) + " " +
           lesson.steps[step].title;
}

// Reads lesson file `name` ("" for none) in place of the steps held.
void read_lesson(const std::string& name)
{
    lesson.read_file = name;
    lesson.steps.clear();
    if (name.empty())
        return;
    LessonText text;
    std::string why;
    if (!read_lesson_file(name, &text, &why)) {
        tell(name + ": " + why + "; no lesson is shown");
        return;
    }
    for (const std::string& problem : text.problems)
        tell(problem);
    lesson.steps = std::move(text.steps);
}

// Reads the lesson named now when it is another one, or again at a reading
// that is no step change. A lesson read anew starts at its first step: at
// once at start-up, else by the next frame, which applies it in full.
void follow_lesson_file(bool first_reading)
{
    const std::string& named = named_lesson();
    const bool other = named != lesson.read_file;
    if (!other && (lesson.stepping == 1 || named.empty()))
        return;
    read_lesson(named);
    const int count = static_cast<int>(lesson.steps.size());
    if (count == 0) {
        // The window's own title again.
        if (lesson.step >= 0) {
            lesson.window_title = wnd.window_title_1;
            lesson.title_changed = 1;
        }
        lesson.step = -1;
    } else if (other || lesson.step < 0) {
        lesson.step = first_reading ? 0 : -1;
        if (!first_reading)
            lesson.step_request = 0;
    } else {
        lesson.step = std::min(lesson.step, count - 1);
    }
}

// Globe 1's view as the configuration just read gives it.
FlightEnd configured_pose()
{
    FlightEnd pose;
    orientation_of_view({view.rad_latitude, view.rad_longitude, view.heading * kPi / 180}, wnd.ez,
                        pose.q);
    pose.scale = view.init_scale_factor;
    pose.trans[0] = view.trans_x;
    pose.trans[1] = view.trans_y;
    return pose;
}

// The view the current step asks for, seen from `from`: what its view keys
// set, the rest as in `from`. A new place without a heading has north up.
FlightEnd step_target(const FlightEnd& from)
{
    FlightEnd to = from;
    const bool latitude = step_settings.kept(&view.rad_latitude);
    const bool longitude = step_settings.kept(&view.rad_longitude);
    const bool heading = step_settings.kept(&view.heading);
    if (latitude || longitude || heading) {
        ViewAngles want = view_of_orientation(from.q, wnd.ez);
        if (latitude)
            want.rad_latitude = view.rad_latitude;
        if (longitude)
            want.rad_longitude = view.rad_longitude;
        if (heading)
            want.heading = view.heading * kPi / 180;
        else
            want.heading = 0;
        orientation_of_view(want, wnd.ez, to.q);
    }
    if (step_settings.kept(&view.scale_factor))
        to.scale = view.scale_factor;
    if (step_settings.kept(&view.trans[0]) || step_settings.kept(&view.trans[1])) {
        to.trans[0] = view.trans[0];
        to.trans[1] = view.trans[1];
    }
    return to;
}

// The step's map, title and notice, once its settings are applied.
void show_step()
{
    const int step = lesson.step;
    if (step_settings.kept(&lesson.step_frame) && play.ntimemax > 0) {
        play.ntime = std::clamp(lesson.step_frame, 0, play.ntimemax - 1);
        play.jikan1 = elapsed_seconds();
    }
    std::string notice = step_label(step);
    if (!lesson.step_notice.empty())
        notice += ": " + lesson.step_notice;
    std::printf("Step %s\n", notice.c_str());
    std::fflush(stdout);
    post_notice(notice);
    set_window_title_of_step(step);
}

} // namespace

bool lesson_loaded()
{
    return !lesson.steps.empty();
}

std::string lesson_target_file()
{
    const std::string& named = named_lesson();
    return named.empty() ? kDefaultLessonFile : named;
}

void undo_lesson_step_settings()
{
    series_before_reading = current_series_identity();
    step_settings.restore();
}

void apply_lesson_step_settings()
{
    const bool first_reading = lesson.readings++ == 0;
    follow_lesson_file(first_reading);
    lesson.base_pose = configured_pose();
    lesson.step_notice.clear();
    if (lesson.step < 0 || lesson.step >= static_cast<int>(lesson.steps.size()))
        return;

    const LessonStep& step = lesson.steps[lesson.step];
    const SeriesIdentity files = current_series_identity();
    std::vector<std::string> problems;
    read_config_text(step.settings, lesson.read_file, step.title_line + 1,
                     OnBadValue::skip_rest_of_line, &problems, &step_settings);
    const std::string where = " (step " + step_label(lesson.step) + ")";
    for (const std::string& problem : problems)
        tell(problem + where);

    std::string missing;
    if (maps_differ(files, current_series_identity()) && !series_has_first_frame(&missing)) {
        // At start-up no maps are shown yet: those of the files stand in.
        restore_series_identity(first_reading ? files : series_before_reading);
        tell(lesson.read_file + ":" + std::to_string(step.title_line) + ": no maps: " + missing +
             " not found; the maps shown stay" + where);
        lesson.step_notice = "maps not found (" + missing + "), the maps shown stay";
    }
}

bool request_lesson_step(int step)
{
    if (!lesson_loaded() || step < 0 || step >= static_cast<int>(lesson.steps.size()))
        return false;
    lesson.step_request = step;
    return true;
}

void carry_out_lesson_step()
{
    const int step = lesson.step_request;
    lesson.step_request = -1;
    if (step < 0 || step >= static_cast<int>(lesson.steps.size()))
        return;
    const FlightEnd from = current_globe_pose();
    const float scale2 = view.scale_factor2;
    const float trans2[2] = {view.trans2[0], view.trans2[1]};
    const SeriesIdentity shown = current_series_identity();

    lesson.step = step;
    lesson.stepping = 1;
    func_readinit_file();
    lesson.stepping = 0;
    load_caption_file();

    if (maps_differ(shown, current_series_identity())) {
        fileornot();
        reload_frame_images();
        play.ntime = std::max(0, std::min(play.ntime, play.ntimemax - 1));
    }
    // The frame's textures and plot files again: the step may name others.
    play.ntimetmp = PlayState{}.ntimetmp;
    // The reading put the configured zooms back; a step keeps the view but
    // for what its own keys set.
    if (!step_settings.kept(&view.scale_factor2))
        view.scale_factor2 = scale2;
    view.trans2[0] = trans2[0];
    view.trans2[1] = trans2[1];
    fly_between(from, step_target(from));
    show_step();
}

void show_start_view()
{
    const FlightEnd from = lesson.base_pose;
    FlightEnd to = lesson_loaded() && lesson.step >= 0 ? step_target(from) : from;
    if (lesson.view_option == 1) {
        ViewAngles place;
        place.rad_latitude = latitude_to_polar_angle(lesson.view_latitude);
        place.rad_longitude = longitude_to_radians(lesson.view_longitude);
        orientation_of_view(place, wnd.ez, to.q);
        if (lesson.view_zoom > 0)
            to.scale = wnd.ez < 0 ? -lesson.view_zoom : lesson.view_zoom;
    }
    fly_between(from, to);
    if (lesson_loaded() && lesson.step >= 0)
        show_step();
}

void adopt_recorded_step(const std::string& path, const std::string& text, int step)
{
    const std::string& named = named_lesson();
    if (named.empty() || path != named)
        return;
    lesson.read_file = path;
    lesson.steps = parse_lesson(text, path).steps;
    if (step < 0 || step >= static_cast<int>(lesson.steps.size()))
        return;
    lesson.step = step;
    set_window_title_of_step(step);
}

void forget_lesson_step_settings()
{
    step_settings.clear();
}
