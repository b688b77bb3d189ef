// film_frames.cpp — decodes the frames of a series with film layers for the
// decode pool, and tells each film's problem once per load.
#include "imagery/film_frames.h"

#include <algorithm>
#include <cstdio>

#include "imagery/film_index.h"

namespace {

FilmHandle open_layer_film(const std::string& path, int texture_limit, std::string* problem)
{
    FilmOptions options;
    options.texture_limit = texture_limit;
    return open_film(path, options, problem);
}

} // namespace

FilmFrames::FilmFrames(const FrameFiles& files, int frames, int first_slot, size_t frame_bytes)
    : numbered_(files, frames, first_slot, frame_bytes, {}), frames_(frames),
      offset_(static_cast<int>(std::clamp<long long>(files.names.first_number - 1, 0, 1 << 30))),
      frame_bytes_(frame_bytes)
{
    for (int l = 0; l < 4; l++) {
        Layer& layer = layers_[l];
        layer.path = files.film[l];
        if (layer.path.empty())
            continue;
        std::string problem;
        layer.film = open_layer_film(layer.path, files.texture_limit, &problem);
        // Globe 1's map film was described by discovery already.
        const bool described = l == 0 && !files.names.globe2;
        if (!layer.film && !described)
            tell(layer, problem);
    }
}

FrameSpan FilmFrames::decode_unit(int frame) const
{
    for (const Layer& layer : layers_) {
        if (!layer.film)
            continue;
        const FilmGroup group = film_group_of(film_index(*layer.film), frame + offset_);
        return {std::max(group.first - offset_, 0), std::min(group.end - offset_, frames_)};
    }
    return {frame, frame + 1};
}

void FilmFrames::decode(FrameSpan unit, const std::function<bool(int frame)>& wanted,
                        const std::function<void(int frame, SeriesFrame&& decoded)>& deliver)
{
    // Frames are decoded one after another in showing order: the films go on
    // from where they stand and pass over the frames no one wants.
    for (int frame = std::max(unit.first, 0); frame < std::min(unit.end, frames_); frame++) {
        if (!wanted(frame))
            continue;
        SeriesFrame decoded;
        numbered_.decode({frame, frame + 1}, wanted,
                         [&](int, SeriesFrame&& files) { decoded = std::move(files); });
        for (int l = 0; l < 4; l++)
            if (!layers_[l].path.empty())
                decoded.present[l] = decode_layer(layers_[l], frame, decoded.layer[l]);
        deliver(frame, std::move(decoded));
    }
}

int FilmFrames::decode_layer(Layer& layer, int frame, TexImage& target)
{
    target.release();
    if (!layer.film)
        return 1; // there, but it does not open: empty, as a file that does not decode
    const FilmInfo& info = film_info(*layer.film);
    const int at = frame + offset_;
    if (at >= info.frames)
        return 0;
    const size_t bytes = size_t(info.output_width) * size_t(info.output_height) * 4;
    PixelBuffer pixels(allocate_pixels(bytes));
    if (!pixels) {
        tell(layer, "out of memory for frame " + std::to_string(at + 1));
        return 1;
    }
    if (read_film_frames(*layer.film, at, at, [&](int) { return pixels.get(); }) != 1) {
        tell(layer, film_problem(*layer.film));
        return 1;
    }
    target.pixels = std::move(pixels);
    target.width = info.output_width;
    target.height = info.output_height;
    target.channels = 4;
    target.bgra = true;
    return 1;
}

void FilmFrames::tell(Layer& layer, const std::string& what)
{
    if (layer.told)
        return;
    layer.told = true;
    DecodeProblem problem{0, layer.path, what.empty() ? "a frame does not decode" : what, true};
    post_decode_notice(problem);
    std::fprintf(stderr, "tyx: %s: %s\n", layer.path.c_str(), problem.what.c_str());
    std::fflush(stderr);
}

size_t film_frame_bytes(const std::string& path, int texture_limit)
{
    std::string problem;
    FilmHandle film = open_layer_film(path, texture_limit, &problem);
    if (!film)
        return 0;
    const FilmInfo& info = film_info(*film);
    return size_t(info.output_width) * size_t(info.output_height) * 4;
}
