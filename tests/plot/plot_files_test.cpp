// plot_files_test.cpp — base files at start-up and step files at frame
// changes: what the stores hold after each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/readinitfile.h"
#include "core/tyxparam.h"
#include "plot/plot_files.h"
#include "support/state_fixture.h"
#include "support/temp_dir.h"

namespace {

std::string lines_file(int points)
{
    std::string content = "#2,1,1,1,1\n";
    for (int i = 0; i < points; i++)
        content += std::to_string(i) + ",0,1\n";
    return content + "/\n";
}

std::string points_file(int points, int type)
{
    std::string content;
    for (int i = 0; i < points; i++)
        content += std::to_string(i) + ",0,1,0.1," + std::to_string(type) + ",1,1,1,1\n";
    return content;
}

std::string arrows_file(int arrows)
{
    std::string content = "#1,0.5,0.5,0.1,0.3\n";
    for (int i = 0; i < arrows; i++)
        content += "0,0,1,1,0,1,1,1,1\n";
    return content + "/\n";
}

class PlotFiles : public StateTest {
  protected:
    void SetUp() override
    {
        StateTest::SetUp();
        dir_.enter();
        plot.senga_mode_onoff = plot.point_mode_onoff = plot.arrow_mode_onoff = 1;
        dir_.write(kBaseLinesFile, lines_file(3));
        dir_.write(kBasePointsFile, points_file(2, 0));
        dir_.write(kBaseArrowsFile, arrows_file(4));
        for (int step : {1, 2}) {
            const std::string n = std::to_string(step);
            dir_.write("data/lines/lines" + n + ".txt", lines_file(step * 10));
            dir_.write("data/points/points" + n + ".txt", points_file(step, step));
            dir_.write("data/arrows/arrows" + n + ".txt", arrows_file(step) + arrows_file(1));
        }
    }
    // The counts of the three stores: line points, lines, points, arrows, blocks.
    std::vector<int> counts() const
    {
        return {plot.pointnum_senga, plot.linenum_senga, plot.num_point, plot.num_arrow,
                plot.arrow_prop_num};
    }
    TempDir dir_;
};

TEST_F(PlotFiles, StepDataFollowTheBaseDataAndReplaceEachOther)
{
    read_base_plot_files();
    const int base_generation = plot.plot_generation;
    EXPECT_NE(base_generation, 0); // the drawing rebuilds its arrays
    const std::vector<int> base = {3, 1, 2, 4, 1};
    ASSERT_EQ(counts(), base);
    EXPECT_EQ(std::vector<int>({plot.pointnum_senga_permanent, plot.linenum_senga_permanent,
                                plot.num_point_permanent, plot.num_arrow_permanent,
                                plot.arrow_prop_num_permanent}),
              base);

    read_step_plot_files(1);
    EXPECT_EQ(counts(), std::vector<int>({13, 2, 3, 6, 3}));
    EXPECT_NE(plot.plot_generation, base_generation);
    read_step_plot_files(2);
    EXPECT_EQ(counts(), std::vector<int>({23, 2, 4, 7, 3}));
    EXPECT_EQ(plot.lines_senga[1][0], 3);
    EXPECT_EQ(plot.lines_senga[1][1], 22);
    EXPECT_EQ(plot.prop_point[1], 0); // base entries are kept
    EXPECT_EQ(plot.prop_point[3], 2);
    EXPECT_EQ(plot.arrow_prop[2][0], 6);

    read_step_plot_files(3); // no files for this step
    EXPECT_EQ(counts(), base);
}

TEST_F(PlotFiles, GenerationChangesOnlyWhenTheStoresMayHaveChanged)
{
    read_base_plot_files();
    int generation = plot.plot_generation;
    // Step 3 has no files: base data before and after.
    read_step_plot_files(3);
    EXPECT_EQ(plot.plot_generation, generation);
    for (int step : {1, 2, 3}) {
        read_step_plot_files(step);
        EXPECT_NE(plot.plot_generation, generation) << step;
        generation = plot.plot_generation;
    }
}

TEST_F(PlotFiles, ReadsOnlyEnabledSetsUnderTheirConfiguredNames)
{
    plot.senga_mode_onoff = 0;
    plot.str_points = "my/p";
    plot.str_points_s = "csv";
    dir_.write("my/p17.csv", points_file(5, 1));
    dir_.write("data/lines/lines17.txt", lines_file(2));
    read_base_plot_files();
    read_step_plot_files(17);
    EXPECT_EQ(counts(), std::vector<int>({0, 0, 7, 4, 1}));
}

} // namespace

namespace {

int occurrences(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        n++;
    return n;
}

} // namespace

TEST_F(PlotFiles, WhatIsWrongWithAStepFileIsToldOncePerLoad)
{
    // Step 3: more points than fit, and a line too long to keep.
    dir_.write("data/points/points3.txt", std::string(5000, ' ') + "x\n" + std::string(5000, '1') +
                                              "\n" + points_file(kMaxPoints + 1, 0));
    testing::internal::CaptureStderr();
    for (int cycle = 0; cycle < 3; cycle++)
        for (int step : {1, 3})
            read_step_plot_files(step);
    std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(told, "tyx: data/points/points3.txt: capacity of 10000 points reached, rest of the "
                    "file skipped\n"
                    "tyx: data/points/points3.txt:2: a line longer than 4096 characters was "
                    "skipped\n");
    // A reload starts a new load.
    series.init_file[kBaseConfig] = series.init_file[kFolderConfig] = "";
    func_readinit_file();
    testing::internal::CaptureStderr();
    read_step_plot_files(3);
    read_step_plot_files(3);
    told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(occurrences(told, "capacity of 10000 points"), 1) << told;
    EXPECT_EQ(occurrences(told, "longer than 4096"), 1) << told;
}
