// drawing_palette_gl.cpp — draws the pen palette strip.
#include <GL/gl.h>

#include "core/tyxparam.h"
#include "drawing/drawing_palette.h"
#include "render/flat_quad_gl.h"

namespace {

// The pencil in the pen colour, tip down to the left, outlined in black.
void draw_pen(double p, double x, double y)
{
    glPushMatrix();
    glTranslated(x + 0.6 * p, y - 0.03 * p, 0);
    glRotated(-30, 0, 0, 1);
    glColor4fv(drawing.color_drawing);
    fill_flat_rectangle(0, 0, 0.35 * p, -0.7 * p);
    glBegin(GL_TRIANGLES);
    glVertex2d(0, -0.7 * p);
    glVertex2d(0.175 * p, -0.95 * p);
    glVertex2d(0.35 * p, -0.7 * p);
    glEnd();

    glColor4f(0, 0, 0, 1);
    glLineWidth(1);
    glEnable(GL_LINE_SMOOTH);
    glBegin(GL_LINE_LOOP);
    glVertex2d(0, 0);
    glVertex2d(0, -0.7 * p);
    glVertex2d(0.175 * p, -0.95 * p);
    glVertex2d(0.35 * p, -0.7 * p);
    glVertex2d(0.35 * p, 0);
    glEnd();
    glDisable(GL_LINE_SMOOTH);
    glPopMatrix();
}

} // namespace

// GL state: expects the camera alone on the model-view stack (screen units in
// the plane z = 0), depth function GL_ALWAYS, texturing off, blending on.
// Leaves everything as found except the current colour and a line width of 1.
void show_drawing_palette()
{
    const double p = drawing.pscale, x = drawing.palette_posi_x, y = drawing.palette_posi_y;
    glColor4f(0.9f, 0.9f, 0.9f, 1);
    fill_flat_rectangle(x - 0.01, y + 0.01, x + p + 0.01, y - 17 * p - 0.01);
    draw_pen(p, x, y);
    for (int i = 0; i < kPaletteCells; i++) {
        glColor4fv(drawing.color_palette[i]);
        fill_flat_rectangle(x, y - (i + 1) * p, x + p, y - (i + 2) * p);
    }
}
