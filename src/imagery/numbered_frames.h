// numbered_frames.h — the frame source of a series of numbered image files
// (map/sample1.jpg, map/sample2.jpg, ... with their screens and second
// layers): each frame decodes on its own. No GL here.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "imagery/frame_source.h"
#include "imagery/series_frame.h"

class NumberedFrames : public FrameSource {
  public:
    // The `frames` frames named by `files`, kept in table slots from
    // `first_slot` on; `frame_bytes` is what one decoded frame is expected to
    // take. `maps_found` marks (1) the frames whose map file was there when
    // the series was counted, where known (may be empty): a map gone since
    // is told.
    NumberedFrames(FrameFiles files, int frames, int first_slot, size_t frame_bytes,
                   std::vector<unsigned char> maps_found);

    int frame_count() const override { return frames_; }
    size_t expected_frame_bytes() const override { return frame_bytes_; }
    void decode(FrameSpan unit, const std::function<bool(int frame)>& wanted,
                const std::function<void(int frame, SeriesFrame&& decoded)>& deliver) override;

  private:
    // Tells a file's problem the first time it shows in this load.
    void tell(const DecodeProblem& problem, int frame);

    const FrameFiles files_;
    const int frames_;
    const int first_slot_;
    const size_t frame_bytes_;
    const std::vector<unsigned char> maps_found_;
    std::mutex told_lock_;
    std::vector<unsigned char> told_; // per frame and layer: problem told
    int lines_told_ = 0;
};
