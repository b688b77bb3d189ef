// series_loading.cpp — fills the image tables and presence flags from the
// series files and reads the icon pictures.
#include "imagery/series_loading.h"

#include <algorithm>
#include <cstdio>
#include <thread>

#include "core/tyxparam.h"
#include "imagery/texture_scaling.h"

namespace {

// Decodes the open file `fp` of `layer` into `target`. A failed decode leaves
// the record empty (size 0), never a stale size beside a null buffer.
void decode_into(TexImage& target, FILE* fp, SeriesLayer layer, const std::string& suffix,
                 int texture_limit)
{
    int channels = 0;
    ImageReader reader = choose_reader(layer, suffix, &channels);
    int width = 0, height = 0;
    PixelBuffer pixels = reader(fp, &width, &height);
    target.release();
    if (!pixels || width <= 0 || height <= 0)
        return;
    target.pixels = std::move(pixels);
    target.width = width;
    target.height = height;
    target.channels = channels;
    if (shrink_to_limit(target, texture_limit))
        note_image_scaled(texture_limit);
}

// Opens the file of `layer` for `slot` and decodes it into `target`.
// Returns false when the file does not open.
bool load_layer(TexImage& target, SeriesLayer layer, int slot, int frames, int texture_limit)
{
    std::string name = slot_file_name(layer, slot, frames);
    FILE* fp = std::fopen(name.c_str(), "rb");
    if (fp == nullptr)
        return false;
    bool globe2 = slot >= frames;
    const std::string& suffix = series_suffix(layer, globe2);
    decode_into(target, fp, layer, suffix, texture_limit);
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
constexpr int kChangeLayerSlot = 26;
constexpr int kLayerSlot = 20;

bool icon_file_wanted(const IconFile& entry)
{
    if (entry.picture == kPausePicture)
        return icons.icon_onoff[0] == 1 || icons.icon_onoff[2] == 1;
    if (entry.slot == kChangeLayerSlot && play.number_of_textures < 2)
        return false;
    return icons.icon_onoff[entry.slot] == 1;
}

// Reads one RGBA picture; false when the file does not open.
bool read_picture(TexImage& target, const char* file, PixelBuffer (*reader)(FILE*, int*, int*))
{
    FILE* fp = std::fopen(file, "rb");
    if (fp == nullptr)
        return false;
    int width = 0, height = 0;
    PixelBuffer pixels = reader(fp, &width, &height);
    std::fclose(fp);
    target.release();
    if (pixels && width > 0 && height > 0) {
        target.pixels = std::move(pixels);
        target.width = width;
        target.height = height;
        target.channels = 4;
    }
    return true;
}

} // namespace

void read_icons()
{
    if (icons.icon_yomitori_finish != 0)
        return;
    // The pressed look is the play picture's silhouette; without it a pressed
    // icon simply shows no overlay.
    if (icons.int_button > 0)
        read_picture(img.pushed_icon, "data/icons/play.ppm", load_image_pushed);
    // The layer icon only makes sense with a second texture set.
    if (play.number_of_textures < 2)
        icons.icon_onoff[kLayerSlot] = 0;
    for (const IconFile& entry : kIconFiles) {
        if (!icon_file_wanted(entry))
            continue;
        if (!read_picture(img.icon[entry.picture], entry.file, load_image_toumei))
            icons.int_button = 0;
    }
    icons.icon_yomitori_finish = 1;
}

void load_series_slot(int slot, int frames, int texture_limit)
{
    if (slot < 0 || slot >= kMaxFrames)
        return;
    bool second_layers = play.number_of_textures >= 2;
    // A map that does not open leaves the slot as it is (empty after a reload).
    load_layer(img.image1[slot], SeriesLayer::map, slot, frames, texture_limit);

    if (load_layer(img.image2[slot], SeriesLayer::screen, slot, frames, texture_limit)) {
        img.mask_logo[slot] = 1;
        img.mask_doublelogo[slot] =
            second_layers && load_layer(img.image4[slot], SeriesLayer::second_screen, slot, frames,
                                        texture_limit)
                ? 1
                : 0;
    } else {
        img.mask_logo[slot] = 0;
    }

    img.mask_spherelogo[slot] =
        second_layers && load_layer(img.image3[slot], SeriesLayer::second_texture, slot, frames,
                                    texture_limit)
            ? 1
            : 0;
}

void load_series_slots(SlotRange range, int texture_limit, int threads)
{
    int frames = play.ntimemax;
    int first = std::max(range.first, 0);
    int end = std::min(range.end, kMaxFrames);
    if (end <= first)
        return;
    // Every slot touches only its own table entries and flags and opens its
    // own files, and the readers only read series.screen_transparency, so two
    // halves can be decoded side by side.
    int middle = threads >= 2 && end - first >= 2 ? first + (end - first) / 2 : first;
    std::thread helper;
    if (middle > first)
        helper = std::thread([=] {
            for (int s = first; s < middle; s++)
                load_series_slot(s, frames, texture_limit);
        });
    for (int s = middle; s < end; s++)
        load_series_slot(s, frames, texture_limit);
    if (helper.joinable())
        helper.join();
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
    return std::thread::hardware_concurrency() >= 2 ? 2 : 1;
}

void load_window_images(int window, int texture_limit)
{
    read_icons();
    load_series_slots(window_slot_range(window), texture_limit, decode_thread_count());
    clamp_frame_index();
}
