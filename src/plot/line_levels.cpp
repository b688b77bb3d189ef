// line_levels.cpp — Douglas-Peucker ranks of line points and the levels of
// detail built from them.
#include "plot/line_levels.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

struct Span {
    unsigned a, b; // ends, both kept
    float cap;     // rank of the point that split this span off
};

double distance_to_segment(const LinePoint& p, const LinePoint& a, const LinePoint& b)
{
    const double ab[3] = {double(b.x) - a.x, double(b.y) - a.y, double(b.z) - a.z};
    const double ap[3] = {double(p.x) - a.x, double(p.y) - a.y, double(p.z) - a.z};
    const double len2 = ab[0] * ab[0] + ab[1] * ab[1] + ab[2] * ab[2];
    double u = len2 > 0 ? (ap[0] * ab[0] + ap[1] * ab[1] + ap[2] * ab[2]) / len2 : 0;
    u = std::clamp(u, 0.0, 1.0);
    const double d[3] = {ap[0] - u * ab[0], ap[1] - u * ab[1], ap[2] - u * ab[2]};
    return std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
}

bool same_point(const LinePoint& a, const LinePoint& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// Ranks the points strictly between `a` and `b`. A point's rank is its
// distance from the chord of the span it splits, capped by the rank of the
// point that made that span, so a tolerance keeps exactly the points that
// the recursive simplification with that tolerance keeps.
void rank_stretch(const LinePoint* p, unsigned a, unsigned b, bool closed, float* rank,
                  std::vector<Span>& stack)
{
    stack.clear();
    stack.push_back({a, b, FLT_MAX});
    bool first = true;
    while (!stack.empty()) {
        const Span s = stack.back();
        stack.pop_back();
        if (s.b - s.a < 2)
            continue;
        unsigned farthest = s.a + 1;
        double distance = -1;
        for (unsigned k = s.a + 1; k < s.b; k++) {
            const double d = distance_to_segment(p[k], p[s.a], p[s.b]);
            if (d > distance) {
                distance = d;
                farthest = k;
            }
        }
        // A closed line keeps its far side, so that at any tolerance it
        // still shows where it is.
        float r = std::min(float(distance), s.cap);
        if (first && closed)
            r = FLT_MAX;
        first = false;
        rank[farthest] = r;
        stack.push_back({s.a, farthest, r});
        stack.push_back({farthest, s.b, r});
    }
}

} // namespace

void rank_line_points(const LineLayer& layer, std::vector<float>& rank)
{
    rank.assign(layer.point.size(), 0);
    std::vector<Span> stack;
    for (const PlotLine& line : layer.line) {
        if (line.count < 2 || line.first > layer.point.size() ||
            line.count > layer.point.size() - line.first)
            continue;
        const LinePoint* p = layer.point.data() + line.first;
        float* r = rank.data() + line.first;
        const unsigned last = line.count - 1;
        const bool closed =
            line.count > 2 && last <= unsigned(kRankedStretch) && same_point(p[0], p[last]);
        for (unsigned a = 0; a < last; a += kRankedStretch) {
            const unsigned b = std::min(last, a + unsigned(kRankedStretch));
            r[a] = r[b] = FLT_MAX;
            rank_stretch(p, a, b, closed, r, stack);
        }
    }
}

double line_level_tolerance(int level)
{
    return kFinestLineTolerance * std::exp2(level / 2.0);
}

int line_level_for(double model_per_pixel)
{
    const double tolerance = 0.5 * model_per_pixel;
    if (!(tolerance > kFinestLineTolerance))
        return 0;
    int level = std::clamp(int(std::floor(2 * std::log2(tolerance / kFinestLineTolerance))), 0,
                           kLineLevels - 1);
    // Never coarser than asked for, whatever the rounding of the logarithm.
    while (level > 0 && line_level_tolerance(level) > tolerance)
        level--;
    return level;
}

namespace {

// Closes the chunk that began at vertex `first` with the vertices up to the
// last one added.
void close_chunk(LineLevel& out, unsigned first)
{
    LineChunk c = {first, unsigned(out.vertex.size()) - first, {}, 0};
    double lo[3] = {DBL_MAX, DBL_MAX, DBL_MAX}, hi[3] = {-DBL_MAX, -DBL_MAX, -DBL_MAX};
    for (unsigned v = first; v < out.vertex.size(); v++)
        for (int axis = 0; axis < 3; axis++) {
            lo[axis] = std::min(lo[axis], double(out.vertex[v].position[axis]));
            hi[axis] = std::max(hi[axis], double(out.vertex[v].position[axis]));
        }
    for (int axis = 0; axis < 3; axis++)
        c.centre[axis] = float((lo[axis] + hi[axis]) / 2);
    double radius = 0;
    for (unsigned v = first; v < out.vertex.size(); v++) {
        const float* p = out.vertex[v].position;
        radius = std::max(radius, std::hypot(double(p[0]) - c.centre[0], double(p[1]) - c.centre[1],
                                             double(p[2]) - c.centre[2]));
    }
    // A little more than the farthest vertex, for the rounding of the floats.
    c.radius = float(radius * (1 + 1e-5) + 1e-6);
    out.chunk.push_back(c);
}

} // namespace

void build_line_level(const LineLayer& layer, const std::vector<float>& rank, int level,
                      LineLevel& out)
{
    out.level = level;
    out.vertex.clear();
    out.line.clear();
    out.chunk.clear();
    const float tolerance = float(line_level_tolerance(level));
    for (const PlotLine& line : layer.line) {
        if (line.count < 2 || !(line.width > 0) || line.first > layer.point.size() ||
            line.count > layer.point.size() - line.first || rank.size() != layer.point.size())
            continue;
        LineVertex v;
        for (int c = 0; c < 4; c++)
            v.rgba[c] = plot_color_byte(line.rgba[c]);
        LevelLine drawn = {unsigned(out.chunk.size()), 0, line.width};
        unsigned chunk_first = unsigned(out.vertex.size());
        for (unsigned k = line.first; k < line.first + line.count; k++) {
            const LinePoint& p = layer.point[k];
            if (rank[k] <= tolerance ||
                !(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)))
                continue;
            v.position[0] = p.x;
            v.position[1] = p.y;
            v.position[2] = p.z;
            if (out.vertex.size() - chunk_first == unsigned(kChunkSegments) + 1) {
                close_chunk(out, chunk_first);
                // The next chunk starts at the vertex that ends this one.
                chunk_first = unsigned(out.vertex.size()) - 1;
            }
            out.vertex.push_back(v);
        }
        const size_t kept = out.vertex.size() - chunk_first;
        if (out.chunk.size() == drawn.first_chunk && kept == 3 &&
            same_point(layer.point[line.first], layer.point[line.first + line.count - 1]))
            out.vertex.pop_back(); // the way back retraces the way out
        if (out.vertex.size() - chunk_first >= 2) {
            close_chunk(out, chunk_first);
        } else if (out.chunk.size() == drawn.first_chunk) {
            out.vertex.resize(chunk_first); // fewer than two finite points
            continue;
        }
        drawn.chunk_count = unsigned(out.chunk.size()) - drawn.first_chunk;
        out.line.push_back(drawn);
    }
}
