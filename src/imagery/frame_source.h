// frame_source.h — where the frames of a streamed series come from: one
// decoded frame with its four layers, and the interface every source of
// frames offers the decode pool (numbered image files now; other kinds, such
// as a film, decode several frames at a time). No GL here.
#pragma once

#include <cstddef>
#include <functional>

#include "core/tyxparam.h"

// One decoded frame: the images of its four layers (map, screen, second
// texture, second screen, in the order of SeriesLayer) and what was found.
struct SeriesFrame {
    TexImage layer[4];
    // Per layer: 1 when its file was there (whether it decoded or not), 0
    // when it was looked for and missing, -1 when it was not looked for.
    int present[4] = {-1, -1, -1, -1};

    // Bytes of pixels the frame holds.
    size_t bytes() const
    {
        size_t total = 0;
        for (const TexImage& image : layer)
            if (!image.empty())
                total += size_t(image.width) * size_t(image.height) * size_t(image.channels);
        return total;
    }
};

// Frames [first, end) of a source.
struct FrameSpan {
    int first = 0;
    int end = 0;
};

// A source of decoded frames. Its functions are called from the decode
// pool's threads, several at once unless decodes_in_parallel() is false, so
// a source keeps everything it needs (names, settings) in itself and never
// reads the viewer state.
class FrameSource {
  public:
    virtual ~FrameSource() = default;

    virtual int frame_count() const = 0;

    // The frames that decode together with `frame` for about the cost of one
    // of them: numbered files decode each frame alone, a film from a key
    // frame to the next. The pool decodes whole units, keeping the frames of
    // a unit that its plan wants, so that playing backwards costs one unit
    // per unit rather than one per frame.
    virtual FrameSpan decode_unit(int frame) const { return {frame, frame + 1}; }

    // False when two units must not decode at the same time.
    virtual bool decodes_in_parallel() const { return true; }

    // Bytes one decoded frame is expected to take, before any is decoded.
    virtual size_t expected_frame_bytes() const = 0;

    // Decodes the frames of `unit` for which `wanted` holds, in order, and
    // hands each to `deliver`. A frame that cannot be decoded is delivered
    // all the same, with the layers that failed left empty, so that it shows
    // as empty rather than as another frame. Problems are the source's to
    // tell, once per file per load.
    virtual void decode(FrameSpan unit, const std::function<bool(int frame)>& wanted,
                        const std::function<void(int frame, SeriesFrame&& decoded)>& deliver) = 0;
};
