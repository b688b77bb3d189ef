// film_index.h — the frames of a film in showing order, the key frame each one
// decodes from, and the film frames a series uses. Pure arithmetic: the film
// reader fills the packet list, nothing here knows FFmpeg or the state block.
//
// Places: "frame" always means a place in showing order, 0 = the first frame
// shown; "packet" a place in decoding (file) order. Timestamps are in the
// stream's own time base.
#pragma once

#include <cstdint>
#include <vector>

// A timestamp the container does not give (FFmpeg's AV_NOPTS_VALUE).
constexpr int64_t kNoTimestamp = INT64_MIN;

// One packet of the video stream, in file order.
struct FilmPacket {
    int64_t pts = kNoTimestamp; // when it is shown
    int64_t dts = kNoTimestamp; // when it is decoded
    bool key = false;           // decoding can start here
};

// A key frame: where decoding can start.
struct FilmKey {
    int packet = 0;             // place in decoding order
    int frame = 0;              // its own place in showing order
    int64_t dts = kNoTimestamp; // for finding it again after a seek
    int64_t pts = kNoTimestamp;
};

struct FilmIndex {
    // Each frame's timestamp in showing order, strictly ascending. Empty when
    // the timestamps cannot order the frames (missing or repeated ones): the
    // frames are then shown in decoding order and told apart by counting.
    std::vector<int64_t> frame_pts;
    std::vector<FilmKey> keys; // in decoding order, which is also showing order; none
                               // without frame_pts
    int frames = 0;            // one per packet
};

// Orders the packets into frames and collects the key frames. A key frame that
// would be shown before an earlier key frame (a damaged file) is left out, so
// that the keys stay in showing order.
FilmIndex build_film_index(const std::vector<FilmPacket>& packets);

// Showing place of a decoded frame from its timestamp, or -1 when no frame of
// the index has it.
int film_frame_at(const FilmIndex& index, int64_t pts);

// Place in `index.keys` of the key frame that frame `frame` decodes from: the
// last key frame shown at or before it. -1 when none is (the film does not
// start with a key frame): decoding then starts at the film's beginning.
int film_key_for(const FilmIndex& index, int frame);

// The frames [first, end) that decode from the same key frame as `frame`:
// from its key frame (the film's beginning without one) to the next key frame
// or the film's end. Decoding them together costs about one seek.
struct FilmGroup {
    int first = 0;
    int end = 0;
};
FilmGroup film_group_of(const FilmIndex& index, int frame);

// How to reach frame `first`.
struct FilmSeekPlan {
    bool seek = false; // reposition at the key frame (or at the beginning) first
    int key = -1;      // place in index.keys to seek to; -1: the film's beginning
    int from = 0;      // showing place of the first frame the decoder then gives
    int skipped = 0;   // frames decoded before `first` only to reach it
};

// The plan for decoding frames from `first` on when the decoder would give
// frame `next` next without a seek (-1 when it has no position: fresh, after
// the end, after a failure). Going on is chosen whenever `first` lies ahead of
// `next` and no key frame lies between them, so steps forward, play and runs
// never seek; anything else seeks to the key frame of `first`.
FilmSeekPlan plan_film_seek(const FilmIndex& index, int next, int first);

// The film frames a series of maps uses.
struct FilmRange {
    int first = 0; // film frame (from 0) shown as frame index 0
    int count = 0; // maps of the series
};

// The range from "#TextureStart" (the film frame, counted from 1, that becomes
// frame index 0) and "#TextureEnd" (the most maps), within `table_slots`. No
// frame when the start lies before the film's first frame or after its last.
FilmRange film_frame_range(int film_frames, int tex_start, int tex_end, int table_slots);
