// presenter_e2e_test.cpp — the real program driven as a presenter would:
// --help answers without a window, the wheel zooms, PageDown steps a map,
// "." blacks the window out and back, "?" shows the key reference.
#include <gtest/gtest.h>

#include <string>

#include "core/command_line.h"
#include "support/e2e.h"

namespace {

const Colour kRed = {200, 30, 30}, kGreen = {30, 200, 30};

// Lit pixels on row y: the disc's width there.
int lit_width(const Screenshot& shot, int y)
{
    int n = 0;
    for (int x = 0; x < shot.width; x++)
        n += shot.dark(x, y) ? 0 : 1;
    return n;
}

int white_pixels(const Screenshot& shot)
{
    int n = 0;
    for (int y = 0; y < shot.height; y++)
        for (int x = 0; x < shot.width; x++) {
            const unsigned char* p = shot.at(x, y);
            n += p[0] > 200 && p[1] > 200 && p[2] > 200 ? 1 : 0;
        }
    return n;
}

bool all_dark(const Screenshot& shot)
{
    for (int y = 0; y < shot.height; y++)
        for (int x = 0; x < shot.width; x++)
            if (!shot.dark(x, y))
                return false;
    return true;
}

class PresenterEndToEnd : public EndToEnd {
  protected:
    // Two solid maps, red then green.
    unsigned long start_on_two_maps()
    {
        run.write("map/sample1.ppm", solid_ppm(kRed));
        run.write("map/sample2.ppm", solid_ppm(kGreen));
        run.write("data/conf/init_conf.txt", "#Repeat 1\n");
        unsigned long window = start();
        if (window != 0) {
            EXPECT_GT(run.wait_for(window, shows(kRed)).width, 0) << "first map never shown";
        }
        return window;
    }
    static std::function<bool(const Screenshot&)> shows(Colour c)
    {
        return [c](const Screenshot& s) { return near(s, 400, 300, c); };
    }
};

} // namespace

TEST_F(PresenterEndToEnd, HelpAnswersOnTheConsoleWithoutAWindow)
{
    run.start({"--help"});
    EXPECT_EQ(run.wait_exit(10), 0);
    // Only the usage: nothing was read, no window was opened.
    EXPECT_EQ(run.output(), usage_text());
}

TEST_F(PresenterEndToEnd, WheelUpEnlargesTheDiscAndPageDownStepsOneMap)
{
    unsigned long window = start_on_two_maps();
    ASSERT_NE(window, 0u);
    const int before = lit_width(run.grab(window), 300);
    EXPECT_NEAR(before, 300, 4); // radius a quarter of the height

    // Ten notches of 1.015: the disc grows to 1.16 times its width.
    run_command("xdotool mousemove --window " + std::to_string(window) +
                " 400 300 click --repeat 10 --delay 30 4");
    int after = 0;
    run.wait_for(window, [&](const Screenshot& s) {
        after = lit_width(s, 300);
        return after >= before * 1.15;
    });
    EXPECT_NEAR(after, before * 1.1605, 6);

    run.key(window, "Next");
    EXPECT_GT(run.wait_for(window, shows(kGreen)).width, 0) << "PageDown did not step";
    EXPECT_TRUE(run.stays(window, shows(kGreen), 0.5)) << "the series went on playing";
}

TEST_F(PresenterEndToEnd, FullStopBlanksTheWindowAndQuestionMarkShowsTheKeys)
{
    unsigned long window = start_on_two_maps();
    ASSERT_NE(window, 0u);
    const int white = white_pixels(run.grab(window));

    run.key(window, "period");
    EXPECT_GT(run.wait_for(window, all_dark).width, 0) << "not blanked";
    // Keys still work while black: the step shows once the window is back.
    run.key(window, "Next");
    ASSERT_TRUE(run.wait_frames(2));
    EXPECT_TRUE(run.stays(window, all_dark, 0.3));
    run.key(window, "period");
    EXPECT_GT(run.wait_for(window, shows(kGreen)).width, 0) << "not restored";

    run.key(window, "question");
    Screenshot shown =
        run.wait_for(window, [&](const Screenshot& s) { return white_pixels(s) > white + 2000; });
    ASSERT_GT(shown.width, 0) << "no reference text";
    // The backing darkens the globe under it.
    const Colour c = shown.colour(400, 300);
    EXPECT_LT(c.g, 200) << describe(c);
    run.key(window, "question");
    EXPECT_GT(run.wait_for(window,
                           [&](const Screenshot& s) {
                               return white_pixels(s) <= white && near(s, 400, 300, kGreen);
                           })
                  .width,
              0)
        << "reference not hidden";
}
