// series_stream.cpp — sets up the streamed series at a window's load and
// keeps its decode plan at the play position.
#include "imagery/series_stream.h"

#include <algorithm>
#include <cstdio>

#include "core/tyxparam.h"
#include "imagery/decode_pool.h"
#include "imagery/film_frames.h"
#include "imagery/numbered_frames.h"
#include "imagery/series_budget.h"
#include "imagery/series_files.h"
#include "imagery/series_loading.h"
#include "imagery/stream_planner.h"

namespace {

// Module state (listed in tyxparam.h): the cache lives for the whole run,
// its workers use it until exit; the tracks and the plan's inputs are reset
// by stop_series_streams.
FrameCache cache;

struct Track {
    bool streamed = false;
    int first_slot = 0; // table slot of frame 0
    int frames = 0;
};
Track tracks[kStreamTracks];

size_t plan_frame_bytes = 0; // bytes of one planned frame over every track

struct PlanInputs {
    int frame = -1, direction = 0, capacity = 0, frames = 0;
    bool tracks[kStreamTracks] = {};
    bool operator==(const PlanInputs& o) const
    {
        return frame == o.frame && direction == o.direction && capacity == o.capacity &&
               frames == o.frames && tracks[0] == o.tracks[0] && tracks[1] == o.tracks[1];
    }
};
PlanInputs planned;

constexpr double kMiB = 1024.0 * 1024.0;

bool any_streamed()
{
    return tracks[0].streamed || tracks[1].streamed;
}

// The track and frame of a slot; false when no streamed track holds it.
bool locate(int slot, FrameKey* key)
{
    const Track& second = tracks[1];
    if (second.streamed && slot >= second.first_slot && slot < second.first_slot + second.frames) {
        *key = {1, slot - second.first_slot};
        return true;
    }
    if (tracks[0].streamed && slot >= 0) {
        *key = {0, slot};
        return true;
    }
    return false;
}

// A frame of a budget too small for two frames: said once per run.
void tell_small_budget(size_t budget, size_t frame_bytes)
{
    static bool told = false;
    if (told)
        return;
    told = true;
    std::fprintf(stderr,
                 "tyx: the memory budget of %.0f MiB (#SeriesMemoryMiB) holds less than three "
                 "frames of %.0f MiB (two decoded, one on the card); playing from a cache of "
                 "two frames\n",
                 budget / kMiB, frame_bytes / kMiB);
}

} // namespace

bool stream_window_series(int window, int texture_limit)
{
    const SlotRange range = window_slot_range(window);
    const int track = is_second_window(window) ? 1 : 0;
    if (tracks[track].streamed)
        cache.set_source(track, nullptr);
    tracks[track] = {};
    if (range.end <= range.first)
        return false;

    const int frames = play.ntimemax;
    const bool globe2_series = series.second_sphere_texture == 1 && wnd.nsphere == 2;
    const FrameFiles globe1 = frame_files(false, texture_limit);
    const FrameFiles globe2 = frame_files(true, texture_limit);
    const SeriesEstimate estimate =
        estimate_series(globe1, globe2_series ? &globe2 : nullptr, frames);
    size_t budget = series_memory_budget();
    // A film's frames exist only as they decode from it: it always streams.
    const FrameFiles& files = track == 1 ? globe2 : globe1;
    const bool fits = series_fits_budget(estimate, budget);
    if (fits && !files.has_film())
        return false;

    plan_frame_bytes = estimate.frame_bytes[0] + estimate.frame_bytes[1];
    // The frame on the card takes its share too: a software renderer keeps
    // the texture in this process's memory.
    budget = budget > plan_frame_bytes ? budget - plan_frame_bytes : 0;
    if (budget < 2 * plan_frame_bytes) {
        tell_small_budget(series_memory_budget(), plan_frame_bytes);
        budget = 2 * plan_frame_bytes;
    }
    if (!any_streamed() && !fits)
        std::fprintf(stderr,
                     "tyx: %d frames take %.0f MiB decoded, more than the %.0f MiB budget "
                     "(#SeriesMemoryMiB): decoding them while they play\n",
                     frames, estimate.total() / kMiB, budget / kMiB);
    std::fflush(stderr);
    cache.set_budget(budget);
    // Discovery notes which of globe 1's frames have a map.
    std::vector<unsigned char> maps_found;
    if (track == 0)
        maps_found.assign(std::begin(img.mask_earth),
                          std::begin(img.mask_earth) + std::clamp(frames, 0, kMaxFrames));
    if (files.has_film())
        cache.set_source(track, std::make_shared<FilmFrames>(files, frames, range.first,
                                                             estimate.frame_bytes[track]));
    else
        cache.set_source(track, std::make_shared<NumberedFrames>(files, frames, range.first,
                                                                 estimate.frame_bytes[track],
                                                                 std::move(maps_found)));
    tracks[track] = {true, range.first, frames};
    start_decode_pool(cache, decode_thread_count());
    planned = {};
    follow_series_position(play.ntime, play.anim);
    return true;
}

bool slot_is_streamed(int slot)
{
    FrameKey key;
    return locate(slot, &key);
}

std::shared_ptr<const SeriesFrame> streamed_frame(int slot)
{
    FrameKey key;
    if (!locate(slot, &key))
        return nullptr;
    if (key.frame >= tracks[key.track].frames) {
        static const auto empty = [] {
            SeriesFrame frame;
            for (int& present : frame.present)
                present = 0;
            return std::make_shared<const SeriesFrame>(std::move(frame));
        }();
        return empty;
    }
    return cache.find(key);
}

bool wait_for_streamed_frame(int slot, double seconds)
{
    FrameKey key;
    if (!locate(slot, &key))
        return true;
    return key.frame >= tracks[key.track].frames || cache.wait_for(key, seconds);
}

bool series_frame_ready(int frame)
{
    for (int t = 0; t < kStreamTracks; t++)
        if (tracks[t].streamed && frame >= 0 && frame < tracks[t].frames &&
            !cache.holds({t, frame}))
            return false;
    return true;
}

void follow_series_position(int frame, int direction)
{
    if (!any_streamed())
        return;
    PlanInputs inputs;
    inputs.frame = frame;
    inputs.direction = direction;
    const size_t budget = cache.figures().budget;
    inputs.capacity = static_cast<int>(std::min<size_t>(
        kMaxFrames, plan_frame_bytes > 0 ? std::max<size_t>(2, budget / plan_frame_bytes) : 2));
    for (int t = 0; t < kStreamTracks; t++) {
        inputs.tracks[t] = tracks[t].streamed;
        if (tracks[t].streamed)
            inputs.frames = std::max(inputs.frames, tracks[t].frames);
    }
    if (inputs == planned)
        return;
    planned = inputs;
    std::vector<FrameKey> keys;
    for (int f : plan_frames({inputs.frames, frame, direction, inputs.capacity}))
        for (int t = 0; t < kStreamTracks; t++)
            if (tracks[t].streamed && f < tracks[t].frames)
                keys.push_back({t, f});
    cache.set_plan(keys);
}

void stop_series_streams()
{
    cache.clear();
    for (Track& track : tracks)
        track = {};
    planned = {};
    plan_frame_bytes = 0;
}

CacheFigures stream_figures()
{
    return cache.figures();
}
