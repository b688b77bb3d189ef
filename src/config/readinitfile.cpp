// readinitfile.cpp — reads the configuration files into the viewer state.
#include "config/readinitfile.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "config/config_keys.h"
#include "core/tyxparam.h"

namespace {

// The token at `where`, where the value that stopped the reading begins;
// empty when the file ends there.
std::string token_at(std::istream& in, std::streampos where)
{
    in.clear();
    std::string token;
    if (where == std::streampos(-1) || !in.seekg(where) || !(in >> token))
        return "";
    return token;
}

// A value that does not parse ends the reading of its file and everything
// after it is lost, so the presenter is told where and why.
void report_failed_value(const std::string& path, const char* key, std::string token)
{
    if (token.empty()) {
        std::fprintf(stderr, "tyx: %s: the file ends where %s expects a value\n", path.c_str(),
                     key);
        return;
    }
    // Keep the line readable when the file is not text at all.
    constexpr std::size_t kShownChars = 40;
    if (token.size() > kShownChars)
        token = token.substr(0, kShownChars) + "...";
    std::fprintf(stderr,
                 "tyx: %s: %s cannot take \"%s\" as its value; the rest of this file was "
                 "skipped\n",
                 path.c_str(), key, token.c_str());
}

// Applies every key of one file in the order met. Tokens that are no key are
// skipped one at a time, so free text between keys needs no comment syntax.
void read_config_file(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        return;
    std::string token;
    while (in >> token) {
        const ConfigKey* key = find_config_key(token);
        if (key == nullptr)
            continue;
        ValueReader values(in);
        key->read(values);
        if (values.failed()) {
            report_failed_value(path, key->name, token_at(in, values.failed_at()));
            return;
        }
    }
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

void func_readinit_file()
{
    for (const std::string& path : series.init_file) {
        if (!path.empty())
            read_config_file(path);
        // Globe 2 can have its own series only when it exists.
        if (wnd.nsphere == 1)
            series.second_sphere_texture = 0;
    }
    derive_window2_geometry();
    derive_globe2_tilt();
}
