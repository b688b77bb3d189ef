// animation.cpp — the map-series clock shared by both windows.
#include "render/animation.h"

#include <cmath>

#include "core/tyxparam.h"

double level_interval(int level, double base)
{
    return base * std::pow(std::sqrt(2.0), 8 - level);
}

double animation_interval()
{
    double interval = level_interval(play.animsokudo, play.anim_speed);
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
    if (play.anim == 1) {
        play.ntime += 1;
        if (play.ntime >= play.ntimemax) {
            play.ntime = 0;
            if (play.stopornot == 0)
                play.anim = 0;
        }
    } else {
        play.ntime -= 1;
        if (play.ntime <= -1) {
            play.ntime = play.ntimemax - 1;
            if (play.stopornot == 0)
                play.anim = 0;
        }
    }
    play.jikan1 = now;
}
