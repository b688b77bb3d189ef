// series_frame.cpp — decodes one frame of a numbered series, layer by layer,
// and tells what went wrong with each file.
#include "imagery/series_frame.h"

#include <cctype>
#include <cstdio>

#include "imagery/film_frames.h"
#include "imagery/series_film.h"
#include "imagery/texture_scaling.h"

namespace {

enum class ImageKind { other, ppm, jpeg, png };

ImageKind kind_of_suffix(const std::string& suffix)
{
    if (suffix == "jpg" || suffix == "jpeg")
        return ImageKind::jpeg;
    return is_png_suffix(suffix) ? ImageKind::png : ImageKind::ppm;
}

const char* suffix_of_kind(ImageKind kind)
{
    return kind == ImageKind::jpeg ? "jpg" : kind == ImageKind::png ? "png" : "ppm";
}

const char* name_of_kind(ImageKind kind)
{
    return kind == ImageKind::jpeg ? "JPEG" : kind == ImageKind::png ? "PNG" : "PPM";
}

// When a series file failed in the reader its suffix chose, and its first
// bytes show another format, what to change: the suffix key of the layer,
// and the file names unless they already carry the right suffix.
std::string suffix_hint(FILE* fp, SeriesLayer layer, bool globe2, const std::string& reader_suffix)
{
    std::rewind(fp);
    const int first = std::getc(fp);
    const int second = std::getc(fp);
    ImageKind inside = ImageKind::other;
    if (first == 0xff && second == 0xd8)
        inside = ImageKind::jpeg;
    else if (first == 'P' && second == '6')
        inside = ImageKind::ppm;
    else if (first == 0x89 && second == 'P')
        inside = ImageKind::png;
    const ImageKind read_as = kind_of_suffix(reader_suffix);
    if (inside == ImageKind::other || inside == read_as)
        return "";
    std::string lower = reader_suffix;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const char* const wanted = suffix_of_kind(inside);
    std::string hint = "; ";
    // The PPM reader names what it found instead; the libraries do not.
    if (read_as != ImageKind::ppm)
        hint += std::string("it is a ") + name_of_kind(inside) + " image; ";
    if (kind_of_suffix(lower) != inside)
        hint += std::string("name the files .") + wanted + " and ";
    hint += std::string("set ") + series_suffix_key(layer, globe2) + " " + wanted;
    return hint;
}

// Decodes the open file `fp` of `layer` into `target` with the reader that
// `reader_suffix` chooses. A failed decode leaves the record empty (size 0),
// never a stale size beside a null buffer. Returns false when it failed.
bool decode_into(TexImage& target, FILE* fp, const SeriesReader& reader, int texture_limit)
{
    int width = 0, height = 0;
    PixelBuffer pixels = read_series_image(fp, reader, &width, &height);
    target.release();
    if (!pixels || width <= 0 || height <= 0)
        return false;
    target.pixels = std::move(pixels);
    target.width = width;
    target.height = height;
    target.channels = reader_channels(reader);
    target.bgra = reader.request.bgra;
    if (shrink_to_limit(target, texture_limit))
        note_image_scaled(texture_limit);
    return true;
}

// Opens the file of `layer` and decodes it into `target`. Returns 1 when
// the file opened, else 0.
int decode_layer(const FrameFiles& files, SeriesLayer layer, int frame, TexImage& target,
                 DecodeReport* report, int order)
{
    std::string name, reader_suffix;
    FILE* fp = open_frame_file(files.names, layer, frame, &name, &reader_suffix);
    if (fp == nullptr)
        return 0;
    const SeriesReader reader = choose_series_reader(layer, reader_suffix, files.read);
    const bool decoded = decode_into(target, fp, reader, files.texture_limit);
    if (report != nullptr && (!decoded || !last_image_problem().empty())) {
        std::string what = last_image_problem();
        if (what.empty())
            what = "the image cannot be decoded";
        if (!decoded)
            what += suffix_hint(fp, layer, files.names.globe2, reader_suffix);
        note_decode_problem(*report, {order + static_cast<int>(layer), name, what, !decoded});
    }
    std::fclose(fp);
    return 1;
}

} // namespace

FrameFiles frame_files(bool globe2, int texture_limit)
{
    FrameFiles files;
    files.names = series_names(globe2);
    files.read = current_read_settings();
    files.number_of_textures = play.number_of_textures;
    files.texture_limit = texture_limit;
    for (SeriesLayer layer : {SeriesLayer::map, SeriesLayer::second_texture}) {
        const int l = static_cast<int>(layer);
        if (layer == SeriesLayer::map || files.number_of_textures >= 2)
            files.film[l] = find_series_film(files.names.stem[l], files.names.suffix[l],
                                             files.names.first_number);
    }
    return files;
}

void decode_series_frame(const FrameFiles& files, int frame, SeriesFrame* out, DecodeReport* report,
                         int order)
{
    const bool second_layers = files.number_of_textures >= 2;
    auto decode = [&](SeriesLayer layer) {
        const int l = static_cast<int>(layer);
        if (!files.film[l].empty())
            return;
        out->present[l] = decode_layer(files, layer, frame, out->layer[l], report, order);
    };
    decode(SeriesLayer::map);
    decode(SeriesLayer::screen);
    const int screen = static_cast<int>(SeriesLayer::screen);
    const int second_screen = static_cast<int>(SeriesLayer::second_screen);
    if (out->present[screen] == 1) {
        if (second_layers)
            decode(SeriesLayer::second_screen);
        else
            out->present[second_screen] = 0;
    }
    if (second_layers)
        decode(SeriesLayer::second_texture);
    else
        out->present[static_cast<int>(SeriesLayer::second_texture)] = 0;
}

size_t frame_layer_bytes(const FrameFiles& files, SeriesLayer layer, int frame)
{
    if (const std::string& film = files.film[static_cast<int>(layer)]; !film.empty())
        return film_frame_bytes(film, files.texture_limit);
    std::string name, reader_suffix;
    FILE* fp = open_frame_file(files.names, layer, frame, &name, &reader_suffix);
    if (fp == nullptr)
        return 0;
    const SeriesReader reader = choose_series_reader(layer, reader_suffix, files.read);
    int width = 0, height = 0;
    const bool sized = read_series_image_size(fp, reader, &width, &height);
    std::fclose(fp);
    if (!sized)
        return 0;
    int fitted_width = width, fitted_height = height;
    fit_texture_size(width, height, files.texture_limit, &fitted_width, &fitted_height);
    return size_t(fitted_width) * size_t(fitted_height) * size_t(reader_channels(reader));
}
