// config_keys.cpp — the configuration keys: which variables each one sets
// and the check or conversion it applies.
#include "config/config_keys.h"

#include <algorithm>
#include <sstream>

#include "core/tyxparam.h"
#include "drawing/drawing_store.h"

namespace {

// Degrees of the files become radians with this shorter value of pi, not the
// full-precision one, so a configured view centre keeps its exact angles.
constexpr double kDegreesPi = 3.14159265359;

// Range check: a value outside lo .. hi becomes `fallback`. Runs after the
// extraction whether or not it succeeded.
void limit(int& value, int lo, int hi, int fallback)
{
    if (value < lo || value > hi)
        value = fallback;
}

// Latitude in degrees to the polar angle from the north pole in radians.
void take_latitude(ValueReader& r, double& polar_angle)
{
    double degrees = 90 - polar_angle * 180 / kDegreesPi;
    if (!r.take(degrees))
        return;
    r.keep(polar_angle);
    polar_angle = (90 - degrees) * kDegreesPi / 180;
}

// Longitude in degrees to radians counted from 180 degrees west.
void take_longitude(ValueReader& r, double& radians)
{
    double degrees = radians * 180 / kDegreesPi - 180;
    if (!r.take(degrees))
        return;
    r.keep(radians);
    radians = (degrees + 180) * kDegreesPi / 180;
}

// A negative eye distance looks at the globe from behind, so the zoom is
// negated to keep the picture the right way round. Only the eye distance read
// so far counts.
void take_scale(ValueReader& r, float& initial, float& current)
{
    float scale = wnd.ez < 0 ? -initial : initial;
    if (!r.take(scale))
        return;
    if (wnd.ez < 0)
        scale = -scale;
    r.keep(initial);
    r.keep(current);
    initial = current = scale;
}

template <int N> void read_icon(ValueReader& r)
{
    r.keep(icons.icon_onoff_permanent[N]);
    icons.icon_onoff_permanent[N] = 1;
    r.take(icons.icon_scale[N]);
    r.take(icons.icon_posi_x[N]);
    r.take(icons.icon_posi_y[N]);
}

void read_earth_xy(ValueReader& r)
{
    r.keep(view.trans[0]);
    r.keep(view.trans[1]);
    if (r.take(view.trans_x))
        view.trans[0] = static_cast<float>(view.trans_x);
    if (r.take(view.trans_y))
        view.trans[1] = static_cast<float>(view.trans_y);
}

// Besides globe 2's fixed offset this key puts globe 1's movable offset back
// to its configured place, as "#EarthXY" does; globe 2's movable offset keeps
// its value.
void read_earth2_xy(ValueReader& r)
{
    r.take(view.trans_x2);
    r.take(view.trans_y2);
    if (r.failed())
        return;
    r.keep(view.trans[0]);
    r.keep(view.trans[1]);
    view.trans[0] = static_cast<float>(view.trans_x);
    view.trans[1] = static_cast<float>(view.trans_y);
}

void read_meridian_latitude(ValueReader& r)
{
    r.take(overlay.isenkeisenornot);
    limit(overlay.isenkeisenornot, 0, 1, 0);
    r.take(overlay.num_keisen);
    r.take(overlay.num_isen);
    r.take(overlay.line_width);
    r.take(overlay.line_width_red);
}

void read_inertia(ValueReader& r)
{
    r.take(inertia.minkanseikaiten);
    r.take(inertia.minkanseikaitenstop);
    r.take(inertia.strengthkanseikaiten);
    r.take(inertia.gensuikanseikaiten);
}

void read_colors(ValueReader& r)
{
    for (float& c : overlay.color_isenkeisen)
        r.take(c);
    for (float& c : overlay.color_sekidou)
        r.take(c);
}

void read_color(ValueReader& r, float* rgba)
{
    for (int k = 0; k < 4; k++)
        r.take(rgba[k]);
}

void read_pen(ValueReader& r)
{
    float width = drawing.line_width_drawing;
    float color[4];
    for (int c = 0; c < 4; c++)
        color[c] = drawing.color_drawing[c];
    r.take(width);
    for (float& c : color)
        r.take(c);
    r.keep(drawing.line_width_drawing);
    for (float& c : drawing.color_drawing)
        r.keep(c);
    set_configured_pen(width, color);
}

} // namespace

// Entries hold plain functions; the lambdas below capture nothing.
const ConfigKey kConfigKeys[] = {
    // Animation and spin.
    {"#AnimationSpeed", [](ValueReader& r) { r.take(play.animsokudo); }},
    {"#StopAt1stMap", [](ValueReader& r) { r.take(play.anim_duration); }},
    {"#StopAtFinalMap", [](ValueReader& r) { r.take(play.anim_duration_Final); }},
    {"#SpinSpeed", [](ValueReader& r) { r.take(spin.jitensokudo); }},
    {"#Spin",
     [](ValueReader& r) {
         r.take(spin.jitenornot);
         limit(spin.jitenornot, 0, 1, 0);
     }},
    {"#Repeat",
     [](ValueReader& r) {
         r.take(play.stopornot);
         limit(play.stopornot, 0, 1, 0);
     }},
    {"#Animation",
     [](ValueReader& r) {
         r.take(play.anim);
         limit(play.anim, -1, 1, 0);
     }},
    {"#SpinIntervalSecond", [](ValueReader& r) { r.take(spin.jiten_speed); }},

    // Windows.
    {"#FullScreen", [](ValueReader& r) { r.take(wnd.fullscreen); }},
    {"#FullScreen2", [](ValueReader& r) { r.take(wnd.fullscreen2); }},
    {"#WindowSizeXY",
     [](ValueReader& r) {
         r.take(wnd.pixsize_x);
         r.take(wnd.pixsize_y);
     }},
    {"#WindowSizeXY2",
     [](ValueReader& r) {
         r.take(wnd.pixsize2_x);
         r.take(wnd.pixsize2_y);
     }},
    {"#WindowPositionXY",
     [](ValueReader& r) {
         r.take(wnd.pixposition_x);
         r.take(wnd.pixposition_y);
     }},
    {"#WindowPositionXY2",
     [](ValueReader& r) {
         r.take(wnd.pixposition2_x);
         r.take(wnd.pixposition2_y);
     }},
    {"#WindowTitle", [](ValueReader& r) { r.take(wnd.window_title_1); }},
    {"#WindowTitle2", [](ValueReader& r) { r.take(wnd.window_title_2); }},
    {"#NoTitleBar_Windows", [](ValueReader& r) { r.take(wnd.no_title_bar); }},
    {"#SingleInstance", [](ValueReader& r) { r.take(wnd.single_instance); }},
    {"#FrameRateLimit",
     [](ValueReader& r) {
         r.take(wnd.frame_rate_limit);
         limit(wnd.frame_rate_limit, 0, 1000, 60);
     }},
    {"#InvisibleCursor",
     [](ValueReader& r) {
         r.take(wnd.invisible_cursor);
         limit(wnd.invisible_cursor, 0, 1, 0);
     }},
    {"#Perspective",
     [](ValueReader& r) {
         r.take(wnd.perspec);
         limit(wnd.perspec, 0, 1, 0);
     }},
    {"#EyePosition", [](ValueReader& r) { r.take(wnd.ez); }},
    {"#NumberOfEarth",
     [](ValueReader& r) {
         r.take(wnd.nsphere);
         limit(wnd.nsphere, 1, 2, 1);
     }},

    // Orientation, zoom and offsets of the globes.
    {"#Latitude", [](ValueReader& r) { take_latitude(r, view.rad_latitude); }},
    {"#Longitude", [](ValueReader& r) { take_longitude(r, view.rad_longitude); }},
    {"#Latitude2", [](ValueReader& r) { take_latitude(r, view.rad_latitude2); }},
    {"#Longitude2", [](ValueReader& r) { take_longitude(r, view.rad_longitude2); }},
    {"#Scale", [](ValueReader& r) { take_scale(r, view.init_scale_factor, view.scale_factor); }},
    {"#Scale2", [](ValueReader& r) { take_scale(r, view.init_scale_factor2, view.scale_factor2); }},
    {"#EarthXY", read_earth_xy},
    {"#Earth2XY", read_earth2_xy},
    {"#EarthSizeSynch",
     [](ValueReader& r) {
         r.take(view.synch);
         limit(view.synch, 0, 2, 1);
     }},
    {"#EarthRotationSynch",
     [](ValueReader& r) {
         r.take(view.rotsynch);
         limit(view.rotsynch, 0, 2, 1);
     }},
    {"#TextureOfEarth2",
     [](ValueReader& r) {
         r.take(series.second_sphere_texture);
         limit(series.second_sphere_texture, 1, 2, 0);
     }},
    {"#Earth2AngleAxisXY",
     [](ValueReader& r) {
         r.take(view.angle2);
         r.take(view.angle_axis2[0]);
         r.take(view.angle_axis2[1]);
     }},
    {"#InertiaOfRotation", read_inertia},
    {"#NoMouseDragRotation",
     [](ValueReader& r) {
         int& nomousedrag = configured_nomousedrag();
         r.take(nomousedrag);
         limit(nomousedrag, 0, 1, 0);
     }},

    // Screen layer, time bar, graticule, pen and palette.
    {"#ScreenScaleXY",
     [](ValueReader& r) {
         r.take(overlay.logo_scale);
         r.take(overlay.logo_x);
         r.take(overlay.logo_y);
     }},
    {"#ScreenScaleXY2",
     [](ValueReader& r) {
         r.take(overlay.logo_scale2);
         r.take(overlay.logo_x2);
         r.take(overlay.logo_y2);
     }},
    {"#ScreenFront",
     [](ValueReader& r) {
         r.take(overlay.screen_front);
         limit(overlay.screen_front, 0, 1, 0);
     }},
    {"#ScreenOn",
     [](ValueReader& r) {
         r.take(overlay.screen_onoff);
         limit(overlay.screen_onoff, 0, 1, 0);
     }},
    {"#TimebarScaleXY",
     [](ValueReader& r) {
         r.take(overlay.time_scale);
         r.take(overlay.time_x);
         r.take(overlay.time_y);
     }},
    // 1: a press and drag on the time bar set the frame; off unless configured.
    {"#TimeBarScrub",
     [](ValueReader& r) {
         r.take(overlay.time_scrub);
         limit(overlay.time_scrub, 0, 1, 0);
     }},
    {"#MeridianLatitude", read_meridian_latitude},
    {"#ColorMeridianLatitude", read_colors},
    {"#LineThicknessColor", read_pen},
    {"#PaletteScaleXY",
     [](ValueReader& r) {
         r.take(drawing.pscale);
         r.take(drawing.palette_posi_x);
         r.take(drawing.palette_posi_y);
     }},

    // Icon palette.
    {"#Icon",
     [](ValueReader& r) {
         r.take(icons.int_button);
         limit(icons.int_button, 0, kIconPlaces, 0);
     }},
    {"#ClickLock", [](ValueReader& r) { r.take(icons.ClickLock); }},
    {"#PresentaionRemoteMode", [](ValueReader& r) { r.take(icons.presentation_remote); }},
    // The same setting under its name spelt right.
    {"#PresentationRemoteMode", [](ValueReader& r) { r.take(icons.presentation_remote); }},
    {"#ExportIcons",
     [](ValueReader& r) {
         r.take(icons.export_icons);
         limit(icons.export_icons, 0, 1, 0);
     }},
    {"#IconScaleXY", read_icon<0>},
    {"#Icon2ScaleXY", read_icon<1>},
    {"#Icon3ScaleXY", read_icon<2>},
    {"#Icon4ScaleXY", read_icon<3>},
    {"#Icon5ScaleXY", read_icon<4>},
    {"#Icon6ScaleXY", read_icon<5>},
    {"#Icon7ScaleXY", read_icon<6>},
    {"#Icon8ScaleXY", read_icon<7>},
    {"#Icon9ScaleXY", read_icon<8>},
    {"#Icon10ScaleXY", read_icon<9>},
    {"#Icon11ScaleXY", read_icon<10>},
    {"#Icon12ScaleXY", read_icon<11>},
    {"#Icon13ScaleXY", read_icon<12>},
    {"#Icon14ScaleXY", read_icon<13>},
    {"#Icon15ScaleXY", read_icon<14>},
    {"#Icon16ScaleXY", read_icon<15>},
    {"#Icon17ScaleXY", read_icon<16>},
    {"#Icon18ScaleXY", read_icon<17>},
    {"#Icon19ScaleXY", read_icon<18>},
    {"#Icon20ScaleXY", read_icon<19>},
    {"#Icon21ScaleXY", read_icon<20>},
    {"#Icon22ScaleXY", read_icon<21>},
    {"#Icon23ScaleXY", read_icon<22>},
    {"#Icon24ScaleXY", read_icon<23>},
    {"#Icon25ScaleXY", read_icon<24>},
    {"#Icon26ScaleXY", read_icon<25>},
    {"#Icon27ScaleXY", read_icon<26>},

    // Map series.
    {"#TextureName", [](ValueReader& r) { r.take(series.strtexfile); }},
    {"#TextureSuffix", [](ValueReader& r) { r.take(series.strtexfile_s); }},
    {"#ScreenName", [](ValueReader& r) { r.take(series.strscreenfile); }},
    {"#ScreenSuffix", [](ValueReader& r) { r.take(series.strscreenfile_s); }},
    {"#SecondTextureName", [](ValueReader& r) { r.take(series.strdoubletexfile); }},
    {"#SecondTextureSuffix", [](ValueReader& r) { r.take(series.strdoubletexfile_s); }},
    {"#SecondScreenName", [](ValueReader& r) { r.take(series.strdoublescreenfile); }},
    {"#SecondScreenSuffix", [](ValueReader& r) { r.take(series.strdoublescreenfile_s); }},
    {"#TextureName2", [](ValueReader& r) { r.take(series.strtexfile2); }},
    {"#TextureSuffix2", [](ValueReader& r) { r.take(series.strtexfile_s2); }},
    {"#ScreenName2", [](ValueReader& r) { r.take(series.strscreenfile2); }},
    {"#ScreenSuffix2", [](ValueReader& r) { r.take(series.strscreenfile_s2); }},
    {"#SecondTextureName2", [](ValueReader& r) { r.take(series.strdoubletexfile2); }},
    {"#SecondTextureSuffix2", [](ValueReader& r) { r.take(series.strdoubletexfile_s2); }},
    {"#SecondScreenName2", [](ValueReader& r) { r.take(series.strdoublescreenfile2); }},
    {"#SecondScreenSuffix2", [](ValueReader& r) { r.take(series.strdoublescreenfile_s2); }},
    {"#TextureStart", [](ValueReader& r) { r.take(play.tex_start); }},
    {"#TextureEnd", [](ValueReader& r) { r.take(play.tex_end); }},
    {"#VideoFrameRate", [](ValueReader& r) { r.take(play.video_frame_rate); }},
    {"#NumberOfTextures", [](ValueReader& r) { r.take(play.number_of_textures); }},
    {"#SecondTexture_at_startup",
     [](ValueReader& r) {
         r.take(series.texture_double1);
         limit(series.texture_double1, 0, 1, 0);
     }},
    {"#ScreenBGTransparency", [](ValueReader& r) { r.take(series.screen_transparency); }},
    {"#AutoReload", [](ValueReader& r) { r.take(series.auto_reload); }},
    {"#AutoReloadIntervalMin", [](ValueReader& r) { r.take(series.auto_reload_interval_min); }},
    // MiB of decoded frames; a series that needs more is streamed. 0: automatic.
    {"#SeriesMemoryMiB",
     [](ValueReader& r) {
         r.take(series.series_memory_mib);
         limit(series.series_memory_mib, 0, 1 << 22, 0);
     }},

    // Plot overlays.
    {"#PointsName", [](ValueReader& r) { r.take(plot.str_points); }},
    {"#PointsSuffix", [](ValueReader& r) { r.take(plot.str_points_s); }},
    {"#PointsOn", [](ValueReader& r) { r.take(plot.point_mode_onoff); }},
    {"#PointsInitDisplay", [](ValueReader& r) { r.take(plot.point_display_onoff); }},
    {"#ArrowsName", [](ValueReader& r) { r.take(plot.str_arrows); }},
    {"#ArrowsSuffix", [](ValueReader& r) { r.take(plot.str_arrows_s); }},
    {"#ArrowsOn", [](ValueReader& r) { r.take(plot.arrow_mode_onoff); }},
    {"#ArrowsInitDisplay", [](ValueReader& r) { r.take(plot.arrow_display_onoff); }},
    {"#LinesName", [](ValueReader& r) { r.take(plot.str_senga); }},
    {"#LinesSuffix", [](ValueReader& r) { r.take(plot.str_senga_s); }},
    {"#LinesOn", [](ValueReader& r) { r.take(plot.senga_mode_onoff); }},
    {"#LinesInitDisplay", [](ValueReader& r) { r.take(plot.senga_display_onoff); }},

    // Text: font, place labels, captions, the time bar's reading and colours,
    // notices. Colours are red, green, blue, alpha from 0 to 1.
    {"#Font", [](ValueReader& r) { r.take(txt.font); }},
    {"#LabelSize", [](ValueReader& r) { r.take(txt.label_size); }},
    {"#LabelColor", [](ValueReader& r) { read_color(r, txt.label_color); }},
    {"#LabelsInitDisplay",
     [](ValueReader& r) {
         r.take(txt.labels_display_onoff);
         limit(txt.labels_display_onoff, 0, 1, 1);
     }},
    {"#CaptionFile", [](ValueReader& r) { r.take(txt.caption_file); }},
    {"#CaptionXY",
     [](ValueReader& r) {
         r.take(txt.caption_x);
         r.take(txt.caption_y);
     }},
    {"#CaptionSize", [](ValueReader& r) { r.take(txt.caption_size); }},
    {"#CaptionColor", [](ValueReader& r) { read_color(r, txt.caption_color); }},
    {"#TimeBarText",
     [](ValueReader& r) {
         r.take(txt.timebar_text);
         limit(txt.timebar_text, 0, 1, 0);
     }},
    // The bar: its end caps and groove; the knob on its own.
    {"#TimeBarColor",
     [](ValueReader& r) {
         read_color(r, overlay.darkgray);
         for (int k = 0; k < 4; k++) {
             r.keep(overlay.timebar_cap_color[k]);
             overlay.timebar_cap_color[k] = overlay.darkgray[k];
         }
     }},
    {"#TimeBarKnobColor", [](ValueReader& r) { read_color(r, overlay.gray); }},
    {"#Notices",
     [](ValueReader& r) {
         r.take(txt.notices_onoff);
         limit(txt.notices_onoff, 0, 1, 1);
     }},

    // Lessons and the view a step flies to.
    {"#Lesson", [](ValueReader& r) { r.take(lesson.lesson_file); }},
    {"#Heading", [](ValueReader& r) { r.take(view.heading); }},
    {"#Frame", [](ValueReader& r) { r.take(lesson.step_frame); }},
    // Negative times fly no time at all; a minute is the longest flight.
    {"#FlightSeconds",
     [](ValueReader& r) {
         if (r.take(lesson.flight_seconds))
             lesson.flight_seconds = std::clamp(lesson.flight_seconds, 0.0, 60.0);
     }},
};

const std::size_t kConfigKeyCount = sizeof kConfigKeys / sizeof kConfigKeys[0];

std::string config_key_values(const ConfigKey& key)
{
    std::ostringstream values;
    ValueReader describing(&values);
    key.read(describing);
    return values.str();
}

const ConfigKey* find_config_key(const std::string& token)
{
    // Most tokens are free text; only those starting with '#' can match.
    if (token.empty() || token[0] != '#')
        return nullptr;
    for (std::size_t i = 0; i < kConfigKeyCount; i++) {
        if (token == kConfigKeys[i].name)
            return &kConfigKeys[i];
    }
    return nullptr;
}
