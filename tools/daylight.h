// daylight.h — day and night shading of an equirectangular Earth map for a moment.
//
// Conventions: degrees throughout; latitude positive north, longitude
// positive east in −180 … 180. Maps are equirectangular: column 0 starts at
// longitude −180° and row 0 at latitude +90°, pixel centres half a pixel in.
#pragma once

#include <string>

#include "raster.h"

// Where the sun stands overhead.
struct SubsolarPoint {
    double latitude = 0;  // the sun's declination
    double longitude = 0; // −180 … 180
};

// Declination of the sun on day `day_of_year` (1 = 1 January), by the usual
// cosine approximation: +23.44° near 21 June, −23.44° near 21 December.
double solar_declination(int day_of_year);

// Subsolar point at `hour_utc` of the day, on mean solar time: at 12 UTC the
// sun stands over longitude 0 and it moves 15° west per hour. The equation of
// time (a few minutes) is left out.
SubsolarPoint subsolar_point(int day_of_year, double hour_utc);

// Elevation of the sun above the horizon at a place.
double sun_elevation(double latitude, double longitude, SubsolarPoint sun);

// Share of the day picture at a sun elevation: 0 below −6° (night), 1 above
// +6° (day), a smooth step across the twilight band between.
double daylight_weight(double elevation);

// Mixes the day map and the night lights for the sun position into `out`.
// The night side keeps a faint copy of the day map so that the continents
// stay readable under the lights. Both inputs must have the same size.
bool shade_day_night(const Picture& day, const Picture& night, SubsolarPoint sun, Picture* out);

// Writes `frames` frames, frame h (file number h + 1, stem + number + ".jpg")
// for hour h · 24 / frames UTC of `day_of_year`, from the two JPEG maps.
// Returns false with a message naming the problem (and, for missing inputs,
// the Debian package that installs them).
bool make_day_night_series(const std::string& day_path, const std::string& night_path,
                           const std::string& out_stem, int frames, int day_of_year,
                           std::string* error);
