// daylight.cpp — sun position, twilight blend and the frame writer of the demo series.
#include "daylight.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "jpeg_io.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRadian = kPi / 180;
constexpr double kTwilight = 6;        // half width of the twilight band, degrees
constexpr double kNightDayShare = 0.1; // faint day map under the night lights
constexpr int kJpegQuality = 90;

double wrap_longitude(double longitude)
{
    double l = std::fmod(longitude + 180, 360);
    if (l < 0)
        l += 360;
    return l - 180;
}

} // namespace

double solar_declination(int day_of_year)
{
    return -23.44 * std::cos(2 * kPi / 365 * (day_of_year - 1 + 10));
}

SubsolarPoint subsolar_point(int day_of_year, double hour_utc)
{
    return {solar_declination(day_of_year), wrap_longitude(-15 * (hour_utc - 12))};
}

double sun_elevation(double latitude, double longitude, SubsolarPoint sun)
{
    const double s = std::sin(latitude * kRadian) * std::sin(sun.latitude * kRadian) +
                     std::cos(latitude * kRadian) * std::cos(sun.latitude * kRadian) *
                         std::cos((longitude - sun.longitude) * kRadian);
    return std::asin(std::clamp(s, -1.0, 1.0)) / kRadian;
}

double daylight_weight(double elevation)
{
    const double t = std::clamp((elevation + kTwilight) / (2 * kTwilight), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

bool shade_day_night(const Picture& day, const Picture& night, SubsolarPoint sun, Picture* out)
{
    if (day.width != night.width || day.height != night.height || day.width <= 0 || day.height <= 0)
        return false;
    const int w = day.width, h = day.height;
    out->width = w;
    out->height = h;
    out->rgb.resize(static_cast<size_t>(w) * h * 3);

    // sin(elevation) = a(row) + b(row)·cos(longitude − sun longitude): the
    // cosine is per column and a, b per row. Only pixels inside the twilight
    // band need the arcsine.
    std::vector<double> column_cos(w);
    for (int c = 0; c < w; ++c)
        column_cos[c] = std::cos(((c + 0.5) * 360.0 / w - 180 - sun.longitude) * kRadian);
    const double band = std::sin(kTwilight * kRadian);

    for (int r = 0; r < h; ++r) {
        const double latitude = 90 - (r + 0.5) * 180.0 / h;
        const double a = std::sin(latitude * kRadian) * std::sin(sun.latitude * kRadian);
        const double b = std::cos(latitude * kRadian) * std::cos(sun.latitude * kRadian);
        const size_t row = static_cast<size_t>(r) * w * 3;
        for (int c = 0; c < w; ++c) {
            const double s = a + b * column_cos[c];
            const double t = s >= band    ? 1.0
                             : s <= -band ? 0.0
                                          : daylight_weight(std::asin(s) / kRadian);
            for (int k = 0; k < 3; ++k) {
                const size_t i = row + static_cast<size_t>(c) * 3 + k;
                const double lit = day.rgb[i];
                const double dark = std::min(255.0, night.rgb[i] + kNightDayShare * lit);
                out->rgb[i] = static_cast<std::uint8_t>(t * lit + (1 - t) * dark + 0.5);
            }
        }
    }
    return true;
}

bool make_day_night_series(const std::string& day_path, const std::string& night_path,
                           const std::string& out_stem, int frames, int day_of_year,
                           std::string* error)
{
    Picture day, night;
    if (!read_jpeg(day_path, &day, error) || !read_jpeg(night_path, &night, error)) {
        *error += " (the day and night Earth maps come with the Debian package xplanet-images:"
                  " apt-get install xplanet-images)";
        return false;
    }
    if (day.width != night.width || day.height != night.height) {
        *error = day_path + " and " + night_path + " differ in size";
        return false;
    }
    Picture frame;
    for (int h = 0; h < frames; ++h) {
        shade_day_night(day, night, subsolar_point(day_of_year, h * 24.0 / frames), &frame);
        if (!write_jpeg(out_stem + std::to_string(h + 1) + ".jpg", frame, kJpegQuality, error))
            return false;
    }
    return true;
}
