// frame_cache.cpp — the locked cache of decoded frames and its plan.
#include "imagery/frame_cache.h"

#include <algorithm>
#include <chrono>

namespace {

// A worker that found no room (every frame it could drop is being uploaded
// just then) looks again after this long, even if nothing woke it.
constexpr auto kRetryAfter = std::chrono::milliseconds(20);

} // namespace

void FrameCache::drop_track(int track)
{
    series_[track]++;
    for (auto it = frames_.begin(); it != frames_.end();) {
        if (it->first.track != track) {
            ++it;
            continue;
        }
        held_ -= sizes_[it->first];
        sizes_.erase(it->first);
        it = frames_.erase(it);
    }
    for (auto it = in_flight_.begin(); it != in_flight_.end();)
        it = it->first.track == track ? in_flight_.erase(it) : std::next(it);
    reserved_ -= track_reserved_[track];
    track_reserved_[track] = 0;
    jobs_[track] = 0;
    sources_[track].reset();
    expected_[track] = 0;
}

void FrameCache::clear()
{
    std::lock_guard<std::mutex> guard(lock_);
    for (int t = 0; t < kStreamTracks; t++)
        drop_track(t);
    rank_.clear();
    plan_.clear();
}

void FrameCache::set_budget(size_t bytes)
{
    std::lock_guard<std::mutex> guard(lock_);
    budget_ = bytes;
}

void FrameCache::set_source(int track, std::shared_ptr<FrameSource> source)
{
    if (track < 0 || track >= kStreamTracks)
        return;
    std::lock_guard<std::mutex> guard(lock_);
    drop_track(track);
    expected_[track] = source ? source->expected_frame_bytes() : 0;
    sources_[track] = std::move(source);
}

void FrameCache::set_plan(const std::vector<FrameKey>& plan)
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        plan_ = plan;
        rank_.clear();
        for (size_t r = 0; r < plan_.size(); r++)
            rank_.emplace(plan_[r], static_cast<int>(r));
    }
    work_.notify_all();
}

int FrameCache::rank_of(FrameKey key) const
{
    auto found = rank_.find(key);
    return found == rank_.end() ? kNotPlanned : found->second;
}

bool FrameCache::make_room(size_t bytes, int rank,
                           std::vector<std::pair<size_t, PixelBuffer>>* spares)
{
    if (held_ + reserved_ + bytes <= budget_)
        return true;
    // Frames being uploaded just now (held outside too) cannot go.
    std::vector<std::pair<int, FrameKey>> droppable;
    size_t freeable = 0;
    for (const auto& [key, frame] : frames_) {
        const int r = rank_of(key);
        if (r > rank && frame.use_count() == 1) {
            droppable.emplace_back(r, key);
            freeable += sizes_[key];
        }
    }
    if (held_ + reserved_ + bytes > budget_ + freeable)
        return false;
    // Lowest rank first; among unplanned frames the order does not matter.
    std::sort(droppable.begin(), droppable.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    size_t kept = 0;
    for (const auto& entry : droppable) {
        if (held_ + reserved_ + bytes <= budget_)
            break;
        held_ -= sizes_[entry.second];
        sizes_.erase(entry.second);
        auto dropped = frames_.find(entry.second);
        if (spares != nullptr) {
            // No one else holds the frame (use_count 1 above, under the lock).
            for (TexImage& image : dropped->second->layer) {
                const size_t size =
                    size_t(image.width) * size_t(image.height) * size_t(image.channels);
                if (image.empty() || kept + size > bytes)
                    continue;
                kept += size;
                spares->emplace_back(size, std::move(image.pixels));
            }
        }
        frames_.erase(dropped);
    }
    return true;
}

bool FrameCache::take_job_locked(DecodeJob* job)
{
    for (size_t r = 0; r < plan_.size(); r++) {
        const FrameKey key = plan_[r];
        if (frames_.count(key) != 0 || in_flight_.count(key) != 0)
            continue;
        const std::shared_ptr<FrameSource>& source =
            key.track >= 0 && key.track < kStreamTracks ? sources_[key.track] : nullptr;
        if (!source || key.frame < 0 || key.frame >= source->frame_count())
            continue;
        if (!source->decodes_in_parallel() && jobs_[key.track] > 0)
            continue;
        FrameSpan unit = source->decode_unit(key.frame);
        unit.first = std::clamp(std::min(unit.first, key.frame), 0, key.frame);
        unit.end =
            std::clamp(std::max(unit.end, key.frame + 1), key.frame + 1, source->frame_count());
        std::vector<int> wanted;
        for (int f = unit.first; f < unit.end; f++) {
            const FrameKey other{key.track, f};
            if (other == key || (rank_of(other) != kNotPlanned && frames_.count(other) == 0 &&
                                 in_flight_.count(other) == 0))
                wanted.push_back(f);
        }
        const size_t per_frame = expected_[key.track];
        const size_t need = per_frame * wanted.size();
        // The best frame waits for room rather than letting worse ones pass.
        job->spares.clear();
        if (!make_room(need, static_cast<int>(r), &job->spares))
            return false;
        reserved_ += need;
        track_reserved_[key.track] += need;
        for (int f : wanted)
            in_flight_[{key.track, f}] = 1;
        jobs_[key.track]++;
        job->track = key.track;
        job->unit = unit;
        job->frames = std::move(wanted);
        job->source = source;
        job->reserved = need;
        job->frame_bytes = per_frame;
        job->series = series_[key.track];
        return true;
    }
    return false;
}

bool FrameCache::take_job(DecodeJob* job)
{
    std::lock_guard<std::mutex> guard(lock_);
    return take_job_locked(job);
}

bool FrameCache::wait_for_job(DecodeJob* job)
{
    std::unique_lock<std::mutex> guard(lock_);
    while (!stopping_) {
        if (take_job_locked(job))
            return true;
        work_.wait_for(guard, kRetryAfter);
    }
    return false;
}

void FrameCache::stop_workers()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
    }
    work_.notify_all();
}

void FrameCache::deliver(DecodeJob& job, int frame, SeriesFrame&& decoded)
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        decoded_++;
        if (job.series != series_[job.track])
            return;
        const FrameKey key{job.track, frame};
        auto place = std::find(job.frames.begin(), job.frames.end(), frame);
        if (place == job.frames.end() || in_flight_.count(key) == 0)
            return; // not asked of this job, or delivered already
        const size_t share = std::min(job.frame_bytes, job.reserved);
        job.reserved -= share;
        reserved_ -= share;
        track_reserved_[job.track] -= share;
        in_flight_.erase(key);
        const size_t bytes = decoded.bytes();
        if (bytes > 0)
            expected_[job.track] = bytes;
        if (make_room(bytes, rank_of(key))) {
            frames_[key] = std::make_shared<SeriesFrame>(std::move(decoded));
            sizes_[key] = bytes;
            held_ += bytes;
            peak_ = std::max(peak_, held_);
        }
    }
    arrived_.notify_all();
    work_.notify_all();
}

void FrameCache::finish(DecodeJob& job)
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (job.series == series_[job.track]) {
            reserved_ -= job.reserved;
            track_reserved_[job.track] -= job.reserved;
            for (int f : job.frames)
                in_flight_.erase({job.track, f});
            jobs_[job.track]--;
        }
        job.reserved = 0;
        job.source.reset();
    }
    work_.notify_all();
    arrived_.notify_all();
}

std::shared_ptr<const SeriesFrame> FrameCache::find(FrameKey key) const
{
    std::lock_guard<std::mutex> guard(lock_);
    auto found = frames_.find(key);
    return found == frames_.end() ? nullptr : found->second;
}

bool FrameCache::holds(FrameKey key) const
{
    std::lock_guard<std::mutex> guard(lock_);
    return frames_.count(key) != 0;
}

bool FrameCache::wait_for(FrameKey key, double seconds)
{
    std::unique_lock<std::mutex> guard(lock_);
    return arrived_.wait_for(guard, std::chrono::duration<double>(seconds),
                             [&] { return frames_.count(key) != 0; });
}

CacheFigures FrameCache::figures() const
{
    std::lock_guard<std::mutex> guard(lock_);
    CacheFigures f;
    f.held = held_;
    f.reserved = reserved_;
    f.peak = peak_;
    f.budget = budget_;
    f.frames = static_cast<int>(frames_.size());
    f.decoded = decoded_;
    return f;
}
