// gl_fixture.cpp — the shared test window.
#include "support/gl_fixture.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <X11/Xlib.h>

#include <cstdlib>

#include "core/clock.h"
#include "core/window.h"
#include "render/display.h"
#include "render/globe_state.h"

namespace {
int test_window = 0;
}

bool have_display()
{
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0')
        return false;
    Display* display = XOpenDisplay(name);
    if (display == nullptr)
        return false;
    XCloseDisplay(display);
    return true;
}

void GlTest::SetUp()
{
    StateTest::SetUp();
    if (!have_display())
        GTEST_FAIL() << "this test needs an X display (DISPLAY is unset or unreachable); "
                        "run the tests through the README test command, which starts Xvfb";
    if (test_window == 0) {
        int argc = 1;
        char name[] = "tyx_gl_tests";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGBA | GLUT_ALPHA | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowSize(800, 600);
        // Bottom right of the test screen, away from where end-to-end tests
        // place the program's windows, so screenshots never show this one.
        glutInitWindowPosition(1100, 580);
        test_window = glutCreateWindow("tyx test");
        glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
        glutDisplayFunc([] {});
    }
    glutSetWindow(test_window);
    wnd.window1 = test_window;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    init(test_window);
    // init names the window like the program's; keep end-to-end searches off it.
    glutSetWindowTitle("tyx test");
    size_window(800, 600);
}

void GlTest::size_window(int width, int height)
{
    glutReshapeWindow(width, height);
    for (int i = 0; i < 20; i++)
        glutMainLoopEvent();
    width_ = width;
    height_ = height;
    resize(width, height);
    glReadBuffer(GL_BACK);
}

void GlTest::draw_globe()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, wnd.ez, 0, 0, 0, 0, 1, 0);
    advance_globe_state(elapsed_seconds());
    display_earth(wnd.window1);
}

std::vector<unsigned char> GlTest::read_back() const
{
    std::vector<unsigned char> rows(static_cast<size_t>(width_) * height_ * 4);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    // GL counts rows from the bottom; flip so that row 0 is the top.
    std::vector<unsigned char> flipped(rows.size());
    size_t stride = static_cast<size_t>(width_) * 4;
    for (int y = 0; y < height_; y++)
        std::copy_n(rows.begin() + (height_ - 1 - y) * stride, stride,
                    flipped.begin() + y * stride);
    return flipped;
}

Rgba GlTest::pixel(int x, int y) const
{
    unsigned char p[4] = {};
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, height_ - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2], p[3]};
}
