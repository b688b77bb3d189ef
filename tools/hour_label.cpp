// hour_label.cpp — draws the demo's per-frame time caption.
#include "hour_label.h"

#include <cstdio>

namespace {

constexpr double kTextHeight = 24; // pixels
constexpr double kMargin = 8;
constexpr double kStroke = 3.5;
constexpr Rgb kEdge{20, 24, 30};
constexpr Rgb kText{244, 240, 224};

} // namespace

Picture draw_hour_label(const std::string& date, int hour, int minute)
{
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d", hour % 100, minute % 100);
    const std::string text = date + " " + time + " UTC";
    const int width = static_cast<int>(text_width(text, kTextHeight) + 2 * kMargin + 0.5);
    const int height = static_cast<int>(kTextHeight + 2 * kMargin);
    Canvas canvas = make_canvas(width, height);
    // The dark edge keeps the letters readable over bright clouds and ice.
    stroke_text(canvas, text, {kMargin, kMargin}, kTextHeight, kStroke + 4, kEdge);
    stroke_text(canvas, text, {kMargin, kMargin}, kTextHeight, kStroke, kText);
    return resolve_canvas(canvas);
}
