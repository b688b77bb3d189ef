// readinitfile.cpp — reads the configuration files into the viewer state.
#include "config/readinitfile.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "config/config_text.h"
#include "core/data_folders.h"
#include "core/file_notices.h"
#include "core/input_file.h"
#include "core/tyxparam.h"
#include "lesson/lesson_steps.h"

namespace {

// Bytes read of one configuration file: the shipped one holds a few
// kilobytes, and a larger file is something else by mistake.
constexpr size_t kMaxConfigBytes = 1 << 20;

// Applies every key of one file in the order met; tells on standard error
// what did not work, each with its line. A value that does not parse ends
// the file.
void read_config_file(const std::string& path)
{
    InputText text;
    InputRefusal why = InputRefusal::none;
    if (!read_input_text(path.c_str(), kMaxConfigBytes, &text, &why)) {
        // A missing file is normal (no language file, no user settings).
        if (why == InputRefusal::not_regular)
            std::fprintf(stderr, "tyx: %s: not a regular file; skipped\n", path.c_str());
        return;
    }
    if (text.cut)
        std::fprintf(stderr, "tyx: %s: only the first %zu KiB of its %lld KiB were read\n",
                     path.c_str(), kMaxConfigBytes >> 10, text.file_bytes >> 10);
    std::vector<std::string> problems;
    read_config_text(text.bytes, path, 1, OnBadValue::skip_rest_of_text, &problems);
    for (const std::string& line : problems)
        std::fprintf(stderr, "tyx: %s\n", line.c_str());
}

// Window 2 opens with window 1's size, just right of it, unless configured.
void derive_window2_geometry()
{
    if (wnd.pixsize2_x == -9999)
        wnd.pixsize2_x = wnd.pixsize_x;
    if (wnd.pixsize2_y == -9999)
        wnd.pixsize2_y = wnd.pixsize_y;
    if (wnd.pixposition2_x == -9999)
        wnd.pixposition2_x = wnd.pixposition_x + wnd.pixsize_x;
    if (wnd.pixposition2_y == -9999)
        wnd.pixposition2_y = wnd.pixposition_y;
}

// The fixed tilt of globe 2 against globe 1 and its inverse. The axis is used
// as configured, without normalising it.
void derive_globe2_tilt()
{
    const double a = view.angle2 * 3.141592653589793 / 180;
    const double ax = view.angle_axis2[0];
    const double ay = view.angle_axis2[1];
    view.qzure[0] = std::cos(a / 2);
    view.qzure[1] = ax * std::sin(a / 2);
    view.qzure[2] = ay * std::sin(a / 2);
    view.qzure[3] = 0;
    view.qzure_inv[0] = std::cos(-a / 2);
    view.qzure_inv[1] = ax * std::sin(-a / 2);
    view.qzure_inv[2] = ay * std::sin(-a / 2);
    view.qzure_inv[3] = 0;
}

} // namespace

void func_readinit_file(int first_file)
{
    // Every reading starts a new load, whose messages about files are told
    // again once.
    forget_file_notices();
    undo_lesson_step_settings();
    for (int i = first_file < 0 ? 0 : first_file; i < kConfigFiles; i++) {
        const std::string& path = series.init_file[i];
        if (!path.empty())
            read_config_file(path);
        // Globe 2 can have its own series only when it exists.
        if (wnd.nsphere == 1)
            series.second_sphere_texture = 0;
    }
    apply_lesson_step_settings();
    if (wnd.nsphere == 1)
        series.second_sphere_texture = 0;
    derive_window2_geometry();
    derive_globe2_tilt();
    place_content_names();
}
