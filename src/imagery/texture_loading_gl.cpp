// texture_loading_gl.cpp — loads the series into the image tables and keeps the
// current frame on the graphics card. The decoding lives in series_loading,
// the GL calls in texture_upload_gl.
#include "imagery/texture_loading.h"

#include "core/tyxparam.h"
#include "imagery/load_progress_gl.h"
#include "imagery/series_files.h"
#include "imagery/series_loading.h"
#include "imagery/texture_upload_gl.h"

void fileyomitori(int window)
{
    // Images the card cannot hold are shrunk once here rather than at every
    // frame change. A large series takes seconds: the windows show a bar
    // meanwhile instead of standing still.
    load_window_images(window, max_texture_size(), show_load_progress);

    prepare_frame_texture_names(window);
    if (!upload_frame_textures(window))
        clear_frame_textures(window);

    // Only the window that draws the palette needs the icon textures in its
    // context; window 2 never shows icons.
    if (!is_second_window(window)) {
        if (icons.icon_texture_finish == 0) {
            if (icons.int_button != 0)
                upload_icon_textures();
            icons.icon_texture_finish = 1;
        }
        upload_pushed_icon_texture();
    }
    set_texture_environment();
}

bool texture_change(int window)
{
    return upload_frame_textures(window);
}
