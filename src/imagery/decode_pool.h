// decode_pool.h — the threads that decode the frames of a streamed series:
// each takes the next job from the frame cache, has the job's source decode
// it and hands the frames back to the cache. No GL here; the workers touch
// nothing but the cache and their job's source.
#pragma once

#include "imagery/frame_cache.h"

// Starts `threads` workers on `cache` (at least one), the first time only;
// they run until the program ends, when they finish the decode under way
// and stop before the program's data goes away. The cache must live as long
// as the program.
void start_decode_pool(FrameCache& cache, int threads);
