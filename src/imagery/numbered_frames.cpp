// numbered_frames.cpp — decodes frames of numbered image files for the
// decode pool, and tells each file's problem once per load.
#include "imagery/numbered_frames.h"

#include <cstdio>

#include "imagery/series_loading.h"

NumberedFrames::NumberedFrames(FrameFiles files, int frames, int first_slot, size_t frame_bytes,
                               std::vector<unsigned char> maps_found)
    : files_(std::move(files)), frames_(frames), first_slot_(first_slot), frame_bytes_(frame_bytes),
      maps_found_(std::move(maps_found)), told_(static_cast<size_t>(frames > 0 ? frames : 0) * 4)
{
}

void NumberedFrames::decode(FrameSpan unit, const std::function<bool(int frame)>& wanted,
                            const std::function<void(int frame, SeriesFrame&& decoded)>& deliver)
{
    for (int frame = unit.first; frame < unit.end; frame++) {
        if (frame < 0 || frame >= frames_ || !wanted(frame))
            continue;
        observe_slot_decode(first_slot_ + frame);
        // Problems come back ordered by layer (the order is the layer's number).
        DecodeReport report;
        SeriesFrame decoded;
        decode_series_frame(files_, frame, &decoded, &report, 0);
        for (const DecodeProblem& problem : report.shown)
            tell(problem, frame);
        if (decoded.present[0] == 0 && size_t(frame) < maps_found_.size() &&
            maps_found_[size_t(frame)] == 1)
            tell({0,
                  series_file_name(files_.names.stem[0], files_.names.first_number + frame,
                                   files_.names.suffix[0]),
                  "the file has gone since the series was counted", true},
                 frame);
        deliver(frame, std::move(decoded));
    }
}

void NumberedFrames::tell(const DecodeProblem& problem, int frame)
{
    const size_t at = static_cast<size_t>(frame) * 4 + static_cast<size_t>(problem.order & 3);
    std::lock_guard<std::mutex> guard(told_lock_);
    if (at >= told_.size() || told_[at] != 0)
        return;
    told_[at] = 1;
    post_decode_notice(problem);
    // As many lines as a load that decodes everything up front shows.
    if (lines_told_ < kDecodeProblemsShown)
        std::fprintf(stderr, "%s\n", decode_problem_line(problem).c_str());
    else if (lines_told_ == kDecodeProblemsShown)
        std::fprintf(stderr, "tyx: more image files have such problems; they are not told\n");
    lines_told_++;
    std::fflush(stderr);
}
