// make_demo_series.cpp — writes the demo's 24 day-and-night Earth frames (one per
// hour UTC of 21 June) and their time captions.
// Usage: make_demo_series DAY.jpg NIGHT.jpg MAP_STEM LABEL_STEM
//   maps MAP_STEM1.jpg … MAP_STEM24.jpg, captions LABEL_STEM1.ppm … LABEL_STEM24.ppm
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "daylight.h"
#include "hour_label.h"

namespace {

constexpr int kFrames = 24;
constexpr int kJuneSolstice = 172; // 21 June: the lit Arctic and dark Antarctic show the season
const char* const kDate = "21 JUN";

void make_parent_folder(const std::string& stem)
{
    const std::filesystem::path parent = std::filesystem::path(stem).parent_path();
    std::error_code ignored;
    if (!parent.empty())
        std::filesystem::create_directories(parent, ignored);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: make_demo_series DAY.jpg NIGHT.jpg MAP_STEM LABEL_STEM\n");
        return 2;
    }
    const std::string map_stem = argv[3], label_stem = argv[4];
    make_parent_folder(map_stem);
    make_parent_folder(label_stem);
    std::string error;
    if (!make_day_night_series(argv[1], argv[2], map_stem, kFrames, kJuneSolstice, &error)) {
        std::fprintf(stderr, "make_demo_series: %s\n", error.c_str());
        return 1;
    }
    for (int h = 0; h < kFrames; ++h) {
        const int minutes = h * 24 * 60 / kFrames;
        const std::string path = label_stem + std::to_string(h + 1) + ".ppm";
        if (!write_ppm(path, draw_hour_label(kDate, minutes / 60, minutes % 60))) {
            std::fprintf(stderr, "make_demo_series: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
