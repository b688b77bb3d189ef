// series_files.h — names of the series files, the table slots a window loads
// and the reader for each layer. No GL here.
#pragma once

#include <string>

#include "imagery/image_readers.h"

// The four layers of a frame, in the order of the frame textures.
enum class SeriesLayer { map = 0, screen = 1, second_texture = 2, second_screen = 3 };

// stem + number ("%d") + "." + suffix, e.g. "map/sample12.ppm".
std::string series_file_name(const std::string& stem, long long number, const std::string& suffix);

// Opens frame `number` of a series for binary reading, regular files only
// (core/input_file.h; a folder named like a map is no map): stem N.suffix, or,
// when that does not open, stem N.SUFFIX (the suffix in upper case, as some
// cameras and systems name files). Returns null when neither opens. `name`
// receives the name opened (the lower-case one when neither did) and
// `reader_suffix` the suffix that chooses its reader: the configured one, or
// for the upper-case name the configured one in lower case, so that ".JPG"
// is read as JPEG. Discovery and loading both find files through this.
FILE* open_series_file(const std::string& stem, long long number, const std::string& suffix,
                       std::string* name, std::string* reader_suffix);

// The names of one globe's series files, copied from the state block, so
// that threads decoding them never read it while the configuration changes.
struct SeriesNames {
    std::string stem[4];        // per SeriesLayer
    std::string suffix[4];      // per SeriesLayer
    long long first_number = 1; // file number of frame 0 (tex_start)
    bool globe2 = false;        // globe 2's own ("2") names
};
SeriesNames series_names(bool globe2);

// Opens the file of `layer` for frame index `frame` as open_series_file does.
FILE* open_frame_file(const SeriesNames& names, SeriesLayer layer, int frame, std::string* name,
                      std::string* reader_suffix);

// Suffix of `layer`'s files for globe 1 or for globe 2's own series.
const std::string& series_suffix(SeriesLayer layer, bool globe2);

// File of `layer` for table slot `slot` when the series has `frames` frames:
// slots below `frames` name globe 1's files, the slots after them globe 2's
// own ("2") files with the same numbers.
std::string slot_file_name(SeriesLayer layer, int slot, int frames);

// Opens the file of `layer` for `slot` as open_series_file does.
FILE* open_slot_file(SeriesLayer layer, int slot, int frames, std::string* name,
                     std::string* reader_suffix);

// The key that sets the suffix of `layer` for globe 1 or globe 2's own
// series, such as "#TextureSuffix", for messages that tell what to change.
const char* series_suffix_key(SeriesLayer layer, bool globe2);

// Slots [first, end) of the image tables that `window` loads: globe 2's own
// series for window 2 when second_sphere_texture is 1, nothing for window 2
// otherwise, globe 1's series for any other window. Never beyond the tables.
struct SlotRange {
    int first = 0;
    int end = 0;
};
SlotRange window_slot_range(int window);

// Offset of the window's images in the tables: ntimemax for window 2 with
// its own series, else 0.
int window_slot_offset(int window);

// True when `window` is the second globe's window.
bool is_second_window(int window);

// True for the suffix of PNG files, "png" in any case, and for a file name
// ending in it.
bool is_png_suffix(const std::string& suffix);
bool is_png_file_name(const std::string& file);

// What the series readers depend on beyond a file's name, copied from the
// state block on the thread that starts a load.
struct SeriesReadSettings {
    int screen_front = 1;          // 1: screens carry alpha
    int screen_transparency = 255; // "#ScreenBGTransparency"
    bool bgra = true;              // decode into the driver's four-byte order
};
SeriesReadSettings current_read_settings();

enum class ImageFormat { ppm, jpeg, png };
struct SeriesReader {
    ImageFormat format = ImageFormat::ppm;
    ReadRequest request;
};

// The reader for a file of `layer` named with `suffix`: JPEG for "jpg" and
// "jpeg" exactly, PNG for "png", PPM otherwise. Screens get the alpha readers
// while screen_front is 1; a PNG screen always keeps its own alpha (RGBA,
// opaque where the file has none while screen_front is 0).
SeriesReader choose_series_reader(SeriesLayer layer, const std::string& suffix,
                                  const SeriesReadSettings& settings);
// Bytes per pixel the reader produces.
inline int reader_channels(const SeriesReader& reader)
{
    return request_channels(reader.request);
}
PixelBuffer read_series_image(FILE* fp, const SeriesReader& reader, int* width, int* height);
// The size in the file's header, read by the reader's format.
bool read_series_image_size(FILE* fp, const SeriesReader& reader, int* width, int* height);

using ImageReader = PixelBuffer (*)(FILE* fp, int* width, int* height);

// The reader of an icon picture (RGBA): the pressed look or black made
// clear, from PNG where the file name ends in ".png", else from PPM.
ImageReader choose_icon_reader(const std::string& file, bool pushed);
