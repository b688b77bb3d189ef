// series_loading.h — decoding the series and the icon pictures into the image
// tables: everything fileyomitori does before it touches GL. No GL here.
#pragma once

#include <functional>

#include "imagery/load_progress.h"
#include "imagery/series_files.h"

// Reads the icon pictures of the configured icon slots and the pressed-icon
// overlay, once per run (icons.icon_yomitori_finish). A missing picture
// switches the palette off (int_button = 0) and reading goes on; a picture
// that does not decode is told on standard error.
void read_icons();

// Decodes the four layers of table slot `slot` of a series of `frames`
// frames and sets its presence flags. Images wider or taller than
// `texture_limit` (0 = no limit) are shrunk to fit. Tells nothing beyond the
// JPEG library's own messages.
void load_series_slot(int slot, int frames, int texture_limit);

// Loads every slot of `range` on `threads` threads (at most one per slot),
// the calling thread among them; the tables end up the same whatever the
// thread count. Files that do not decode, or only in part, are told on
// standard error afterwards, one line each for the first few and a count of
// the rest.
void load_series_slots(SlotRange range, int texture_limit, int threads);

// Keeps play.ntime within the frames of the series (0 when there are none).
void clamp_frame_index();

// Steps 1 to 4 of a window's load: icons (once per run), the window's slot
// range on decode_thread_count() workers, and the frame index clamp, with the
// decoding problems of icons and slots told together at the end. Called by
// fileyomitori, whose `progress` keeps the windows showing how far the load
// has come: while the workers decode, the calling thread calls it every
// kLoadProgressInterval (never for a load that ends sooner), and once more
// with the full count at the end if it called it at all.
void load_window_images(int window, int texture_limit, const LoadProgressHook& progress = nullptr);

// Threads that decode a series on this machine: one per core.
int decode_thread_count();

// The generation of the frame image tables: a number that changes whenever
// slots are filled (a window's load) or released (a reload request), and never
// comes back within a run. A window whose frame textures were taken from an
// older generation shows stale images and must upload again, even when its
// frame index did not change (window 2 sharing window 1's series draws before
// window 1 has filled the tables).
unsigned long frame_tables_generation();
// Called by whoever fills or releases frame slots.
void note_frame_tables_changed();

// For tests of a load that takes its time: `observer` is called by the
// worker about to decode each slot, up front or streamed (null: none, as in
// the program). Files cannot stand in for a slow disk, since only regular
// files are read.
void set_slot_decode_observer(std::function<void(int slot)> observer);
// Called by whoever is about to decode a slot: the load's workers and the
// numbered frame source.
void observe_slot_decode(int slot);
