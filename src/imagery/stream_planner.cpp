// stream_planner.cpp — the prefetch window of a streamed series.
#include "imagery/stream_planner.h"

#include <algorithm>

std::vector<int> plan_frames(const PlanRequest& request)
{
    const int n = request.frames;
    const int count = std::min(request.capacity, n);
    std::vector<int> plan;
    if (count <= 0)
        return plan;
    plan.reserve(static_cast<size_t>(count));
    const int position = std::clamp(request.position, 0, n - 1);
    // Frame at `offset` steps from the position, round the ends.
    auto at = [&](int offset) { return ((position + offset) % n + n) % n; };
    plan.push_back(position);
    if (request.direction == 0) {
        // Alternating sides reach every frame once before count runs out.
        for (int step = 1; static_cast<int>(plan.size()) < count; step++) {
            plan.push_back(at(step));
            if (static_cast<int>(plan.size()) < count && at(-step) != at(step))
                plan.push_back(at(-step));
        }
        return plan;
    }
    const int direction = request.direction > 0 ? 1 : -1;
    const int behind = std::min(kFramesBehind, (count - 1) / 4);
    const int ahead = count - 1 - behind;
    for (int step = 1; step <= ahead; step++)
        plan.push_back(at(direction * step));
    for (int step = 1; step <= behind; step++)
        plan.push_back(at(-direction * step));
    return plan;
}
