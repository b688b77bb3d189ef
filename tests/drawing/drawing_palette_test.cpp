// drawing_palette_test.cpp — swatch clicks: a press and a release strictly
// inside the same swatch choose its colour, anything else chooses nothing.
#include "drawing/drawing_palette.h"

#include <gtest/gtest.h>

#include "drawing/drawing_fixture.h"

namespace {

class DrawingPalette : public DrawingTest {
  protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        // Swatch i spans columns 10 .. 40 and rows 100 + 30 i .. 130 + 30 i.
        for (int i = 0; i < kPaletteCells; i++) {
            drawing.palette_posi_x_window[0][i][0] = 10;
            drawing.palette_posi_x_window[0][i][1] = 40;
            drawing.palette_posi_y_window[0][i][0] = 100 + 30 * i;
            drawing.palette_posi_y_window[0][i][1] = 130 + 30 * i;
        }
    }
};

TEST_F(DrawingPalette, OnlyAClickInsideOneSwatchChoosesItsColour)
{
    struct Click {
        const char* name;
        int press_x, press_y, release_x, release_y;
        int chosen; // swatch, or -1
    };
    const Click clicks[] = {
        {"inside swatch 6", 25, 295, 20, 285, 6},
        {"inside swatch 15, the last", 25, 575, 25, 575, 15},
        {"press on 6, release on 7", 25, 295, 25, 315, -1},
        {"on the border of 5 and 6", 25, 280, 25, 280, -1},
        {"on the left edge", 10, 295, 10, 295, -1},
        {"released off the strip", 25, 295, 60, 295, -1},
        {"on the pen cell", 25, 85, 25, 85, -1},
    };
    for (const Click& c : clicks) {
        SCOPED_TRACE(c.name);
        drawing.color_drawing[0] = 0.5f; // a pen no swatch has
        drawing.linenum = 4;
        drawing.saved_num_line = 1;
        press_palette(c.press_x, c.press_y, false);
        release_palette(c.release_x, c.release_y, false);
        if (c.chosen < 0) {
            EXPECT_EQ(drawing.color_drawing[0], 0.5f);
            EXPECT_EQ(drawing.saved_num_line, 1);
        } else {
            for (int k = 0; k < 4; k++)
                EXPECT_EQ(drawing.color_drawing[k], drawing.color_palette[c.chosen][k]);
            EXPECT_EQ(drawing.saved_num_line, 4);
        }
        for (int i = 0; i < kPaletteCells; i++)
            EXPECT_EQ(drawing.pushbutton_palette[i], 0) << i;
    }
}

} // namespace
