// stream_planner.h — which frames of a streamed series to hold, most wanted
// first, from where the series stands, which way it plays and how many
// frames the memory budget holds. Pure: no threads, no state block.
#pragma once

#include <vector>

// Frames kept behind the playing direction, for steps back and a change of
// direction; fewer when the cache is small.
constexpr int kFramesBehind = 3;

struct PlanRequest {
    int frames = 0;    // frames in the series
    int position = 0;  // frame shown, or to show next (a jump's target)
    int direction = 0; // 1 playing forward, -1 playing backward, 0 stopped
    int capacity = 0;  // frames the cache holds
};

// The frames to hold, most wanted first: the position; playing, the frames
// ahead in the playing direction, then a few behind; stopped, the frames on
// either side in turn, the next one first. Past an end the series goes on
// from the other end, as the animation does. No frame twice; at most
// `capacity` and at most `frames` frames; empty without frames or capacity.
std::vector<int> plan_frames(const PlanRequest& request);
