// picture_export_gl.cpp — reads a drawn frame back from the window for the
// picture export; the writer thread does the rest.
#include <GL/gl.h>

#include <utility>

#include "core/tyxparam.h"
#include "render/picture_export.h"
#include "render/series_export.h"

namespace {

// The frame just drawn, exactly as the swap will show it. An empty picture
// when the window has no size.
//
// GL state: reads the back buffer of the current context; sets the read
// buffer and GL_PACK_ALIGNMENT for the read and restores both.
CapturedPicture read_back_buffer()
{
    CapturedPicture picture;
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (viewport[2] < 1 || viewport[3] < 1)
        return picture;
    picture.width = viewport[2];
    picture.height = viewport[3];
    picture.rgb.resize(size_t(picture.width) * picture.height * 3);

    GLint alignment = 4, read_buffer = GL_BACK;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glGetIntegerv(GL_READ_BUFFER, &read_buffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(viewport[0], viewport[1], picture.width, picture.height, GL_RGB, GL_UNSIGNED_BYTE,
                 picture.rgb.data());
    glReadBuffer(static_cast<GLenum>(read_buffer));
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    return picture;
}

} // namespace

void export_drawn_frame(bool second_window)
{
    if (take_snapshot_request(second_window))
        queue_snapshot(read_back_buffer());
    // A frame that cannot be read back goes to the writer empty, which
    // fails it and so ends the export with a message.
    if (!second_window && series_export_active())
        queue_series_frame(read_back_buffer(), series_export_frame_path(), play.export_frame,
                           play.ntimemax);
}
