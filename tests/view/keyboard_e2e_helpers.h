// keyboard_e2e_helpers.h — the spot map that the end-to-end tests of the keys
// and the pop-up menu turn, and where its spot shows.
#pragma once

#include <string>

#include "support/e2e.h"

namespace keys_e2e {

// A red 64 x 32 map with a yellow square over longitudes -22.5 .. 22.5 and
// latitudes -22.5 .. 22.5, so that the spot faces the eye when the view is
// centred on latitude 0, longitude 0.
inline std::string spot_map()
{
    std::string ppm = "P6\n64 32\n255\n";
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 64; x++) {
            bool spot = x >= 28 && x < 36 && y >= 12 && y < 20;
            ppm += {static_cast<char>(spot ? 255 : 200), static_cast<char>(spot ? 255 : 30),
                    static_cast<char>(spot ? 0 : 30)};
        }
    return ppm;
}

// Midpoint of the yellow pixels on row y; -1 when there are none.
inline double spot_centre(const Screenshot& shot, int y)
{
    int first = -1, last = -1;
    for (int x = 0; x < shot.width; x++) {
        const unsigned char* p = shot.at(x, y);
        if (p[0] > 200 && p[1] > 200 && p[2] < 100) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    return first < 0 ? -1 : (first + last) / 2.0;
}

} // namespace keys_e2e
