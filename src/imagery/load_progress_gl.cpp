// load_progress_gl.cpp — draws the loading bar into the program's windows
// while a series decodes. The layout is load_progress.cpp.
//
// Runs inside a window's display callback, so it never enters GLUT's event
// loop: it draws and swaps each window, the other one through glutSetWindow,
// and makes the calling window current again. Input waits until the load is
// over.
//
// GL state: saves every attribute and both matrices it changes and restores
// them; the back buffer is left cleared apart from the bar, which the next
// frame clears anyway.
#include "imagery/load_progress_gl.h"

#include <GL/freeglut.h>

#include "core/tyxparam.h"
#include "imagery/load_progress.h"

namespace {

void fill_rect(const PixelRect& r)
{
    glRecti(r.x, r.y, r.x + r.width, r.y + r.height);
}

// Clears the current window and draws the bar in it, then swaps.
void draw_progress_in_current_window(int done, int total)
{
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    const ProgressBar bar = progress_bar_layout(width, height, done, total);

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(0, 0, width, height);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LINE_SMOOTH);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    if (bar.frame.width > 0) {
        glColor3f(0.6f, 0.6f, 0.6f);
        fill_rect(bar.frame);
        const PixelRect inside = {bar.frame.x + 1, bar.frame.y + 1, bar.frame.width - 2,
                                  bar.frame.height - 2};
        glColor3f(0, 0, 0);
        fill_rect(inside);
        glColor3f(0.9f, 0.9f, 0.9f);
        fill_rect(bar.fill);
    }

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    glutSwapBuffers();
}

} // namespace

void show_load_progress(int done, int total)
{
    const int current = glutGetWindow();
    draw_progress_in_current_window(done, total);
    for (int other : {wnd.window1, wnd.window2}) {
        if (other == 0 || other == current)
            continue;
        glutSetWindow(other);
        draw_progress_in_current_window(done, total);
    }
    glutSetWindow(current);
    tell_progress_on_terminal(done, total, done >= total);
}
