// series_identity.cpp — the series settings of a step, compared.
#include "lesson/series_identity.h"

#include <cstdio>

#include "core/tyxparam.h"
#include "imagery/series_files.h"

namespace {

// The sixteen names in a fixed order: map, screen, second map, second
// screen, each stem then suffix; globe 1's eight, then globe 2's own.
std::string* name_fields[16] = {
    &series.strtexfile,           &series.strtexfile_s,
    &series.strscreenfile,        &series.strscreenfile_s,
    &series.strdoubletexfile,     &series.strdoubletexfile_s,
    &series.strdoublescreenfile,  &series.strdoublescreenfile_s,
    &series.strtexfile2,          &series.strtexfile_s2,
    &series.strscreenfile2,       &series.strscreenfile_s2,
    &series.strdoubletexfile2,    &series.strdoubletexfile_s2,
    &series.strdoublescreenfile2, &series.strdoublescreenfile_s2,
};

bool names_differ(const SeriesIdentity& a, const SeriesIdentity& b, int first, int end)
{
    for (int i = first; i < end; i++)
        if (a.names[i] != b.names[i])
            return true;
    return false;
}

bool has_second_layer(const SeriesIdentity& s)
{
    return s.number_of_textures > 1;
}

bool has_own_globe2_series(const SeriesIdentity& s)
{
    return s.nsphere == 2 && s.second_sphere_texture == 1;
}

} // namespace

SeriesIdentity current_series_identity()
{
    SeriesIdentity s;
    for (int i = 0; i < 16; i++)
        s.names[i] = *name_fields[i];
    s.tex_start = play.tex_start;
    s.tex_end = play.tex_end;
    s.number_of_textures = play.number_of_textures;
    s.second_sphere_texture = series.second_sphere_texture;
    s.nsphere = wnd.nsphere;
    s.screen_front = overlay.screen_front;
    s.screen_transparency = series.screen_transparency;
    return s;
}

void restore_series_identity(const SeriesIdentity& s)
{
    for (int i = 0; i < 16; i++)
        *name_fields[i] = s.names[i];
    play.tex_start = s.tex_start;
    play.tex_end = s.tex_end;
    play.number_of_textures = s.number_of_textures;
    series.second_sphere_texture = s.second_sphere_texture;
    overlay.screen_front = s.screen_front;
    series.screen_transparency = s.screen_transparency;
}

bool maps_differ(const SeriesIdentity& a, const SeriesIdentity& b)
{
    if (names_differ(a, b, 0, 4) || a.tex_start != b.tex_start || a.tex_end != b.tex_end ||
        a.screen_front != b.screen_front || a.screen_transparency != b.screen_transparency)
        return true;
    if (has_second_layer(a) != has_second_layer(b) ||
        (has_second_layer(a) && names_differ(a, b, 4, 8)))
        return true;
    if (has_own_globe2_series(a) != has_own_globe2_series(b))
        return true;
    const int globe2_end = has_second_layer(a) ? 16 : 12;
    return has_own_globe2_series(a) && names_differ(a, b, 8, globe2_end);
}

bool series_has_first_frame(std::string* missing)
{
    *missing = series_file_name(series.strtexfile, play.tex_start, series.strtexfile_s);
    for (int layer = 0; layer < 2; layer++) {
        const std::string& stem = layer == 0 ? series.strtexfile : series.strscreenfile;
        const std::string& suffix = layer == 0 ? series.strtexfile_s : series.strscreenfile_s;
        std::string name, reader_suffix;
        FILE* fp = open_series_file(stem, play.tex_start, suffix, &name, &reader_suffix);
        if (fp != nullptr) {
            std::fclose(fp);
            return true;
        }
    }
    return false;
}
