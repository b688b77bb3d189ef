// plot_readers_test.cpp — the lines, points and arrows readers on files the
// tests write: layout rules, conversions, rejected lines and capacities.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/file_notices.h"
#include "core/tyxparam.h"
#include "plot/plot_files.h"
#include "support/state_fixture.h"
#include "support/temp_dir.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

class PlotReader : public StateTest {
  protected:
    std::string file(const std::string& content) { return dir_.write("plot.csv", content); }
    void read_senga(const std::string& content)
    {
        read_lines(file(content).c_str(), senga_line_store(), plot.d_radius_senga);
    }
    std::vector<int> range(int line) const
    {
        return {plot.lines_senga[line][0], plot.lines_senga[line][1]};
    }
    TempDir dir_;
};

TEST_F(PlotReader, LinesWithBlanksCommentsAndCommaHeadersReadTheSame)
{
    read_senga("#2.5,1,0,0.5,1\n90,0,1\n0,0,2\n/\n");
    const auto first = std::make_unique<PlotState>(plot);
    reset_viewer_state();
    read_senga("! two points\r\n# , 2.5 , 1, 0,0.5 ,1 ! red\r\n 90 , 0 , 1\r\n! pole\r\n"
               "0,0,2!far out\r\n/\r\n");
    EXPECT_EQ(std::memcmp(&first->d_zahyo_senga, &plot.d_zahyo_senga, sizeof plot.d_zahyo_senga),
              0);
    EXPECT_EQ(std::memcmp(&first->lines_senga, &plot.lines_senga, sizeof plot.lines_senga), 0);
    EXPECT_EQ(
        std::memcmp(&first->mat_color_senga, &plot.mat_color_senga, sizeof plot.mat_color_senga),
        0);
    ASSERT_EQ(plot.linenum_senga, 1);
    ASSERT_EQ(plot.pointnum_senga, 2);
    EXPECT_EQ(plot.mat_line_width_senga[0], 2.5f);
    EXPECT_EQ(std::vector<float>(plot.mat_color_senga[0], plot.mat_color_senga[0] + 4),
              std::vector<float>({1, 0, 0.5f, 1}));
    EXPECT_EQ(range(0), std::vector<int>({0, 1}));
    // The north pole lies on z; latitude 0, longitude 0 on -x.
    EXPECT_NEAR(plot.d_zahyo_senga[0][2], 1.012, 1e-9);
    EXPECT_NEAR(plot.d_zahyo_senga[1][0], -2.024, 1e-9);
    EXPECT_NEAR(plot.d_zahyo_senga[1][1], 0, 1e-8);
    EXPECT_NEAR(plot.d_zahyo_senga[1][2], 0, 1e-8);
}

TEST_F(PlotReader, LinesFollowTheBlockRules)
{
    plot.lines_senga[4][0] = plot.lines_senga[4][1] = 77; // stale entry an open block must replace
    read_senga("10,10,1\n/\n"                             // outside a block: ignored
               "#1,1,1,1,1\n10,10,1\n/\n"                 // one point: first = last
               "##2#,0,0,0,1\n1,1,1\n#9,9,9,9,9\n,5,5\n2,2,1\n/\n" // second header continues
               "#bad\n1,2\n3,4,nan\n3,4,0\n3,4,101\n3,4,100\n/\n"  // default look; one good point
               "#3,1,1,1,1\n/\n"                                   // no points: an empty range
               "#4,1,1,1,1\n5,5,1\n6,6,1");                        // open at the end of the file
    ASSERT_EQ(plot.linenum_senga, 5);
    EXPECT_EQ(plot.pointnum_senga, 6);
    const std::vector<std::vector<int>> ranges = {{0, 0}, {1, 2}, {3, 3}, {4, 3}, {4, 5}};
    for (int l = 0; l < 5; l++)
        EXPECT_EQ(range(l), ranges[l]) << "line " << l;
    EXPECT_EQ(plot.mat_line_width_senga[1], 2.0f);
    EXPECT_EQ(plot.mat_line_width_senga[2], kDefaultLineWidth);
    EXPECT_EQ(plot.mat_color_senga[2][3], 1.0f);
    const double* highest = plot.d_zahyo_senga[3];
    EXPECT_NEAR(std::hypot(highest[0], highest[1], highest[2]), 101.2, 1e-9);
}

TEST_F(PlotReader, PointsKeepOnlyCompleteLines)
{
    read_point(file("10,20,1,0.05,3,1,0,0,1 ! first\n"
                    "! comment\n\n"
                    "1,2,1,0.1,4,1,1,1\n" // eight fields
                    "1,2,-1,0.1,4,1,1,1,1\n"
                    "1,2,1e-300,0.1,4,1,1,1,1\n" // would be saved as height 0
                    "-30, -170, 2, 0.2, 11, 0, 1, 0, 0.5\n")
                   .c_str(),
               plot_point_store(), plot.d_radius_point);
    ASSERT_EQ(plot.num_point, 2);
    EXPECT_EQ(std::vector<double>(plot.d_polar_point[1], plot.d_polar_point[1] + 3),
              std::vector<double>({2 * 1.001, 120, 10}));
    EXPECT_EQ(plot.mat_size_point[0], 0.05);
    EXPECT_EQ(plot.prop_point[0], 3);
    EXPECT_EQ(plot.prop_point[1], 11);
    EXPECT_EQ(plot.mat_color_point[1][3], 0.5f);
}

TEST_F(PlotReader, ArrowsTakeLengthAndAngleFromTheirBlock)
{
    read_arrow(file("#5,0.6,0.4,0.1,0.3\n"
                    "0,0,1,0,1,1,1,1,1\n" // north
                    "0,0,1,3,4,1,1,1,1\n" // length 1
                    "0,0,1,3,4,1,1,1\n"   // incomplete
                    "/\n"
                    "#0,1,1,1,1\n1,1,1,-2,0,1,1,1,1\n/\n" // reference 0: length 0
                    "#x\n1,1,1,0,-2,1,1,1,1\n")           // bad header; open at the end
                   .c_str(),
               plot_arrow_store(), plot.d_radius_arrow);
    ASSERT_EQ(plot.num_arrow, 4);
    ASSERT_EQ(plot.arrow_prop_num, 3);
    const std::vector<double> angles = {90, 53.13010235, 180, -90};
    const std::vector<double> lengths = {0.2, 1, 0, 0};
    for (int a = 0; a < 4; a++) {
        EXPECT_NEAR(plot.angle_arrow[a], angles[a], 1e-6) << a;
        EXPECT_NEAR(plot.mat_size_arrow[a], lengths[a], 1e-12) << a;
    }
    EXPECT_EQ(plot.d_polar_arrow[0][0], 1.001);
    const int blocks[3][2] = {{0, 1}, {2, 2}, {3, 3}};
    for (int b = 0; b < 3; b++) {
        EXPECT_EQ(plot.arrow_prop[b][0], blocks[b][0]);
        EXPECT_EQ(plot.arrow_prop[b][1], blocks[b][1]);
    }
    EXPECT_EQ(plot.sincho[0], 0.6);
    EXPECT_EQ(plot.senfuku[0], 0.3);
    EXPECT_EQ(plot.sincho[2], 0);
    EXPECT_EQ(plot.std_length, 0);
}

// Stores of capacity 3 (2 lines or blocks) whose arrays hold one guard entry
// more, preset to values no reader writes.
struct GuardedStore {
    static constexpr double kGuard = -12345;
    double points[4][3], sizes[4], angles[4];
    float colors[4][4];
    int types[4];
    int ranges[3][2];
    float widths[3];
    double shapes[4][3]; // sincho, sencho, sinfuku, senfuku
    double std_length = 0;
    int count = 0, second_count = 0;

    GuardedStore()
    {
        std::fill(&points[0][0], &points[0][0] + 12, kGuard);
        std::fill(sizes, sizes + 4, kGuard);
        std::fill(angles, angles + 4, kGuard);
        std::fill(&colors[0][0], &colors[0][0] + 16, float(kGuard));
        std::fill(types, types + 4, int(kGuard));
        std::fill(&ranges[0][0], &ranges[0][0] + 6, int(kGuard));
        std::fill(widths, widths + 3, float(kGuard));
        std::fill(&shapes[0][0], &shapes[0][0] + 12, kGuard);
    }
    bool guards_intact() const
    {
        return points[3][0] == kGuard && points[3][2] == kGuard && sizes[3] == kGuard &&
               angles[3] == kGuard && colors[3][3] == float(kGuard) && types[3] == int(kGuard) &&
               ranges[2][0] == int(kGuard) && ranges[2][1] == int(kGuard) &&
               widths[2] == float(kGuard) && shapes[0][2] == kGuard && shapes[3][2] == kGuard;
    }
    LineStore lines() { return {points, ranges, widths, colors, &count, &second_count, 3, 2}; }
    PointStore point_store() { return {points, colors, sizes, types, &count, 3}; }
    ArrowStore arrows()
    {
        return {points,    colors,    sizes,     angles, ranges,        &std_length, shapes[0],
                shapes[1], shapes[2], shapes[3], &count, &second_count, 3,           2};
    }
};

TEST_F(PlotReader, StopsAtEveryCapacity)
{
    const std::string header = "#1,1,1,1,1\n", arrow = "1,1,1,1,1,1,1,1,1\n";
    struct Case {
        char kind; // l: lines, p: points, a: arrows
        std::string content;
        int count, second_count;
        const char* message;
    };
    const Case cases[] = {
        {'l', header + "1,1,1\n2,2,1\n/\n" + header + "3,3,1\n4,4,1\n5,5,1\n/\n", 3, 2,
         "3 line points"},
        {'l', header + "/\n" + header + "/\n" + header + "1,1,1\n/\n", 0, 2, "2 lines"},
        {'p', arrow + arrow + arrow + arrow, 3, 0, "3 points"},
        {'a', header + arrow + arrow + "/\n" + header + arrow + arrow, 3, 2, "3 arrows"},
        {'a', header + "/\n" + header + "/\n" + header + arrow, 0, 2, "2 arrow blocks"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        GuardedStore store;
        forget_file_notices(); // one file name for all cases
        const std::string name = file(c.content);
        CaptureStderr();
        if (c.kind == 'l')
            read_lines(name.c_str(), store.lines(), 1);
        else if (c.kind == 'p')
            read_point(name.c_str(), store.point_store(), 1);
        else
            read_arrow(name.c_str(), store.arrows(), 1);
        const std::string message = GetCapturedStderr();
        EXPECT_EQ(store.count, c.count);
        EXPECT_EQ(store.second_count, c.second_count);
        EXPECT_TRUE(store.guards_intact());
        EXPECT_NE(message.find(name), std::string::npos) << message;
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
    }
}

// The real store at its real capacity, read across many read chunks.
TEST_F(PlotReader, FillsThePointStoreExactly)
{
    std::string content;
    for (int i = 0; i <= kMaxPoints; i++)
        content += std::to_string(i % 180 - 89) + ", " + std::to_string(i % 360) +
                   ", 1, 0.1, 1, 1, 1, 1, 1\n";
    CaptureStderr();
    read_point(file(content).c_str(), plot_point_store(), 1);
    EXPECT_NE(GetCapturedStderr().find("10000 points"), std::string::npos);
    ASSERT_EQ(plot.num_point, kMaxPoints);
    int wrong = 0;
    for (int i = 0; i < kMaxPoints; i++)
        wrong += plot.d_polar_point[i][1] != 90 - (i % 180 - 89) ||
                 plot.d_polar_point[i][2] != i % 360 + 180;
    EXPECT_EQ(wrong, 0);
}

TEST_F(PlotReader, IgnoresWhatIsNotARegularFile)
{
    CaptureStderr();
    read_senga(""); // creates the directory
    for (const std::string& name : {dir_.path(), dir_.path() + "/missing.csv"}) {
        read_lines(name.c_str(), senga_line_store(), 1);
        read_point(name.c_str(), plot_point_store(), 1);
        read_arrow(name.c_str(), plot_arrow_store(), 1);
    }
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(plot.linenum_senga + plot.num_point + plot.arrow_prop_num, 0);
}

} // namespace
