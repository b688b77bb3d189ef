// film_writer.h — films made from painted frames by the ffmpeg command-line
// tool, for the tests and benchmarks of the film reader.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct FilmSpec {
    int width = 64;
    int height = 32;
    int frames = 30;
    double fps = 30;
    std::string encoder = "libx264"; // ffmpeg's -c:v
    std::string options;             // more encoder options, such as "-g 12 -bf 2"
    std::string pixel_format = "yuv420p";
};

// Fills `rgb` (width x height x 3 bytes, rows top first) with frame `frame`.
using FramePainter = std::function<void(int frame, std::vector<std::uint8_t>& rgb)>;

// Encodes recipe.frames painted frames into `path` (the suffix chooses the
// container). False, with ffmpeg's last words or the reason in `error`, when
// the tool is missing or fails.
bool write_film(const std::string& path, const FilmSpec& recipe, const FramePainter& paint,
                std::string* error);

// The colour of frame `frame` in the one-colour test films: 125 colours on a
// 5 x 5 x 5 grid of the RGB cube, so that any two frames of the first 125
// differ by 64 in a channel and survive lossy coding apart.
std::array<std::uint8_t, 3> film_frame_colour(int frame);

// The frame (0 .. 124) whose colour lies nearest to (r, g, b).
int nearest_film_frame(int r, int g, int b);

// A painter of the one-colour frames.
FramePainter one_colour_frames(int width, int height);
