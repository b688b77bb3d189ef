// series_stream.h — the streamed series as the GLUT thread sees it: at each
// window's load, whether its series is decoded up front or streamed; the
// play position that the decode plan follows; the decoded frames handed to
// the texture uploads. No GL here.
//
// A series whose decoded size (estimated from its first files) fits the
// budget is decoded up front into the image tables, as always. A larger one
// is streamed: its frames are decoded by the decode pool into the frame
// cache, a window of frames ahead of the position in the playing direction
// and a few behind, within the budget. The tables then stay empty for its
// slots; the uploads take the frames from the cache.
#pragma once

#include <memory>

#include "imagery/frame_cache.h"

// How long a load waits for its first frame, so that the first picture is
// the series' own rather than an empty globe; afterwards frames show as they
// arrive.
constexpr double kFirstFrameWait = 2.0;

// Called by a window's load before anything is decoded. When the series
// (with globe 2's own series, if window 2 shows one) does not fit the
// budget, sets the window's slots up for streaming, starts their decoding at
// the current frame and returns true; the load then decodes nothing up
// front. Otherwise returns false.
bool stream_window_series(int window, int texture_limit);

// True when the frames of table slot `slot` come from the frame cache.
bool slot_is_streamed(int slot);

// The decoded frame of a streamed slot; null while it is not decoded. A
// frame number past the streamed series (the series was counted again
// without a reload of the images) gives an empty frame.
std::shared_ptr<const SeriesFrame> streamed_frame(int slot);

// Waits up to `seconds` for a streamed slot's frame; true when it is there.
bool wait_for_streamed_frame(int slot, double seconds);

// True when frame `frame` can be shown at once: always for series decoded up
// front; for a streamed series when its frame (and that of globe 2's own
// series, while streamed) is decoded. The animation waits for it otherwise.
bool series_frame_ready(int frame);

// Keeps the decode plan at `frame`, playing in `direction` (1, -1, 0).
// Called by the frame routines every frame; cheap when nothing changed.
void follow_series_position(int frame, int direction);

// Drops every streamed frame and the plan; the slots are no longer
// streamed. Called by a reload request and by reset_viewer_state.
void stop_series_streams();

// The cache's figures, for the statistics.
CacheFigures stream_figures();
