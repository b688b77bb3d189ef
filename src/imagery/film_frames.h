// film_frames.h — the frame source of a series whose maps, second textures
// or both are films: their frames come from the films, a group of pictures
// at a time, the screens and any numbered layer from their image files. No
// GL here.
//
// Frame index i is film frame i + "#TextureStart" - 1 of every film layer.
// A film frame that does not decode leaves its layer empty (grey); a frame
// past a film's end has no such layer, as a missing numbered file.
#pragma once

#include <mutex>

#include "imagery/film_reader.h"
#include "imagery/numbered_frames.h"

class FilmFrames : public FrameSource {
  public:
    // The `frames` frames of `files`, kept in table slots from `first_slot`
    // on; `frame_bytes` is what one decoded frame is expected to take. Opens
    // the films now and says in one line why one does not open (the layer
    // then stays empty).
    FilmFrames(const FrameFiles& files, int frames, int first_slot, size_t frame_bytes);

    int frame_count() const override { return frames_; }
    // The group of pictures of the first film layer that holds `frame`.
    FrameSpan decode_unit(int frame) const override;
    // An open film is read by one thread at a time; its decoder runs threads
    // of its own.
    bool decodes_in_parallel() const override { return false; }
    size_t expected_frame_bytes() const override { return frame_bytes_; }
    void decode(FrameSpan unit, const std::function<bool(int frame)>& wanted,
                const std::function<void(int frame, SeriesFrame&& decoded)>& deliver) override;

  private:
    struct Layer {
        std::string path;
        FilmHandle film;
        bool told = false; // its problem was told in this load
    };
    // Decodes film frame `frame` + offset of `layer` into `target`; returns
    // the layer's presence (1: the film has the frame, 0: it ends before).
    int decode_layer(Layer& layer, int frame, TexImage& target);
    void tell(Layer& layer, const std::string& what);

    NumberedFrames numbered_; // the layers that are image files
    Layer layers_[4];         // per SeriesLayer; only maps and second textures
    const int frames_;
    const int offset_; // film frame of frame index 0
    const size_t frame_bytes_;
};

// Bytes of one frame of the film at `path` as its source hands it out (BGRA
// at the texture limit); 0 when the film does not open.
size_t film_frame_bytes(const std::string& path, int texture_limit);
