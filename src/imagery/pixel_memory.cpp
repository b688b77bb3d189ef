// pixel_memory.cpp — the allocation of decoded pixel buffers. No GL here.
//
// A series of large maps is most of the program's memory, and the kernel
// hands it out a 4 KiB page at a time, each first write a fault that zeroes
// one page. A decoded series of 96 maps took as long in those faults as in a
// third of its decoding. Asking for transparent huge pages on the buffer
// before anything touches it makes that a fault every 2 MiB instead. The
// buffer stays an ordinary new[] block, freed with delete[].
//
// Large blocks are mapped on their own, always: by default the C library
// starts serving blocks of the size last freed from its heaps, where a
// streamed series, freeing and decoding maps all the time, would leave the
// memory it gave back scattered and still counted against the process.
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <new>
#include <vector>

#include "imagery/image_readers.h"

namespace {

// Below this a buffer holds no whole huge page worth asking for.
constexpr size_t kHugePageBytes = size_t(2) << 20;

struct Spare {
    size_t bytes;
    unsigned char* pixels; // owned
};
thread_local std::vector<Spare> spares;

} // namespace

void keep_spare_pixels(PixelBuffer pixels, size_t bytes)
{
    if (pixels)
        spares.push_back({bytes, pixels.release()});
}

void drop_spare_pixels()
{
    for (Spare& spare : spares)
        delete[] spare.pixels;
    spares.clear();
}

unsigned char* allocate_pixels(size_t bytes)
{
    for (size_t i = 0; i < spares.size(); i++) {
        if (spares[i].bytes != bytes)
            continue;
        unsigned char* reused = spares[i].pixels;
        spares.erase(spares.begin() + static_cast<long>(i));
        return reused;
    }
    static const bool own_mappings = mallopt(M_MMAP_THRESHOLD, int(kHugePageBytes / 2)) == 1;
    (void)own_mappings;
    auto* pixels = new (std::nothrow) unsigned char[bytes];
    if (pixels == nullptr || bytes < 2 * kHugePageBytes)
        return pixels;
    // The advice covers whole pages inside the block; the kernel uses huge
    // pages where they fit and ignores the advice where it has none to give.
    const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(pixels) + page - 1) & ~(page - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(pixels) + bytes) & ~(page - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    return pixels;
}
