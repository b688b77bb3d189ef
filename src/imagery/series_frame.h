// series_frame.h — decoding one frame of a numbered image series into its
// four layers, as both the all-decoded load and the streamed series do. No
// GL here, and no reading of the viewer state: everything comes in a
// FrameFiles copied on the thread that starts the load.
#pragma once

#include "imagery/decode_report.h"
#include "imagery/frame_source.h"
#include "imagery/series_files.h"

// What decoding the frames of one globe's series depends on.
struct FrameFiles {
    SeriesNames names;
    SeriesReadSettings read;
    int number_of_textures = 1; // from 2 on the second texture and second screen exist
    int texture_limit = 0;      // images wider or taller are shrunk to fit; 0 = none
    // Per SeriesLayer: the film that holds the layer's frames ("" for
    // numbered files). Only maps and second textures are ever films.
    std::string film[4];
    bool has_film() const { return !film[0].empty() || !film[2].empty(); }
};
FrameFiles frame_files(bool globe2, int texture_limit);

// Decodes frame `frame` into `out`: the map, then the screen and, behind
// it, the second screen (tried only where the screen exists), then the
// second texture. A layer whose file opened but did not decode stays empty.
// Film layers are left as they are (present -1): the film source fills them.
// Problems go to `report` (unless null) at `order` + the layer's number.
void decode_series_frame(const FrameFiles& files, int frame, SeriesFrame* out, DecodeReport* report,
                         int order);

// The decoded size of `layer` of frame `frame` from its file's header
// (after the shrink to the texture limit), in bytes; 0 when the file is not
// there or its header does not read. A film layer's frames are as large as
// the film's pictures.
size_t frame_layer_bytes(const FrameFiles& files, SeriesLayer layer, int frame);
