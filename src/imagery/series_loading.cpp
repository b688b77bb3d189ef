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

#include "core/data_folders.h"
#include "core/input_file.h"
#include "core/tyxparam.h"
#include "imagery/decode_report.h"
#include "imagery/series_frame.h"
#include "imagery/series_stats.h"
#include "imagery/series_stream.h"
#include "ui/icon_palette.h"

namespace {

// See frame_tables_generation(). Counts up for the whole run (listed in
// tyxparam.h); starts at 1 so that 0 can mean "nothing uploaded yet".
unsigned long tables_generation = 1;

// See set_slot_decode_observer(); listed in tyxparam.h. Locked: the decode
// pool's workers may be at work while a test sets or clears it.
std::mutex observer_lock;
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

// The icons lie beside the base configuration.
std::string icon_file(const IconFile& entry)
{
    return in_folder(series.base_folder, entry.file);
}

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
        read_picture(img.pushed_icon, icon_file(kIconFiles[0]).c_str(), true, kPushedIconOrder,
                     told_as_icon ? nullptr : &report);
    }
    // The layer icons only make sense with a second texture set.
    switch_off_layer_icons();
    for (const IconFile& entry : kIconFiles) {
        if (!icon_file_wanted(entry))
            continue;
        if (!read_picture(img.icon[entry.picture], icon_file(entry).c_str(), false,
                          icon_order(entry.picture), &report))
            icons.int_button = 0;
    }
    icons.icon_yomitori_finish = 1;
}

// The files of both globes' series for a load of a series of `frames`
// frames: slots below `frames` are globe 1's, the others globe 2's own.
struct LoadFiles {
    FrameFiles globe[2];
    int frames = 0;
};

LoadFiles load_files(int frames, int texture_limit)
{
    return {{frame_files(false, texture_limit), frame_files(true, texture_limit)}, frames};
}

// Decodes table slot `slot` and puts its layers and presence flags in the
// tables. A layer whose file is missing leaves the slot's record as it is
// (empty after a reload), and a frame without a screen keeps the second
// screen's flag.
void load_slot(int slot, const LoadFiles& files, DecodeReport* report)
{
    if (slot < 0 || slot >= kMaxFrames)
        return;
    const bool globe2 = slot >= files.frames;
    SeriesFrame frame;
    decode_series_frame(files.globe[globe2 ? 1 : 0], globe2 ? slot - files.frames : slot, &frame,
                        report, slot_order(slot, SeriesLayer::map));
    TexImage* tables[4] = {&img.image1[slot], &img.image2[slot], &img.image3[slot],
                           &img.image4[slot]};
    for (int l = 0; l < 4; l++)
        if (frame.present[l] == 1)
            *tables[l] = std::move(frame.layer[l]);
    img.mask_logo[slot] = frame.present[1];
    img.mask_spherelogo[slot] = frame.present[2];
    if (frame.present[3] >= 0)
        img.mask_doublelogo[slot] = frame.present[3];
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
    const LoadFiles files = load_files(play.ntimemax, texture_limit);
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
            observe_slot_decode(s);
            load_slot(s, files, &report);
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
    std::lock_guard<std::mutex> guard(observer_lock);
    slot_decode_observer = std::move(observer);
}

void observe_slot_decode(int slot)
{
    std::function<void(int)> observer;
    {
        std::lock_guard<std::mutex> guard(observer_lock);
        observer = slot_decode_observer;
    }
    if (observer)
        observer(slot);
}

void read_icons()
{
    DecodeReport report;
    read_icon_files(report);
    print_decode_report(report);
}

void load_series_slot(int slot, int frames, int texture_limit)
{
    load_slot(slot, load_files(frames, texture_limit), nullptr);
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
    // A streamed series starts decoding at the frame to show first.
    clamp_frame_index();
    const bool streamed = stream_window_series(window, texture_limit);
    if (!streamed)
        load_slots(window_slot_range(window), texture_limit, decode_thread_count(), report,
                   progress);
    print_decode_report(report);
    clamp_frame_index();
    if (streamed) {
        note_frame_tables_changed();
        wait_for_streamed_frame(play.ntime + window_slot_offset(window), kFirstFrameWait);
        return;
    }
    // What both windows' slots hold now, and the maps this load decoded.
    size_t bytes = 0;
    for (int slot = 0; slot < kMaxFrames; slot++)
        for (const TexImage* image :
             {&img.image1[slot], &img.image2[slot], &img.image3[slot], &img.image4[slot]})
            if (!image->empty())
                bytes += size_t(image->width) * size_t(image->height) * size_t(image->channels);
    const SlotRange range = window_slot_range(window);
    int maps = 0;
    for (int slot = range.first; slot < range.end; slot++)
        maps += img.image1[slot].empty() ? 0 : 1;
    note_tables_held(bytes, maps);
}
