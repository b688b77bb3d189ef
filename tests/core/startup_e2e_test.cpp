// startup_e2e_test.cpp — the real program with no configuration: its default
// window, and its exit on the quit key.
#include <gtest/gtest.h>

#include "support/e2e.h"

using StartupEndToEnd = EndToEnd;

TEST_F(StartupEndToEnd, DefaultWindowIsTitledAndSized)
{
    unsigned long window = start();
    ASSERT_NE(window, 0u);
    WindowGeometry g = run.geometry(window);
    EXPECT_EQ(g.width, 800);
    EXPECT_EQ(g.height, 600);
    run.key(window, "q");
    EXPECT_EQ(run.wait_exit(10), 0);
}
