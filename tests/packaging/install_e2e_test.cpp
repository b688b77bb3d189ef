// install_e2e_test.cpp — cmake --install into a scratch prefix: the files a
// package holds, the desktop entry and the manual page as their own tools see
// them, and the installed tyx started from an empty folder, as a menu starts
// it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/e2e.h"
#include "support/temp_dir.h"
#include "ui/help_overlay.h"
#include "ui/manual_page.h"

namespace fs = std::filesystem;

namespace {

// Runs `command` with its standard error joined to its output; the output,
// and the exit status in `status`.
std::string run_joined(const std::string& command, int* status)
{
    std::string out = run_command(command + " 2>&1; echo \"exit $?\"");
    const std::string::size_type at = out.rfind("exit ");
    *status = at == std::string::npos ? -1 : std::stoi(out.substr(at + 5));
    return at == std::string::npos ? out : out.substr(0, at);
}

class Installation : public ::testing::Test {
  protected:
    void SetUp() override
    {
        int status = 0;
        const std::string said =
            run_joined(std::string("'") + TYX_CMAKE_COMMAND +
                           "' --install '" TYX_BUILD_DIR "' --prefix '" + prefix_.path() + "'",
                       &status);
        ASSERT_EQ(status, 0) << said;
    }
    std::string at(const std::string& relative) const { return prefix_.path() + "/" + relative; }

    TempDir prefix_;
};

} // namespace

TEST_F(Installation, HoldsTheProgramItsDataMenuEntryAndManualPage)
{
    for (const char* file :
         {"bin/tyx", "bin/tyx-focus", "share/tyx/data/conf/init_conf.txt",
          "share/tyx/data/icons/play.ppm", "share/tyx/data/icons/forward-changelayer.ppm",
          "share/tyx/demo/map/earth1.jpg", "share/tyx/demo/map/earth24.jpg",
          "share/tyx/demo/data/captions.txt", "share/tyx/demo/data/conf/conf.txt",
          "share/tyx/demo/data/plot/points/points.csv", "share/applications/tyx.desktop",
          "share/icons/hicolor/scalable/apps/tyx.svg", "share/man/man1/tyx.1.gz"})
        EXPECT_TRUE(fs::is_regular_file(at(file))) << file;
    EXPECT_TRUE(fs::is_directory(at("share/tyx/data/draw/no_erase")));
    EXPECT_FALSE(fs::exists(at("share/tyx/data/conf/.keep")));
    EXPECT_FALSE(fs::exists(at("share/tyx/data/draw/lines.txt")));

    int status = 0;
    std::string said =
        run_joined("desktop-file-validate '" + at("share/applications/tyx.desktop") + "'", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(said, "");

    // groff's warnings of every kind, with nothing printed but them.
    const std::string page = at("share/man/man1/tyx.1.gz");
    said = run_joined("gzip -dc '" + page + "' | groff -ww -man -Tutf8 -z", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(said, "");

    // Every key and mouse line of the key reference, in both key modes, as
    // a tag of the page.
    const std::string text = run_command("gzip -dc '" + page + "'");
    for (bool clicker : {false, true})
        for (const HelpLine& line : help_lines(clicker))
            EXPECT_NE(text.find(".TP\n\\&\\fB" + troff_text(line.keys).substr(2) + "\\fR\n"),
                      std::string::npos)
                << line.keys;
}

// A menu starts tyx with "--folder=" and nothing after it, in the home
// folder: the base configuration and icons come from the installation, and
// with no maps there it shows the demo.
TEST_F(Installation, StartedFromAnEmptyFolderShowsTheIconsAndTheDemoGlobe)
{
    TyxRun run(at("bin/tyx"));
    TempDir elsewhere; // what -C names, empty as well
    run.start({"--folder=" + elsewhere.path()});
    const unsigned long window = run.wait_window("TYX 1.27", 30);
    ASSERT_NE(window, 0u) << run.output();

    const std::string tree = fs::canonical(at("share/tyx")).string();
    const std::string told = run.output();
    EXPECT_NE(told.find(fs::canonical(elsewhere.path()).string() +
                        " has no data/conf/init_conf.txt: the base configuration and the icons "
                        "come from " +
                        tree),
              std::string::npos)
        << told;
    EXPECT_NE(told.find("showing the demo of " + tree + "/demo"), std::string::npos) << told;

    // The quit icon at the top right, outside the globe, and the globe lit
    // by day at some hour of the demo's day.
    auto lit_share = [](const Screenshot& s, int x0, int y0, int x1, int y1) {
        int lit = 0, all = 0;
        for (int y = y0; y < y1; y += 2)
            for (int x = x0; x < x1; x += 2, all++)
                lit += !s.dark(x, y);
        return all == 0 ? 0.0 : double(lit) / all;
    };
    const Screenshot shot = run.wait_for(
        window,
        [&](const Screenshot& s) {
            return s.width >= 800 && s.height >= 600 && lit_share(s, 724, 14, 782, 72) > 0.05 &&
                   lit_share(s, 300, 200, 500, 400) > 0.6;
        },
        30);
    EXPECT_GT(shot.width, 0) << run.output();
}
