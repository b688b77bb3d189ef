// line_levels.h — polylines simplified for the zoom: every point ranked once
// by the tolerance up to which a Douglas-Peucker simplification keeps it, and
// the level of detail that a view needs built from the ranks. No GL.
//
// Conventions: tolerances and distances are model units (globe radii);
// level k keeps the points ranked above kFinestLineTolerance * 2^(k / 2),
// and the two ends of every line always.
#pragma once

#include <vector>

#include "plot/plot_layers.h"

constexpr int kLineLevels = 36;
constexpr double kFinestLineTolerance = 1.0 / (1 << 18);
constexpr int kRankedStretch = 2048; // points ranked as one piece at most
constexpr int kChunkSegments = 64;   // segments of a line under one culling ball at most

// Per point of the layer, the largest tolerance at which it is kept; the
// ends of a line, and the point farthest from the ends of a closed line,
// rank infinitely high. Long lines are ranked in pieces of kRankedStretch
// points whose ends are kept, which bounds the work on any input. Called
// when a layer's data change.
void rank_line_points(const LineLayer& layer, std::vector<float>& rank);

// The coarsest level whose tolerance is at most half of `model_per_pixel`.
int line_level_for(double model_per_pixel);
double line_level_tolerance(int level);

struct LineVertex {
    float position[3];
    unsigned char rgba[4];
};

// Consecutive vertices of one line and a ball around them; neighbouring
// chunks of a line share their end vertex.
struct LineChunk {
    unsigned first;
    unsigned count; // vertices, at least 2
    float centre[3];
    float radius;
};

struct LevelLine {
    unsigned first_chunk;
    unsigned chunk_count;
    float width; // pixels at zoom 1
};

struct LineLevel {
    int level = -1;
    std::vector<LineVertex> vertex;
    std::vector<LevelLine> line; // in layer order
    std::vector<LineChunk> chunk;
};

// The kept points of the layer at `level`. A closed line that keeps only its
// ends and one point between them is drawn there and not back, which shows
// the same. Lines of fewer than two points,
// with a width not above 0 or a range outside the layer's points are left
// out. Called when the level a window needs changed, or the data.
void build_line_level(const LineLayer& layer, const std::vector<float>& rank, int level,
                      LineLevel& out);
