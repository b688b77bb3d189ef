// e2e.h — runs the real tyx program in a temporary data folder on the X
// display, finds its windows with xdotool, takes screenshots with xwd and
// waits on conditions (drawn frames, pixels) rather than on the clock; and the
// EndToEnd fixture with the checks the end-to-end tests share.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

struct Colour {
    unsigned char r = 0, g = 0, b = 0;
};

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; // rows from the top, 3 bytes per pixel

    const unsigned char* at(int x, int y) const
    {
        return &rgb[(static_cast<size_t>(y) * width + x) * 3];
    }
    bool dark(int x, int y) const; // all channels below 16
    Colour colour(int x, int y) const;
};

// Pixel (x, y) of the shot is within `tolerance` of `c` in every channel; false
// outside the shot.
bool near(const Screenshot& shot, int x, int y, Colour c, int tolerance = 40);
// "(r, g, b)" for failure messages.
std::string describe(Colour c);

// A binary PPM whose pixel (x, y) has the colour colour(x, y); and one of a
// single colour.
std::string ppm_image(int width, int height, const std::function<Colour(int, int)>& colour);
std::string solid_ppm(Colour c, int width = 8, int height = 4);

struct WindowGeometry {
    int x = 0, y = 0, width = 0, height = 0; // absolute position and size, pixels
};

// The size of the X screen (x and y 0).
WindowGeometry screen_geometry();

class TyxRun {
  public:
    // Lays out an empty data folder for the built tyx: data/conf with an
    // empty base configuration (so that the installed one is not taken),
    // data/icons (the generated icon pictures when the build made them), map
    // and logo.
    TyxRun();
    // An empty folder for the program file `binary`, as a user starts tyx
    // from anywhere.
    explicit TyxRun(const std::string& binary);
    ~TyxRun(); // ends the program if it still runs

    TempDir& folder() { return folder_; }
    // Writes a file relative to the data folder.
    void write(const std::string& relative, const std::string& content);

    // Starts tyx with the given arguments in the data folder. The program
    // counts its drawn frames into a file of the folder (see frames()); its
    // user configuration folder is the folder's .config, which holds nothing
    // unless a case writes there.
    void start(const std::vector<std::string>& args = {});
    bool running();
    // Window id of the first visible window whose title is exactly `title`
    // (taken literally); 0 after
    // `timeout` seconds without one.
    unsigned long wait_window(const std::string& title, double timeout = 15);
    WindowGeometry geometry(unsigned long window);
    // Frames drawn so far by window 1 or window 2 (0 before the first).
    unsigned long long frames(bool second_window = false) const;
    // The frame of the series window 1 shows, as the program publishes it;
    // -1 before the first.
    int shown_frame() const;
    // Waits until the window has drawn `count` more frames than now; false
    // after `timeout` seconds. After input was sent, two frames mean the
    // program has handled it and shown the result.
    bool wait_frames(int count = 2, bool second_window = false, double timeout = 10);
    // Waits until window 1 has drawn a few frames, then grabs the window.
    Screenshot screenshot(unsigned long window);
    // Grabs the window until `done` holds for a grab and returns that grab;
    // an empty screenshot (width 0) after `timeout` seconds.
    Screenshot wait_for(unsigned long window, const std::function<bool(const Screenshot&)>& done,
                        double timeout = 10);
    // For checks that something does not happen: true when every grab over
    // `seconds` satisfies `holds` (and at least one grab was taken).
    bool stays(unsigned long window, const std::function<bool(const Screenshot&)>& holds,
               double seconds);
    // The window's content now, without waiting; empty (width 0) when the
    // window cannot be read.
    Screenshot grab(unsigned long window);
    // Sends keys (xdotool key names) to the window.
    void key(unsigned long window, const std::string& keys);
    // Waits up to `timeout` seconds for the program to end; its exit status,
    // or -1 if it is still running.
    int wait_exit(double timeout);
    // What the program printed on standard output and standard error so far.
    std::string output() const;
    // The program's process, -1 when it is not running.
    pid_t pid() const { return pid_; }

  private:
    TempDir folder_;
    std::string binary_ = TYX_BINARY;
    pid_t pid_ = -1;
    std::string log_path_;
    std::string counter_path_;
};

// The fixture of the end-to-end tests: a data folder for one run of the
// program. A case writes its maps and configuration through `run`, then calls
// start().
class EndToEnd : public ::testing::Test {
  protected:
    void SetUp() override;
    // Starts tyx with `args` and waits for its window titled `title` to show
    // its first frames; returns the window, or 0 after a test failure that
    // carries the program's output.
    unsigned long start(const std::vector<std::string>& args = {},
                        const std::string& title = "TYX 1.27");

    TyxRun run;
};

// Calls `done` every 20 ms until it returns true; false after `timeout` seconds.
bool wait_until(const std::function<bool()>& done, double timeout = 10);

// Runs a shell command and returns its standard output.
std::string run_command(const std::string& command);
// Decodes an XWD dump of a 24- or 32-bit TrueColor window.
bool decode_xwd(const std::vector<unsigned char>& data, Screenshot* shot);
