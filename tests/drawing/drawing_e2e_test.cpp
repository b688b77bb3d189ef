// drawing_e2e_test.cpp — the real program under real pointer events: drawing
// mode, a stroke drawn by a drag, a swatch that changes the next stroke's
// colour, a save that brings the strokes back after a restart, and undo; the
// frame rate while a stroke is drawn, a reload in drawing mode, and strokes
// with the eye behind the globe.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "support/e2e.h"

namespace {

const Colour kWhite = {255, 255, 255};
const Colour kRed = {255, 0, 0};
const Colour kCyan = {0, 255, 255};
const Colour kBlue = {0, 0, 255};

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

// Frames drawn by window 1 over the next `seconds`; a rate, which only a
// measurement over time can give.
unsigned long long frames_within(TyxRun& run, double seconds)
{
    unsigned long long before = run.frames();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    return run.frames() - before;
}

// A still view is drawn a few times a second, a key brings the full rate
// back for a while, and an open stroke keeps it for as long as it is drawn,
// also while the pointer rests.
TEST_F(DrawingEndToEnd, AStrokeBeingDrawnKeepsTheFullFrameRate)
{
    window = start();
    ASSERT_NE(window, 0u);
    run.key(window, "p");
    ASSERT_TRUE(wait_until([&] { return frames_within(run, 0.5) <= 4; }))
        << "the still view never slowed down";
    EXPECT_TRUE(run.wait_frames(2, false, 3)) << "a still view is still drawn";

    run.key(window, "d"); // the strokes hidden: a key that changes nothing shown
    EXPECT_GE(frames_within(run, 0.4), 8u) << "a key does not bring the full rate";
    run.key(window, "d");

    run_command("xdotool" + at(380, 300) + " mousedown 1" + at(400, 300));
    std::this_thread::sleep_for(std::chrono::duration<double>(0.6)); // past the key's wake
    unsigned long long held = frames_within(run, 1.0);
    run_command("xdotool mouseup 1");
    EXPECT_GE(held, 20u) << "frames in a second of an open stroke";
}

// Drawing mode survives a configuration reload: with the configuration
// letting drags turn the globe, the next stroke still lies where it was
// drawn, and the stroke drawn before keeps its colour while the reloaded
// pen colours the next one.
TEST_F(DrawingEndToEnd, AReloadKeepsDragsOffTheGlobeAndTheStrokesColours)
{
    run.write("data/conf/init_conf.txt", "#Latitude 0\n#Longitude 0\n#NoMouseDragRotation 0\n");
    window = start();
    ASSERT_NE(window, 0u);
    run.key(window, "p");
    ASSERT_TRUE(run.wait_frames());
    run_command("xdotool" + at(kStripX, kRedSwatchY) + " click 1");
    drag_across(300);
    ASSERT_GT(
        run.wait_for(window, [](const Screenshot& s) { return near(s, 405, 300, kRed); }).width, 0);

    run.write("data/conf/conf.txt", "#LineThicknessColor 5 0 0 1 1\n");
    run.key(window, "z");
    ASSERT_TRUE(wait_until(
        [&] { return run.output().find("reload init parameter") != std::string::npos; }));
    ASSERT_TRUE(run.wait_frames(3));
    drag_across(360);
    Screenshot shot = run.wait_for(window, [](const Screenshot& s) {
        return near(s, 355, 360, kBlue) && near(s, 405, 360, kBlue) && near(s, 445, 360, kBlue);
    });
    EXPECT_GT(shot.width, 0) << "the stroke after the reload, in the new pen, where it was drawn";
    EXPECT_TRUE(near(shot, 355, 300, kRed) && near(shot, 445, 300, kRed))
        << "the stroke before the reload, red and in place";
}

// With the eye behind the globe the zoom is stored negated; a stroke is kept
// on the half of the globe that is drawn, over the map it was drawn on.
TEST_F(DrawingEndToEnd, AStrokeWithANegativeZoomLiesOverTheMapUnderThePointer)
{
    // North red, south blue.
    static const Colour kNorth = {200, 40, 40}, kSouth = {40, 40, 200};
    run.write("map/sample1.ppm",
              ppm_image(64, 32, [&](int, int y) { return y < 16 ? kNorth : kSouth; }));
    run.write("data/conf/init_conf.txt",
              "#EyePosition -20\n#Scale 1.45\n#Latitude 30\n#Longitude 0\n");
    window = start();
    ASSERT_NE(window, 0u);
    Screenshot before = run.screenshot(window);
    bool north = near(before, 400, 250, kNorth);
    ASSERT_TRUE(north || near(before, 400, 250, kSouth)) << describe(before.colour(400, 250));

    run.key(window, "p");
    run_command("xdotool" + at(380, 250) + " mousedown 1" + at(400, 250) + " sleep 0.05" +
                at(420, 250) + " mouseup 1");
    Screenshot shot =
        run.wait_for(window, [](const Screenshot& s) { return near(s, 410, 250, kWhite); });
    EXPECT_GT(shot.width, 0) << "the stroke shows where it was drawn";
    run.key(window, "v");
    ASSERT_TRUE(wait_until([&] { return count_of(saved_file(), "/\n") == 1; })) << run.output();
    std::string file = saved_file(); // the header line, then " latitude, longitude, height"
    double latitude = std::stod(file.substr(file.find('\n') + 1));
    EXPECT_EQ(latitude > 0, north) << file;
    EXPECT_GT(std::fabs(latitude), 20) << file;
}

} // namespace
