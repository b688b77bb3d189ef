// lesson_e2e_test.cpp — the real program steps through a lesson with the
// page keys, flies the globe to each step's view and records the view with k.
#include <gtest/gtest.h>

#include <string>

#include "support/e2e.h"

namespace {

// Maps whose colour gives the place: red grows with the longitude from
// 180 W, green with the latitude from the north pole; blue names the series.
constexpr int kMapWidth = 360, kMapHeight = 180;

std::string place_map(unsigned char blue)
{
    return ppm_image(kMapWidth, kMapHeight, [blue](int x, int y) {
        return Colour{static_cast<unsigned char>(x * 255 / (kMapWidth - 1)),
                      static_cast<unsigned char>(y * 255 / (kMapHeight - 1)), blue};
    });
}

Colour place_colour(double latitude, double longitude, unsigned char blue)
{
    return {static_cast<unsigned char>((longitude + 180) / 360 * 255),
            static_cast<unsigned char>((90 - latitude) / 180 * 255), blue};
}

const char* const kLesson = "A test lesson.\n"
                            "= Africa\n"
                            "#Latitude 0 #Longitude 20\n"
                            "= Pacific, other maps\n"
                            "#Latitude 30 #Longitude -150 #Scale 1.5\n"
                            "#TextureName map/other\n"
                            "= Asia\n"
                            "#Latitude -20 #Longitude 100\n";

class LessonEndToEnd : public EndToEnd {
  protected:
    void SetUp() override
    {
        EndToEnd::SetUp();
        run.write("map/sample1.ppm", place_map(0));
        run.write("map/other1.ppm", place_map(250));
        run.write("data/conf/conf.txt", "#FlightSeconds 0.4 #Spin 0\n");
        run.write("data/conf/lesson.txt", kLesson);
    }

    // Waits until the centre of the window shows `c`.
    bool centre_shows(unsigned long window, Colour c)
    {
        Screenshot shot =
            run.wait_for(window, [&](const Screenshot& s) { return near(s, 400, 300, c, 10); });
        if (shot.width == 0) {
            Screenshot now = run.grab(window);
            ADD_FAILURE() << "centre shows "
                          << (now.width ? describe(now.colour(400, 300)) : "nothing") << ", not "
                          << describe(c) << "\n"
                          << run.output();
        }
        return shot.width != 0;
    }
};

} // namespace

TEST_F(LessonEndToEnd, PageKeysFlyFromStepToStepWithTheirMaps)
{
    unsigned long window = start({"--lesson", "data/conf/lesson.txt"}, "TYX 1.27 - Africa");
    ASSERT_NE(window, 0u);
    EXPECT_TRUE(centre_shows(window, place_colour(0, 20, 0)));

    run.key(window, "Next");
    EXPECT_NE(run.wait_window("TYX 1.27 - Pacific, other maps"), 0u) << run.output();
    EXPECT_TRUE(centre_shows(window, place_colour(30, -150, 250)));

    run.key(window, "Prior");
    EXPECT_TRUE(centre_shows(window, place_colour(0, 20, 0)));
    run.key(window, "End");
    EXPECT_TRUE(centre_shows(window, place_colour(-20, 100, 0)));
    EXPECT_NE(run.output().find("Step 3/3 Asia"), std::string::npos) << run.output();
}

TEST_F(LessonEndToEnd, KeyKRecordsTheViewAsAStepThatComesBackAfterARestart)
{
    unsigned long window = start({"--lesson", "data/conf/lesson.txt"}, "TYX 1.27 - Africa");
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(centre_shows(window, place_colour(0, 20, 0)));
    // Turned by about 22 degrees up and left, away from every step's view,
    // then recorded.
    std::string presses;
    for (int i = 0; i < 25; i++)
        presses += "Up Left ";
    run.key(window, presses);
    const Colour start_colour = place_colour(0, 20, 0);
    Colour recorded;
    ASSERT_NE(run.wait_for(window,
                           [&](const Screenshot& s) {
                               recorded = s.colour(400, 300);
                               return !near(s, 400, 300, start_colour, 20) &&
                                      run.stays(
                                          window,
                                          [&](const Screenshot& t) {
                                              return near(t, 400, 300, recorded, 2);
                                          },
                                          0.3);
                           })
                  .width,
              0);
    run.key(window, "k");
    const std::string lesson_path = run.folder().path() + "/data/conf/lesson.txt";
    EXPECT_TRUE(wait_until(
        [&] { return read_text_file(lesson_path).find("= View 4") != std::string::npos; }));
    EXPECT_NE(run.output().find("View added to data/conf/lesson.txt as step 4"), std::string::npos)
        << run.output();
    run.key(window, "q");
    ASSERT_EQ(run.wait_exit(10), 0) << run.output();

    const std::string text = read_text_file(lesson_path);
    EXPECT_EQ(text.rfind(kLesson, 0), 0u) << "the steps before stay as they were";
    EXPECT_NE(text.find("\n\n= View 4: "), std::string::npos) << text;

    window = start({"--lesson", "data/conf/lesson.txt"}, "TYX 1.27 - Africa");
    ASSERT_NE(window, 0u);
    run.key(window, "End");
    EXPECT_TRUE(centre_shows(window, recorded));
}
