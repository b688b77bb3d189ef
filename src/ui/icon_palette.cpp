// icon_palette.cpp — the icons' commands and pictures, and the icon-display
// toggle.
#include "ui/icon_palette.h"

#include "core/tyxparam.h"

namespace {

// The command of each slot, in slot order.
const Command kIconCommands[kIconPlaces] = {
    Command::kPlayForward,           // 0
    Command::kResetView,             // 1
    Command::kPlayBackward,          // 2
    Command::kSpin,                  // 3
    Command::kNextFrameWrapping,     // 4
    Command::kPreviousFrameWrapping, // 5
    Command::kGraticule,             // 6
    Command::kZoomIn,                // 7
    Command::kZoomOut,               // 8
    Command::kNorthUp,               // 9
    Command::kPlayFaster,            // 10
    Command::kPlaySlower,            // 11
    Command::kQuit,                  // 12
    Command::kFullScreenClick,       // 13
    Command::kLogoSmaller,           // 14
    Command::kLogoLarger,            // 15
    Command::kLogoLeft,              // 16
    Command::kLogoRight,             // 17
    Command::kLogoDown,              // 18
    Command::kLogoUp,                // 19
    Command::kSecondLayer,           // 20
    Command::kScreenLayer,           // 21
    Command::kIconDisplay,           // 22
    Command::kDrawingMode,           // 23
    Command::kUndoStroke,            // 24
    Command::kSaveDrawings,          // 25
    Command::kLayerAndNextFrame,     // 26
};

// The pictures of each slot: the usual one, and for icons that stand for a
// state the one shown in the other state (-1: none).
struct SlotPictures {
    int usual;
    int other;
};
const SlotPictures kSlotPictures[kIconPlaces] = {
    {0, 1},   {2, -1},  {3, 1},   {4, 5},   {6, -1},  {7, -1},  {8, 9},   {10, -1}, {11, -1},
    {12, -1}, {13, -1}, {14, -1}, {15, -1}, {17, 16}, {18, -1}, {19, -1}, {20, -1}, {21, -1},
    {22, -1}, {23, -1}, {24, 25}, {26, 27}, {28, 29}, {30, 31}, {32, -1}, {33, -1}, {34, -1},
};

bool drawing_mode_on()
{
    return drawing.drawing_onoff == 1;
}

// Whether a state icon shows its other picture now.
bool shows_other_picture(int slot)
{
    switch (slot) {
    case 0:
        return play.anim == 1; // pause while playing forward
    case 2:
        return play.anim == -1; // pause while playing backward
    case 3:
        return spin.jitenornot != 0;
    case 6:
        return overlay.isenkeisenornot != 0;
    case 13:
        return wnd.fullscreen == 1;
    case kLayerIconSlot:
        return series.texture_double1 != 0;
    case 21:
        return overlay.screen_onoff != 0;
    case kIconToggleSlot:
        return overlay.icon_hyoji_onoff != 0;
    case 23:
        return drawing_mode_on(); // the drawing icon shows the state itself
    default:
        return false;
    }
}

} // namespace

int icon_places_in_use()
{
    if (icons.int_button < 0)
        return 0;
    return icons.int_button < kIconPlaces ? icons.int_button : kIconPlaces;
}

Command icon_command(int slot)
{
    if (slot < 0 || slot >= kIconPlaces)
        return Command::kCount;
    return kIconCommands[slot];
}

int icon_picture(int slot)
{
    if (slot < 0 || slot >= icon_places_in_use() || icons.icon_onoff[slot] != 1)
        return -1;
    if ((slot == kEraseIconSlot || slot == kSaveIconSlot) && !drawing_mode_on())
        return -1;
    const SlotPictures& p = kSlotPictures[slot];
    return p.other >= 0 && shows_other_picture(slot) ? p.other : p.usual;
}

bool icon_shows_pressed(int slot, int window)
{
    return slot >= 0 && slot < kIconPlaces && icons.pushbutton[slot] == 1 &&
           icons.pushwindow == window;
}

void toggle_icon_display()
{
    bool show = overlay.icon_hyoji_onoff == 0;
    for (int i = 0; i < kIconPlaces; i++)
        if (i != kIconToggleSlot)
            icons.icon_onoff[i] = show ? icons.icon_onoff_permanent[i] : 0;
    if (show && !drawing_mode_on())
        icons.icon_onoff[kEraseIconSlot] = icons.icon_onoff[kSaveIconSlot] = 0;
    if (show)
        switch_off_layer_icons();
    overlay.icon_hyoji_onoff = show ? 1 : 0;
}

void switch_off_layer_icons()
{
    if (play.number_of_textures < 2)
        icons.icon_onoff[kLayerIconSlot] = icons.icon_onoff[kLayerStepIconSlot] = 0;
}

void show_drawing_icons(bool on)
{
    for (int slot : {kEraseIconSlot, kSaveIconSlot})
        icons.icon_onoff[slot] = on ? icons.icon_onoff_permanent[slot] : 0;
}
