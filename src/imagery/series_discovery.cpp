// series_discovery.cpp — finds how many frames the map series has.
#include "imagery/series_discovery.h"

#include <algorithm>
#include <cstdio>

#include "core/tyxparam.h"
#include "imagery/series_files.h"

namespace {

bool file_opens(const std::string& name)
{
    FILE* fp = std::fopen(name.c_str(), "rb");
    if (fp == nullptr)
        return false;
    std::fclose(fp);
    return true;
}

} // namespace

int count_series_frames(int table_slots)
{
    int n = table_slots;
    for (int i = 0; i < table_slots; i++) {
        long long number = static_cast<long long>(i) + play.tex_start;
        bool map = file_opens(series_file_name(series.strtexfile, number, series.strtexfile_s));
        bool screen =
            file_opens(series_file_name(series.strscreenfile, number, series.strscreenfile_s));
        if (i < kMaxFrames)
            img.mask_earth[i] = map ? 1 : 0;
        if (!map && !screen) {
            // tex_end caps the count only where the run ends, so a run that
            // fills the tables keeps every frame.
            n = std::min(i, play.tex_end);
            break;
        }
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
    return n;
}

void fileornot()
{
    play.ntimemax = count_series_frames(kMaxFrames);
}
