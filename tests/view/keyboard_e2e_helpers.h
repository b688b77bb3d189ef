// keyboard_e2e_helpers.h — maps, screen grabs and polling for the end-to-end
// tests of the keys and the pop-up menu.
#pragma once

#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>

#include "support/e2e.h"

namespace keys_e2e {

struct Colour {
    unsigned char r, g, b;
};

// A binary PPM of one colour.
inline std::string solid_map(Colour c, int width = 8, int height = 4)
{
    std::string ppm = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int i = 0; i < width * height; i++)
        ppm += {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
    return ppm;
}

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

// The window's content now, without waiting.
inline Screenshot grab(TyxRun& run, unsigned long window)
{
    return run.grab(window);
}

inline bool near(const Screenshot& shot, int x, int y, Colour c)
{
    if (x < 0 || y < 0 || x >= shot.width || y >= shot.height)
        return false;
    const unsigned char* p = shot.at(x, y);
    auto close = [](int a, int b) { return a - b < 40 && b - a < 40; };
    return close(p[0], c.r) && close(p[1], c.g) && close(p[2], c.b);
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

// Grabs the window until `done` holds for a grab; false after `seconds`.
inline bool poll(TyxRun& run, unsigned long window,
                 const std::function<bool(const Screenshot&)>& done, double seconds = 10)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < until) {
        Screenshot shot = grab(run, window);
        if (shot.width > 0 && done(shot))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

inline void pause(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

} // namespace keys_e2e
