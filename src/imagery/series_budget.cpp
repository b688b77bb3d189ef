// series_budget.cpp — the memory budget and the size estimate of a series.
#include "imagery/series_budget.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>

#include "core/tyxparam.h"

namespace {

// The memory limit of this process's cgroup (version 2), or 0 without one.
size_t control_group_limit()
{
    std::ifstream membership("/proc/self/cgroup");
    std::string line;
    while (std::getline(membership, line)) {
        if (line.compare(0, 3, "0::") != 0)
            continue;
        std::ifstream limit("/sys/fs/cgroup" + line.substr(3) + "/memory.max");
        unsigned long long bytes = 0;
        if (limit >> bytes) // "max" does not read as a number
            return static_cast<size_t>(bytes);
    }
    return 0;
}

// The first file's decoded size of `layer` among the first frames.
size_t first_layer_bytes(const FrameFiles& files, SeriesLayer layer, int frames)
{
    for (int frame = 0; frame < std::min(frames, kEstimateProbeFrames); frame++)
        if (size_t bytes = frame_layer_bytes(files, layer, frame); bytes > 0)
            return bytes;
    return 0;
}

size_t frame_bytes(const FrameFiles& files, int frames)
{
    size_t bytes = first_layer_bytes(files, SeriesLayer::map, frames) +
                   first_layer_bytes(files, SeriesLayer::screen, frames);
    if (files.number_of_textures >= 2)
        bytes += first_layer_bytes(files, SeriesLayer::second_texture, frames) +
                 first_layer_bytes(files, SeriesLayer::second_screen, frames);
    return bytes;
}

} // namespace

size_t usable_memory_bytes()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long page = sysconf(_SC_PAGESIZE);
    size_t usable = pages > 0 && page > 0 ? size_t(pages) * size_t(page) : size_t(1) << 32;
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        usable = std::min<size_t>(usable, limit.rlim_cur);
    if (size_t group = control_group_limit(); group > 0)
        usable = std::min(usable, group);
    return usable;
}

size_t series_memory_budget()
{
    if (series.series_memory_mib > 0)
        return size_t(series.series_memory_mib) << 20;
    return usable_memory_bytes() / 4;
}

SeriesEstimate estimate_series(const FrameFiles& globe1, const FrameFiles* globe2, int frames)
{
    SeriesEstimate estimate;
    estimate.frames = std::max(frames, 0);
    estimate.frame_bytes[0] = frame_bytes(globe1, frames);
    if (globe2 != nullptr)
        estimate.frame_bytes[1] = frame_bytes(*globe2, frames);
    return estimate;
}

bool series_fits_budget(const SeriesEstimate& estimate, size_t budget)
{
    return estimate.total() <= budget;
}
