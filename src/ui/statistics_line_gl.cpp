// statistics_line_gl.cpp — draws the F9 statistics line in GLUT bitmap text.
//
// GL state: expects blending on and depth testing and texturing off, as the
// frame leaves them. Draws in window pixels through its own projection and
// restores both matrices; leaves the current colour white, GL's default.
#include <GL/freeglut.h>

#include <string>

#include "core/tyxparam.h"
#include "imagery/series_stats.h"
#include "ui/statistics_line.h"

namespace {

void* const kFont = GLUT_BITMAP_9_BY_15;
constexpr int kMargin = 4; // pixels round the text

} // namespace

void draw_statistics_line(bool second_window)
{
    if (overlay.stats_onoff[second_window ? 1 : 0] != 1)
        return;
    const std::string text = statistics_line(series_stats());
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int width = viewport[2], height = viewport[3];
    const int text_width =
        glutBitmapLength(kFont, reinterpret_cast<const unsigned char*>(text.c_str()));
    const int line_height = glutBitmapHeight(kFont);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1); // y downwards from the top
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // Counter-clockwise on the screen, so back-face culling keeps it.
    const int bottom = line_height + 2 * kMargin;
    glColor4f(0, 0, 0, 0.7f);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(0, bottom);
    glVertex2i(text_width + 2 * kMargin, bottom);
    glVertex2i(text_width + 2 * kMargin, 0);
    glEnd();
    glColor4f(1, 1, 1, 1);
    glRasterPos2i(kMargin, kMargin + line_height * 3 / 4);
    for (char c : text)
        glutBitmapCharacter(kFont, static_cast<unsigned char>(c));

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
