// series_stats.h — figures of the series' playback: maps shown and late,
// frames and maps a second, decoded memory against its budget; the line that
// key F9 shows and the one --stats prints at exit. No GL here.
#pragma once

#include <cstddef>
#include <string>

// Called by window 1's frame routine when a new frame reached its textures.
void note_map_shown();
// Called by the animation when the frame it should move to is not decoded.
void note_late_map();
// Called after a load that decoded its frames up front: the bytes the image
// tables hold now and the maps decoded.
void note_tables_held(size_t bytes, int maps);
// Called by window 1's frame routine for every frame drawn, at `now`
// (seconds); the rates are counted again every second.
void note_frame_drawn(double now);

struct SeriesStats {
    unsigned long long maps_shown = 0;
    unsigned long long late_maps = 0;
    unsigned long long maps_decoded = 0; // since the start
    double frames_per_second = 0;        // window 1, over the last second
    double maps_per_second = 0;
    size_t held = 0;   // bytes of decoded frames held now (tables or cache)
    size_t peak = 0;   // most ever held
    size_t budget = 0; // the budget in force
    int cached = 0;    // frames in the cache of a streamed series
    bool streamed = false;
};
SeriesStats series_stats();

// "60 frames/s, 28.0 maps/s, 412 maps decoded, 31 cached, 992 / 1024 MiB, 0 late"
std::string statistics_line(const SeriesStats& stats);

// "tyx: 840 maps shown, 0 late, decoded cache peak 1012 MiB"
std::string exit_statistics_line(const SeriesStats& stats);

// Prints exit_statistics_line on standard error when the program ends, if
// play.print_stats is set then. Called once by start-up.
void print_statistics_at_exit();
