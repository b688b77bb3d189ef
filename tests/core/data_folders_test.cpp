// data_folders_test.cpp — where the data tree is found, the user's
// configuration file, and what a folder without a base configuration or
// without maps reads instead.
#include "core/data_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "config/readinitfile.h"
#include "plot/plot_files.h"
#include "support/state_fixture.h"
#include "support/temp_dir.h"

TEST(DataTree, FoundBesideABuiltOrInAnInstalledProgram)
{
    TempDir built, installed, bare;
    built.write("data/conf/init_conf.txt", "");
    installed.write("share/tyx/data/conf/init_conf.txt", "");
    bare.write("bin/tyx", "");
    EXPECT_EQ(find_data_tree(built.path() + "/tyx"), built.path());
    EXPECT_EQ(find_data_tree(installed.path() + "/bin/tyx"), installed.path() + "/share/tyx");
    EXPECT_EQ(find_data_tree(bare.path() + "/bin/tyx"), "");
    EXPECT_EQ(find_data_tree(""), "");
}

TEST(DataTree, UserConfigurationFollowsTheXdgRules)
{
    const struct {
        const char* xdg;
        const char* home;
        const char* file;
    } cases[] = {
        {"/x/config", "/home/u", "/x/config/tyx/conf.txt"},
        {"relative", "/home/u", "/home/u/.config/tyx/conf.txt"}, // not absolute: ignored
        {"", "/home/u", "/home/u/.config/tyx/conf.txt"},
        {nullptr, "/home/u", "/home/u/.config/tyx/conf.txt"},
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(user_config_file(c.xdg, c.home), c.file) << (c.xdg ? c.xdg : "(unset)");
}

class FolderChoice : public StateTest {
  protected:
    void SetUp() override
    {
        StateTest::SetUp();
        tree_.write("data/conf/init_conf.txt", "#SpinSpeed 1\n#AnimationSpeed 1\n#Repeat 1\n");
        tree_.write("demo/data/conf/conf.txt",
                    "#TextureName map/earth\n#TextureSuffix jpg\n#PointsOn 1\n"
                    "#CaptionFile data/captions.txt\n");
        tree_.write("demo/map/earth1.jpg", "");
        tree_.write("demo/data/plot/points/points.csv", "51.5, -0.1, 1, 0.05, 3, 1, 1, 1, 1\n");
        setenv("XDG_CONFIG_HOME", (user_.path()).c_str(), 1);
        here_.enter();
    }
    void TearDown() override
    {
        unsetenv("XDG_CONFIG_HOME");
        StateTest::TearDown();
    }

    // Start-up's reading, as read_startup_files does it; what it told.
    std::string start_up(const std::string& tree)
    {
        testing::internal::CaptureStderr();
        choose_configuration_files(tree);
        func_readinit_file();
        if (choose_demo(tree))
            func_readinit_file(kDemoConfig);
        return testing::internal::GetCapturedStderr();
    }

    TempDir tree_, user_, here_;
};

TEST_F(FolderChoice, AFolderWithItsBaseConfigurationReadsItsOwnFilesOnly)
{
    here_.write("data/conf/init_conf.txt", "#SpinSpeed 7\n");
    EXPECT_EQ(start_up(tree_.path()), "");
    EXPECT_EQ(spin.jitensokudo, 7);
    EXPECT_EQ(series.base_folder, "");
    EXPECT_EQ(series.content_folder, "");
    EXPECT_EQ(series.strtexfile, "map/sample");
}

TEST_F(FolderChoice, UserSettingsComeBetweenTheBaseAndTheFolders)
{
    user_.write("tyx/conf.txt", "#SpinSpeed 2\n#AnimationSpeed 2\n");
    here_.write("data/conf/conf.txt", "#SpinSpeed 3\n");
    here_.write("map/sample1.ppm", "");
    const std::string told = start_up(tree_.path());
    EXPECT_EQ(spin.jitensokudo, 3);
    EXPECT_EQ(play.animsokudo, 2);
    EXPECT_EQ(play.stopornot, 1);
    // The base and the icons come from the tree, and it says so once.
    EXPECT_EQ(series.base_folder, tree_.path());
    EXPECT_NE(told.find("has no data/conf/init_conf.txt"), std::string::npos) << told;
    EXPECT_NE(told.find(tree_.path()), std::string::npos) << told;
    // Maps of its own: no demo.
    EXPECT_EQ(series.content_folder, "");
    EXPECT_EQ(told.find("demo"), std::string::npos) << told;
}

TEST_F(FolderChoice, AFolderWithoutMapsShowsTheDemoAndKeepsItsOwnSettings)
{
    here_.write("data/conf/conf.txt", "#SpinSpeed 3\n");
    const std::string told = start_up(tree_.path());
    const std::string demo = tree_.path() + "/demo";
    EXPECT_NE(told.find("showing the demo of " + demo), std::string::npos) << told;
    EXPECT_EQ(series.content_folder, demo);
    EXPECT_EQ(series.strtexfile, demo + "/map/earth");
    EXPECT_EQ(series.strscreenfile, demo + "/logo/sample");
    EXPECT_EQ(plot.str_points, demo + "/data/points/points");
    EXPECT_EQ(txt.caption_file, demo + "/data/captions.txt");
    EXPECT_EQ(spin.jitensokudo, 3);
    // A re-read keeps the names in the demo, once.
    func_readinit_file();
    EXPECT_EQ(series.strtexfile, demo + "/map/earth");
    // No caption file stays none, rather than naming the folder.
    txt.caption_file.clear();
    place_content_names();
    EXPECT_EQ(txt.caption_file, "");
    // The base plot files come from the demo as well.
    read_base_plot_files();
    EXPECT_EQ(plot.num_point, 1);
}

TEST_F(FolderChoice, WithoutAnyDataTreeItSaysWhatIsMissing)
{
    const std::string told = start_up("");
    EXPECT_NE(told.find("no installed data"), std::string::npos) << told;
    EXPECT_EQ(series.init_file[kBaseConfig], "data/conf/init_conf.txt");
    EXPECT_EQ(series.content_folder, "");
}
