// film_reader.h — one video file read as a series of frames through FFmpeg
// (libavformat, libavcodec, libswscale). No GL here.
//
// A film is opened once: the container is probed and the packets of its first
// video stream are listed (read, not decoded) to count and order the frames.
// Frames are then decoded on request, frame-accurately: from the key frame
// before the wanted one, or on from where the decoder stands. Each frame comes
// out as 4-byte BGRA pixels (alpha 255), rows top first, at the output size:
// the film's own, or box-filtered down to fit the texture limit.
//
// An open film is used by one thread at a time; the decoder runs threads of
// its own. Failures never abort: open_film returns null with the reason, a
// frame that cannot be decoded is left out of the run and the reason kept.
#pragma once

#include <functional>
#include <memory>
#include <string>

struct Film;
struct FilmIndex;

struct FilmOptions {
    int texture_limit = 0;    // largest output side; 0 = the film's own size
    int threads = 0;          // decoder threads; 0 = FFmpeg's choice for the machine
    long long max_pixels = 0; // largest picture the decoder may allocate; 0 = kMaxFilmPixels
};

// Pictures beyond this many pixels are refused (a 16K x 8K equirectangular film fits).
constexpr long long kMaxFilmPixels = 16384LL * 8192LL;

struct FilmInfo {
    std::string codec; // "H.264", "VP9", ...
    int width = 0;     // coded picture size, pixels
    int height = 0;
    int output_width = 0; // size of the frames handed out
    int output_height = 0;
    double fps = 0;             // the container's nominal rate; 0 when it gives none
    bool variable_rate = false; // frame durations differ noticeably
    int frames = 0;             // frames listed
    bool damaged = false;       // listing stopped at damage or the file ends early
};

struct FilmCloser {
    void operator()(Film* film) const;
};
using FilmHandle = std::unique_ptr<Film, FilmCloser>;

// Opens the film at `path`. Null on failure, with the reason in *problem
// (such as "no video stream", "codec ... not supported"). A film that opens
// but is damaged opens with its frames before the damage and the reason in
// film_problem().
FilmHandle open_film(const std::string& path, const FilmOptions& options, std::string* problem);

const FilmInfo& film_info(const Film& film);

// The film's frames in showing order and its key frames.
const FilmIndex& film_index(const Film& film);

// Why the last call could not give every frame, or the damage found at open;
// empty when all went well.
const std::string& film_problem(const Film& film);

// Where a frame goes: returns a buffer of output_width x output_height x 4
// bytes for frame `frame`, or null to let that frame pass unconverted.
using FilmFrameTarget = std::function<unsigned char*(int frame)>;

// Decodes frames first .. last (showing places from 0, clamped to the film)
// in order and converts each into the buffer `target` gives for it. Returns
// how many of them were converted; a frame that does not decode is left out
// (target is not called for it) and the reason kept in film_problem().
int read_film_frames(Film& film, int first, int last, const FilmFrameTarget& target);

// The suffixes of the containers tyx reads as films (lower case, no dot).
bool is_film_suffix(const std::string& suffix);
