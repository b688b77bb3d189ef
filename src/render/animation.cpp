// animation.cpp — the map-series clock shared by both windows.
#include "render/animation.h"

#include <cmath>

#include "core/tyxparam.h"
#include "imagery/series_stats.h"
#include "imagery/series_stream.h"

double base_interval()
{
    if (play.map_film != 1 || play.video_frame_rate == 0)
        return play.anim_speed;
    const double rate = play.video_frame_rate > 0 ? play.video_frame_rate : play.map_film_fps;
    return rate > 0 ? 1.0 / rate : play.anim_speed;
}

double level_interval(int level, double base)
{
    return base * std::pow(std::sqrt(2.0), 8 - level);
}

double animation_interval()
{
    double interval = level_interval(play.animsokudo, base_interval());
    int last = play.ntimemax - 1;
    if (play.anim == 1) {
        if (play.ntime == 0)
            interval += play.anim_duration;
        if (play.ntime == last)
            interval += play.anim_duration_Final;
    } else if (play.anim == -1) {
        if (play.ntime == last)
            interval += play.anim_duration;
        if (play.ntime == 0)
            interval += play.anim_duration_Final;
    }
    return interval;
}

void step_animation(double now)
{
    if (play.anim != 1 && play.anim != -1)
        return;
    // Without frames there is nothing to play: playback stops, as a pass
    // that wraps round does, so that icons and menu stop showing it.
    if (play.ntimemax < 1) {
        play.anim = 0;
        return;
    }
    play.jikan2 = now;
    if (play.jikan2 - play.jikan1 <= animation_interval())
        return;
    const bool forward = play.anim == 1;
    int next = play.ntime + (forward ? 1 : -1);
    const bool wrapped = forward ? next >= play.ntimemax : next <= -1;
    if (wrapped)
        next = forward ? 0 : play.ntimemax - 1;
    // A streamed series may not have decoded the next frame in time: the
    // animation waits for it rather than show frames out of order, and counts
    // it late once.
    if (!series_frame_ready(next)) {
        if (play.late_frame != next) {
            play.late_frame = next;
            note_late_map();
        }
        return;
    }
    play.late_frame = -1;
    play.ntime = next;
    if (wrapped && play.stopornot == 0)
        play.anim = 0;
    play.jikan1 = now;
}
