// sphere_mesh.cpp — computes the globe mesh once and picks graticule segments.
#include "render/sphere_mesh.h"

#include <cmath>
#include <initializer_list>

void build_sphere_mesh(double r, SphereMesh* mesh)
{
    const double pi = 3.14159265;
    for (int i = 0; i < kMeshColumns; i++) {
        for (int j = 0; j < kMeshRows; j++) {
            SphereCell& c = mesh->cell[i * kMeshRows + j];
            double theta[2] = {j * pi / kMeshRows, (j + 1) * pi / kMeshRows};
            double phi[2] = {i * 2 * pi / kMeshColumns, (i + 1) * 2 * pi / kMeshColumns};
            const int corner_theta[4] = {0, 1, 1, 0};
            const int corner_phi[4] = {0, 0, 1, 1};
            for (int k = 0; k < 4; k++) {
                double t = theta[corner_theta[k]], p = phi[corner_phi[k]];
                c.corner[k][0] = r * std::sin(t) * std::cos(p);
                c.corner[k][1] = r * std::sin(t) * std::sin(p);
                c.corner[k][2] = r * std::cos(t);
                c.tex[k][0] = static_cast<double>(i + corner_phi[k]) / kMeshColumns;
                c.tex[k][1] = static_cast<double>(j + corner_theta[k]) / kMeshRows;
            }
            double a[3], b[3];
            for (int k = 0; k < 3; k++) {
                a[k] = c.corner[1][k] - c.corner[0][k];
                b[k] = c.corner[2][k] - c.corner[0][k];
            }
            double n[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                           a[0] * b[1] - a[1] * b[0]};
            double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            for (int k = 0; k < 3; k++)
                c.normal[k] = length > 0 ? n[k] / length : 0;
        }
    }
}

const SphereMesh& unit_sphere_mesh()
{
    static SphereMesh* mesh = [] {
        auto* m = new SphereMesh;
        build_sphere_mesh(1.0, m);
        return m;
    }();
    return *mesh;
}

void build_sphere_grid(const SphereMesh& mesh, SphereGrid* grid)
{
    const int corner_column[4] = {0, 0, 1, 1};
    const int corner_row[4] = {0, 1, 1, 0};
    std::uint16_t* index = grid->index;
    for (int i = 0; i < kMeshColumns; i++)
        for (int j = 0; j < kMeshRows; j++) {
            const SphereCell& c = mesh.cell[i * kMeshRows + j];
            int point[4];
            for (int k = 0; k < 4; k++) {
                point[k] = (i + corner_column[k]) * kGridRows + j + corner_row[k];
                GridVertex& v = grid->vertex[point[k]];
                const double* p = c.corner[k];
                double length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
                for (int a = 0; a < 3; a++) {
                    v.position[a] = static_cast<float>(p[a]);
                    v.normal[a] = static_cast<float>(length > 0 ? p[a] / length : 0);
                }
                v.tex[0] = static_cast<float>(c.tex[k][0]);
                v.tex[1] = static_cast<float>(c.tex[k][1]);
            }
            for (int k : {0, 1, 2, 0, 2, 3})
                *index++ = static_cast<std::uint16_t>(point[k]);
        }
}

namespace {
int clamp(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}
} // namespace

int graticule_meridian_columns(int num_keisen, int columns[kMeshColumns])
{
    int step = kMeshColumns / clamp(num_keisen, 1, kMeshColumns);
    int count = 0;
    for (int a = 0; a < kMeshColumns; a += step)
        columns[count++] = a;
    return count;
}

int graticule_parallel_cells(int num_isen, int cells[kMeshCells])
{
    int step = kMeshRows / clamp(num_isen, 1, kMeshRows);
    int count = 0;
    for (int k = 0; k < kMeshCells; k += step)
        if (k % kMeshRows != kMeshRows / 2)
            cells[count++] = k;
    return count;
}
