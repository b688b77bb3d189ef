// plot_demo_e2e_test.cpp — the demo's configuration and plot files in the
// real program: the keys P, V and D hide and show the symbols, the arrows and
// the plotted lines, each its own pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/e2e.h"
#include "tools/jpeg_io.h"

namespace {

constexpr double kPi = 3.141592653589793;

std::string source_file(const std::string& relative)
{
    std::ifstream in(std::string(TYX_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// A dark one-colour map standing in for the demo's day-and-night series, so
// that only the overlays change between screenshots.
std::string dark_map()
{
    JpegSamples samples;
    samples.width = 64;
    samples.height = 32;
    samples.data.assign(size_t(64) * 32 * 3, 40);
    std::string error;
    return encode_jpeg(samples, 95, &error);
}

// Pixels of the two shots that differ by more than a JPEG-free tolerance.
std::vector<int> changed(const Screenshot& a, const Screenshot& b)
{
    std::vector<int> pixels;
    for (int y = 0; y < a.height; y++)
        for (int x = 0; x < a.width; x++) {
            const unsigned char *p = a.at(x, y), *q = b.at(x, y);
            if (std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]) > 24)
                pixels.push_back(y * a.width + x);
        }
    return pixels;
}

} // namespace

using PlotDemoEndToEnd = EndToEnd;

TEST_F(PlotDemoEndToEnd, KeysHideAndShowEachKind)
{
    run.write("data/conf/init_conf.txt", source_file("data/conf/init_conf.txt"));
    run.write("data/conf/conf.txt", source_file("tools/demo/conf.txt"));
    for (const char* kind : {"points", "lines", "arrows"}) {
        const std::string file = std::string("data/plot/") + kind + "/" + kind + ".csv";
        run.write(file, source_file("tools/demo/" + file.substr(5)));
    }
    run.write("map/earth1.jpg", dark_map());
    unsigned long window = start();
    ASSERT_NE(window, 0u);
    const Screenshot shown = run.screenshot(window);
    ASSERT_EQ(shown.width, 800);

    // London's blue square, 80 pixels above the centre of the view from
    // 30 N 0 E at zoom 1.45 (globe radius 217.5 pixels).
    const double lat = 51.51 * kPi / 180, lat0 = 30 * kPi / 180;
    const int london_y = int(std::lround(
        300 - 217.5 * (std::cos(lat0) * std::sin(lat) - std::sin(lat0) * std::cos(lat))));
    ASSERT_TRUE(near(shown, 400, london_y, {51, 115, 255}, 12))
        << describe(shown.colour(400, london_y));

    std::vector<std::vector<int>> hidden_by;
    for (const char* key : {"P", "V", "D"}) {
        SCOPED_TRACE(key);
        run.key(window, key);
        ASSERT_TRUE(run.wait_frames());
        const Screenshot hidden = run.grab(window);
        hidden_by.push_back(changed(shown, hidden));
        EXPECT_GT(hidden_by.back().size(), 150u);
        run.key(window, key);
        ASSERT_TRUE(run.wait_frames());
        EXPECT_LT(changed(shown, run.grab(window)).size(), 10u) << "not shown again";
        if (std::string(key) == "P") {
            EXPECT_FALSE(near(hidden, 400, london_y, {51, 115, 255}, 60));
        }
    }
    // Each key hides its own kind: the pixels hardly overlap.
    for (int a = 0; a < 3; a++)
        for (int b = a + 1; b < 3; b++) {
            size_t common = 0;
            for (int p : hidden_by[a])
                common += std::binary_search(hidden_by[b].begin(), hidden_by[b].end(), p);
            EXPECT_LT(common * 10, std::min(hidden_by[a].size(), hidden_by[b].size()))
                << a << " and " << b;
        }
}
