// frame_counter.cpp — the drawn-frame counters in a shared mapped file.
#include "core/frame_counter.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

// Frames of window 1 and 2, then the series counters.
constexpr size_t kCounters = 5;

// The mapped counters; null when no file was named or it could not be mapped.
// Set up at the first counted frame and kept for the life of the process.
volatile std::uint64_t* mapped_counters()
{
    static volatile std::uint64_t* counters = [] {
        const char* path = std::getenv("TYX_FRAME_COUNTER");
        if (path == nullptr || *path == '\0')
            return static_cast<volatile std::uint64_t*>(nullptr);
        int fd = open(path, O_RDWR | O_CREAT, 0644);
        if (fd < 0)
            return static_cast<volatile std::uint64_t*>(nullptr);
        void* page = MAP_FAILED;
        if (ftruncate(fd, kCounters * sizeof(std::uint64_t)) == 0)
            page = mmap(nullptr, kCounters * sizeof(std::uint64_t), PROT_READ | PROT_WRITE,
                        MAP_SHARED, fd, 0);
        close(fd);
        return page == MAP_FAILED ? nullptr : static_cast<volatile std::uint64_t*>(page);
    }();
    return counters;
}

} // namespace

void count_drawn_frame(bool second_window)
{
    volatile std::uint64_t* counters = mapped_counters();
    if (counters != nullptr)
        counters[second_window ? 1 : 0] = counters[second_window ? 1 : 0] + 1;
}

void count_series_progress(unsigned long long maps_shown, unsigned long long late_maps,
                           int frame_shown)
{
    volatile std::uint64_t* counters = mapped_counters();
    if (counters == nullptr)
        return;
    counters[2] = maps_shown;
    counters[3] = late_maps;
    counters[4] = static_cast<std::uint64_t>(frame_shown + 1);
}
