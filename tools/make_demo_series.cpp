// make_demo_series.cpp — writes the demo's 24 day-and-night Earth frames (one per
// hour UTC of 21 June) and their caption file, one time per line.
// Usage: make_demo_series DAY.jpg NIGHT.jpg MAP_STEM CAPTION_FILE
//   maps MAP_STEM1.jpg … MAP_STEM24.jpg; line k of CAPTION_FILE: "21 June 06:00 UTC"
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "daylight.h"

namespace {

constexpr int kFrames = 24;
constexpr int kJuneSolstice = 172; // 21 June: the lit Arctic and dark Antarctic show the season
const char* const kDate = "21 June";

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
        std::fprintf(stderr, "usage: make_demo_series DAY.jpg NIGHT.jpg MAP_STEM CAPTION_FILE\n");
        return 2;
    }
    const std::string map_stem = argv[3], caption_file = argv[4];
    make_parent_folder(map_stem);
    make_parent_folder(caption_file);
    std::string error;
    if (!make_day_night_series(argv[1], argv[2], map_stem, kFrames, kJuneSolstice, &error)) {
        std::fprintf(stderr, "make_demo_series: %s\n", error.c_str());
        return 1;
    }
    FILE* captions = std::fopen(caption_file.c_str(), "w");
    bool written = captions != nullptr;
    for (int h = 0; written && h < kFrames; ++h) {
        const int minutes = h * 24 * 60 / kFrames;
        written =
            std::fprintf(captions, "%s %02d:%02d UTC\n", kDate, minutes / 60, minutes % 60) > 0;
    }
    if (captions == nullptr || std::fclose(captions) != 0 || !written) {
        std::fprintf(stderr, "make_demo_series: cannot write %s\n", caption_file.c_str());
        return 1;
    }
    return 0;
}
