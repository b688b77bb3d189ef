// frame_gl_test.cpp — window 1's whole frame in a real window: the flat screen
// layer under both eye signs, the projection switch, and a steady frame that
// allocates nothing.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "core/window.h"
#include "imagery/texture_upload_gl.h"
#include "render/display.h"
#include "support/gl_fixture.h"

// X11 last: its macros (None, Bool, Status) would break the headers above.
#include <GL/glx.h>
#include <X11/Xutil.h>

// Every C++ allocation of this test program passes through here, so a case
// can count what the code under test allocates between two points.
namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    allocations++;
    if (void* p = std::malloc(size != 0 ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

// An image record of one colour, or of two colours split into a top and a
// bottom half.
TexImage rgba_image(int width, int height, Rgba top, Rgba bottom)
{
    TexImage image;
    image.width = width;
    image.height = height;
    image.channels = 4;
    image.pixels.reset(new unsigned char[static_cast<size_t>(width) * height * 4]);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            const Rgba& c = y < height / 2 ? top : bottom;
            unsigned char* p = &image.pixels[(static_cast<size_t>(y) * width + x) * 4];
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
            p[3] = c.a;
        }
    return image;
}

const Rgba kRed{220, 30, 30, 255};
const Rgba kBlue{30, 30, 220, 255};
const Rgba kGreen{30, 200, 60, 255};

class Frame : public GlTest {
  protected:
    void SetUp() override
    {
        GlTest::SetUp();
        // Frame 0 of a one-frame series held in the tables: nothing to read
        // from disk, the first frame only uploads.
        series.readinit_file = 0;
        series.readtextureornot = 0;
        play.ntimemax = 1;
        img.image1[0] = rgba_image(8, 4, kGreen, kGreen);
        // The texture names and environment that loading the series would
        // have set up.
        prepare_frame_texture_names(wnd.window1);
        set_texture_environment();
    }
    // One whole frame of window 1. It ends with the swap, so the picture is
    // read from the window itself.
    void frame()
    {
        display();
        glFinish();
        screen_ = window_contents();
    }
    // The window's pixel at column x, row y from the top, as last shown.
    Rgba shown(int x, int y) const
    {
        const unsigned char* p = &screen_[(static_cast<size_t>(y) * width() + x) * 3];
        return {p[0], p[1], p[2], 255};
    }
    static bool near(Rgba p, Rgba want)
    {
        return std::abs(p.r - want.r) < 8 && std::abs(p.g - want.g) < 8 &&
               std::abs(p.b - want.b) < 8;
    }
    // Pixels of the last frame that are light in all three channels.
    int lit_pixels() const
    {
        int n = 0;
        for (size_t i = 0; i < screen_.size(); i += 3)
            n += screen_[i] > 100 && screen_[i + 1] > 100 && screen_[i + 2] > 100;
        return n;
    }

  private:
    // What the X server shows in the current GL window: rows from the top,
    // 3 bytes per pixel.
    std::vector<unsigned char> window_contents() const
    {
        Display* display = glXGetCurrentDisplay();
        GLXDrawable window = glXGetCurrentDrawable();
        XSync(display, False);
        XImage* image = XGetImage(display, window, 0, 0, width(), height(), AllPlanes, ZPixmap);
        std::vector<unsigned char> rgb(static_cast<size_t>(width()) * height() * 3);
        if (image == nullptr)
            return rgb;
        auto channel = [](unsigned long pixel, unsigned long mask) {
            while (mask != 0 && (mask & 1) == 0) {
                mask >>= 1;
                pixel >>= 1;
            }
            return static_cast<unsigned char>(pixel & mask);
        };
        for (int y = 0; y < height(); y++)
            for (int x = 0; x < width(); x++) {
                unsigned long pixel = XGetPixel(image, x, y);
                unsigned char* out = &rgb[(static_cast<size_t>(y) * width() + x) * 3];
                out[0] = channel(pixel, image->red_mask);
                out[1] = channel(pixel, image->green_mask);
                out[2] = channel(pixel, image->blue_mask);
            }
        XDestroyImage(image);
        return rgb;
    }
    std::vector<unsigned char> screen_; // the last frame, as window_contents gives it
};

} // namespace

// The screen image (red over blue) at the top left, (-2.5, 1.9) with height 1:
// window columns 25 .. 175, rows 15 .. 165 at 800 x 600. With a negative eye
// position the camera looks with its up vector reversed, so the same layer
// shows turned by 180 degrees, at the bottom right.
TEST_F(Frame, ScreenLayerStandsUprightAndTurnsOverWithANegativeEye)
{
    img.image2[0] = rgba_image(4, 4, kRed, kBlue);
    img.mask_logo[0] = 1;
    overlay.logo_scale = 1;
    overlay.logo_x = -2.5;
    overlay.logo_y = 1.9;
    frame();
    EXPECT_TRUE(near(shown(100, 50), kRed));
    EXPECT_TRUE(near(shown(100, 130), kBlue));
    EXPECT_TRUE(near(shown(400, 300), kGreen)); // the globe
    Rgba beside = shown(100, 200);
    EXPECT_LT(beside.r + beside.g + beside.b, 30);

    wnd.ez = -20;
    // Keep the far plane behind the globe: the start-up constants would put
    // it at ez + 20 = 0, in front of everything.
    wnd.farlimit = 40;
    resize(800, 600);
    frame();
    EXPECT_TRUE(near(shown(799 - 100, 599 - 50), kRed));
    EXPECT_TRUE(near(shown(799 - 100, 599 - 130), kBlue));
    Rgba corner = shown(100, 50);
    EXPECT_LT(corner.r + corner.g + corner.b, 30);
}

// Hiding the screen layer keeps the image but draws nothing; an alternate
// screen for the frame replaces the normal one only while the second layer
// is shown.
TEST_F(Frame, ScreenLayerSwitchesAndAlternateImage)
{
    img.image2[0] = rgba_image(4, 4, kRed, kRed);
    img.image4[0] = rgba_image(4, 4, kBlue, kBlue);
    img.mask_logo[0] = 1;
    img.mask_doublelogo[0] = 1;
    overlay.logo_scale = 1;
    overlay.logo_x = -2.5;
    overlay.logo_y = 1.9;
    frame();
    EXPECT_TRUE(near(shown(100, 100), kRed));
    series.texture_double1 = 1;
    frame();
    EXPECT_TRUE(near(shown(100, 100), kBlue));
    overlay.screen_onoff = 0;
    frame();
    Rgba hidden = shown(100, 100);
    EXPECT_LT(hidden.r + hidden.g + hidden.b, 30);
}

// The projection switch rebuilds the projection for the size resize last saw.
// 840 is one of the widths whose reciprocal does not invert back exactly.
TEST_F(Frame, ProjectionSwitchKeepsTheWindowSize)
{
    size_window(840, 600);
    ASSERT_EQ(wnd.perspec, 2);
    wnd.perspec_radio = 1;
    draw_globe();
    EXPECT_EQ(wnd.perspec, 1);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 840);
    EXPECT_EQ(viewport[3], 600);
}

// Once the frame's images are up, further frames of the same frame index
// allocate nothing, with the graticule, the spin and the screen layer on.
// Changing the graticule counts takes effect at the next frame.
TEST_F(Frame, ASteadyFrameAllocatesNothingAndTheGraticuleFollowsItsCounts)
{
    img.image2[0] = rgba_image(4, 4, kRed, kBlue);
    img.mask_logo[0] = 1;
    overlay.isenkeisenornot = 1;
    spin.jitenornot = 1;
    frame(); // frame change: uploads
    // The GL driver and Xlib set up their own buffers over the first swaps of
    // a fresh process; only what follows counts.
    for (int i = 0; i < 10; i++)
        frame();
    long before = allocations.load();
    for (int i = 0; i < 3; i++)
        display();
    EXPECT_EQ(allocations.load() - before, 0);

    // Seen from above the north pole the meridians are spokes: four times as
    // many meridians light clearly more pixels.
    img.image1[0].release();
    play.ntimetmp = -1; // upload the now empty map
    img.mask_logo[0] = 0;
    spin.jitenornot = 0;
    overlay.line_width = 2;
    overlay.num_keisen = 2;
    frame();
    int two = lit_pixels();
    overlay.num_keisen = 8;
    frame();
    int eight = lit_pixels();
    EXPECT_GT(eight, two * 3 / 2) << two << " " << eight;
}
