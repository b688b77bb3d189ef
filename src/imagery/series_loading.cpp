// series_loading.cpp — fills the image tables and presence flags from the
// series files and reads the icon pictures.
#include "imagery/series_loading.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "core/input_file.h"
#include "core/tyxparam.h"
#include "imagery/decode_report.h"
#include "imagery/texture_scaling.h"
#include "ui/icon_palette.h"

namespace {

// See frame_tables_generation(). Counts up for the whole run (listed in
// tyxparam.h); starts at 1 so that 0 can mean "nothing uploaded yet".
unsigned long tables_generation = 1;

// See set_slot_decode_observer(); listed in tyxparam.h.
std::function<void(int)> slot_decode_observer;

// Where a problem with an icon file or a slot's layer stands in a load's
// messages: icons first, then the slots with their four layers in order.
constexpr int kPushedIconOrder = 0;
int icon_order(int picture)
{
    return 1 + picture;
}
int slot_order(int slot, SeriesLayer layer)
{
    return 1 + kIconPictures + slot * 4 + static_cast<int>(layer);
}

// Sets the calling thread to keep JPEG library messages for the report while
// a load decodes, and back to printing them afterwards.
struct KeptJpegMessages {
    KeptJpegMessages() { keep_jpeg_messages(true); }
    ~KeptJpegMessages() { keep_jpeg_messages(false); }
    KeptJpegMessages(const KeptJpegMessages&) = delete;
    KeptJpegMessages& operator=(const KeptJpegMessages&) = delete;
};

enum class ImageKind { other, ppm, jpeg, png };

ImageKind kind_of_suffix(const std::string& suffix)
{
    if (suffix == "jpg" || suffix == "jpeg")
        return ImageKind::jpeg;
    return is_png_suffix(suffix) ? ImageKind::png : ImageKind::ppm;
}

const char* suffix_of_kind(ImageKind kind)
{
    return kind == ImageKind::jpeg ? "jpg" : kind == ImageKind::png ? "png" : "ppm";
}

const char* name_of_kind(ImageKind kind)
{
    return kind == ImageKind::jpeg ? "JPEG" : kind == ImageKind::png ? "PNG" : "PPM";
}

// When a series file failed in the reader its suffix chose, and its first
// bytes show another format, what to change: the suffix key of the layer,
// and the file names unless they already carry the right suffix.
std::string suffix_hint(FILE* fp, SeriesLayer layer, bool globe2, const std::string& reader_suffix)
{
    std::rewind(fp);
    const int first = std::getc(fp);
    const int second = std::getc(fp);
    ImageKind inside = ImageKind::other;
    if (first == 0xff && second == 0xd8)
        inside = ImageKind::jpeg;
    else if (first == 'P' && second == '6')
        inside = ImageKind::ppm;
    else if (first == 0x89 && second == 'P')
        inside = ImageKind::png;
    const ImageKind read_as = kind_of_suffix(reader_suffix);
    if (inside == ImageKind::other || inside == read_as)
        return "";
    std::string lower = reader_suffix;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const char* const wanted = suffix_of_kind(inside);
    std::string hint = "; ";
    // The PPM reader names what it found instead; the libraries do not.
    if (read_as != ImageKind::ppm)
        hint += std::string("it is a ") + name_of_kind(inside) + " image; ";
    if (kind_of_suffix(lower) != inside)
        hint += std::string("name the files .") + wanted + " and ";
    hint += std::string("set ") + series_suffix_key(layer, globe2) + " " + wanted;
    return hint;
}

// Decodes the open file `fp` of `layer` into `target` with the reader that
// `reader_suffix` chooses. A failed decode leaves the record empty (size 0),
// never a stale size beside a null buffer. Returns false when it failed.
bool decode_into(TexImage& target, FILE* fp, SeriesLayer layer, const std::string& reader_suffix,
                 int texture_limit)
{
    int channels = 0;
    ImageReader reader = choose_reader(layer, reader_suffix, &channels);
    int width = 0, height = 0;
    PixelBuffer pixels = reader(fp, &width, &height);
    target.release();
    if (!pixels || width <= 0 || height <= 0)
        return false;
    target.pixels = std::move(pixels);
    target.width = width;
    target.height = height;
    target.channels = channels;
    if (shrink_to_limit(target, texture_limit))
        note_image_scaled(texture_limit);
    return true;
}

// Notes what went wrong with the file just read, if anything.
void note_read(DecodeReport* report, int order, const std::string& path, bool decoded,
               std::string hint = "")
{
    if (report == nullptr || (decoded && last_image_problem().empty()))
        return;
    std::string what = last_image_problem();
    if (what.empty())
        what = "the image cannot be decoded";
    note_decode_problem(*report, {order, path, what + hint, !decoded});
}

// Opens the file of `layer` for `slot` and decodes it into `target`.
// Returns false when the file does not open.
bool load_layer(TexImage& target, SeriesLayer layer, int slot, int frames, int texture_limit,
                DecodeReport* report)
{
    std::string name, reader_suffix;
    FILE* fp = open_slot_file(layer, slot, frames, &name, &reader_suffix);
    if (fp == nullptr)
        return false;
    const bool decoded = decode_into(target, fp, layer, reader_suffix, texture_limit);
    if (report != nullptr) {
        const bool globe2 = slot >= frames;
        note_read(report, slot_order(slot, layer), name, decoded,
                  decoded ? "" : suffix_hint(fp, layer, globe2, reader_suffix));
    }
    std::fclose(fp);
    return true;
}

// The icon pictures: configuration slot, picture index in img.icon, file.
// The pause picture serves slots 0 and 2 and is read at slot 0's turn.
struct IconFile {
    int slot;
    int picture;
    const char* file;
};

constexpr IconFile kIconFiles[] = {
    {0, 0, "data/icons/play.ppm"},
    {0, 1, "data/icons/pause.ppm"},
    {1, 2, "data/icons/initial.ppm"},
    {2, 3, "data/icons/r_play.ppm"},
    {3, 4, "data/icons/spin.ppm"},
    {3, 5, "data/icons/stop_spin.ppm"},
    {4, 6, "data/icons/forward.ppm"},
    {5, 7, "data/icons/back.ppm"},
    {6, 8, "data/icons/line.ppm"},
    {6, 9, "data/icons/delete_line.ppm"},
    {7, 10, "data/icons/zoomin.ppm"},
    {8, 11, "data/icons/zoomout.ppm"},
    {9, 12, "data/icons/north.ppm"},
    {10, 13, "data/icons/fast.ppm"},
    {11, 14, "data/icons/slow.ppm"},
    {12, 15, "data/icons/quit.ppm"},
    {13, 16, "data/icons/normalscreen.ppm"},
    {13, 17, "data/icons/fullscreen.ppm"},
    {14, 18, "data/icons/logo_small.ppm"},
    {15, 19, "data/icons/logo_large.ppm"},
    {16, 20, "data/icons/logo_left.ppm"},
    {17, 21, "data/icons/logo_right.ppm"},
    {18, 22, "data/icons/logo_down.ppm"},
    {19, 23, "data/icons/logo_up.ppm"},
    {20, 24, "data/icons/layer1.ppm"},
    {20, 25, "data/icons/layer2.ppm"},
    {21, 26, "data/icons/screen_on.ppm"},
    {21, 27, "data/icons/screen_off.ppm"},
    {22, 28, "data/icons/icon_on.ppm"},
    {22, 29, "data/icons/icon_off.ppm"},
    {23, 30, "data/icons/drawing_off.ppm"},
    {23, 31, "data/icons/drawing_on.ppm"},
    {24, 32, "data/icons/drawing_erase.ppm"},
    {25, 33, "data/icons/drawing_save.ppm"},
    {26, 34, "data/icons/forward-changelayer.ppm"},
};
constexpr int kPausePicture = 1;

bool icon_file_wanted(const IconFile& entry)
{
    if (entry.picture == kPausePicture)
        return icons.icon_onoff[0] == 1 || icons.icon_onoff[2] == 1;
    return icons.icon_onoff[entry.slot] == 1;
}

// Reads one RGBA picture; false when the file does not open.
// Tells `report` (unless null) when it does not decode.
bool read_picture(TexImage& target, const char* file, bool pushed, int order, DecodeReport* report)
{
    FILE* fp = open_input_file(file);
    if (fp == nullptr)
        return false;
    int width = 0, height = 0;
    PixelBuffer pixels = choose_icon_reader(file, pushed)(fp, &width, &height);
    std::fclose(fp);
    target.release();
    const bool decoded = pixels && width > 0 && height > 0;
    if (decoded) {
        target.pixels = std::move(pixels);
        target.width = width;
        target.height = height;
        target.channels = 4;
    }
    note_read(report, order, file, decoded,
              decoded || is_png_file_name(file) ? ""
                                                : "; icons must be binary colour PPM (P6) files");
    return true;
}

void read_icon_files(DecodeReport& report)
{
    if (icons.icon_yomitori_finish != 0)
        return;
    // The pressed look is the play picture's silhouette; without it a pressed
    // icon simply shows no overlay.
    if (icons.int_button > 0) {
        // The play icon reads the same file and tells about it if it is on.
        const bool told_as_icon = icon_file_wanted(kIconFiles[0]);
        read_picture(img.pushed_icon, "data/icons/play.ppm", true, kPushedIconOrder,
                     told_as_icon ? nullptr : &report);
    }
    // The layer icons only make sense with a second texture set.
    switch_off_layer_icons();
    for (const IconFile& entry : kIconFiles) {
        if (!icon_file_wanted(entry))
            continue;
        if (!read_picture(img.icon[entry.picture], entry.file, false, icon_order(entry.picture),
                          &report))
            icons.int_button = 0;
    }
    icons.icon_yomitori_finish = 1;
}

void load_slot(int slot, int frames, int texture_limit, DecodeReport* report)
{
    if (slot < 0 || slot >= kMaxFrames)
        return;
    bool second_layers = play.number_of_textures >= 2;
    // A map that does not open leaves the slot as it is (empty after a reload).
    load_layer(img.image1[slot], SeriesLayer::map, slot, frames, texture_limit, report);

    if (load_layer(img.image2[slot], SeriesLayer::screen, slot, frames, texture_limit, report)) {
        img.mask_logo[slot] = 1;
        img.mask_doublelogo[slot] =
            second_layers && load_layer(img.image4[slot], SeriesLayer::second_screen, slot, frames,
                                        texture_limit, report)
                ? 1
                : 0;
    } else {
        img.mask_logo[slot] = 0;
    }

    img.mask_spherelogo[slot] =
        second_layers && load_layer(img.image3[slot], SeriesLayer::second_texture, slot, frames,
                                    texture_limit, report)
            ? 1
            : 0;
}

// Decodes every slot of `range` on a pool of `threads` workers (at most one
// per slot), each taking the next slot from a shared counter so that large
// and small files even out. Every slot touches only its own table entries
// and flags and opens its own files, the readers only read
// series.screen_transparency and keep their problem per thread, and the
// report locks, so the tables come out the same for any pool size. With a
// progress hook the calling thread only watches the pool and calls the hook
// every kLoadProgressInterval, and once more at the end if it did; without
// one it decodes beside its helpers.
void load_slots(SlotRange range, int texture_limit, int threads, DecodeReport& report,
                const LoadProgressHook& progress)
{
    const int frames = play.ntimemax;
    const int first = std::max(range.first, 0);
    const int end = std::min(range.end, kMaxFrames);
    if (end <= first)
        return;
    const int total = end - first;
    const int workers = std::clamp(threads, 1, total);

    std::atomic<int> next{first};
    std::atomic<int> done{0};
    std::mutex lock;
    std::condition_variable all_done;
    int helpers_running = progress ? workers : workers - 1;
    auto decode = [&] {
        KeptJpegMessages kept;
        for (int s = next++; s < end; s = next++) {
            if (slot_decode_observer)
                slot_decode_observer(s);
            load_slot(s, frames, texture_limit, &report);
            done++;
        }
    };
    std::vector<std::thread> helpers;
    for (int h = helpers_running; h > 0; h--)
        helpers.emplace_back([&] {
            decode();
            std::lock_guard<std::mutex> guard(lock);
            if (--helpers_running == 0)
                all_done.notify_one();
        });

    if (progress) {
        bool shown = false;
        const auto interval = std::chrono::duration<double>(kLoadProgressInterval);
        std::unique_lock<std::mutex> guard(lock);
        while (!all_done.wait_for(guard, interval, [&] { return helpers_running == 0; })) {
            guard.unlock();
            progress(done, total);
            shown = true;
            guard.lock();
        }
        guard.unlock();
        if (shown)
            progress(total, total);
    } else {
        decode();
    }
    for (std::thread& helper : helpers)
        helper.join();
    note_frame_tables_changed();
}

} // namespace

void set_slot_decode_observer(std::function<void(int slot)> observer)
{
    slot_decode_observer = std::move(observer);
}

void read_icons()
{
    DecodeReport report;
    read_icon_files(report);
    print_decode_report(report);
}

void load_series_slot(int slot, int frames, int texture_limit)
{
    load_slot(slot, frames, texture_limit, nullptr);
}

void load_series_slots(SlotRange range, int texture_limit, int threads)
{
    DecodeReport report;
    load_slots(range, texture_limit, threads, report, nullptr);
    print_decode_report(report);
}

void clamp_frame_index()
{
    if (play.ntime > play.ntimemax - 1)
        play.ntime = play.ntimemax - 1;
    if (play.ntime < 0)
        play.ntime = 0;
}

int decode_thread_count()
{
    // 0 when the machine does not tell.
    return std::max(1u, std::thread::hardware_concurrency());
}

unsigned long frame_tables_generation()
{
    return tables_generation;
}

void note_frame_tables_changed()
{
    tables_generation++;
}

void load_window_images(int window, int texture_limit, const LoadProgressHook& progress)
{
    // One report for the whole load, so that its problems are told together
    // and a series of broken files is cut short once.
    DecodeReport report;
    read_icon_files(report);
    load_slots(window_slot_range(window), texture_limit, decode_thread_count(), report, progress);
    print_decode_report(report);
    clamp_frame_index();
}
