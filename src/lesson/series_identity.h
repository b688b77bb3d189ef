// series_identity.h — which settings make up the maps a window shows, so
// that a lesson step reloads its maps only when they differ. No GL here.
#pragma once

#include <string>

// The settings that choose and decode the map series of both globes.
struct SeriesIdentity {
    std::string names[16]; // stems and suffixes of the four layers, globe 1 then globe 2
    int tex_start = 0, tex_end = 0;
    int number_of_textures = 0;
    int second_sphere_texture = 0;
    int nsphere = 0;
    int screen_front = 0;        // chooses the screen readers (alpha or not)
    int screen_transparency = 0; // part of how dark screen pixels decode
};

// The identity the state holds now.
SeriesIdentity current_series_identity();

// Puts the series settings of `identity` back into the state.
void restore_series_identity(const SeriesIdentity& identity);

// True when the two settings show different maps: globe 1's map and screen
// series, its second layer where either has one, globe 2's own series where
// either shows one, the numbering and what decodes them. Names that neither
// side uses do not count.
bool maps_differ(const SeriesIdentity& a, const SeriesIdentity& b);

// True when the series of the current settings has its first frame: a map or
// a screen image numbered tex_start opens. `missing` receives the map file
// looked for.
bool series_has_first_frame(std::string* missing);
