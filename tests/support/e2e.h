// e2e.h — runs the real tyx program in a temporary data folder on the X
// display, finds its windows with xdotool and takes screenshots with xwd.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb; // rows from the top, 3 bytes per pixel

    const unsigned char* at(int x, int y) const
    {
        return &rgb[(static_cast<size_t>(y) * width + x) * 3];
    }
    bool dark(int x, int y) const; // all channels below 16
};

struct WindowGeometry {
    int x = 0, y = 0, width = 0, height = 0; // absolute position and size, pixels
};

class TyxRun {
  public:
    // Lays out an empty data folder: data/conf, data/icons (the generated
    // icon pictures when the build made them), map and logo.
    TyxRun();
    ~TyxRun(); // ends the program if it still runs

    TempDir& folder() { return folder_; }
    // Writes a file relative to the data folder.
    void write(const std::string& relative, const std::string& content);

    // Starts tyx with the given arguments in the data folder.
    void start(const std::vector<std::string>& args = {});
    bool running();
    // Window id of the first visible window whose title is exactly `title`
    // (taken literally); 0 after
    // `timeout` seconds without one.
    unsigned long wait_window(const std::string& title, double timeout = 15);
    WindowGeometry geometry(unsigned long window);
    // Waits until the window has drawn a few frames, then grabs its content.
    Screenshot screenshot(unsigned long window);
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

  private:
    TempDir folder_;
    pid_t pid_ = -1;
    std::string log_path_;
};

// Runs a shell command and returns its standard output.
std::string run_command(const std::string& command);
// Decodes an XWD dump of a 24- or 32-bit TrueColor window.
bool decode_xwd(const std::vector<unsigned char>& data, Screenshot* shot);
