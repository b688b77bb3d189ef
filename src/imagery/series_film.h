// series_film.h — a map series that is one film: which layers are films, what
// their files are called, and what discovery says about them. No GL here.
//
// A layer is a film when its suffix names a film container ("mp4", "webm",
// ...), no numbered file of its first number exists, and the stem + "." +
// suffix does: "#TextureName map/storms" with "#TextureSuffix mp4" reads
// "map/storms.mp4". Frame index i is then film frame i + tex_start (counted
// from 1). Maps and second textures may be films, of globe 1's series and of
// globe 2's own; screens are always numbered files.
#pragma once

#include <string>

#include "imagery/film_reader.h"

// The film that a layer with this stem and suffix reads, or "" when the
// layer is a numbered series: "stem.suffix", or "stem.SUFFIX" when only the
// upper-case name exists. `first_number` is the number of frame 0's file.
std::string find_series_film(const std::string& stem, const std::string& suffix,
                             long long first_number);

// Globe 1's map film, or "" (from the state block's names).
std::string series_map_film();

// What discovery found in globe 1's map film.
struct FilmScan {
    std::string path;    // "" when the maps are numbered files
    std::string problem; // why it does not open, or the damage found
    FilmInfo info;       // when it opened
    bool opened = false;
};

// Opens globe 1's map film for its facts (no frame is decoded). Empty path
// when the maps are numbered files.
FilmScan scan_map_film();

// "H.264 4096x2048, 30 fps" for the discovery line.
std::string describe_film(const FilmInfo& info);
