// frame_cache.h — the decoded frames of the streamed series, held within a
// memory budget, and the plan of what to decode next. The one place where
// the GLUT thread and the decode pool's threads meet: every function locks.
// No GL here.
//
// Frames are keyed by track (0: globe 1's series, 1: globe 2's own) and
// frame index. The plan (set by the GLUT thread from the play position)
// ranks the frames to hold; a worker takes the best-ranked frame neither
// held nor being decoded, together with the frames of its source's decode
// unit that the plan wants, after making room for them by dropping frames
// ranked lower (those outside the plan first). Bytes held plus bytes
// reserved for decodes under way never pass the budget.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "imagery/frame_source.h"
#include "imagery/image_readers.h"

constexpr int kStreamTracks = 2;

struct FrameKey {
    int track = 0;
    int frame = 0;
    bool operator<(const FrameKey& other) const
    {
        return track != other.track ? track < other.track : frame < other.frame;
    }
    bool operator==(const FrameKey& other) const
    {
        return track == other.track && frame == other.frame;
    }
};

// One decode a worker carries out: frames of one unit of one track's source.
struct DecodeJob {
    int track = 0;
    FrameSpan unit;
    std::vector<int> frames; // those of the unit the plan wants, in order
    std::shared_ptr<FrameSource> source;
    size_t reserved = 0;      // bytes still set aside, settled as frames arrive
    size_t frame_bytes = 0;   // bytes set aside per frame
    unsigned long series = 0; // the track's series number when the job began
    // Buffers of the frames dropped to make room, for the decode to reuse.
    std::vector<std::pair<size_t, PixelBuffer>> spares;
};

// What the statistics show.
struct CacheFigures {
    size_t held = 0;     // bytes of decoded frames held
    size_t reserved = 0; // bytes set aside for decodes under way
    size_t peak = 0;     // most bytes ever held
    size_t budget = 0;
    int frames = 0;            // frames held
    unsigned long decoded = 0; // frames decoded since the program started
};

class FrameCache {
  public:
    // A new series: drops every frame, source and plan. Decodes under way
    // finish into nothing.
    void clear();
    void set_budget(size_t bytes);
    // The source of `track`'s frames (null: the track is not streamed). Drops
    // the track's frames from an earlier source; its decodes under way
    // finish into nothing.
    void set_source(int track, std::shared_ptr<FrameSource> source);
    // Replaces the plan: the keys to hold, most wanted first. Wakes workers.
    void set_plan(const std::vector<FrameKey>& plan);

    // The next job, as described at the top of this file; false when there is
    // none now. Non-blocking; the pool's workers wait through wait_for_job.
    bool take_job(DecodeJob* job);
    // Blocks until take_job succeeds (true) or the workers are stopped (false).
    bool wait_for_job(DecodeJob* job);
    // Ends every wait_for_job for good; called once, at exit.
    void stop_workers();

    // Hands frame `frame` of the job over. It is kept, with room made for it,
    // unless the series changed meanwhile or it ranks below everything held
    // when the budget is short.
    void deliver(DecodeJob& job, int frame, SeriesFrame&& decoded);
    // Ends a job: what it reserved and did not use is given back.
    void finish(DecodeJob& job);

    // The frame, or null when it is not held.
    std::shared_ptr<const SeriesFrame> find(FrameKey key) const;
    bool holds(FrameKey key) const;
    // Waits up to `seconds` for the frame to be held.
    bool wait_for(FrameKey key, double seconds);

    CacheFigures figures() const;

  private:
    static constexpr int kNotPlanned = 1 << 30;
    int rank_of(FrameKey key) const; // under the lock
    // Drops held frames ranked below `rank` (unplanned first, then the lowest)
    // until `bytes` more fit; false, dropping nothing, when they cannot.
    // With `spares`, the buffers of the frames dropped go there, up to
    // `bytes` of them, rather than being freed.
    bool make_room(size_t bytes, int rank,
                   std::vector<std::pair<size_t, PixelBuffer>>* spares = nullptr);
    bool take_job_locked(DecodeJob* job);
    void drop_track(int track); // under the lock

    mutable std::mutex lock_;
    std::condition_variable work_;    // a job may be there (or stop)
    std::condition_variable arrived_; // a frame was delivered
    std::map<FrameKey, std::shared_ptr<SeriesFrame>> frames_;
    std::map<FrameKey, size_t> sizes_;
    std::map<FrameKey, int> rank_;
    std::vector<FrameKey> plan_;
    std::map<FrameKey, int> in_flight_;
    std::shared_ptr<FrameSource> sources_[kStreamTracks];
    size_t expected_[kStreamTracks] = {};
    int jobs_[kStreamTracks] = {};
    size_t track_reserved_[kStreamTracks] = {};
    unsigned long series_[kStreamTracks] = {1, 1}; // new number at every new source
    size_t budget_ = 0;
    size_t held_ = 0;
    size_t reserved_ = 0;
    size_t peak_ = 0;
    unsigned long decoded_ = 0;
    bool stopping_ = false;
};
