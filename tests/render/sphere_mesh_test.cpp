// sphere_mesh_test.cpp — mesh geometry, texture mapping and graticule choice.
#include "render/line_width.h"
#include "render/sphere_mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {
const double kPi = 3.14159265;

void expect_point(const double* p, double x, double y, double z)
{
    EXPECT_NEAR(p[0], x, 1e-9);
    EXPECT_NEAR(p[1], y, 1e-9);
    EXPECT_NEAR(p[2], z, 1e-9);
}
} // namespace

TEST(SphereMesh, CornersFollowColatitudeAndLongitude)
{
    const SphereMesh& m = unit_sphere_mesh();
    // Cell (0, 0): touches the north pole, starts at the +x meridian.
    expect_point(m.cell[0].corner[0], 0, 0, 1);
    expect_point(m.cell[0].corner[1], std::sin(kPi / 36), 0, std::cos(kPi / 36));
    // Cell (18, 18): column 18 starts at 90 degrees (+y), row 18 starts on the equator.
    const SphereCell& c = m.cell[18 * 36 + 18];
    expect_point(c.corner[0], std::cos(kPi / 2), 1, std::cos(kPi / 2));
    // Last row ends at the south pole.
    EXPECT_NEAR(m.cell[35].corner[1][2], -1, 1e-9);
}

TEST(SphereMesh, RadiusScalesEveryCorner)
{
    static SphereMesh twice;
    build_sphere_mesh(2.0, &twice);
    const SphereMesh& unit = unit_sphere_mesh();
    for (int k : {0, 100, 1000, 2591})
        for (int v = 0; v < 4; v++)
            for (int a = 0; a < 3; a++)
                EXPECT_DOUBLE_EQ(twice.cell[k].corner[v][a], 2 * unit.cell[k].corner[v][a]);
}

TEST(SphereMesh, TextureCoordinatesAreExactGridFractions)
{
    const SphereMesh& m = unit_sphere_mesh();
    for (int i = 0; i < kMeshColumns; i++)
        for (int j = 0; j < kMeshRows; j++) {
            const SphereCell& c = m.cell[i * kMeshRows + j];
            EXPECT_EQ(c.tex[0][0], i / 72.0);
            EXPECT_EQ(c.tex[0][1], j / 36.0);
            EXPECT_EQ(c.tex[2][0], (i + 1) / 72.0);
            EXPECT_EQ(c.tex[2][1], (j + 1) / 36.0);
            EXPECT_EQ(c.tex[1][0], c.tex[0][0]);
            EXPECT_EQ(c.tex[3][1], c.tex[0][1]);
        }
    // The seam closes: the last column reaches s = 1 exactly.
    EXPECT_EQ(m.cell[71 * 36].tex[3][0], 1.0);
}

TEST(SphereMesh, NormalsPointOutwardWithUnitLength)
{
    const SphereMesh& m = unit_sphere_mesh();
    for (int k = 0; k < kMeshCells; k++) {
        const SphereCell& c = m.cell[k];
        if (k % 36 == 35)
            continue; // the south-pole row is degenerate: two corners coincide
        double centre[3] = {0, 0, 0};
        for (int v = 0; v < 4; v++)
            for (int a = 0; a < 3; a++)
                centre[a] += c.corner[v][a] / 4;
        double dot = 0, length = 0;
        for (int a = 0; a < 3; a++) {
            dot += c.normal[a] * centre[a];
            length += c.normal[a] * c.normal[a];
        }
        EXPECT_GT(dot, 0) << "cell " << k;
        EXPECT_NEAR(length, 1, 1e-9) << "cell " << k;
    }
}

TEST(SphereGrid, EachCellIsTwoTrianglesOverItsOwnCorners)
{
    static SphereGrid grid;
    build_sphere_grid(unit_sphere_mesh(), &grid);
    const SphereMesh& m = unit_sphere_mesh();
    const int corner_of_index[6] = {0, 1, 2, 0, 2, 3};
    for (int k = 0; k < kMeshCells; k++)
        for (int n = 0; n < 6; n++) {
            const int point = grid.index[k * 6 + n];
            ASSERT_LT(point, kGridVertices);
            const GridVertex& v = grid.vertex[point];
            const int corner = corner_of_index[n];
            for (int a = 0; a < 3; a++)
                EXPECT_EQ(v.position[a], static_cast<float>(m.cell[k].corner[corner][a]))
                    << "cell " << k << " corner " << corner;
            EXPECT_EQ(v.tex[0], static_cast<float>(m.cell[k].tex[corner][0]));
            EXPECT_EQ(v.tex[1], static_cast<float>(m.cell[k].tex[corner][1]));
            double length = 0, outward = 0;
            for (int a = 0; a < 3; a++) {
                length += v.normal[a] * v.normal[a];
                outward += v.normal[a] * v.position[a];
            }
            EXPECT_NEAR(length, 1, 1e-6);
            EXPECT_GT(outward, 0);
        }
}

TEST(Graticule, MeridianColumnsFollowTheIntegerStep)
{
    int columns[kMeshColumns];
    int n = graticule_meridian_columns(5, columns);
    EXPECT_EQ(std::vector<int>(columns, columns + n), (std::vector<int>{0, 14, 28, 42, 56, 70}));
    n = graticule_meridian_columns(2, columns);
    EXPECT_EQ(std::vector<int>(columns, columns + n), (std::vector<int>{0, 36}));
    EXPECT_EQ(graticule_meridian_columns(72, columns), 72);
}

TEST(Graticule, ParallelCellsSkipTheEquatorRow)
{
    static int cells[kMeshCells];
    int n = graticule_parallel_cells(6, cells);
    std::vector<int> rows;
    for (int i = 0; i < n; i++)
        if (cells[i] < 36)
            rows.push_back(cells[i] % 36);
    // Row 0 gives the zero-length pole segment; 6, 12, 24, 30 are 30, 60, 120, 150 degrees.
    EXPECT_EQ(rows, (std::vector<int>{0, 6, 12, 24, 30}));
    // With the default divisor only pole rows remain.
    n = graticule_parallel_cells(2, cells);
    for (int i = 0; i < n; i++)
        EXPECT_EQ(cells[i] % 36, 0);
}

TEST(Graticule, OutOfRangeCountsAreClampedNotFatal)
{
    static int cells[kMeshCells];
    int columns[kMeshColumns];
    EXPECT_EQ(graticule_meridian_columns(0, columns), 1);
    EXPECT_EQ(graticule_meridian_columns(-4, columns), 1);
    EXPECT_EQ(graticule_meridian_columns(1000, columns), 72);
    EXPECT_LE(graticule_parallel_cells(0, cells), kMeshCells);
    EXPECT_LE(graticule_parallel_cells(99999, cells), kMeshCells);
    EXPECT_GT(graticule_parallel_cells(99999, cells), 0);
}

// A negative eye position stores the zoom negated; widths follow its size.
TEST(LineWidth, FollowsTheZoomsMagnitude)
{
    EXPECT_FLOAT_EQ(zoomed_line_width(2.0f, 1.5f), 3.0f);
    EXPECT_FLOAT_EQ(zoomed_line_width(2.0f, -1.5f), 3.0f);
    EXPECT_FLOAT_EQ(zoomed_line_width(0.8f, 0.0f), 0.0f);
}
