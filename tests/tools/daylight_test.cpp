// daylight_test.cpp — sun position and the day-and-night frames of the demo series.
#include "tools/daylight.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"
#include "tools/jpeg_io.h"

namespace {

// Channel 0 of the map pixel nearest to a place (equirectangular, column 0
// at longitude -180, row 0 at latitude 90).
int red_at(const Picture& p, double latitude, double longitude)
{
    int c = static_cast<int>((longitude + 180) / 360 * p.width);
    int r = static_cast<int>((90 - latitude) / 180 * p.height);
    c = (c % p.width + p.width) % p.width;
    r = std::min(std::max(r, 0), p.height - 1);
    return p.rgb[(static_cast<size_t>(r) * p.width + c) * 3];
}

Picture flat(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    Picture p;
    p.width = width;
    p.height = height;
    for (int i = 0; i < width * height; ++i)
        p.rgb.insert(p.rgb.end(), {r, g, b});
    return p;
}

} // namespace

TEST(SunPosition, DeclinationAtSolsticesAndEquinox)
{
    EXPECT_NEAR(solar_declination(172), 23.44, 0.05);  // 21 June
    EXPECT_NEAR(solar_declination(355), -23.44, 0.05); // 21 December
    EXPECT_NEAR(solar_declination(80), 0, 1.0);        // 21 March
}

TEST(SunPosition, SubsolarLongitudeMovesWestFifteenDegreesAnHour)
{
    EXPECT_DOUBLE_EQ(subsolar_point(172, 12).longitude, 0);
    EXPECT_DOUBLE_EQ(subsolar_point(172, 6).longitude, 90);
    EXPECT_DOUBLE_EQ(subsolar_point(172, 18).longitude, -90);
    EXPECT_DOUBLE_EQ(std::abs(subsolar_point(172, 0).longitude), 180);
    EXPECT_DOUBLE_EQ(subsolar_point(172, 23).longitude, -165); // an hour before 0 UTC
    EXPECT_NEAR(subsolar_point(172, 3).latitude, 23.44, 0.05);
}

TEST(SunPosition, ElevationAndTwilightWeight)
{
    const SubsolarPoint sun{20, 40};
    EXPECT_NEAR(sun_elevation(20, 40, sun), 90, 1e-6);
    EXPECT_NEAR(sun_elevation(-20, -140, sun), -90, 1e-6);
    EXPECT_NEAR(sun_elevation(0, 130, {0, 40}), 0, 1e-9); // on the terminator
    EXPECT_EQ(daylight_weight(-6), 0);
    EXPECT_EQ(daylight_weight(-30), 0);
    EXPECT_EQ(daylight_weight(6), 1);
    EXPECT_DOUBLE_EQ(daylight_weight(0), 0.5);
    EXPECT_LT(daylight_weight(-2), daylight_weight(-1));
    EXPECT_LT(daylight_weight(1), daylight_weight(2));
}

TEST(DayNightShading, LitAroundTheSubsolarPointDarkOpposite)
{
    const Picture day = flat(360, 180, 240, 240, 240);
    const Picture night = flat(360, 180, 2, 2, 2);
    Picture out;
    for (int hour : {0, 5, 12, 19}) {
        const SubsolarPoint sun = subsolar_point(172, hour);
        ASSERT_TRUE(shade_day_night(day, night, sun, &out));
        ASSERT_EQ(out.width, 360);
        EXPECT_EQ(red_at(out, sun.latitude, sun.longitude), 240) << hour;
        EXPECT_EQ(red_at(out, 0, sun.longitude + 60), 240) << hour;
        // Opposite: the night lights plus a tenth of the day map.
        EXPECT_EQ(red_at(out, -sun.latitude, sun.longitude + 180), 26) << hour;
        // On the equator 90° east of the sun it is dusk: half way.
        const int dusk = red_at(out, 0, sun.longitude + 90);
        EXPECT_GT(dusk, 60) << hour;
        EXPECT_LT(dusk, 210) << hour;
        // June: the Arctic is lit all day, the Antarctic dark.
        EXPECT_EQ(red_at(out, 89, sun.longitude + 180), 240) << hour;
        EXPECT_EQ(red_at(out, -89, sun.longitude), 26) << hour;
    }
}

TEST(DayNightShading, MismatchedMapsAreRefused)
{
    Picture out;
    EXPECT_FALSE(shade_day_night(flat(8, 4, 1, 1, 1), flat(8, 2, 1, 1, 1), {}, &out));
    EXPECT_FALSE(shade_day_night(Picture{}, Picture{}, {}, &out));
}

TEST(DemoSeries, WritesNumberedJpegFramesForEachHour)
{
    TempDir dir;
    std::string error;
    ASSERT_TRUE(write_jpeg(dir.path() + "/day.jpg", flat(96, 48, 230, 230, 230), 95, &error));
    ASSERT_TRUE(write_jpeg(dir.path() + "/night.jpg", flat(96, 48, 0, 0, 0), 95, &error));
    ASSERT_TRUE(make_day_night_series(dir.path() + "/day.jpg", dir.path() + "/night.jpg",
                                      dir.path() + "/earth", 24, 172, &error))
        << error;
    for (int n = 1; n <= 24; ++n)
        EXPECT_TRUE(std::filesystem::exists(dir.path() + "/earth" + std::to_string(n) + ".jpg"))
            << n;
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "/earth0.jpg"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "/earth25.jpg"));

    // File 1 is 0 UTC: noon over the date line, night over Greenwich;
    // file 13 is 12 UTC, the other way round.
    Picture midnight, noon;
    ASSERT_TRUE(read_jpeg(dir.path() + "/earth1.jpg", &midnight, &error)) << error;
    ASSERT_TRUE(read_jpeg(dir.path() + "/earth13.jpg", &noon, &error)) << error;
    EXPECT_EQ(midnight.width, 96);
    EXPECT_EQ(midnight.height, 48);
    EXPECT_GT(red_at(midnight, 10, 179), 200);
    EXPECT_LT(red_at(midnight, 10, 0), 40);
    EXPECT_GT(red_at(noon, 10, 0), 200);
    EXPECT_LT(red_at(noon, 10, 179), 40);
}

TEST(DemoSeries, MissingMapsNameTheDebianPackage)
{
    TempDir dir;
    std::string error;
    EXPECT_FALSE(make_day_night_series(dir.path() + "/none.jpg", dir.path() + "/none2.jpg",
                                       dir.path() + "/earth", 24, 172, &error));
    EXPECT_NE(error.find("none.jpg"), std::string::npos) << error;
    EXPECT_NE(error.find("xplanet-images"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "/earth1.jpg"));
}

TEST(JpegFiles, NotAJpegIsAnErrorNotAnExit)
{
    TempDir dir;
    const std::string path = dir.write("fake.jpg", "P6\n1 1\n255\nabc");
    Picture p;
    std::string error;
    EXPECT_FALSE(read_jpeg(path, &p, &error));
    EXPECT_NE(error.find("fake.jpg"), std::string::npos) << error;
    EXPECT_FALSE(write_jpeg(dir.path() + "/empty.jpg", Picture{}, 90, &error));
}
