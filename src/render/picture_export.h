// picture_export.h — saving what a window shows as PNG files: the numbered
// pictures of key S under "export/" and the frames of a series export. The
// frame routines read the pixels back (picture_export_gl.cpp); encoding and
// writing happen on one writer thread, so that neither the drawing nor the
// animation clock waits for them. No GL here.
#pragma once

#include <string>
#include <vector>

// Pixels read back from a window: RGB, rows bottom first as GL gives them.
struct CapturedPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// Folder of the pictures of key S, relative to the working directory.
constexpr const char* kSnapshotFolder = "export";

// "folder/tyx-00012.png" for number 12 (more digits from 100000 on).
std::string snapshot_file_name(const std::string& folder, int number);

// One above the highest number among the folder's files named tyx-N.png;
// 1 when there is none or no such folder.
std::string next_snapshot_file_name(const std::string& folder);

// "folder/frame-00001.png" for frame index 0 of a series export.
std::string series_frame_file_name(const std::string& folder, int index);

// Key S: the next frame of window 1 (second_window false) or window 2 is
// saved. Run by the save-picture command of the command table.
void request_snapshot(bool second_window);

// True once for each request; called by the window's frame after drawing.
bool take_snapshot_request(bool second_window);

// Hands a picture to the writer, which saves it under the next free number
// in `folder` (created when missing), prints the file's path on standard
// output, or tells on standard error why it could not. Refused (told on
// standard error, false) while too many pictures are still waiting.
bool queue_snapshot(CapturedPicture picture, const std::string& folder = kSnapshotFolder);

// Hands frame `index` (0-based) of `count` to the writer for `path`; each
// written frame is told on standard error. After a frame fails, the writer
// tells why and writes no further frames.
void queue_series_frame(CapturedPicture picture, const std::string& path, int index, int count);

// Waits until at most `pending` pictures handed over are still unwritten.
void wait_for_exports(int pending = 0);

// True once a frame of the series export could not be written; cleared when
// an export begins.
bool series_export_failed();
void clear_series_export_failure();

// ---------------------------------------------------------------------------
// GL side (picture_export_gl.cpp).

// Called by the frame routines after the frame is drawn and before the swap:
// reads the back buffer of the current window when window 1
// (second_window false) or window 2 asked for a snapshot, or when window 1
// draws a frame of a series export, and hands the pixels to the writer.
void export_drawn_frame(bool second_window);
