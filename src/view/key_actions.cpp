// key_actions.cpp — the key bindings: key → command, per mode.
#include "view/key_actions.h"

#include "core/tyxparam.h"
#include "lesson/flight_control.h"
#include "lesson/lesson_steps.h"

namespace {

KeyBinding character(unsigned char key, const char* name, Command command,
                     KeyMode mode = KeyMode::kAny)
{
    return {key, false, mode, name, command};
}

KeyBinding special(int key, const char* name, Command command, KeyMode mode = KeyMode::kAny)
{
    return {key, true, mode, name, command};
}

KeyBinding lesson_key(int key, const char* name, Command command, KeyMode mode = KeyMode::kAny)
{
    return {key, true, mode, name, command, true};
}

bool holds_in_mode(const KeyBinding& b, bool presentation_mode, bool lesson_loaded)
{
    KeyMode mode = presentation_mode ? KeyMode::kPresentation : KeyMode::kNormal;
    return (b.mode == KeyMode::kAny || b.mode == mode) && (!b.lesson || lesson_loaded);
}

bool presentation_mode()
{
    return icons.presentation_remote == 1;
}

KeyResponse run_key(int key, bool special, bool second_window, int x, int y)
{
    end_flight();
    const KeyBinding* binding =
        find_key_binding(key, special, presentation_mode(), lesson_loaded());
    if (binding == nullptr)
        return {};
    CommandInput input;
    input.second_window = second_window;
    input.x = x;
    input.y = y;
    return run_command(binding->command, input);
}

} // namespace

const std::vector<KeyBinding>& key_bindings()
{
    using C = Command;
    constexpr KeyMode kNormal = KeyMode::kNormal, kClicker = KeyMode::kPresentation;
    static const std::vector<KeyBinding> bindings = {
        character('q', "q", C::kQuit),
        character('Q', "Q", C::kQuit),
        character('?', "?", C::kHelpOverlay),
        character('.', ".", C::kBlankScreen),
        character(27, "Esc", C::kLeaveFullScreen, kNormal),
        character(27, "Esc", C::kSpin, kClicker),
        character(' ', "Space", C::kPlayForward),
        character('r', "r", C::kPlayBackward),
        character('+', "+", C::kPlayFaster),
        character('-', "-", C::kPlaySlower),
        character('s', "s", C::kSpin),
        character('>', ">", C::kSpinFaster),
        character('<', "<", C::kSpinSlower),
        character('a', "a", C::kNextFrame),
        character('A', "A", C::kNextTenFrames),
        character('b', "b", C::kPreviousFrame),
        character('B', "B", C::kPreviousTenFrames),
        character('w', "w", C::kLayerAndNextFrame),
        character('I', "I", C::kFirstFrame),
        character('J', "J", C::kLastFrame),
        character('L', "L", C::kZoomIn),
        character('H', "H", C::kZoomOut),
        character('l', "l", C::kZoomInFine),
        character('h', "h", C::kZoomOutFine),
        character('n', "n", C::kNorthUp),
        character('i', "i", C::kResetView),
        character('j', "j", C::kResetViewKeepFrame),
        character('f', "f", C::kFullScreen),
        character('S', "S", C::kSavePicture),
        character('m', "m", C::kGraticule),
        character('o', "o", C::kSecondLayer),
        character('c', "c", C::kScreenLayer),
        character('D', "D", C::kPlottedLines),
        character('P', "P", C::kPoints),
        character('V', "V", C::kArrows),
        character('T', "T", C::kLabels),
        character('d', "d", C::kStrokes),
        character('C', "C", C::kIconDisplay),
        character('1', "1", C::kLogoSmaller),
        character('2', "2", C::kLogoLarger),
        character('3', "3", C::kLogoLeft),
        character('4', "4", C::kLogoRight),
        character('5', "5", C::kLogoDown),
        character('6', "6", C::kLogoUp),
        character('p', "p", C::kDrawingMode),
        character('e', "e", C::kUndoStroke),
        character('E', "E", C::kRedoStroke),
        character('v', "v", C::kSaveDrawings),
        character('x', "x", C::kFadeMore),
        character('y', "y", C::kFadeLess),
        character('Z', "Z", C::kFullReload),
        character('z', "z", C::kConfigurationReload),
        character('k', "k", C::kAddStep),

        special(kKeyLeft, "Left", C::kTurnLeft, kNormal),
        special(kKeyLeft, "Left", C::kPreviousFrame, kClicker),
        special(kKeyRight, "Right", C::kTurnRight, kNormal),
        special(kKeyRight, "Right", C::kNextFrame, kClicker),
        special(kKeyUp, "Up", C::kTurnUp),
        special(kKeyDown, "Down", C::kTurnDown),
        special(kKeyF1, "F1", C::kTurnUpRight),
        special(kKeyF2, "F2", C::kTurnDownRight),
        special(kKeyF3, "F3", C::kTurnUpLeft),
        special(kKeyF4, "F4", C::kTurnDownLeft),
        special(kKeyF5, "F5", C::kSpin, kClicker),
        special(kKeyPageDown, "PageDown", C::kNextFrame),
        special(kKeyPageUp, "PageUp", C::kPreviousFrame),
        special(kKeyHome, "Home", C::kFirstFrame),
        special(kKeyEnd, "End", C::kLastFrame),
        special(kKeyF9, "F9", C::kStatistics),
        special(kKeyF12, "F12", C::kClickLock),

        lesson_key(kKeyPageDown, "PageDown", C::kNextStep),
        lesson_key(kKeyRight, "Right", C::kNextStep, kClicker),
        lesson_key(kKeyPageUp, "PageUp", C::kPreviousStep),
        lesson_key(kKeyLeft, "Left", C::kPreviousStep, kClicker),
        lesson_key(kKeyHome, "Home", C::kFirstStep),
        lesson_key(kKeyEnd, "End", C::kLastStep),
    };
    return bindings;
}

const std::vector<PointerBinding>& pointer_bindings()
{
    static const std::vector<PointerBinding> bindings = {
        {kWheelUpButton, "Wheel up", Command::kWheelZoomIn},
        {kWheelDownButton, "Wheel down", Command::kWheelZoomOut},
    };
    return bindings;
}

const KeyBinding* find_key_binding(int key, bool special, bool presentation_mode,
                                   bool lesson_loaded)
{
    // The lesson's bindings of a key come before its others.
    for (bool lesson_pass : {true, false})
        for (const KeyBinding& b : key_bindings())
            if (b.lesson == lesson_pass && b.key == key && b.special == special &&
                holds_in_mode(b, presentation_mode, lesson_loaded))
                return &b;
    return nullptr;
}

bool binding_holds(const KeyBinding& b, bool presentation_mode, bool lesson_loaded)
{
    return find_key_binding(b.key, b.special, presentation_mode, lesson_loaded) == &b;
}

KeyResponse character_key(unsigned char key, bool second_window)
{
    return run_key(key, false, second_window, 0, 0);
}

KeyResponse special_key(int key, bool second_window, int x, int y)
{
    return run_key(key, true, second_window, x, y);
}

KeyResponse pointer_button(int button, bool second_window)
{
    end_flight();
    for (const PointerBinding& b : pointer_bindings()) {
        if (b.button != button)
            continue;
        CommandInput input;
        input.second_window = second_window;
        return run_command(b.command, input);
    }
    return {};
}
