// series_export.h — the run of "tyx --export-frames DIR": window 1 draws
// every frame of the series once at the configured view and each frame is
// written as DIR/frame-00001.png, ... in series order. No GL here.
#pragma once

#include <string>

// Prepares the run after the configuration is read and the series counted:
// one window, not full screen (every frame the configured window size), no
// icons unless icons.export_icons is 1, no spin, no playback, no automatic
// reload, from the first frame. Creates the
// folder. False, told on standard error, when there is nothing to export or
// the folder cannot be made. Called by tyx_main.
bool begin_series_export(const std::string& folder);

// True while a series export runs.
bool series_export_active();

// Called by window 1's frame before its animation step: shows the frame to
// export now and keeps the view still, whatever keys were pressed.
void prepare_series_export_frame();

// Path of the frame being drawn; called by the frame when it reads it back.
std::string series_export_frame_path();

// Called by window 1's frame after the swap: goes on to the next frame, and
// after the last one, or once a frame failed, waits for the writer and ends
// the program (status 0 when every frame was written, else 1).
void finish_series_export_frame();

// Exit status of the run once the writer is done with every frame handed to
// it: 0 when all were written, else 1. Tells the outcome on standard error.
int series_export_status();
