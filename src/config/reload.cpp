// reload.cpp — the full reload request; the next frames of each window carry
// it out.
#include "config/reload.h"

#include <cstdio>

#include "core/tyxparam.h"
#include "imagery/series_loading.h"
#include "imagery/series_stream.h"

void reload_texture_init_file()
{
    std::printf("reload texture files and init parameter file\n");
    std::fflush(stdout);
    series.readinit_file = 1;
    reload_frame_images();
}

void reload_frame_images()
{
    series.readtextureornot = 1;
    series.readtextureornot2 = 1;
    for (int i = 0; i < kMaxFrames; i++) {
        img.mask_logo[i] = img.mask_spherelogo[i] = img.mask_doublelogo[i] = 0;
        img.image1[i].release();
        img.image2[i].release();
        img.image3[i].release();
        img.image4[i].release();
    }
    stop_series_streams();
    note_frame_tables_changed();
    // The frame textures are given up here and deleted by each window's next
    // load, in that window's own GL context (see texture_upload_gl.cpp): a
    // request may come from either window, and a deletion in the wrong
    // context would remove unrelated textures there.
    for (unsigned int& name : img.texName)
        name = 0;
}
