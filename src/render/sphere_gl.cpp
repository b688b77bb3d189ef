// sphere_gl.cpp — issues the globe mesh and the graticule to GL.
//
// GL state expected: the globe's texture bound and GL_TEXTURE_2D enabled, the
// globe transform on the model-view stack. Left as found: the model-view
// matrix, GL_TEXTURE_2D enabled, GL_LINE_SMOOTH disabled, no array or element
// buffer bound. Client arrays are enabled only while drawing.
#define GL_GLEXT_PROTOTYPES // buffer objects are GL 1.5, past what gl.h declares
#include <GL/freeglut.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "core/tyxparam.h"
#include "render/line_width.h"
#include "render/sphere.h"
#include "render/sphere_mesh.h"

namespace {

static_assert(sizeof(GLushort) == sizeof(std::uint16_t), "grid indices are sent as is");

// The grid's vertex and index buffers in one window's GL context. Each window
// has its own context, so each gets its own pair on its first globe, kept for
// the life of the context. Found by GLUT window: freeglut never reuses a
// window number.
struct MeshBuffers {
    int window;
    GLuint vertices;
    GLuint indices;
};
std::vector<MeshBuffers> mesh_buffers;

MeshBuffers upload_mesh_buffers(int window)
{
    auto grid = std::make_unique<SphereGrid>();
    build_sphere_grid(unit_sphere_mesh(), grid.get());
    MeshBuffers b{window, 0, 0};
    glGenBuffers(1, &b.vertices);
    glBindBuffer(GL_ARRAY_BUFFER, b.vertices);
    glBufferData(GL_ARRAY_BUFFER, sizeof grid->vertex, grid->vertex, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glGenBuffers(1, &b.indices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, b.indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof grid->index, grid->index, GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    return b;
}

const MeshBuffers& current_mesh_buffers()
{
    int window = glutGetWindow();
    for (const MeshBuffers& b : mesh_buffers)
        if (b.window == window)
            return b;
    mesh_buffers.push_back(upload_mesh_buffers(window));
    return mesh_buffers.back();
}

// Byte offset into the bound buffer, as the pointer GL expects.
const void* buffer_offset(size_t bytes)
{
    return reinterpret_cast<const void*>(bytes);
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
    const MeshBuffers& buffers = current_mesh_buffers();
    glColor4f(0, 0, 0, 1);
    glPushMatrix();
    if (r != 1.0)
        glScaled(r, r, r);
    glBindBuffer(GL_ARRAY_BUFFER, buffers.vertices);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers.indices);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    const GLsizei stride = sizeof(GridVertex);
    glVertexPointer(3, GL_FLOAT, stride, buffer_offset(offsetof(GridVertex, position)));
    glNormalPointer(GL_FLOAT, stride, buffer_offset(offsetof(GridVertex, normal)));
    glTexCoordPointer(2, GL_FLOAT, stride, buffer_offset(offsetof(GridVertex, tex)));
    glDrawRangeElements(GL_TRIANGLES, 0, kGridVertices - 1, kGridIndices, GL_UNSIGNED_SHORT,
                        nullptr);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    if (overlay.isenkeisenornot != 0)
        draw_graticule();
    glPopMatrix();
}
