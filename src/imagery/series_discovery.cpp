// series_discovery.cpp — finds how many frames the map series has.
#include "imagery/series_discovery.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/tyxparam.h"
#include "imagery/film_index.h"
#include "imagery/series_files.h"

namespace {

bool series_file_opens(const std::string& stem, long long number, const std::string& suffix)
{
    std::string name, reader_suffix;
    FILE* fp = open_series_file(stem, number, suffix, &name, &reader_suffix);
    if (fp == nullptr)
        return false;
    std::fclose(fp);
    return true;
}

} // namespace

SeriesScan scan_series(int table_slots)
{
    SeriesScan scan;
    std::vector<char> screen_at;
    int n = table_slots;
    scan.run = table_slots;
    // A film holds the maps: the series is as long as the film's range.
    scan.film = scan_map_film();
    const bool film = !scan.film.path.empty();
    const int film_maps =
        film_frame_range(scan.film.info.frames, play.tex_start, play.tex_end, table_slots).count;
    for (int i = 0; i < table_slots; i++) {
        long long number = static_cast<long long>(i) + play.tex_start;
        bool map = film ? i < film_maps
                        : series_file_opens(series.strtexfile, number, series.strtexfile_s);
        bool screen = (!film || map) &&
                      series_file_opens(series.strscreenfile, number, series.strscreenfile_s);
        if (i < kMaxFrames)
            img.mask_earth[i] = map ? 1 : 0;
        if (film && !map) {
            scan.run = n = i;
            break;
        }
        if (!map && !screen) {
            // tex_end caps the count only where the run ends, so a run that
            // fills the tables keeps every frame.
            scan.run = i;
            n = std::min(i, play.tex_end);
            break;
        }
        screen_at.push_back(screen ? 1 : 0);
    }
    // A negative "#TextureEnd" would leave a negative count behind, which every
    // user of the frame count would turn into index -1.
    n = std::max(n, 0);

    // Globe 2's own series occupies the slots after globe 1's, so both must
    // fit into the tables together.
    int half = table_slots / 2;
    if (series.second_sphere_texture == 1 && n > half) {
        std::fprintf(stderr, "Second globe's series: only the first %d of %d frames are used\n",
                     half, n);
        n = half;
    }
    for (int i = n; i < std::min(table_slots, kMaxFrames); i++)
        img.mask_earth[i] = 0;

    if (n == 0) {
        std::printf("No sphere texture file\n");
        std::fflush(stdout);
    }
    scan.frames = n;
    scan.stopped_at_gap = !film && scan.run < table_slots && n == scan.run;
    for (int i = 0; i < n; i++) {
        if (i < kMaxFrames && img.mask_earth[i] == 1) {
            scan.maps++;
            scan.first_map = scan.first_map < 0 ? i : scan.first_map;
            scan.last_map = i;
        }
        if (screen_at[i] == 1) {
            scan.screens++;
            scan.first_screen = scan.first_screen < 0 ? i : scan.first_screen;
            scan.last_screen = i;
        }
    }
    return scan;
}

int count_series_frames(int table_slots)
{
    return scan_series(table_slots).frames;
}

void fileornot()
{
    SeriesScan scan = scan_series(kMaxFrames);
    play.ntimemax = scan.frames;
    play.map_film = scan.film.opened ? 1 : 0;
    play.map_film_fps = scan.film.opened ? scan.film.info.fps : 0;
    // Playing nothing would leave the menu and the icons claiming playback.
    if (scan.frames == 0)
        play.anim = 0;
    std::string lines = describe_series_scan(scan);
    std::fputs(lines.c_str(), stderr);
    std::fflush(stderr);
}
