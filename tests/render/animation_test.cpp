// animation_test.cpp — the frame clock of the map series.
#include "render/animation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/state_fixture.h"

namespace {
// Steps at times far enough apart that every call advances one frame.
std::vector<int> frames_seen(int calls)
{
    std::vector<int> seen;
    double now = 0;
    for (int i = 0; i < calls; i++) {
        now += 100;
        step_animation(now);
        seen.push_back(play.ntime);
    }
    return seen;
}
} // namespace

using Animation = StateTest;

TEST_F(Animation, ForwardOnceStopsOnTheFrameItWrappedTo)
{
    play.ntimemax = 3;
    play.anim = 1;
    EXPECT_EQ(frames_seen(4), (std::vector<int>{1, 2, 0, 0}));
    EXPECT_EQ(play.anim, 0);
}

TEST_F(Animation, BackwardRepeatingWrapsToTheLastFrameAndGoesOn)
{
    play.ntimemax = 4;
    play.anim = -1;
    play.stopornot = 1;
    EXPECT_EQ(frames_seen(5), (std::vector<int>{3, 2, 1, 0, 3}));
    EXPECT_EQ(play.anim, -1);
}

TEST_F(Animation, IntervalFollowsTheSpeedLevelAndHolds)
{
    play.ntimemax = 10;
    play.anim = 1;
    play.ntime = 5;
    play.animsokudo = 10;
    EXPECT_NEAR(animation_interval(), 0.1, 1e-12);
    play.animsokudo = 6;
    EXPECT_NEAR(animation_interval(), 0.4, 1e-12);
    play.animsokudo = 8;
    play.ntime = 0;
    play.anim_duration = 0.5;
    EXPECT_NEAR(animation_interval(), 0.7, 1e-12);
    play.anim = -1;
    play.ntime = 9; // the first frame of a backward pass is the last one
    EXPECT_NEAR(animation_interval(), 0.7, 1e-12);
}

TEST_F(Animation, VideoFrameRateSetsAFilmsBaseInterval)
{
    play.ntimemax = 10;
    play.anim = 1;
    play.ntime = 5;
    struct Case {
        int film;
        double fps, rate;
        int level;
        double interval;
    } cases[] = {
        {1, 30, 0, 8, 0.2},       // 0: the speed level alone, as for images
        {1, 30, 25, 8, 0.04},     // a given rate
        {1, 30, 25, 10, 0.02},    // the speed keys still act on it
        {1, 30, -1, 8, 1.0 / 30}, // the film's own rate
        {1, 0, -1, 8, 0.2},       // a film without one
        {0, 0, 25, 8, 0.2},       // image files keep the speed level
    };
    for (const Case& c : cases) {
        play.map_film = c.film;
        play.map_film_fps = c.fps;
        play.video_frame_rate = c.rate;
        play.animsokudo = c.level;
        EXPECT_NEAR(animation_interval(), c.interval, 1e-12) << c.rate << " " << c.level;
    }
}

TEST_F(Animation, AdvancesOnlyAfterStrictlyMoreThanTheInterval)
{
    play.ntimemax = 10;
    play.anim = 1;
    play.ntime = 4;
    play.jikan1 = 1.0;
    step_animation(1.2); // exactly the interval: no step
    EXPECT_EQ(play.ntime, 4);
    step_animation(1.2001);
    EXPECT_EQ(play.ntime, 5);
    EXPECT_EQ(play.jikan1, 1.2001);
    step_animation(1000); // a long pause still gives one frame
    EXPECT_EQ(play.ntime, 6);
}

TEST_F(Animation, StoppedOrEmptySeriesDoesNotMove)
{
    play.ntimemax = 5;
    frames_seen(3);
    EXPECT_EQ(play.ntime, 0);
    play.anim = 1;
    play.stopornot = 1; // even a looping play stops
    play.ntimemax = 0;
    frames_seen(3);
    EXPECT_EQ(play.ntime, 0);
    EXPECT_EQ(play.anim, 0); // nothing to play: stopped, not shown as playing
}

// Distinct holds (0.5 on the first frame of a pass, 1.0 on the last), so a
// hold taken at the wrong end or in the wrong direction shows up.
TEST_F(Animation, HoldsDelayTheStepAtBothEndsInBothDirections)
{
    play.ntimemax = 4;
    play.stopornot = 1;
    play.anim_duration = 0.5;
    play.anim_duration_Final = 1.0;

    play.anim = 1;
    play.ntime = 3;
    play.jikan1 = 10;
    step_animation(10.8);
    step_animation(11.1); // 0.2 + 1.0 not yet passed
    EXPECT_EQ(play.ntime, 3);
    step_animation(11.3);
    EXPECT_EQ(play.ntime, 0);
    step_animation(11.8); // 0.2 + 0.5 on the first frame
    EXPECT_EQ(play.ntime, 0);
    step_animation(12.05);
    EXPECT_EQ(play.ntime, 1);

    play.anim = -1;
    play.ntime = 0; // the last frame of a backward pass
    play.jikan1 = 20;
    step_animation(20.8);
    step_animation(21.1);
    EXPECT_EQ(play.ntime, 0);
    step_animation(21.3);
    EXPECT_EQ(play.ntime, 3);
    step_animation(21.8);
    EXPECT_EQ(play.ntime, 3);
    step_animation(22.05);
    EXPECT_EQ(play.ntime, 2);
}

TEST_F(Animation, ASingleFrameTakesBothHoldsAndStaysOnFrameZero)
{
    play.ntimemax = 1;
    play.anim_duration = 0.3;
    play.anim_duration_Final = 0.5;
    for (int direction : {1, -1}) {
        play.anim = direction;
        EXPECT_NEAR(animation_interval(), 1.0, 1e-12);
        play.jikan1 = 0;
        step_animation(0.9);
        EXPECT_EQ(play.anim, direction);
        step_animation(1.1); // wraps onto itself; without repeat that ends the pass
        EXPECT_EQ(play.ntime, 0);
        EXPECT_EQ(play.anim, 0);
    }
}
