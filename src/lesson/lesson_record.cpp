// lesson_record.cpp — writing the view as a lesson step.
#include "lesson/lesson_record.h"

#include <cmath>
#include <cstdio>

#include "core/file_replace.h"
#include "core/input_file.h"
#include "core/tyxparam.h"
#include "lesson/flight_control.h"
#include "lesson/lesson_file.h"
#include "lesson/lesson_steps.h"
#include "text/notices.h"
#include "view/view_pose.h"

namespace {

const double kPi = 4 * std::atan(1.0);

// "%.4f" without the zeros at its end: 35.6895, 0, -12.5.
std::string number(double v, const char* format = "%.4f")
{
    char text[64];
    std::snprintf(text, sizeof text, format, v == 0 ? 0.0 : v);
    std::string s = text;
    if (s.find('.') != std::string::npos) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.')
            s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

std::string line(const char* key, const std::string& values)
{
    return std::string(key) + " " + values + "\n";
}

std::string onoff(int value)
{
    return value == 1 ? "1" : "0";
}

void tell_not_added(const std::string& path, const std::string& why)
{
    std::fprintf(stderr, "tyx: %s: view not added: %s\n", path.c_str(), why.c_str());
    post_notice("View not added to " + path + ": " + why);
}

} // namespace

std::string view_step_text(const std::string& title)
{
    const FlightEnd pose = current_globe_pose();
    const ViewAngles at = view_of_orientation(pose.q, wnd.ez);
    // "#Scale" turns the zoom round for an eye behind the globe; written the
    // other way round here, it reads back as it is now.
    const double scale = wnd.ez < 0 ? -pose.scale : pose.scale;
    std::string text = "= " + title + "\n";
    text += line("#Latitude", number(polar_angle_to_latitude(at.rad_latitude)));
    text += line("#Longitude", number(radians_to_longitude(at.rad_longitude)));
    text += line("#Heading", number(at.heading * 180 / kPi));
    text += line("#Scale", number(scale, "%.5f"));
    text += line("#EarthXY", number(pose.trans[0]) + " " + number(pose.trans[1]));
    text += line("#Frame", std::to_string(play.ntime));
    text += line("#PointsInitDisplay", onoff(plot.point_display_onoff));
    text += line("#ArrowsInitDisplay", onoff(plot.arrow_display_onoff));
    text += line("#LinesInitDisplay", onoff(plot.senga_display_onoff));
    text += line("#ScreenOn", onoff(overlay.screen_onoff));
    text += line("#MeridianLatitude",
                 onoff(overlay.isenkeisenornot) + " " + std::to_string(overlay.num_keisen) + " " +
                     std::to_string(overlay.num_isen) + " " + number(overlay.line_width) + " " +
                     number(overlay.line_width_red));
    if (play.number_of_textures > 1)
        text += line("#SecondTexture_at_startup", onoff(series.texture_double1));
    return text;
}

std::string lesson_with_step(const std::string& lesson_text, const std::string& step)
{
    std::string text = lesson_text;
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    if (!text.empty())
        text += '\n';
    return text + step;
}

bool record_view_step()
{
    const std::string path = lesson_target_file();
    InputText old;
    InputRefusal refusal = InputRefusal::none;
    if (!read_input_text(path.c_str(), kMaxLessonBytes, &old, &refusal)) {
        if (refusal == InputRefusal::not_regular) {
            tell_not_added(path, "not a regular file");
            return false;
        }
        old = InputText{}; // a new lesson
    } else if (old.cut) {
        tell_not_added(path, "the file is too large to be read whole");
        return false;
    }
    const int number_of_step = static_cast<int>(parse_lesson(old.bytes, path).steps.size()) + 1;
    const FlightEnd pose = current_globe_pose();
    const ViewAngles at = view_of_orientation(pose.q, wnd.ez);
    const double latitude = polar_angle_to_latitude(at.rad_latitude);
    const double longitude = radians_to_longitude(at.rad_longitude);
    const std::string title = "View " + std::to_string(number_of_step) + ": " +
                              number(std::fabs(latitude), "%.1f") +
                              (latitude < 0 ? " S, " : " N, ") +
                              number(std::fabs(longitude), "%.1f") + (longitude < 0 ? " W" : " E");
    const std::string text = lesson_with_step(old.bytes, view_step_text(title));
    std::string why;
    if (!replace_file(
            path.c_str(),
            [&](FILE* out) { return std::fwrite(text.data(), 1, text.size(), out) == text.size(); },
            &why)) {
        tell_not_added(path, why);
        return false;
    }
    const std::string added =
        "View added to " + path + " as step " + std::to_string(number_of_step);
    std::printf("%s\n", added.c_str());
    std::fflush(stdout);
    post_notice(added);
    adopt_recorded_step(path, text, number_of_step - 1);
    return true;
}
