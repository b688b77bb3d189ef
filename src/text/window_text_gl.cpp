// window_text_gl.cpp — the caption, the time bar's reading and the notice
// line, each drawn in a text pass of its own.
#include <GL/gl.h>

#include <algorithm>
#include <string>

#include "core/clock.h"
#include "core/tyxparam.h"
#include "text/captions.h"
#include "text/notices.h"
#include "text/text_gl.h"
#include "text/window_text.h"

namespace {

struct Viewport {
    int width = 0, height = 0;
};

Viewport current_viewport()
{
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    return {v[2], v[3]};
}

std::string reading; // the time bar's reading, reused from frame to frame
std::string notice;  // the notice shown, reused likewise

} // namespace

void draw_caption()
{
    const std::string& caption = frame_caption(play.ntime);
    if (caption.empty())
        return;
    const Viewport v = current_viewport();
    const int pixels = points_to_pixels(txt.caption_size);
    const TextMetrics m = text_metrics(TextFace::kText, pixels);
    const PixelSpot corner = caption_corner(v.width, v.height, m.line_height);
    begin_text_pass();
    // A line longer than the window stops at its right edge.
    draw_text(TextFace::kText, pixels, caption, corner.x, corner.y + m.ascent, txt.caption_color,
              float(v.width));
    end_text_pass();
}

void draw_timebar_text()
{
    if (txt.timebar_text != 1)
        return;
    timebar_reading(play.ntime, play.ntimemax, &reading);
    const Viewport v = current_viewport();
    const TimebarTextSpot spot = timebar_text_spot(v.width, v.height);
    if (reading.empty() || spot.pixels <= 0)
        return;
    const TextMetrics m = text_metrics(TextFace::kText, spot.pixels);
    // The descenders clear the bar by a few pixels.
    const float baseline = spot.bar_top - m.descent - std::max(2, spot.pixels / 8);
    begin_text_pass();
    const float white[4] = {1, 1, 1, 1};
    draw_text(TextFace::kText, spot.pixels, reading, spot.x, baseline, white, float(v.width));
    end_text_pass();
}

void draw_notices()
{
    float opacity = 0;
    if (!notice_to_show(elapsed_seconds(), &notice, &opacity))
        return;
    const Viewport v = current_viewport();
    const int pixels = notice_pixels(v.height);
    const TextMetrics m = text_metrics(TextFace::kText, pixels);
    const float margin = m.line_height / 2.0f;
    const float room = v.width - 4 * margin;
    const float width = std::min(measure_text(TextFace::kText, pixels, notice), room);
    const float left = std::max((v.width - width) / 2, 2 * margin);
    const float bottom = v.height - margin;
    const float baseline = bottom - margin / 2 - m.descent;
    begin_text_pass();
    const float backing[4] = {0, 0, 0, 0.85f * opacity}; // reads over the icons too
    fill_text_backing(left - margin, baseline - m.ascent - margin / 2, left + width + margin,
                      bottom, backing);
    const float white[4] = {1, 1, 1, opacity};
    draw_text(TextFace::kText, pixels, notice, left, baseline, white, left + room);
    end_text_pass();
}
