// film_index.cpp — showing order, key frames and seek plans of a film.
#include "imagery/film_index.h"

#include <algorithm>

namespace {

// The timestamp a packet is shown at: its own, or for containers that give
// only decoding times (no reordering there), that one.
int64_t shown_at(const FilmPacket& packet)
{
    return packet.pts != kNoTimestamp ? packet.pts : packet.dts;
}

} // namespace

FilmIndex build_film_index(const std::vector<FilmPacket>& packets)
{
    FilmIndex index;
    index.frames = static_cast<int>(packets.size());
    bool ordered = true;
    for (const FilmPacket& packet : packets) {
        if (shown_at(packet) == kNoTimestamp) {
            ordered = false;
            break;
        }
        index.frame_pts.push_back(shown_at(packet));
    }
    if (ordered) {
        std::sort(index.frame_pts.begin(), index.frame_pts.end());
        ordered = std::adjacent_find(index.frame_pts.begin(), index.frame_pts.end()) ==
                  index.frame_pts.end();
    }
    if (!ordered)
        index.frame_pts.clear();

    // Without timestamps a key frame cannot be found again after a seek, so
    // such films are decoded from the beginning.
    for (int p = 0; ordered && p < index.frames; p++) {
        const FilmPacket& packet = packets[static_cast<size_t>(p)];
        if (!packet.key)
            continue;
        FilmKey key;
        key.packet = p;
        key.frame = film_frame_at(index, shown_at(packet));
        key.dts = packet.dts;
        key.pts = packet.pts;
        if (!index.keys.empty() && key.frame <= index.keys.back().frame)
            continue;
        index.keys.push_back(key);
    }
    return index;
}

int film_frame_at(const FilmIndex& index, int64_t pts)
{
    auto at = std::lower_bound(index.frame_pts.begin(), index.frame_pts.end(), pts);
    if (at == index.frame_pts.end() || *at != pts)
        return -1;
    return static_cast<int>(at - index.frame_pts.begin());
}

int film_key_for(const FilmIndex& index, int frame)
{
    auto after = std::upper_bound(index.keys.begin(), index.keys.end(), frame,
                                  [](int f, const FilmKey& key) { return f < key.frame; });
    return static_cast<int>(after - index.keys.begin()) - 1;
}

FilmGroup film_group_of(const FilmIndex& index, int frame)
{
    const int key = film_key_for(index, frame);
    FilmGroup group;
    group.first = key < 0 ? 0 : index.keys[static_cast<size_t>(key)].frame;
    const size_t next = static_cast<size_t>(key + 1);
    group.end = next < index.keys.size() ? index.keys[next].frame : index.frames;
    return group;
}

FilmSeekPlan plan_film_seek(const FilmIndex& index, int next, int first)
{
    FilmSeekPlan plan;
    plan.key = film_key_for(index, first);
    const int key_frame = plan.key < 0 ? 0 : index.keys[static_cast<size_t>(plan.key)].frame;
    // Going on from `next` passes no key frame that would let decoding start
    // nearer to `first`.
    if (next >= 0 && next <= first && key_frame <= next) {
        plan.from = next;
        plan.skipped = first - next;
        plan.key = -1;
        return plan;
    }
    plan.seek = true;
    plan.from = key_frame;
    plan.skipped = first - key_frame;
    return plan;
}

FilmRange film_frame_range(int film_frames, int tex_start, int tex_end, int table_slots)
{
    FilmRange range;
    const long long first = static_cast<long long>(tex_start) - 1;
    if (first < 0 || first >= film_frames)
        return range;
    range.first = static_cast<int>(first);
    const long long left = film_frames - first;
    range.count = static_cast<int>(std::clamp<long long>(left, 0, std::max(0, table_slots)));
    range.count = std::min(range.count, std::max(0, tex_end));
    return range;
}
