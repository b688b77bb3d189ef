// sphere_gl.cpp — issues the globe mesh and the graticule to GL.
//
// GL state expected: the globe's texture bound and GL_TEXTURE_2D enabled, the
// globe transform on the model-view stack. Left as found: the model-view
// matrix, GL_TEXTURE_2D enabled, GL_LINE_SMOOTH disabled. Client arrays are
// enabled only while drawing.
#include <GL/freeglut.h>

#include <vector>

#include "core/tyxparam.h"
#include "render/line_width.h"
#include "render/sphere.h"
#include "render/sphere_mesh.h"

namespace {

// The mesh laid out as GL client arrays: four vertices per cell in cell order,
// each carrying its cell's normal, so one glDrawArrays sends exactly the
// quads, normals and texture coordinates of the mesh.
struct MeshArrays {
    std::vector<double> position, normal, tex;
};

const MeshArrays& mesh_arrays()
{
    static const MeshArrays arrays = [] {
        MeshArrays a;
        const SphereMesh& mesh = unit_sphere_mesh();
        for (const SphereCell& c : mesh.cell) {
            for (int k = 0; k < 4; k++) {
                a.position.insert(a.position.end(), c.corner[k], c.corner[k] + 3);
                a.normal.insert(a.normal.end(), c.normal, c.normal + 3);
                a.tex.insert(a.tex.end(), c.tex[k], c.tex[k] + 2);
            }
        }
        return a;
    }();
    return arrays;
}

void add_segment(std::vector<double>& lines, const double* from, const double* to)
{
    lines.insert(lines.end(), from, from + 3);
    lines.insert(lines.end(), to, to + 3);
}

void draw_lines(const std::vector<double>& lines)
{
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_DOUBLE, 0, lines.data());
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(lines.size() / 3));
    glDisableClientState(GL_VERTEX_ARRAY);
}

// The graticule's segments as GL line arrays. They depend only on the two
// counts, which change at most through a configuration reload, so the frame
// rebuilds them only then and otherwise allocates nothing.
struct GraticuleArrays {
    bool built = false;
    int num_keisen = 0, num_isen = 0; // counts the grid was built for
    std::vector<double> grid;         // meridians and parallels
    std::vector<double> equator;
};

const GraticuleArrays& graticule_arrays()
{
    static GraticuleArrays arrays;
    const SphereMesh& mesh = unit_sphere_mesh();
    if (arrays.equator.empty())
        for (int k = 0; k < kMeshCells; k += kMeshRows / 2)
            add_segment(arrays.equator, mesh.cell[k].corner[0], mesh.cell[k].corner[3]);
    if (arrays.built && arrays.num_keisen == overlay.num_keisen &&
        arrays.num_isen == overlay.num_isen)
        return arrays;

    static int columns[kMeshColumns];
    static int cells[kMeshCells];
    arrays.grid.clear();
    int meridians = graticule_meridian_columns(overlay.num_keisen, columns);
    for (int m = 0; m < meridians; m++)
        for (int j = 0; j < kMeshRows; j++) {
            const SphereCell& c = mesh.cell[columns[m] * kMeshRows + j];
            add_segment(arrays.grid, c.corner[0], c.corner[1]);
        }
    int parallels = graticule_parallel_cells(overlay.num_isen, cells);
    for (int p = 0; p < parallels; p++) {
        const SphereCell& c = mesh.cell[cells[p]];
        add_segment(arrays.grid, c.corner[0], c.corner[3]);
    }
    arrays.built = true;
    arrays.num_keisen = overlay.num_keisen;
    arrays.num_isen = overlay.num_isen;
    return arrays;
}

void draw_graticule()
{
    const GraticuleArrays& arrays = graticule_arrays();
    float zoom = (glutGetWindow() == wnd.window1 || view.synch == 1) ? view.scale_factor
                                                                     : view.scale_factor2;
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LINE_SMOOTH);
    glColor4fv(overlay.color_isenkeisen);
    glPushMatrix();
    glScaled(1.015, 1.015, 1.015);
    glLineWidth(zoomed_line_width(overlay.line_width, zoom));
    draw_lines(arrays.grid);

    glColor4fv(overlay.color_sekidou);
    glLineWidth(zoomed_line_width(overlay.line_width_red, zoom));
    draw_lines(arrays.equator);

    glPopMatrix();
    glDisable(GL_LINE_SMOOTH);
    glEnable(GL_TEXTURE_2D);
}

} // namespace

void sphere(double r)
{
    const MeshArrays& a = mesh_arrays();
    glColor4f(0, 0, 0, 1);
    glPushMatrix();
    if (r != 1.0)
        glScaled(r, r, r);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_DOUBLE, 0, a.position.data());
    glNormalPointer(GL_DOUBLE, 0, a.normal.data());
    glTexCoordPointer(2, GL_DOUBLE, 0, a.tex.data());
    glDrawArrays(GL_QUADS, 0, kMeshCells * 4);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);

    if (overlay.isenkeisenornot != 0)
        draw_graticule();
    glPopMatrix();
}
