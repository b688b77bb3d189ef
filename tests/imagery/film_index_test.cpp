// film_index_test.cpp — showing order, key frames, seek plans and the frame
// range of films, without a film.
#include <gtest/gtest.h>

#include <tuple>

#include "imagery/film_index.h"

namespace {

FilmPacket packet(int64_t pts, int64_t dts, bool key = false)
{
    FilmPacket p;
    p.pts = pts;
    p.dts = dts;
    p.key = key;
    return p;
}

// Two closed groups of four with B-frames, in file order: I0 P3 B1 B2 I4 P7
// B5 B6, timestamps 100 per frame from 1000.
std::vector<FilmPacket> b_frame_film()
{
    std::vector<FilmPacket> packets;
    const int shown[] = {0, 3, 1, 2, 4, 7, 5, 6};
    for (int p = 0; p < 8; p++)
        packets.push_back(packet(1000 + 100 * shown[p], 800 + 100 * p, shown[p] % 4 == 0));
    return packets;
}

TEST(FilmIndex, OrdersFramesByTimestampAndKeepsTheKeyFrames)
{
    FilmIndex index = build_film_index(b_frame_film());
    EXPECT_EQ(index.frames, 8);
    ASSERT_EQ(index.frame_pts.size(), 8u);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(index.frame_pts[i], 1000 + 100 * i);
    ASSERT_EQ(index.keys.size(), 2u);
    EXPECT_EQ(index.keys[1].packet, 4);
    EXPECT_EQ(index.keys[1].frame, 4);
    EXPECT_EQ(film_frame_at(index, 1700), 7);
    EXPECT_EQ(film_frame_at(index, 1750), -1);
    for (auto [frame, key] : {std::pair{0, 0}, {3, 0}, {4, 1}, {7, 1}})
        EXPECT_EQ(film_key_for(index, frame), key) << frame;
}

TEST(FilmIndex, FilmsWithoutUsableTimestampsAreCountedFromTheBeginning)
{
    // Decoding times stand in for missing showing times; repeated or missing
    // ones leave no order, so no key frame either.
    std::vector<FilmPacket> dts_only = {packet(kNoTimestamp, 5, true), packet(kNoTimestamp, 6)};
    EXPECT_EQ(build_film_index(dts_only).frame_pts.size(), 2u);
    for (auto packets :
         {std::vector<FilmPacket>{packet(1, 1, true), packet(1, 2, true)},
          std::vector<FilmPacket>{packet(1, 1, true), packet(kNoTimestamp, kNoTimestamp, true)}}) {
        FilmIndex index = build_film_index(packets);
        EXPECT_EQ(index.frames, 2);
        EXPECT_TRUE(index.frame_pts.empty());
        EXPECT_TRUE(index.keys.empty());
        EXPECT_EQ(film_key_for(index, 1), -1);
    }
    // A key frame shown before the key frame ahead of it in the file is no
    // place to start from.
    FilmIndex index = build_film_index(
        {packet(0, 0, true), packet(2, 1, true), packet(1, 2, true), packet(3, 3)});
    ASSERT_EQ(index.keys.size(), 2u);
    EXPECT_EQ(index.keys[1].frame, 2);
}

TEST(FilmIndex, SeekPlanGoesOnUnlessAKeyFrameLiesNearer)
{
    // Key frames at 0, 60, 120 of 180.
    std::vector<FilmPacket> packets;
    for (int i = 0; i < 180; i++)
        packets.push_back(packet(i, i, i % 60 == 0));
    FilmIndex index = build_film_index(packets);
    struct Case {
        int next, first;
        bool seek;
        int key, from, skipped;
    } cases[] = {
        {-1, 0, true, 0, 0, 0},      // fresh decoder
        {-1, 75, true, 1, 60, 15},   // jump: key frame before, then forward
        {10, 10, false, -1, 10, 0},  // play and steps forward
        {10, 50, false, -1, 10, 40}, // ahead in the same group
        {50, 65, true, 1, 60, 5},    // a key frame between: start there
        {60, 65, false, -1, 60, 5},  // standing on it already
        {70, 69, true, 1, 60, 9},    // one back: from the group's key frame
        {70, 59, true, 0, 0, 59},    // reverse into the previous group
        {-1, 179, true, 2, 120, 59}, // the end
    };
    for (const Case& c : cases) {
        FilmSeekPlan plan = plan_film_seek(index, c.next, c.first);
        EXPECT_EQ(plan.seek, c.seek) << c.next << " -> " << c.first;
        EXPECT_EQ(plan.key, c.key) << c.next << " -> " << c.first;
        EXPECT_EQ(plan.from, c.from) << c.next << " -> " << c.first;
        EXPECT_EQ(plan.skipped, c.skipped) << c.next << " -> " << c.first;
    }
    // Groups of pictures: what reverse play decodes at a time.
    for (auto [frame, first, end] :
         {std::tuple{0, 0, 60}, {59, 0, 60}, {75, 60, 120}, {179, 120, 180}}) {
        const FilmGroup group = film_group_of(index, frame);
        EXPECT_EQ(group.first, first) << frame;
        EXPECT_EQ(group.end, end) << frame;
    }
    // A film that starts without a key frame decodes from its beginning.
    packets[0].key = false;
    FilmSeekPlan plan = plan_film_seek(build_film_index(packets), -1, 30);
    EXPECT_TRUE(plan.seek);
    EXPECT_EQ(plan.key, -1);
    EXPECT_EQ(plan.skipped, 30);
    EXPECT_EQ(film_group_of(build_film_index(packets), 30).first, 0);
}

TEST(FilmIndex, FrameRangeFromTextureStartAndEnd)
{
    struct Case {
        int frames, start, end, slots, first, count;
    } cases[] = {
        {120, 1, 10000, 10000, 0, 120},                                 // defaults: the whole film
        {120, 11, 10000, 10000, 10, 110}, {120, 11, 20, 10000, 10, 20}, // the end caps the count
        {120, 120, 10000, 10000, 119, 1},                               // the last frame alone
        {120, 121, 10000, 10000, 0, 0},                                 // past the end
        {120, 0, 10000, 10000, 0, 0},                                   // frames count from 1
        {120, -5, 10000, 10000, 0, 0},    {20000, 1, 10000, 10000, 0, 10000}, // the tables
        {120, 1, 10000, 50, 0, 50}, // half the tables with globe 2's own series
        {120, 1, -3, 10000, 0, 0},
    };
    for (const Case& c : cases) {
        FilmRange range = film_frame_range(c.frames, c.start, c.end, c.slots);
        EXPECT_EQ(range.first, c.first) << c.start << " " << c.end;
        EXPECT_EQ(range.count, c.count) << c.start << " " << c.end;
    }
}

} // namespace
