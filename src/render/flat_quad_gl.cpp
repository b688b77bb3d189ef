// flat_quad_gl.cpp — the rectangles of the flat overlays.
#include "render/flat_quad_gl.h"

#include <GL/gl.h>

void flat_quad_corners(double left, double top, double right, double bottom)
{
    glVertex3d(left, top, 0);
    glVertex3d(left, bottom, 0);
    glVertex3d(right, bottom, 0);
    glVertex3d(right, top, 0);
}

void fill_flat_rectangle(double left, double top, double right, double bottom)
{
    glBegin(GL_QUADS);
    flat_quad_corners(left, top, right, bottom);
    glEnd();
}

void draw_flat_picture(double x, double y, double w, double h)
{
    glEnable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    glTexCoord2d(0, 0);
    glVertex3d(x, y, 0);
    glTexCoord2d(0, 1);
    glVertex3d(x, y - h, 0);
    glTexCoord2d(1, 1);
    glVertex3d(x + w, y - h, 0);
    glTexCoord2d(1, 0);
    glVertex3d(x + w, y, 0);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}
