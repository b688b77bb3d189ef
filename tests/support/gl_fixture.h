// gl_fixture.h — a real freeglut window for tests that draw through the
// program's own functions and read the pixels back.
//
// The window is created once per test program (GLUT cannot be initialised
// twice) and reused by every case; each case starts from the default viewer
// state with that window as window 1, sized 800 x 600 unless it asks for
// another size. Without an X display the cases fail with a clear message.
#pragma once

#include <vector>

#include "support/state_fixture.h"

struct Rgba {
    unsigned char r, g, b, a;
};

class GlTest : public StateTest {
  protected:
    void SetUp() override;

    // Resizes the test window and runs the program's reshape handler.
    void size_window(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }

    // Clears the window and draws globe 1 through the program's own
    // display_earth under the default camera.
    void draw_globe();

    // Pixel of the back buffer at column x, row y counted from the top.
    Rgba pixel(int x, int y) const;
    // The whole back buffer, rows from the top, 4 bytes per pixel.
    std::vector<unsigned char> read_back() const;

  private:
    int width_ = 0;
    int height_ = 0;
};

// True when an X display can be opened; tests that need one call it first.
bool have_display();
