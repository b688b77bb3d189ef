// frame_pacing.cpp — the arithmetic of the frame-rate limit and the test for a
// view that moves by itself.
#include "render/frame_pacing.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/clock.h"
#include "core/tyxparam.h"
#include "render/animation.h"
#include "text/notices.h"

double frame_period(int limit)
{
    return limit > 0 ? 1.0 / limit : 0;
}

bool frame_is_due(double due, double now)
{
    return now >= due - kFrameSlack;
}

double next_frame_due(double due, double now, int limit)
{
    double period = frame_period(limit);
    if (period <= 0)
        return now;
    double next = due + period;
    return next > now ? next : now + period;
}

double next_frame_request(double due, double now, bool lively)
{
    return lively ? due : std::max(due, now + kStillFrameSeconds);
}

unsigned int frame_wait_ms(double at, double now)
{
    // Less than a nanosecond over a whole millisecond is rounding, not time.
    double ms = std::ceil((at - now) * 1000 - 1e-6);
    return ms > 0 ? static_cast<unsigned int>(ms) : 0;
}

namespace {

// What changes the picture by itself, or waits for a frame, besides the
// series playing.
bool view_moves_besides_playing()
{
    bool second = wnd.window2 != 0;
    return spin.jitenornot == 1 || drawing.line_continue == 1 ||
           std::fabs(inertia.arhozon) > inertia.minkanseikaiten ||
           std::fabs(inertia.arhozon_2) > inertia.minkanseikaiten || series.readinit_file == 1 ||
           series.readtextureornot == 1 || wnd.perspec_radio != wnd.perspec ||
           play.ntimetmp != play.ntime || lesson.flight != 0 || lesson.step_request >= 0 ||
           (second && (series.readtextureornot2 == 1 || play.ntime2 != play.ntime)) ||
           notice_changing(elapsed_seconds());
}

bool playing()
{
    return play.anim == 1 || play.anim == -1;
}

} // namespace

bool view_is_moving()
{
    return playing() || view_moves_besides_playing();
}

double next_map_time()
{
    if (!playing() || view_moves_besides_playing() || play.late_frame >= 0)
        return -1;
    // Past the interval by a little: the step needs strictly more.
    return play.jikan1 + animation_interval() + kMapTimeMargin;
}

bool has_extension_name(const char* list, const char* name)
{
    if (list == nullptr || name == nullptr || *name == '\0')
        return false;
    size_t length = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += length) {
        bool starts = p == list || p[-1] == ' ';
        bool ends = p[length] == ' ' || p[length] == '\0';
        if (starts && ends)
            return true;
    }
    return false;
}
