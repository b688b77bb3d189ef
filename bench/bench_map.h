// bench_map.h — the map the frame benchmarks draw: the Earth from Debian's
// xplanet-images when it is installed at the benchmark's size, otherwise a
// synthetic pattern of the same size.
#pragma once

#include <memory>

#include "bench_jpeg.h"
#include "core/tyxparam.h"

// A width x height RGB map; *from_earth tells which kind it is.
inline TexImage bench_map(int width, int height, bool* from_earth)
{
    TexImage map;
    map.width = width;
    map.height = height;
    map.channels = 3;
    int earth_width = 0, earth_height = 0;
    std::unique_ptr<unsigned char[]> earth =
        libjpeg_decode("/usr/share/xplanet/images/earth.jpg", &earth_width, &earth_height);
    *from_earth = earth && earth_width == width && earth_height == height;
    if (*from_earth) {
        map.pixels = std::move(earth);
        return map;
    }
    map.pixels.reset(new unsigned char[static_cast<size_t>(width) * height * 3]);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            unsigned char* p = &map.pixels[(static_cast<size_t>(y) * width + x) * 3];
            p[0] = static_cast<unsigned char>(x * 255 / width);
            p[1] = static_cast<unsigned char>(y * 255 / height);
            p[2] = static_cast<unsigned char>((x ^ y) & 0xff);
        }
    return map;
}
