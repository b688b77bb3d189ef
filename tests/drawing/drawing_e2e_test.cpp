// drawing_e2e_test.cpp — the real program under real pointer events: drawing
// mode, a stroke drawn by a drag, a swatch that changes the next stroke's
// colour, a save that brings the strokes back after a restart, and undo.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "support/e2e.h"

namespace {

const Colour kWhite = {255, 255, 255};
const Colour kRed = {255, 0, 0};
const Colour kCyan = {0, 255, 255};

// Pixels of the default palette in an 800 x 600 window (150 pixels per view
// unit, strip at x -2.5, cells of 0.15 from y 1.2 down): the centres of
// swatches 6 (red) and 15 (cyan), and the middle of the pencil's body.
const int kStripX = 36;
const int kRedSwatchY = 289;
const int kCyanSwatchY = 491;
const int kPencilX = 38, kPencilY = 129;

class DrawingEndToEnd : public EndToEnd {
  protected:
    void SetUp() override
    {
        EndToEnd::SetUp();
        run.write("map/sample1.ppm", solid_ppm({0, 0, 90}));
        run.write("data/conf/init_conf.txt", "#Latitude 0\n#Longitude 0\n");
    }

    std::string at(int x, int y)
    {
        return " mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " +
               std::to_string(y);
    }
    // A drag along row y from x 330 to 470 in steps of 10 pixels. (The checks
    // look between the stroke's points: a software renderer leaves a faint
    // column where two wide smoothed segments meet.)
    void drag_across(int y)
    {
        std::string moves = at(330, y) + " mousedown 1";
        for (int x = 340; x <= 470; x += 10)
            moves += at(x, y) + " sleep 0.02";
        run_command("xdotool" + moves + " mouseup 1");
    }
    std::string saved_file()
    {
        std::ifstream in(run.folder().path() + "/data/draw/lines.txt");
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    unsigned long window = 0;
};

size_t count_of(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        n++;
    return n;
}

TEST_F(DrawingEndToEnd, StrokesAreDrawnColouredSavedRestoredAndUndone)
{
    window = start();
    ASSERT_NE(window, 0u);
    run.key(window, "p");
    Screenshot shot = run.wait_for(window, [](const Screenshot& s) {
        return near(s, kStripX, kCyanSwatchY, kCyan) && near(s, kStripX, kRedSwatchY, kRed);
    });
    ASSERT_GT(shot.width, 0) << "the palette shows in drawing mode\n" << run.output();
    EXPECT_TRUE(near(shot, kPencilX, kPencilY, kWhite)) << "the pencil in the pen's white";

    // A drag draws under the pointer. (Had it also turned the globe, the
    // strokes would come back elsewhere after the restart below.)
    drag_across(300);
    shot = run.wait_for(window, [](const Screenshot& s) {
        return near(s, 355, 300, kWhite) && near(s, 405, 300, kWhite) && near(s, 445, 300, kWhite);
    });
    ASSERT_GT(shot.width, 0) << "a white line along the drag";

    run_command("xdotool" + at(kStripX, kRedSwatchY) + " click 1");
    drag_across(360);
    shot = run.wait_for(window, [](const Screenshot& s) {
        return near(s, 405, 360, kRed) && near(s, kPencilX, kPencilY, kRed);
    });
    ASSERT_GT(shot.width, 0) << "the next stroke and the pencil take the red";
    EXPECT_TRUE(near(shot, 405, 300, kWhite)) << "the first stroke stays white";

    run.key(window, "v");
    ASSERT_TRUE(wait_until([&] { return count_of(saved_file(), "/\n") == 2; }))
        << saved_file() << run.output();

    run.key(window, "q");
    ASSERT_EQ(run.wait_exit(10), 0);
    window = start();
    ASSERT_NE(window, 0u);
    shot = run.wait_for(window, [](const Screenshot& s) {
        return near(s, 405, 300, kWhite) && near(s, 405, 360, kRed);
    });
    EXPECT_GT(shot.width, 0) << "the saved strokes come back at the same places";

    run.key(window, "p");
    run.key(window, "e");
    shot = run.wait_for(window, [](const Screenshot& s) {
        return !near(s, 405, 360, kRed) && near(s, 405, 300, kWhite);
    });
    EXPECT_GT(shot.width, 0) << "undo removes the red stroke only";
}

} // namespace
