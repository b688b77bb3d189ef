// window_text.cpp — where the caption, the time bar's reading and the notice
// line go in a window.
#include "text/window_text.h"

#include <algorithm>
#include <cmath>

#include "core/tyxparam.h"
#include "render/timebar.h"
#include "text/font_faces.h"

namespace {

constexpr double kTimebarTextShare = 0.4; // of the bar's height in pixels

} // namespace

PixelSpot screen_units_to_pixels(double x, double y, int width, int height)
{
    const double aspect = height > 0 ? double(width) / height : 1;
    const double quarter = height / 4.0;
    return {static_cast<float>((x + 2 * aspect) * quarter), static_cast<float>((2 - y) * quarter)};
}

PixelSpot caption_corner(int width, int height, int line_height)
{
    if (txt.caption_x == kCaptionAtTopLeft && txt.caption_y == kCaptionAtTopLeft)
        return {line_height / 2.0f, line_height / 2.0f};
    return screen_units_to_pixels(txt.caption_x, txt.caption_y, width, height);
}

TimebarTextSpot timebar_text_spot(int width, int height)
{
    TimebarTextSpot spot;
    const double s = overlay.time_scale;
    if (!timebar_has_size(s) || height <= 0)
        return spot;
    const double bar_pixels = timebar_shape(s).height * height / 4;
    spot.pixels = static_cast<int>(std::clamp(std::lround(kTimebarTextShare * bar_pixels),
                                              long(kMinTextPixels), long(kMaxTextPixels)));
    const PixelSpot corner = screen_units_to_pixels(overlay.time_x, overlay.time_y, width, height);
    spot.x = corner.x;
    spot.bar_top = corner.y;
    return spot;
}

int notice_pixels(int height)
{
    return std::clamp(height / 28, 14, 48);
}
