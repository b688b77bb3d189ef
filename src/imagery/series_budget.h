// series_budget.h — the memory the decoded series may take ("#SeriesMemoryMiB"),
// what a series takes decoded, estimated from its first files' headers, and
// so whether it is decoded up front or streamed. No GL here.
#pragma once

#include <cstddef>

#include "imagery/frame_cache.h"
#include "imagery/series_frame.h"

// Bytes of memory this process may use: the machine's physical memory, or
// less where the process's address-space limit or its control group's memory
// limit is lower.
size_t usable_memory_bytes();

// The budget for decoded frames: "#SeriesMemoryMiB" MiB, or with 0 (the
// default) a quarter of usable_memory_bytes().
size_t series_memory_budget();

// Frames looked at for each layer's first file, so that a series whose
// first frames lack a layer is still sized.
constexpr int kEstimateProbeFrames = 8;

struct SeriesEstimate {
    int frames = 0;                         // frames of each track
    size_t frame_bytes[kStreamTracks] = {}; // one frame of each track, all layers; 0: no track
    size_t total() const { return (frame_bytes[0] + frame_bytes[1]) * size_t(frames); }
};

// The decoded size of a series of `frames` frames: globe 1's files and, when
// `globe2` is not null, globe 2's own series as well. Each layer is sized by
// its first file among the first frames, times the frame count.
SeriesEstimate estimate_series(const FrameFiles& globe1, const FrameFiles* globe2, int frames);

// True when the series is decoded up front: its estimate fits the budget.
bool series_fits_budget(const SeriesEstimate& estimate, size_t budget);
