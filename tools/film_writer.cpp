// film_writer.cpp — painted frames piped into the ffmpeg tool.
#include "film_writer.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kLevels[5] = {0, 64, 128, 192, 255};

std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

} // namespace

bool write_film(const std::string& path, const FilmSpec& recipe, const FramePainter& paint,
                std::string* error)
{
    const std::string log = path + ".log";
    char rate[32];
    std::snprintf(rate, sizeof rate, "%g", recipe.fps);
    const std::string command =
        "ffmpeg -nostdin -y -loglevel error -f rawvideo -pix_fmt rgb24 -s " +
        std::to_string(recipe.width) + "x" + std::to_string(recipe.height) + " -r " + rate +
        " -i - -c:v " + recipe.encoder + " -pix_fmt " + recipe.pixel_format + " " + recipe.options +
        " " + quoted(path) + " 2> " + quoted(log);
    FILE* pipe = popen(command.c_str(), "w");
    if (pipe == nullptr) {
        *error = "cannot run ffmpeg";
        return false;
    }
    std::vector<std::uint8_t> rgb(static_cast<size_t>(recipe.width) * recipe.height * 3);
    bool written = true;
    for (int i = 0; i < recipe.frames && written; i++) {
        paint(i, rgb);
        written = std::fwrite(rgb.data(), 1, rgb.size(), pipe) == rgb.size();
    }
    const int status = pclose(pipe);
    if (written && status == 0) {
        std::remove(log.c_str());
        return true;
    }
    *error = "ffmpeg failed (" + command + ")";
    if (FILE* fp = std::fopen(log.c_str(), "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, fp) != nullptr)
            *error += std::string(": ") + line;
        std::fclose(fp);
    }
    std::remove(log.c_str());
    return false;
}

std::array<std::uint8_t, 3> film_frame_colour(int frame)
{
    const int i = ((frame % 125) + 125) % 125;
    return {static_cast<std::uint8_t>(kLevels[i % 5]),
            static_cast<std::uint8_t>(kLevels[i / 5 % 5]),
            static_cast<std::uint8_t>(kLevels[i / 25])};
}

int nearest_film_frame(int r, int g, int b)
{
    int best = 0;
    long best_distance = -1;
    for (int i = 0; i < 125; i++) {
        const std::array<std::uint8_t, 3> c = film_frame_colour(i);
        const long d = (c[0] - r) * (c[0] - r) + (c[1] - g) * (c[1] - g) + (c[2] - b) * (c[2] - b);
        if (best_distance < 0 || d < best_distance) {
            best = i;
            best_distance = d;
        }
    }
    return best;
}

FramePainter one_colour_frames(int width, int height)
{
    return [width, height](int frame, std::vector<std::uint8_t>& rgb) {
        const std::array<std::uint8_t, 3> c = film_frame_colour(frame);
        for (size_t i = 0; i < static_cast<size_t>(width) * height; i++) {
            rgb[i * 3] = c[0];
            rgb[i * 3 + 1] = c[1];
            rgb[i * 3 + 2] = c[2];
        }
    };
}
