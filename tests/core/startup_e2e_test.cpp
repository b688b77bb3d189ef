// startup_e2e_test.cpp — the real program with no configuration: its default
// window, and its exit on the quit key.
#include <gtest/gtest.h>

#include "support/e2e.h"
#include "support/gl_fixture.h"

TEST(StartupEndToEnd, DefaultWindowIsTitledAndSized)
{
    ASSERT_TRUE(have_display())
        << "end-to-end tests need an X display; use the README test command";
    TyxRun run;
    run.start();
    unsigned long window = run.wait_window("TYX 1.27");
    ASSERT_NE(window, 0u) << run.output();
    WindowGeometry g = run.geometry(window);
    EXPECT_EQ(g.width, 800);
    EXPECT_EQ(g.height, 600);
    run.key(window, "q");
    EXPECT_EQ(run.wait_exit(10), 0);
}
