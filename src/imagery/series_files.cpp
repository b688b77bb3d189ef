// series_files.cpp — file names, slot ranges and reader choice of the series.
#include "imagery/series_files.h"

#include <algorithm>

#include "core/tyxparam.h"

namespace {

const std::string& layer_stem(SeriesLayer layer, bool globe2)
{
    switch (layer) {
    case SeriesLayer::map:
        return globe2 ? series.strtexfile2 : series.strtexfile;
    case SeriesLayer::screen:
        return globe2 ? series.strscreenfile2 : series.strscreenfile;
    case SeriesLayer::second_texture:
        return globe2 ? series.strdoubletexfile2 : series.strdoubletexfile;
    case SeriesLayer::second_screen:
        break;
    }
    return globe2 ? series.strdoublescreenfile2 : series.strdoublescreenfile;
}

} // namespace

const std::string& series_suffix(SeriesLayer layer, bool globe2)
{
    switch (layer) {
    case SeriesLayer::map:
        return globe2 ? series.strtexfile_s2 : series.strtexfile_s;
    case SeriesLayer::screen:
        return globe2 ? series.strscreenfile_s2 : series.strscreenfile_s;
    case SeriesLayer::second_texture:
        return globe2 ? series.strdoubletexfile_s2 : series.strdoubletexfile_s;
    case SeriesLayer::second_screen:
        break;
    }
    return globe2 ? series.strdoublescreenfile_s2 : series.strdoublescreenfile_s;
}

std::string series_file_name(const std::string& stem, long long number, const std::string& suffix)
{
    return stem + std::to_string(number) + "." + suffix;
}

std::string slot_file_name(SeriesLayer layer, int slot, int frames)
{
    bool globe2 = slot >= frames;
    int frame = globe2 ? slot - frames : slot;
    return series_file_name(layer_stem(layer, globe2),
                            static_cast<long long>(frame) + play.tex_start,
                            series_suffix(layer, globe2));
}

bool is_second_window(int window)
{
    return wnd.window2 != 0 && window == wnd.window2;
}

SlotRange window_slot_range(int window)
{
    int n = std::clamp(play.ntimemax, 0, kMaxFrames);
    SlotRange range;
    if (is_second_window(window)) {
        if (series.second_sphere_texture == 1) {
            // Discovery keeps n within half the tables in this case; the clamp
            // guards a frame count set some other way.
            range.first = n;
            range.end = std::min(2 * n, kMaxFrames);
        }
    } else {
        range.end = n;
    }
    return range;
}

int window_slot_offset(int window)
{
    return is_second_window(window) && series.second_sphere_texture == 1 ? play.ntimemax : 0;
}

ImageReader choose_reader(SeriesLayer layer, const std::string& suffix, int* channels)
{
    bool jpeg = suffix == "jpg" || suffix == "jpeg";
    bool screen = layer == SeriesLayer::screen || layer == SeriesLayer::second_screen;
    bool alpha = screen && overlay.screen_front == 1;
    *channels = alpha ? 4 : 3;
    if (jpeg)
        return alpha ? load_image_jpeg_toumei : load_image_jpeg;
    return alpha ? load_image_toumei : load_image;
}
