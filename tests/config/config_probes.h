// config_probes.h — every variable the configuration can change, readable by
// name, so a test can see which variables one reading changed.
#pragma once

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/tyxparam.h"

// Twelve significant digits: equal for values computed along different
// roundings, different for any value a test writes. -0 reads as 0.
inline std::string probe_text(double v)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.12g", v == 0 ? 0.0 : v);
    return text;
}
inline std::string probe_text(const std::string& s)
{
    return "\"" + s + "\"";
}

struct Probe {
    std::string name;
    std::function<std::string()> read;
};

#define CONFIG_PROBE(expr)                                                                         \
    Probe                                                                                          \
    {                                                                                              \
#expr, [] { return probe_text(expr); }                                                     \
    }

inline std::vector<Probe> config_probes()
{
    std::vector<Probe> probes = {
        CONFIG_PROBE(play.animsokudo),
        CONFIG_PROBE(play.anim_duration),
        CONFIG_PROBE(play.anim_duration_Final),
        CONFIG_PROBE(play.stopornot),
        CONFIG_PROBE(play.anim),
        CONFIG_PROBE(play.tex_start),
        CONFIG_PROBE(play.tex_end),
        CONFIG_PROBE(play.video_frame_rate),
        CONFIG_PROBE(play.number_of_textures),
        CONFIG_PROBE(spin.jitensokudo),
        CONFIG_PROBE(spin.jitenornot),
        CONFIG_PROBE(spin.jiten_speed),
        CONFIG_PROBE(wnd.fullscreen),
        CONFIG_PROBE(wnd.fullscreen2),
        CONFIG_PROBE(wnd.pixsize_x),
        CONFIG_PROBE(wnd.pixsize_y),
        CONFIG_PROBE(wnd.pixposition_x),
        CONFIG_PROBE(wnd.pixposition_y),
        CONFIG_PROBE(wnd.pixsize2_x),
        CONFIG_PROBE(wnd.pixsize2_y),
        CONFIG_PROBE(wnd.pixposition2_x),
        CONFIG_PROBE(wnd.pixposition2_y),
        CONFIG_PROBE(wnd.window_title_1),
        CONFIG_PROBE(wnd.window_title_2),
        CONFIG_PROBE(wnd.no_title_bar),
        CONFIG_PROBE(wnd.single_instance),
        CONFIG_PROBE(wnd.frame_rate_limit),
        CONFIG_PROBE(wnd.invisible_cursor),
        CONFIG_PROBE(wnd.perspec),
        CONFIG_PROBE(wnd.ez),
        CONFIG_PROBE(wnd.nsphere),
        CONFIG_PROBE(view.rad_latitude),
        CONFIG_PROBE(view.rad_longitude),
        CONFIG_PROBE(view.rad_latitude2),
        CONFIG_PROBE(view.rad_longitude2),
        CONFIG_PROBE(view.scale_factor),
        CONFIG_PROBE(view.init_scale_factor),
        CONFIG_PROBE(view.scale_factor2),
        CONFIG_PROBE(view.init_scale_factor2),
        CONFIG_PROBE(view.trans_x),
        CONFIG_PROBE(view.trans_y),
        CONFIG_PROBE(view.trans[0]),
        CONFIG_PROBE(view.trans[1]),
        CONFIG_PROBE(view.trans2[0]),
        CONFIG_PROBE(view.trans2[1]),
        CONFIG_PROBE(view.trans_x2),
        CONFIG_PROBE(view.trans_y2),
        CONFIG_PROBE(view.synch),
        CONFIG_PROBE(view.rotsynch),
        CONFIG_PROBE(view.angle2),
        CONFIG_PROBE(view.angle_axis2[0]),
        CONFIG_PROBE(view.angle_axis2[1]),
        CONFIG_PROBE(view.qzure[0]),
        CONFIG_PROBE(view.qzure[1]),
        CONFIG_PROBE(view.qzure[2]),
        CONFIG_PROBE(view.qzure[3]),
        CONFIG_PROBE(view.qzure_inv[0]),
        CONFIG_PROBE(view.qzure_inv[1]),
        CONFIG_PROBE(view.qzure_inv[2]),
        CONFIG_PROBE(view.qzure_inv[3]),
        CONFIG_PROBE(view.nomousedrag),
        CONFIG_PROBE(inertia.minkanseikaiten),
        CONFIG_PROBE(inertia.minkanseikaitenstop),
        CONFIG_PROBE(inertia.strengthkanseikaiten),
        CONFIG_PROBE(inertia.gensuikanseikaiten),
        CONFIG_PROBE(series.second_sphere_texture),
        CONFIG_PROBE(series.texture_double1),
        CONFIG_PROBE(series.screen_transparency),
        CONFIG_PROBE(series.auto_reload),
        CONFIG_PROBE(series.auto_reload_interval_min),
        CONFIG_PROBE(series.series_memory_mib),
        CONFIG_PROBE(series.strtexfile),
        CONFIG_PROBE(series.strtexfile_s),
        CONFIG_PROBE(series.strscreenfile),
        CONFIG_PROBE(series.strscreenfile_s),
        CONFIG_PROBE(series.strdoubletexfile),
        CONFIG_PROBE(series.strdoubletexfile_s),
        CONFIG_PROBE(series.strdoublescreenfile),
        CONFIG_PROBE(series.strdoublescreenfile_s),
        CONFIG_PROBE(series.strtexfile2),
        CONFIG_PROBE(series.strtexfile_s2),
        CONFIG_PROBE(series.strscreenfile2),
        CONFIG_PROBE(series.strscreenfile_s2),
        CONFIG_PROBE(series.strdoubletexfile2),
        CONFIG_PROBE(series.strdoubletexfile_s2),
        CONFIG_PROBE(series.strdoublescreenfile2),
        CONFIG_PROBE(series.strdoublescreenfile_s2),
        CONFIG_PROBE(overlay.logo_scale),
        CONFIG_PROBE(overlay.logo_x),
        CONFIG_PROBE(overlay.logo_y),
        CONFIG_PROBE(overlay.logo_scale2),
        CONFIG_PROBE(overlay.logo_x2),
        CONFIG_PROBE(overlay.logo_y2),
        CONFIG_PROBE(overlay.screen_front),
        CONFIG_PROBE(overlay.screen_onoff),
        CONFIG_PROBE(overlay.time_scale),
        CONFIG_PROBE(overlay.time_x),
        CONFIG_PROBE(overlay.time_y),
        CONFIG_PROBE(overlay.time_scrub),
        CONFIG_PROBE(overlay.isenkeisenornot),
        CONFIG_PROBE(overlay.num_keisen),
        CONFIG_PROBE(overlay.num_isen),
        CONFIG_PROBE(overlay.line_width),
        CONFIG_PROBE(overlay.line_width_red),
        CONFIG_PROBE(overlay.color_isenkeisen[0]),
        CONFIG_PROBE(overlay.color_isenkeisen[1]),
        CONFIG_PROBE(overlay.color_isenkeisen[2]),
        CONFIG_PROBE(overlay.color_isenkeisen[3]),
        CONFIG_PROBE(overlay.color_sekidou[0]),
        CONFIG_PROBE(overlay.color_sekidou[1]),
        CONFIG_PROBE(overlay.color_sekidou[2]),
        CONFIG_PROBE(overlay.color_sekidou[3]),
        CONFIG_PROBE(icons.int_button),
        CONFIG_PROBE(icons.ClickLock),
        CONFIG_PROBE(icons.presentation_remote),
        CONFIG_PROBE(icons.export_icons),
        CONFIG_PROBE(drawing.line_width_drawing),
        CONFIG_PROBE(drawing.color_drawing[0]),
        CONFIG_PROBE(drawing.color_drawing[1]),
        CONFIG_PROBE(drawing.color_drawing[2]),
        CONFIG_PROBE(drawing.color_drawing[3]),
        CONFIG_PROBE(drawing.pscale),
        CONFIG_PROBE(drawing.palette_posi_x),
        CONFIG_PROBE(drawing.palette_posi_y),
        CONFIG_PROBE(plot.str_points),
        CONFIG_PROBE(plot.str_points_s),
        CONFIG_PROBE(plot.point_mode_onoff),
        CONFIG_PROBE(plot.point_display_onoff),
        CONFIG_PROBE(plot.str_arrows),
        CONFIG_PROBE(plot.str_arrows_s),
        CONFIG_PROBE(plot.arrow_mode_onoff),
        CONFIG_PROBE(plot.arrow_display_onoff),
        CONFIG_PROBE(plot.str_senga),
        CONFIG_PROBE(plot.str_senga_s),
        CONFIG_PROBE(plot.senga_mode_onoff),
        CONFIG_PROBE(plot.senga_display_onoff),
        CONFIG_PROBE(txt.font),
        CONFIG_PROBE(txt.label_size),
        CONFIG_PROBE(txt.labels_display_onoff),
        CONFIG_PROBE(txt.caption_file),
        CONFIG_PROBE(txt.caption_x),
        CONFIG_PROBE(txt.caption_y),
        CONFIG_PROBE(txt.caption_size),
        CONFIG_PROBE(txt.timebar_text),
        CONFIG_PROBE(txt.notices_onoff),
        CONFIG_PROBE(lesson.lesson_file),
        CONFIG_PROBE(view.heading),
        CONFIG_PROBE(lesson.step_frame),
        CONFIG_PROBE(lesson.flight_seconds),
    };
    const std::pair<const char*, float*> colours[] = {
        {"txt.label_color", txt.label_color},
        {"txt.caption_color", txt.caption_color},
        {"overlay.gray", overlay.gray},
        {"overlay.darkgray", overlay.darkgray},
        {"overlay.timebar_cap_color", overlay.timebar_cap_color},
    };
    for (const auto& [name, rgba] : colours)
        for (int k = 0; k < 4; k++)
            probes.push_back({std::string(name) + "[" + std::to_string(k) + "]",
                              [rgba = rgba, k] { return probe_text(rgba[k]); }});
    for (int i = 0; i < kIconPlaces; i++) {
        std::string n = "[" + std::to_string(i) + "]";
        probes.push_back({"icons.icon_onoff_permanent" + n,
                          [i] { return probe_text(icons.icon_onoff_permanent[i]); }});
        probes.push_back({"icons.icon_scale" + n, [i] { return probe_text(icons.icon_scale[i]); }});
        probes.push_back(
            {"icons.icon_posi_x" + n, [i] { return probe_text(icons.icon_posi_x[i]); }});
        probes.push_back(
            {"icons.icon_posi_y" + n, [i] { return probe_text(icons.icon_posi_y[i]); }});
    }
    return probes;
}

#undef CONFIG_PROBE

using Snapshot = std::map<std::string, std::string>;

inline Snapshot take_snapshot()
{
    Snapshot values;
    for (const Probe& p : config_probes())
        values[p.name] = p.read();
    return values;
}

// The probes whose value differs between `before` and `after`, with their
// value in `after`.
inline Snapshot changed_values(const Snapshot& before, const Snapshot& after)
{
    Snapshot changed;
    for (const auto& [name, value] : after) {
        auto it = before.find(name);
        if (it == before.end() || it->second != value)
            changed[name] = value;
    }
    return changed;
}
