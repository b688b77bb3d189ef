// symbol_atlas_test.cpp — the symbol atlas (where each bitmap lies and what
// it holds) and the quads placed from it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "plot/plot_geometry.h"
#include "plot/symbol_atlas.h"
#include "plot/symbol_sprites.h"

namespace {

const SymbolAtlas& atlas()
{
    static SymbolAtlas a;
    if (a.texels.empty())
        build_symbol_atlas(0.1, a);
    return a;
}

// Alpha of texel (i, j) of a cell.
unsigned char texel(const AtlasCell& cell, int i, int j)
{
    const int x = int(cell.s0 * kSymbolAtlasWidth + 0.5f) + i,
              y = int(cell.t0 * kSymbolAtlasHeight + 0.5f) + j;
    return atlas().texels[size_t(y) * kSymbolAtlasWidth + x];
}

} // namespace

TEST(SymbolAtlas, EachBitmapHasItsOwnCellWithTheShapeInsideAnEmptyEdge)
{
    // Inradius and area of each filled type (borders scale the shape by
    // (inradius + 0.1) / inradius); the others have no border.
    const double inradius[6] = {0.56418958354, 0.438691337650831, 0.438691337650831, 0.5,
                                0.5,           0.291659186097754};
    const double h = 0.1 * std::sqrt(3.0);
    const double area[kSymbolTypes] = {
        1, 1, 1, 1, 1, 1, 0.36, 0.2, 0.36, 0.2, 6 * (0.2 * (0.5 - h) + 0.1 * h)};
    std::vector<const AtlasCell*> cells;
    for (int type = 0; type < kSymbolTypes; type++) {
        SCOPED_TRACE(type);
        const bool filled = type < 6;
        for (int copy = 0; copy < (filled ? 2 : 1); copy++) {
            const AtlasCell& cell = copy == 0 ? atlas().symbol[type] : atlas().border[type];
            cells.push_back(&cell);
            EXPECT_FLOAT_EQ((cell.s1 - cell.s0) * kSymbolAtlasWidth, kSymbolAtlasCell);
            EXPECT_FLOAT_EQ((cell.t1 - cell.t0) * kSymbolAtlasHeight, kSymbolAtlasCell);
            const double scale = copy == 0 ? 1 : (inradius[type] + 0.1) / inradius[type];
            const double texel_area =
                (cell.x1 - cell.x0) * (cell.y1 - cell.y0) / (kSymbolAtlasCell * kSymbolAtlasCell);
            double covered = 0;
            for (int j = 0; j < kSymbolAtlasCell; j++)
                for (int i = 0; i < kSymbolAtlasCell; i++) {
                    const unsigned char t = texel(cell, i, j);
                    const bool edge =
                        i == 0 || j == 0 || i == kSymbolAtlasCell - 1 || j == kSymbolAtlasCell - 1;
                    if (edge) {
                        ASSERT_EQ(t, 0) << i << " " << j;
                    }
                    if (t != 0)
                        covered += texel_area;
                }
            EXPECT_NEAR(covered, area[type] * scale * scale, 0.01 * scale * scale);
        }
        if (!filled) {
            EXPECT_EQ(atlas().border[type].s1, 0); // no cell
        }
    }
    // No two cells overlap.
    for (size_t a = 0; a < cells.size(); a++)
        for (size_t b = a + 1; b < cells.size(); b++)
            EXPECT_TRUE(cells[a]->s1 <= cells[b]->s0 || cells[b]->s1 <= cells[a]->s0 ||
                        cells[a]->t1 <= cells[b]->t0 || cells[b]->t1 <= cells[a]->t0)
                << a << " " << b;
}

TEST(SymbolSprites, QuadSpansTheCellInTheTangentPlaneAndItsCopyLiesLower)
{
    PointLayer layer;
    layer.symbol.push_back({{1.001, 90 - 35, 135 + 180}, 0.1, 3, {1, 0.5f, 0, 0.5f}});
    layer.symbol.push_back({{1.001, 90, 180}, 0.1, 11, {1, 1, 1, 1}});  // unknown type
    layer.symbol.push_back({{1.001, 90, 180}, 0, 0, {1, 1, 1, 1}});     // size 0
    layer.symbol.push_back({{1.001, 90, 180}, 1e300, 0, {1, 1, 1, 1}}); // beyond a float
    layer.symbol.push_back({{1.001, 90, 180}, -0.2, 7, {1, 1, 1, 1}});  // turned over, no border
    SymbolSprites s;
    build_symbol_sprites(layer, atlas(), 0.001, s);
    ASSERT_EQ(s.sprite.size(), 2u);
    ASSERT_EQ(s.sprite[0].count, 8u);
    ASSERT_EQ(s.sprite[1].count, 4u);
    ASSERT_EQ(s.vertex.size(), 12u);

    const SymbolFrame f = symbol_frame(layer.symbol[0].polar);
    const AtlasCell* cells[2] = {&atlas().symbol[3], &atlas().border[3]};
    for (int copy = 0; copy < 2; copy++) {
        const AtlasCell& cell = *cells[copy];
        for (int k = 0; k < 4; k++) {
            const SymbolVertex& v = s.vertex[4 * copy + k];
            double d[3];
            for (int a = 0; a < 3; a++)
                d[a] = v.position[a] - f.origin[a];
            auto dot = [&d](const double* u) { return d[0] * u[0] + d[1] * u[1] + d[2] * u[2]; };
            // Counter-clockwise from the lower-left corner of the cell.
            const bool right = k == 1 || k == 2, top = k >= 2;
            EXPECT_NEAR(dot(f.east), 0.1 * (right ? cell.x1 : cell.x0), 1e-6);
            EXPECT_NEAR(dot(f.north), 0.1 * (top ? cell.y1 : cell.y0), 1e-6);
            EXPECT_NEAR(dot(f.up), copy == 0 ? 0 : -0.001, 1e-6);
            EXPECT_EQ(v.tex[0], right ? cell.s1 : cell.s0);
            EXPECT_EQ(v.tex[1], top ? cell.t1 : cell.t0);
            const unsigned char rgba[4] = {255, 128, 0, 128}, black[4] = {0, 0, 0, 128};
            EXPECT_TRUE(std::equal(v.rgba, v.rgba + 4, copy == 0 ? rgba : black));
        }
    }
    // The ball holds every corner.
    for (unsigned v = 0; v < 8; v++) {
        const float* p = s.vertex[v].position;
        EXPECT_LE(std::hypot(p[0] - s.sprite[0].centre[0], p[1] - s.sprite[0].centre[1],
                             p[2] - s.sprite[0].centre[2]),
                  s.sprite[0].radius);
    }
    // A negative size turns the quad by half a turn in its plane.
    const SymbolFrame g = symbol_frame(layer.symbol[4].polar);
    const float* corner = s.vertex[8].position;
    EXPECT_NEAR((corner[0] - g.origin[0]) * g.east[0] + (corner[1] - g.origin[1]) * g.east[1] +
                    (corner[2] - g.origin[2]) * g.east[2],
                -0.2 * atlas().symbol[7].x0, 1e-6);
}
