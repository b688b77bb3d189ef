// series_discovery.h — counts the frames of the numbered map series.
#pragma once

// Sets play.ntimemax to the length of the unbroken run of numbers from
// tex_start for which a map or a screen image exists, capped by tex_end.
// Called at start-up after the configuration is read and by window 1's frame
// after a configuration re-read.
void fileornot();

// The scan behind fileornot over `table_slots` numbers (the size of the image
// tables; tests pass a small size). Returns the frame count, never negative;
// prints the empty-series notice on standard output, and on standard error
// when globe 2's own series has to be cut to half the tables. Also records in
// img.mask_earth which frames have a map file.
int count_series_frames(int table_slots);
