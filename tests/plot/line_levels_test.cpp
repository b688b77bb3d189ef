// line_levels_test.cpp — polylines simplified for the zoom: what each level
// keeps, how far it may stray, and which level a pixel size picks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "plot/line_levels.h"

namespace {

double distance(const float* p, const LinePoint& q)
{
    return std::hypot(double(p[0]) - q.x, double(p[1]) - q.y, double(p[2]) - q.z);
}

// Distance from q to the segment a b.
double to_segment(const LinePoint& q, const float* a, const float* b)
{
    const double ab[3] = {double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
    const double aq[3] = {double(q.x) - a[0], double(q.y) - a[1], double(q.z) - a[2]};
    const double len2 = ab[0] * ab[0] + ab[1] * ab[1] + ab[2] * ab[2];
    const double u =
        len2 > 0 ? std::clamp((aq[0] * ab[0] + aq[1] * ab[1] + aq[2] * ab[2]) / len2, 0.0, 1.0) : 0;
    return std::hypot(aq[0] - u * ab[0], aq[1] - u * ab[1], aq[2] - u * ab[2]);
}

// A random walk on the unit sphere with steps of about `step`.
void add_walk(LineLayer& layer, int points, double step, std::mt19937& random, float width = 1)
{
    std::normal_distribution<double> turn(0, 0.4);
    PlotLine line = {unsigned(layer.point.size()), unsigned(points), width, {1, 1, 1, 1}};
    double latitude = 0.3, longitude = 0, heading = 0;
    for (int k = 0; k < points; k++) {
        layer.point.push_back({float(std::cos(latitude) * std::cos(longitude)),
                               float(std::cos(latitude) * std::sin(longitude)),
                               float(std::sin(latitude))});
        heading += turn(random);
        latitude += step * std::sin(heading);
        longitude += step * std::cos(heading) / std::cos(latitude);
    }
    layer.line.push_back(line);
}

} // namespace

TEST(LineLevels, EveryLevelKeepsTheEndsAndStaysWithinItsTolerance)
{
    std::mt19937 random(5);
    LineLayer layer;
    add_walk(layer, 300, 1e-3, random);
    add_walk(layer, 5000, 2e-4, random); // longer than a ranked stretch
    add_walk(layer, 2, 1e-3, random);
    std::vector<float> rank;
    rank_line_points(layer, rank);
    size_t previous = layer.point.size() + 1;
    for (int level : {0, 8, 14, 20, 26, kLineLevels - 1}) {
        SCOPED_TRACE(level);
        LineLevel l;
        build_line_level(layer, rank, level, l);
        ASSERT_EQ(l.line.size(), layer.line.size());
        EXPECT_LE(l.vertex.size(), previous); // coarser keeps no more
        previous = l.vertex.size();
        const double tolerance = line_level_tolerance(level);
        for (size_t n = 0; n < layer.line.size(); n++) {
            const PlotLine& line = layer.line[n];
            const LevelLine& kept = l.line[n];
            const LineChunk& head = l.chunk[kept.first_chunk];
            const LineChunk& tail = l.chunk[kept.first_chunk + kept.chunk_count - 1];
            const unsigned last = tail.first + tail.count - 1;
            EXPECT_EQ(distance(l.vertex[head.first].position, layer.point[line.first]), 0);
            EXPECT_EQ(distance(l.vertex[last].position, layer.point[line.first + line.count - 1]),
                      0);
            // Each chunk joins the next at a shared vertex, and its ball holds it.
            for (unsigned c = kept.first_chunk; c < kept.first_chunk + kept.chunk_count; c++) {
                const LineChunk& chunk = l.chunk[c];
                EXPECT_LE(chunk.count, unsigned(kChunkSegments) + 1);
                if (c + 1 < kept.first_chunk + kept.chunk_count) {
                    EXPECT_EQ(l.chunk[c + 1].first, chunk.first + chunk.count - 1);
                }
                for (unsigned v = chunk.first; v < chunk.first + chunk.count; v++) {
                    const float* p = l.vertex[v].position;
                    EXPECT_LE(std::hypot(p[0] - chunk.centre[0], p[1] - chunk.centre[1],
                                         p[2] - chunk.centre[2]),
                              chunk.radius);
                }
            }
            // Every point left out lies within the tolerance of the kept
            // segment that replaces it (kept points appear in order).
            unsigned v = head.first;
            for (unsigned k = line.first; k < line.first + line.count; k++) {
                const LinePoint& q = layer.point[k];
                if (distance(l.vertex[v].position, q) == 0 && v < last) {
                    v++;
                    continue;
                }
                EXPECT_LE(to_segment(q, l.vertex[v - 1].position, l.vertex[v].position),
                          tolerance * (1 + 1e-5) + 1e-7)
                    << "point " << k;
            }
        }
    }
    // The long line keeps the ends of its ranked stretches at any level.
    LineLevel coarsest;
    build_line_level(layer, rank, kLineLevels - 1, coarsest);
    const LevelLine& walk = coarsest.line[1];
    unsigned vertices = 0;
    for (unsigned c = walk.first_chunk; c < walk.first_chunk + walk.chunk_count; c++)
        vertices += coarsest.chunk[c].count;
    EXPECT_EQ(vertices, 5000u / kRankedStretch + 2);
}

TEST(LineLevels, LevelIsTheCoarsestWithinHalfAPixel)
{
    for (double pixel : {1e-6, 1e-5, 3e-4, 4.6e-3, 0.02, 0.3}) {
        SCOPED_TRACE(pixel);
        const int level = line_level_for(pixel);
        if (level > 0) {
            EXPECT_LE(line_level_tolerance(level), pixel / 2);
        }
        if (level < kLineLevels - 1) {
            EXPECT_GT(line_level_tolerance(level + 1), pixel / 2);
        }
    }
    EXPECT_EQ(line_level_for(1e-9), 0);
    EXPECT_EQ(line_level_for(0), 0);
    EXPECT_EQ(line_level_for(std::nan("")), 0);
    EXPECT_EQ(line_level_for(100), kLineLevels - 1);
    // Zooming in by two picks a level two steps finer.
    EXPECT_EQ(line_level_for(4.6e-3) - line_level_for(2.3e-3), 2);
}

TEST(LineLevels, LinesThatCannotBeDrawnAreLeftOutAndTinyIslandsStay)
{
    LineLayer layer;
    auto add = [&layer](std::initializer_list<LinePoint> points, float width) {
        layer.line.push_back({unsigned(layer.point.size()), unsigned(points.size()), width, {}});
        layer.point.insert(layer.point.end(), points);
    };
    const float inf = INFINITY;
    add({{1, 0, 0}, {0, 1, 0}}, 0);              // no width
    add({{1, 0, 0}}, 2);                         // one point
    add({{inf, 0, 0}, {0, 1, 0}}, 2);            // one finite point
    add({{1, 0, 0}, {inf, 0, 0}, {0, 1, 0}}, 2); // the bad point goes
    // A closed ring far smaller than a pixel: the point opposite the start
    // stays, and the way back is not drawn twice.
    const int ring = layer.point.size();
    layer.line.push_back({unsigned(ring), 21, 3, {}});
    for (int k = 0; k < 20; k++)
        layer.point.push_back(
            {1, float(1e-6 * std::cos(k * M_PI / 10)), float(1e-6 * std::sin(k * M_PI / 10))});
    layer.point.push_back(layer.point[ring]);
    layer.line.push_back({unsigned(layer.point.size()), 5, 2, {}}); // past the points
    std::vector<float> rank;
    rank_line_points(layer, rank);
    LineLevel l;
    build_line_level(layer, rank, kLineLevels - 1, l);
    ASSERT_EQ(l.line.size(), 2u);
    EXPECT_EQ(l.chunk[l.line[0].first_chunk].count, 2u);
    const LineChunk& island = l.chunk[l.line[1].first_chunk];
    ASSERT_EQ(island.count, 2u);
    EXPECT_NEAR(l.vertex[island.first + 1].position[1], -1e-6, 1e-9);
    EXPECT_EQ(l.line[1].width, 3);
}
