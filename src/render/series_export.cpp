// series_export.cpp — drives the series export from window 1's frames.
#include "render/series_export.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/tyxparam.h"
#include "render/picture_export.h"

namespace {

// Frames read back and not yet written; the drawing waits beyond this so
// that a slow disk does not fill the memory with frames.
constexpr int kFramesAhead = 2;

void keep_view_still()
{
    play.anim = 0;
    spin.jitenornot = 0;
    series.auto_reload = 0;
}

} // namespace

bool begin_series_export(const std::string& folder)
{
    if (play.ntimemax < 1) {
        std::fprintf(stderr, "tyx: nothing to export: the series has no frames\n");
        return false;
    }
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    if (failure) {
        std::fprintf(stderr, "tyx: cannot make the folder %s: %s\n", folder.c_str(),
                     failure.message().c_str());
        return false;
    }
    play.export_folder = folder;
    play.export_frame = 0;
    wnd.nsphere = 1;
    wnd.fullscreen = 0;
    // The palette is for the presenter, not for the audience of a video.
    if (icons.export_icons != 1)
        for (int& shown : icons.icon_onoff)
            shown = 0;
    keep_view_still();
    clear_series_export_failure();
    std::fprintf(stderr, "tyx: exporting %d frames to %s\n", play.ntimemax, folder.c_str());
    std::fflush(stderr);
    return true;
}

bool series_export_active()
{
    return !play.export_folder.empty();
}

void prepare_series_export_frame()
{
    if (!series_export_active())
        return;
    play.ntime = play.export_frame;
    keep_view_still();
}

std::string series_export_frame_path()
{
    return series_frame_file_name(play.export_folder, play.export_frame);
}

int series_export_status()
{
    wait_for_exports();
    if (series_export_failed()) {
        std::fprintf(stderr, "tyx: the export to %s stopped\n", play.export_folder.c_str());
        return 1;
    }
    std::fprintf(stderr, "tyx: wrote %d frames to %s\n", play.export_frame,
                 play.export_folder.c_str());
    // Frames of an earlier, longer export would join this one in a video.
    const std::string after = series_frame_file_name(play.export_folder, play.export_frame);
    std::error_code ignored;
    if (std::filesystem::exists(after, ignored))
        std::fprintf(stderr,
                     "tyx: %s and any after it are left from an earlier export; remove them "
                     "before making a video\n",
                     after.c_str());
    return 0;
}

void finish_series_export_frame()
{
    if (!series_export_active())
        return;
    play.export_frame++;
    wait_for_exports(kFramesAhead);
    if (play.export_frame < play.ntimemax && !series_export_failed())
        return;
    const int status = series_export_status();
    std::fflush(stderr);
    std::exit(status);
}
