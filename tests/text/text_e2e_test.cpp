// text_e2e_test.cpp — the real program's text: place labels beside their
// points and none on the far side, a caption per map, the time bar's
// reading, and the notice of a save that comes and goes.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/e2e.h"

namespace {

const Colour kSea = {20, 30, 90};

bool whitish(const Screenshot& s, int x, int y)
{
    const unsigned char* p = s.at(x, y);
    return p[0] > 200 && p[1] > 200 && p[2] > 200;
}

int whitish_in(const Screenshot& s, int left, int top, int right, int bottom)
{
    int n = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, s.height); y++)
        for (int x = std::max(left, 0); x < std::min(right, s.width); x++)
            n += whitish(s, x, y) ? 1 : 0;
    return n;
}

// Pixel of (latitude, longitude) on a globe of radius 150 pixels seen from
// above (0, centre_longitude) in the 800 x 600 window, north up.
void pixel_of(double latitude, double longitude, double centre_longitude, int* x, int* y)
{
    const double d = M_PI / 180;
    *x = int(std::lround(400 + 150 * std::cos(latitude * d) *
                                   std::sin((longitude - centre_longitude) * d)));
    *y = int(std::lround(300 - 150 * std::sin(latitude * d)));
}

class TextEndToEnd : public EndToEnd {
  protected:
    // Three dark maps and two named red points, the view centred on
    // (0, `longitude`).
    void lay_out(double longitude, const std::string& more)
    {
        for (int i = 1; i <= 3; i++)
            run.write("map/sample" + std::to_string(i) + ".ppm", solid_ppm(kSea));
        run.write("data/plot/points/points.csv",
                  "47.37, 8.54, 1, 0.04, 0, 1, 0, 0, 1, Z\xC3\xBCrich\n"
                  "-23.55, -46.63, 1, 0.04, 0, 1, 0, 0, 1, \"S\xC3\xA3o Paulo\"\n");
        run.write("data/conf/conf.txt", "#PointsOn 1\n#PointsInitDisplay 1\n#Latitude 0\n"
                                        "#Longitude " +
                                            std::to_string(longitude) + "\n" + more);
    }
};

} // namespace

TEST_F(TextEndToEnd, LabelsStandBesideTheirPointsAndEachMapHasItsCaption)
{
    lay_out(-20, "#CaptionFile data/captions.txt\n#CaptionXY -2.5 1.9\n#TimebarScaleXY 0 0 0\n");
    run.write("data/captions.txt", "First map\nSecond\n");
    unsigned long window = start();
    ASSERT_NE(window, 0u);
    Screenshot shot = run.wait_for(window, [](const Screenshot& s) {
        return near(s, 400, 300, kSea, 20) && whitish_in(s, 0, 0, 800, 60) > 20;
    });
    ASSERT_GT(shot.width, 0) << "no caption over the map";
    for (const auto& [lat, lon] : {std::pair{47.37, 8.54}, std::pair{-23.55, -46.63}}) {
        int x = 0, y = 0;
        pixel_of(lat, lon, -20, &x, &y);
        // Right of the symbol (radius about 4 pixels), centred on its row;
        // nothing on its left.
        EXPECT_GT(whitish_in(shot, x + 5, y - 10, x + 90, y + 10), 30) << lat;
        EXPECT_EQ(whitish_in(shot, x - 60, y - 10, x - 5, y + 10), 0) << lat;
    }

    // The second map's caption is another one.
    auto caption = [](const Screenshot& s) {
        std::vector<bool> mask;
        for (int y = 0; y < 60; y++)
            for (int x = 0; x < 300; x++)
                mask.push_back(whitish(s, x, y));
        return mask;
    };
    const std::vector<bool> first = caption(shot);
    run.key(window, "a");
    Screenshot second = run.wait_for(window, [&](const Screenshot& s) {
        return whitish_in(s, 0, 0, 800, 60) > 20 && caption(s) != first;
    });
    EXPECT_GT(second.width, 0) << "the caption did not change with the map";
}

TEST_F(TextEndToEnd, FarSideLabelsHideTheTimeBarReadsAndASaveIsNoticed)
{
    lay_out(160, "#TimeBarText 1\n#TimebarScaleXY 0.5 -2.5 -1.2\n");
    unsigned long window = start();
    ASSERT_NE(window, 0u);
    // The reading "1 / 3" stands on the bar: rows 450 to 480 at its left end
    // (the bar's top is row 480, its size 0.4 of 75 pixels).
    Screenshot shot = run.wait_for(
        window, [](const Screenshot& s) { return whitish_in(s, 0, 440, 200, 480) > 20; });
    ASSERT_GT(shot.width, 0) << "no reading beside the time bar";
    EXPECT_EQ(whitish_in(shot, 0, 0, 800, 430), 0) << "a label of the far side shows";

    // A save in drawing mode says so at the bottom, then the notice goes.
    run.key(window, "p");
    ASSERT_TRUE(run.wait_frames(2));
    run.key(window, "v");
    auto notice = [](const Screenshot& s) { return whitish_in(s, 200, 540, 600, 600); };
    EXPECT_GT(run.wait_for(window, [&](const Screenshot& s) { return notice(s) > 50; }).width, 0)
        << "no notice of the save";
    EXPECT_GT(run.wait_for(
                     window, [&](const Screenshot& s) { return notice(s) == 0; }, 5)
                  .width,
              0)
        << "the notice did not go within 5 s";
}
