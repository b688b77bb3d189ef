// decode_pool.cpp — owns the decode workers and their loop.
#include "imagery/decode_pool.h"

#include <algorithm>
#include <cstdlib>
#include <thread>
#include <vector>

#include "imagery/image_readers.h"

namespace {

// The workers and their cache, set up once; kept for the life of the
// process (listed in tyxparam.h).
std::vector<std::thread>* workers = nullptr;
FrameCache* served = nullptr;

void work(FrameCache* cache)
{
    // Library messages are the sources' to tell, once per file.
    keep_jpeg_messages(true);
    DecodeJob job;
    while (cache->wait_for_job(&job)) {
        for (auto& [bytes, pixels] : job.spares)
            keep_spare_pixels(std::move(pixels), bytes);
        job.spares.clear();
        job.source->decode(
            job.unit,
            [&](int frame) {
                return std::find(job.frames.begin(), job.frames.end(), frame) != job.frames.end();
            },
            [&](int frame, SeriesFrame&& decoded) {
                cache->deliver(job, frame, std::move(decoded));
            });
        drop_spare_pixels();
        cache->finish(job);
    }
}

// At exit: no worker may still write while the program's statics go away.
void stop_pool()
{
    served->stop_workers();
    for (std::thread& worker : *workers)
        worker.join();
}

} // namespace

void start_decode_pool(FrameCache& cache, int threads)
{
    if (workers != nullptr)
        return;
    workers = new std::vector<std::thread>;
    served = &cache;
    for (int i = 0; i < std::max(threads, 1); i++)
        workers->emplace_back(work, &cache);
    std::atexit(stop_pool);
}
