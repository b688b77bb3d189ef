// series_files.cpp — file names, slot ranges and reader choice of the series.
#include "imagery/series_files.h"

#include <algorithm>
#include <cctype>

#include "core/input_file.h"
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

FILE* open_series_file(const std::string& stem, long long number, const std::string& suffix,
                       std::string* name, std::string* reader_suffix)
{
    *name = series_file_name(stem, number, suffix);
    *reader_suffix = suffix;
    FILE* fp = open_input_file(name->c_str());
    if (fp != nullptr)
        return fp;
    std::string upper = suffix;
    std::string lower = suffix;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (upper == suffix)
        return nullptr;
    std::string upper_name = series_file_name(stem, number, upper);
    fp = open_input_file(upper_name.c_str());
    if (fp != nullptr) {
        *name = std::move(upper_name);
        *reader_suffix = std::move(lower);
    }
    return fp;
}

namespace {

// Globe and file number of table slot `slot` in a series of `frames` frames.
bool slot_is_globe2(int slot, int frames)
{
    return slot >= frames;
}

long long slot_number(int slot, int frames)
{
    int frame = slot_is_globe2(slot, frames) ? slot - frames : slot;
    return static_cast<long long>(frame) + play.tex_start;
}

} // namespace

SeriesNames series_names(bool globe2)
{
    SeriesNames names;
    for (SeriesLayer layer : {SeriesLayer::map, SeriesLayer::screen, SeriesLayer::second_texture,
                              SeriesLayer::second_screen}) {
        names.stem[static_cast<int>(layer)] = layer_stem(layer, globe2);
        names.suffix[static_cast<int>(layer)] = series_suffix(layer, globe2);
    }
    names.first_number = play.tex_start;
    names.globe2 = globe2;
    return names;
}

FILE* open_frame_file(const SeriesNames& names, SeriesLayer layer, int frame, std::string* name,
                      std::string* reader_suffix)
{
    const int l = static_cast<int>(layer);
    return open_series_file(names.stem[l], names.first_number + frame, names.suffix[l], name,
                            reader_suffix);
}

std::string slot_file_name(SeriesLayer layer, int slot, int frames)
{
    bool globe2 = slot_is_globe2(slot, frames);
    return series_file_name(layer_stem(layer, globe2), slot_number(slot, frames),
                            series_suffix(layer, globe2));
}

FILE* open_slot_file(SeriesLayer layer, int slot, int frames, std::string* name,
                     std::string* reader_suffix)
{
    bool globe2 = slot_is_globe2(slot, frames);
    return open_series_file(layer_stem(layer, globe2), slot_number(slot, frames),
                            series_suffix(layer, globe2), name, reader_suffix);
}

const char* series_suffix_key(SeriesLayer layer, bool globe2)
{
    switch (layer) {
    case SeriesLayer::map:
        return globe2 ? "#TextureSuffix2" : "#TextureSuffix";
    case SeriesLayer::screen:
        return globe2 ? "#ScreenSuffix2" : "#ScreenSuffix";
    case SeriesLayer::second_texture:
        return globe2 ? "#SecondTextureSuffix2" : "#SecondTextureSuffix";
    case SeriesLayer::second_screen:
        break;
    }
    return globe2 ? "#SecondScreenSuffix2" : "#SecondScreenSuffix";
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

bool is_png_suffix(const std::string& suffix)
{
    std::string lower = suffix;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == "png";
}

SeriesReadSettings current_read_settings()
{
    SeriesReadSettings settings;
    settings.screen_front = overlay.screen_front;
    settings.screen_transparency = series.screen_transparency;
    return settings;
}

SeriesReader choose_series_reader(SeriesLayer layer, const std::string& suffix,
                                  const SeriesReadSettings& settings)
{
    SeriesReader reader;
    const bool screen = layer == SeriesLayer::screen || layer == SeriesLayer::second_screen;
    const bool in_front = screen && settings.screen_front == 1;
    reader.request.bgra = settings.bgra;
    reader.request.dark_alpha = jpeg_dark_alpha(settings.screen_transparency);
    if (is_png_suffix(suffix)) {
        // A PNG's alpha is the author's own, so a screen keeps it in front of
        // the globe and behind it alike.
        reader.format = ImageFormat::png;
        reader.request.look = !screen    ? ImageLook::opaque
                              : in_front ? ImageLook::toumei
                                         : ImageLook::alpha;
        return reader;
    }
    reader.format = suffix == "jpg" || suffix == "jpeg" ? ImageFormat::jpeg : ImageFormat::ppm;
    reader.request.look = in_front ? ImageLook::toumei : ImageLook::opaque;
    return reader;
}

PixelBuffer read_series_image(FILE* fp, const SeriesReader& reader, int* width, int* height)
{
    switch (reader.format) {
    case ImageFormat::jpeg:
        return read_jpeg_image(fp, reader.request, width, height);
    case ImageFormat::png:
        return read_png_image(fp, reader.request, width, height);
    case ImageFormat::ppm:
        break;
    }
    return read_ppm_image(fp, reader.request, width, height);
}

bool read_series_image_size(FILE* fp, const SeriesReader& reader, int* width, int* height)
{
    switch (reader.format) {
    case ImageFormat::jpeg:
        return read_jpeg_size(fp, width, height);
    case ImageFormat::png:
        return read_png_size(fp, width, height);
    case ImageFormat::ppm:
        break;
    }
    return read_ppm_size(fp, width, height);
}

bool is_png_file_name(const std::string& file)
{
    const size_t dot = file.rfind('.');
    return dot != std::string::npos && is_png_suffix(file.substr(dot + 1));
}

ImageReader choose_icon_reader(const std::string& file, bool pushed)
{
    if (is_png_file_name(file))
        return pushed ? load_image_png_pushed : load_image_png_toumei;
    return pushed ? load_image_pushed : load_image_toumei;
}
