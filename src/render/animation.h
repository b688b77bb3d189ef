// animation.h — stepping the map series by the frame interval.
#pragma once

// Seconds between maps at speed level `level` for a base interval of
// `base` seconds (the interval at level 8), without the holds.
double level_interval(int level, double base);

// Seconds between maps at speed level 8: "#VideoFrameRate" for a film where
// it is set (the film's own rate when negative and the film gives one), the
// configured base interval otherwise.
double base_interval();

// Frame interval in seconds for the current speed level and position,
// including the holds on the first and last frame of the playing direction.
double animation_interval();

// One animation step at time `now` (seconds): advances at most one frame when
// more than the interval has passed since play.jikan1; stops playback when the
// series has no frames. When the next frame of a streamed series is not
// decoded yet, the step waits for it (counted late once) and never skips it.
// Called by the frames.
void step_animation(double now);
