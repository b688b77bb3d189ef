// notices.cpp — the notice board: one notice at a time, behind one lock,
// since the picture writer posts from its own thread.
#include "text/notices.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <vector>

#include "core/tyxparam.h"
#include "imagery/series_files.h"
#include "imagery/series_loading.h"
#include "imagery/series_stream.h"
#include "render/animation.h"

namespace {

struct NoticeBoard {
    std::mutex lock;
    std::string text;    // the notice being shown, "" for none
    bool fresh = false;  // posted and not yet drawn
    double shown_at = 0; // when window 1 first drew it
};

NoticeBoard& board()
{
    static NoticeBoard b;
    return b;
}

// Opacity `age` seconds after the notice was first shown.
float opacity_at(double age)
{
    if (age < kNoticeSeconds)
        return 1;
    return static_cast<float>(std::max(0.0, 1 - (age - kNoticeSeconds) / kNoticeFadeSeconds));
}

// The empty-series notice, made again only when the names it tells change.
const std::string& cached_empty_series_notice()
{
    static std::string stem, suffix, notice;
    static int start = 0;
    if (notice.empty() || stem != series.strtexfile || suffix != series.strtexfile_s ||
        start != play.tex_start) {
        stem = series.strtexfile;
        suffix = series.strtexfile_s;
        start = play.tex_start;
        notice = "No maps: " + series_file_name(stem, start, suffix) + " not found";
    }
    return notice;
}

} // namespace

void post_notice(const std::string& text)
{
    NoticeBoard& b = board();
    std::lock_guard<std::mutex> guard(b.lock);
    b.text = text;
    b.fresh = true;
}

bool notice_to_show(double now, std::string* text, float* opacity)
{
    if (txt.notices_onoff != 1)
        return false;
    if (play.ntimemax <= 0) {
        *text = cached_empty_series_notice();
        *opacity = 1;
        return true;
    }
    NoticeBoard& b = board();
    std::lock_guard<std::mutex> guard(b.lock);
    if (b.text.empty())
        return false;
    if (b.fresh) {
        b.fresh = false;
        b.shown_at = now;
    }
    *opacity = opacity_at(now - b.shown_at);
    if (!(*opacity > 0)) {
        b.text.clear();
        return false;
    }
    *text = b.text;
    return true;
}

bool notice_changing(double now)
{
    if (txt.notices_onoff != 1)
        return false;
    NoticeBoard& b = board();
    std::lock_guard<std::mutex> guard(b.lock);
    if (b.text.empty())
        return false;
    return b.fresh || now - b.shown_at >= kNoticeSeconds;
}

void clear_notices()
{
    NoticeBoard& b = board();
    std::lock_guard<std::mutex> guard(b.lock);
    b.text.clear();
    b.fresh = false;
}

std::string empty_series_notice()
{
    return play.ntimemax > 0 ? std::string() : cached_empty_series_notice();
}

void notice_reload_done(bool maps)
{
    if (!maps) {
        post_notice("Settings reloaded");
        return;
    }
    post_notice("Settings and maps reloaded: " + std::to_string(std::max(play.ntimemax, 0)) +
                (play.ntimemax == 1 ? " map" : " maps"));
}

void notice_frame_shown(int frame)
{
    // Whether each frame's failure was told, for the tables as last loaded.
    static std::vector<char> told;
    static unsigned long told_for = 0;
    if (told_for != frame_tables_generation()) {
        told.assign(kMaxFrames, 0);
        told_for = frame_tables_generation();
    }
    // A streamed frame's tables stay empty; its source tells its own problems.
    if (frame < 0 || frame >= kMaxFrames || frame >= play.ntimemax || told[frame] != 0 ||
        img.mask_earth[frame] != 1 || !img.image1[frame].empty() || slot_is_streamed(frame))
        return;
    told[frame] = 1;
    post_notice("Map cannot be read: " + slot_file_name(SeriesLayer::map, frame, play.ntimemax));
}

std::string play_speed_notice(int level, double base_interval)
{
    const double interval = level_interval(level, base_interval);
    char line[96];
    std::snprintf(line, sizeof line, "Speed %d: %.3g maps/s", level,
                  interval > 0 ? 1 / interval : 0.0);
    return line;
}

std::string spin_speed_notice(int level, double step_per_level)
{
    char line[96];
    std::snprintf(line, sizeof line, "Spin speed %d: %.3g\u00b0 per frame", level,
                  step_per_level / 100 * level);
    return line;
}
