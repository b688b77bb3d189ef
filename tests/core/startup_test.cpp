// startup_test.cpp — command-line rules of start-up and the state reset.
#include "core/startup.h"

#include <gtest/gtest.h>

#include "support/state_fixture.h"

TEST(LanguageFile, DefaultWithoutOrWithSeveralArguments)
{
    const char* none[] = {"tyx"};
    EXPECT_EQ(language_file_name(1, none), "data/conf/lang-japanese.txt");
    const char* two[] = {"tyx", "-n", "5"};
    EXPECT_EQ(language_file_name(3, two), "data/conf/lang-japanese.txt");
}

TEST(LanguageFile, OneArgumentNamesTheFileAndIsCutAtTwelveCharacters)
{
    const char* english[] = {"tyx", "english"};
    EXPECT_EQ(language_file_name(2, english), "data/conf/lang-english.txt");
    const char* twelve[] = {"tyx", "abcdefghijkl"};
    EXPECT_EQ(language_file_name(2, twelve), "data/conf/lang-abcdefghijkl.txt");
    const char* twenty[] = {"tyx", "abcdefghijklmnopqrst"};
    EXPECT_EQ(language_file_name(2, twenty), "data/conf/lang-abcdefghijkl.txt");
    std::string huge(100000, 'x');
    const char* long_arg[] = {"tyx", huge.c_str()};
    EXPECT_EQ(language_file_name(2, long_arg), "data/conf/lang-xxxxxxxxxxxx.txt");
}

TEST(StartFrameOption, TakesTheValueAfterDashN)
{
    const char* args[] = {"tyx", "-n", "5"};
    EXPECT_EQ(start_frame_option(3, args), 5);
    const char* later[] = {"tyx", "stray", "-x", "-n", "12"};
    EXPECT_EQ(start_frame_option(5, later), 12);
}

TEST(StartFrameOption, IgnoresUnusableValues)
{
    const char* missing[] = {"tyx", "-n"};
    EXPECT_EQ(start_frame_option(2, missing), -1);
    const char* word[] = {"tyx", "-n", "five"};
    EXPECT_EQ(start_frame_option(3, word), -1);
    const char* negative[] = {"tyx", "-n", "-3"};
    EXPECT_EQ(start_frame_option(3, negative), -1);
    const char* trailing[] = {"tyx", "-n", "7x"};
    EXPECT_EQ(start_frame_option(3, trailing), -1);
    const char* huge[] = {"tyx", "-n", "99999999999999999999"};
    EXPECT_EQ(start_frame_option(3, huge), -1);
    const char* slash[] = {"tyx", "/n", "4"};
    EXPECT_EQ(start_frame_option(3, slash), -1);
}

using StateReset = StateTest;

TEST_F(StateReset, RestoresEveryDefaultInOneCall)
{
    wnd.pixsize_x = 1;
    view.cq[0] = 0;
    play.ntimetmp = 3;
    series.strtexfile = "elsewhere";
    drawing.mat_line_width_drawing[0] = 9;
    plot.mat_color_point[0][0] = 0.5f;
    img.image1[7].pixels.reset(new unsigned char[3]);
    img.image1[7].width = img.image1[7].height = 1;
    reset_viewer_state();
    EXPECT_EQ(wnd.pixsize_x, 800);
    EXPECT_EQ(view.cq[0], 1);
    EXPECT_EQ(play.ntimetmp, -9283734);
    EXPECT_EQ(series.strtexfile, "map/sample");
    EXPECT_EQ(drawing.mat_line_width_drawing[0], 3.0f);
    EXPECT_EQ(plot.mat_color_point[0][0], 1.0f);
    EXPECT_TRUE(img.image1[7].empty());
    EXPECT_EQ(img.image1[7].width, 0);
}
