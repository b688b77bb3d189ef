// fuzz_film.cpp — libFuzzer target: arbitrary bytes opened as a film and a
// few of its frames decoded, forward, back and past the end, as the viewer
// reads a film file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

#include "imagery/film_reader.h"

namespace {

// Frames each input decodes at most: enough to cross a few key frames.
constexpr int kFramesRead = 12;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The reader opens files by name; an in-memory file gives it one.
    const int fd = memfd_create("film", 0);
    if (fd < 0)
        return 0;
    if (write(fd, data, size) != static_cast<ssize_t>(size)) {
        close(fd);
        return 0;
    }
    FilmOptions options;
    options.texture_limit = 64; // small output, so that shrinking runs too
    options.threads = 1;
    options.max_pixels = 1 << 20; // a few bytes can claim a huge picture
    std::string problem;
    FilmHandle film = open_film("/proc/self/fd/" + std::to_string(fd), options, &problem);
    if (film) {
        const FilmInfo& info = film_info(*film);
        if (info.frames < 1 || info.output_width < 1 || info.output_height < 1 ||
            info.output_width > 64 || info.output_height > 64)
            __builtin_trap(); // an opened film must have frames of the promised size
        std::vector<unsigned char> pixels(size_t(info.output_width) * info.output_height * 4);
        auto into = [&](int) { return pixels.data(); };
        read_film_frames(*film, 0, kFramesRead / 2, into);
        read_film_frames(*film, info.frames - 2, info.frames + 3, into);
        read_film_frames(*film, info.frames / 2, info.frames / 2 + kFramesRead / 3, into);
        read_film_frames(*film, 1, 1, into);
    }
    close(fd);
    return 0;
}
