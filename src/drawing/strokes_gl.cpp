// strokes_gl.cpp — draws the freehand strokes on the globe.
#include <GL/gl.h>

#include "core/tyxparam.h"
#include "drawing/drawing_store.h"

// GL state: expects the globe's transform on the model-view stack, texturing
// off and line smoothing on (display_earth sets both around this call).
// Leaves the current colour changed and the line width at 1.
void draw_strokes()
{
    int n = visible_stroke_count();
    for (int k = 0; k < n; k++) {
        StrokeLook look = stroke_look(k);
        glLineWidth(look.width);
        glColor4fv(look.color);
        glBegin(GL_LINE_STRIP);
        for (int i = look.first; i <= look.last; i++)
            glVertex3dv(drawing.d_zahyo[i]);
        glEnd();
    }
    glLineWidth(1);
}
