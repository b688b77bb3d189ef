// sphere_mesh.h — the 72 x 36 latitude-longitude mesh of the globe and the
// choice of graticule segments. No GL here.
//
// Conventions: model z points to the north pole; column i spans longitude
// angle phi from i*5 to (i+1)*5 degrees counter-clockwise from +x seen from +z;
// row j spans polar angle theta from j*5 to (j+1)*5 degrees from +z. Texture s
// runs with phi, t from 0 at the north pole to 1 at the south pole.
#pragma once

#include <cstdint>

constexpr int kMeshColumns = 72;
constexpr int kMeshRows = 36;
constexpr int kMeshCells = kMeshColumns * kMeshRows; // cell k = column * 36 + row

struct SphereCell {
    double normal[3];    // unit outward normal
    double corner[4][3]; // P(t0,p0), P(t1,p0), P(t1,p1), P(t0,p1)
    double tex[4][2];    // (s, t) of each corner
};

struct SphereMesh {
    SphereCell cell[kMeshCells];
};

// Fills the mesh for radius r (cells in drawing order).
void build_sphere_mesh(double r, SphereMesh* mesh);

// The unit mesh, computed once on first use.
const SphereMesh& unit_sphere_mesh();

// The mesh as the globe is drawn: one vertex per grid point and two
// triangles per cell. Neighbouring cells compute a shared corner from the
// same expressions, so one vertex stands for it exactly. The seam keeps two
// columns of points, at s = 0 and s = 1.
constexpr int kGridColumns = kMeshColumns + 1;
constexpr int kGridRows = kMeshRows + 1;
constexpr int kGridVertices = kGridColumns * kGridRows; // point (i, j) at i * kGridRows + j
constexpr int kGridIndices = kMeshCells * 6;

struct GridVertex {
    float position[3];
    float normal[3]; // the sphere's outward normal at the point (lighting is never on)
    float tex[2];
};

struct SphereGrid {
    GridVertex vertex[kGridVertices];
    // Per cell in cell order, corners 0 1 2 then 0 2 3: the two triangles GL
    // makes of the cell as a quad, so the picture does not change.
    std::uint16_t index[kGridIndices];
};

// Fills the grid from the mesh, in single precision.
void build_sphere_grid(const SphereMesh& mesh, SphereGrid* grid);

// Graticule selection. Counts are clamped into 1..72 and 1..36, so no
// configured value can divide by zero or loop forever.
// Columns whose full meridian is drawn; returns how many were written (<= 72).
int graticule_meridian_columns(int num_keisen, int columns[kMeshColumns]);
// Cells whose upper edge is a parallel segment (equator rows excluded); returns
// how many were written (<= 2592).
int graticule_parallel_cells(int num_isen, int cells[kMeshCells]);
