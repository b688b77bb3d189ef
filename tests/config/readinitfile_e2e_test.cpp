// readinitfile_e2e_test.cpp — the real program opens its windows where, how
// large and with the titles the configuration files say.
#include <gtest/gtest.h>

#include "support/e2e.h"

using ConfigEndToEnd = EndToEnd;

TEST_F(ConfigEndToEnd, WindowSizePositionAndTitleTakeEffect)
{
    run.write("data/conf/init_conf.txt", "#WindowSizeXY 800 600\n#WindowTitle Base\n");
    run.write("data/conf/conf.txt",
              "#WindowSizeXY 640 480\r\n#WindowPositionXY 100 50\r\n#WindowTitle Globe\r\n"
              "#Scale big\r\n#WindowTitle Never\r\n");
    unsigned long window = start({}, "Globe");
    ASSERT_NE(window, 0u);
    WindowGeometry g = run.geometry(window);
    EXPECT_EQ(g.x, 100);
    EXPECT_EQ(g.y, 50);
    EXPECT_EQ(g.width, 640);
    EXPECT_EQ(g.height, 480);
    EXPECT_NE(run.output().find("data/conf/conf.txt:4: #Scale cannot take \"big\""),
              std::string::npos)
        << run.output();
    run.key(window, "q");
    EXPECT_EQ(run.wait_exit(10), 0);
}

TEST_F(ConfigEndToEnd, TwoGlobesOpenASecondWindowBesideTheFirst)
{
    run.write("data/conf/conf.txt",
              "#NumberOfEarth 2\n#WindowSizeXY 400 300\n#WindowPositionXY 20 30\n"
              "#WindowTitle World\n");
    // The language file named on the command line is read last and wins.
    run.write("data/conf/lang-english.txt", "#WindowTitle Earth\n");
    unsigned long first = start({"english"}, "Earth");
    unsigned long second = run.wait_window("Earth(2)");
    ASSERT_NE(first, 0u);
    ASSERT_NE(second, 0u) << run.output();
    WindowGeometry g1 = run.geometry(first);
    WindowGeometry g2 = run.geometry(second);
    EXPECT_EQ(g1.x, 20);
    EXPECT_EQ(g1.y, 30);
    EXPECT_EQ(g2.x, 420);
    EXPECT_EQ(g2.y, 30);
    EXPECT_EQ(g2.width, 400);
    EXPECT_EQ(g2.height, 300);
    run.key(first, "q");
    EXPECT_EQ(run.wait_exit(10), 0);
}
