// tyxparam.cpp — the single definition of the viewer state block and its reset.
#include "core/tyxparam.h"

#include "core/clock.h"
#include "core/file_notices.h"
#include "imagery/series_stream.h"
#include "lesson/lesson_steps.h"
#include "text/notices.h"

ImageState img;
WindowState wnd;
ViewState view;
InertiaState inertia;
SpinState spin;
PlayState play;
SeriesState series;
OverlayState overlay;
IconState icons;
PlotState plot;
DrawingState drawing;
TextState txt;
LessonState lesson;

namespace {
// The large sections are assigned from a static default copy so that no
// megabyte-sized temporary lands on the stack.
template <typename Section> void reset_section(Section& section)
{
    static const Section defaults{};
    section = defaults;
}
} // namespace

void reset_viewer_state()
{
    stop_series_streams();
    for (int i = 0; i < kMaxFrames; i++) {
        img.image1[i].release();
        img.image2[i].release();
        img.image3[i].release();
        img.image4[i].release();
    }
    for (TexImage& picture : img.icon)
        picture.release();
    img.pushed_icon.release();
    for (int i = 0; i < kMaxFrames; i++)
        img.mask_logo[i] = img.mask_spherelogo[i] = img.mask_doublelogo[i] = img.mask_earth[i] = 0;
    for (unsigned int& name : img.texName)
        name = 0;
    for (unsigned int& name : img.icontexName)
        name = 0;
    img.pushed_icontexName = 0;

    reset_section(wnd);
    reset_section(view);
    reset_section(inertia);
    reset_section(spin);
    reset_section(play);
    reset_section(series);
    reset_section(overlay);
    reset_section(icons);
    reset_section(plot);
    reset_section(drawing);
    reset_section(txt);
    clear_notices();
    reset_section(lesson);
    forget_lesson_step_settings();
    set_test_clock(-1);
    forget_file_notices();
}
