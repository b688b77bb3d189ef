// frame_cache_test.cpp — the prefetch plan of a streamed series and the cache
// that holds its frames within the budget, driven on one thread with sources
// that make frames up.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

#include "imagery/frame_cache.h"
#include "imagery/stream_planner.h"

namespace {

TEST(StreamPlanner, HoldsThePositionFirstThenTheWayThePlayGoes)
{
    struct Case {
        const char* what;
        PlanRequest request;
        std::vector<int> plan;
    };
    const Case cases[] = {
        {"forward: ahead, then a few behind", {20, 5, 1, 9}, {5, 6, 7, 8, 9, 10, 11, 4, 3}},
        {"backward", {20, 5, -1, 9}, {5, 4, 3, 2, 1, 0, 19, 6, 7}},
        {"forward past the end goes on at the start", {10, 8, 1, 5}, {8, 9, 0, 1, 7}},
        {"stopped: both sides in turn, the next first", {20, 0, 0, 6}, {0, 1, 19, 2, 18, 3}},
        {"a small cache keeps nothing behind", {20, 3, 1, 4}, {3, 4, 5, 6}},
        {"the smallest cache: the position and the next", {20, 3, -1, 2}, {3, 2}},
        {"a short series is held whole, once", {4, 1, 0, 9}, {1, 2, 0, 3}},
        {"a position outside is brought in", {4, 7, 1, 2}, {3, 0}},
        {"no frames", {0, 0, 1, 5}, {}},
        {"no room", {5, 0, 1, 0}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(plan_frames(c.request), c.plan) << c.what;
}

// Frames made up at once: frame f has a map of (16 + f % 5) x 4 pixels, so
// that frame sizes differ; a unit holds `unit` frames, as a film's group of
// pictures would.
class MadeUpFrames : public FrameSource {
  public:
    MadeUpFrames(int frames, int unit) : frames_(frames), unit_(unit) {}
    int frame_count() const override { return frames_; }
    FrameSpan decode_unit(int frame) const override
    {
        const int first = frame / unit_ * unit_;
        return {first, std::min(first + unit_, frames_)};
    }
    size_t expected_frame_bytes() const override { return 16 * 4 * 4; }
    void decode(FrameSpan unit, const std::function<bool(int)>& wanted,
                const std::function<void(int, SeriesFrame&&)>& deliver) override
    {
        for (int f = unit.first; f < unit.end; f++) {
            if (!wanted(f))
                continue;
            SeriesFrame frame;
            TexImage& map = frame.layer[0];
            map.width = 16 + f % 5;
            map.height = 4;
            map.channels = 4;
            map.pixels.reset(new unsigned char[size_t(map.width) * 16]);
            map.pixels[0] = static_cast<unsigned char>(f);
            decoded.push_back(f);
            deliver(f, std::move(frame));
        }
    }
    std::vector<int> decoded;

  private:
    int frames_, unit_;
};

TEST(FrameCache, RandomJumpsStayWithinTheBudgetAndDecodeTheTargetFirst)
{
    for (int unit : {1, 4}) {
        SCOPED_TRACE("frames per unit " + std::to_string(unit));
        const int frames = 60;
        const size_t budget = 12 * 16 * 4 * 4; // a dozen of the smallest frames
        auto source = std::make_shared<MadeUpFrames>(frames, unit);
        FrameCache cache;
        cache.set_budget(budget);
        cache.set_source(0, source);
        std::mt19937 random(7);
        int position = 0;
        for (int step = 0; step < 300; step++) {
            const bool jump = random() % 4 == 0;
            position = jump ? int(random() % frames) : (position + 1) % frames;
            const int direction = int(random() % 3) - 1;
            std::vector<FrameKey> plan;
            for (int f : plan_frames({frames, position, direction, 8}))
                plan.push_back({0, f});
            cache.set_plan(plan);
            std::set<int> planned;
            for (const FrameKey& key : plan)
                planned.insert(key.frame);

            DecodeJob job;
            bool first = true;
            while (cache.take_job(&job)) {
                if (first && !cache.holds({0, position})) {
                    EXPECT_NE(std::find(job.frames.begin(), job.frames.end(), position),
                              job.frames.end())
                        << "a jump decodes its target first";
                }
                first = false;
                for (int f : job.frames)
                    EXPECT_TRUE(planned.count(f)) << "frame " << f << " is not wanted";
                source->decode(
                    job.unit,
                    [&](int f) {
                        return std::find(job.frames.begin(), job.frames.end(), f) !=
                               job.frames.end();
                    },
                    [&](int f, SeriesFrame&& decoded) {
                        cache.deliver(job, f, std::move(decoded));
                        const CacheFigures now = cache.figures();
                        ASSERT_LE(now.held + now.reserved, budget);
                    });
                cache.finish(job);
            }
            const CacheFigures after = cache.figures();
            ASSERT_LE(after.held, budget);
            EXPECT_EQ(after.reserved, 0u);
            ASSERT_TRUE(cache.holds({0, position})) << "step " << step;
            std::shared_ptr<const SeriesFrame> shown = cache.find({0, position});
            EXPECT_EQ(shown->layer[0].pixels[0], position) << "never another frame";
        }
    }
}

TEST(FrameCache, AFrameBeingShownIsNotDroppedAndANewSourceDropsTheOld)
{
    auto source = std::make_shared<MadeUpFrames>(10, 1);
    FrameCache cache;
    cache.set_budget(2 * 20 * 16); // two frames of the largest size
    cache.set_source(0, source);
    auto drive = [&](int position) {
        cache.set_plan({{0, position}, {0, position + 1}});
        DecodeJob job;
        while (cache.take_job(&job)) {
            source->decode(
                job.unit, [](int) { return true; },
                [&](int f, SeriesFrame&& decoded) { cache.deliver(job, f, std::move(decoded)); });
            cache.finish(job);
        }
    };
    drive(0);
    std::shared_ptr<const SeriesFrame> held = cache.find({0, 0});
    ASSERT_TRUE(held);
    // The plan moves on while frame 0 is still being uploaded: it stays,
    // so frame 3 waits for room.
    drive(2);
    EXPECT_TRUE(cache.holds({0, 0}));
    EXPECT_LE(cache.figures().held, 2u * 20 * 16);
    held.reset();
    drive(2);
    EXPECT_FALSE(cache.holds({0, 0}));
    EXPECT_TRUE(cache.holds({0, 2}) && cache.holds({0, 3}));

    // A job of the old source delivers into nothing.
    cache.set_plan({{0, 5}});
    DecodeJob stale;
    ASSERT_TRUE(cache.take_job(&stale));
    cache.set_source(0, std::make_shared<MadeUpFrames>(10, 1));
    EXPECT_FALSE(cache.holds({0, 2}));
    SeriesFrame frame;
    cache.deliver(stale, 5, std::move(frame));
    cache.finish(stale);
    EXPECT_FALSE(cache.holds({0, 5}));
    EXPECT_EQ(cache.figures().held, 0u);
    EXPECT_EQ(cache.figures().reserved, 0u);
}

} // namespace
