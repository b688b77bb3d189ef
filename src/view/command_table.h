// command_table.h — every command of the viewer, once: its name, what it
// changes, and whether it renews the pop-up menu and asks for a redraw.
//
// Keys (key_actions), menu values (menu_entries) and icon slots (icon_palette)
// only translate their input into a Command and run it here. The state
// changes run without a display; the window work a command asks for (ending
// the program, full screen, menus, redraws) comes back as a CommandResponse,
// which carry_out_command() in command_table_glut.cpp does through GLUT.
//
// Adding a command: a Command value, its entry in the table of
// command_table.cpp (same order), then bindings where wanted.
#pragma once

// The commands, in table order. The names in the table are stable: help
// texts and documentation refer to commands by them.
enum class Command : int {
    kQuit,
    // Animation and spin.
    kPlayForward,
    kPlayBackward,
    kPlayFaster,
    kPlaySlower,
    kSpin,
    kSpinFaster,
    kSpinSlower,
    // Frames of the series.
    kNextFrame,
    kNextTenFrames,
    kPreviousFrame,
    kPreviousTenFrames,
    kNextFrameWrapping,
    kPreviousFrameWrapping,
    kLayerAndNextFrame,
    kFirstFrame,
    kLastFrame,
    // View.
    kZoomIn,
    kZoomOut,
    kZoomInFine,
    kZoomOutFine,
    kWheelZoomIn,
    kWheelZoomOut,
    kTurnLeft,
    kTurnRight,
    kTurnUp,
    kTurnDown,
    kTurnUpRight,
    kTurnDownRight,
    kTurnUpLeft,
    kTurnDownLeft,
    kNorthUp,
    kResetView,
    kResetViewKeepFrame,
    kProjection,
    // Window.
    kFullScreen,
    kFullScreenClick,
    kLeaveFullScreen,
    kHelpOverlay,
    kStatistics,
    kBlankScreen,
    kClickLock,
    kSavePicture,
    // Layers and overlays.
    kGraticule,
    kSecondLayer,
    kScreenLayer,
    kPlottedLines,
    kPoints,
    kArrows,
    kLabels,
    kStrokes,
    kIconDisplay,
    // Screen layer placement.
    kLogoSmaller,
    kLogoLarger,
    kLogoLeft,
    kLogoRight,
    kLogoDown,
    kLogoUp,
    // Freehand drawing.
    kDrawingMode,
    kUndoStroke,
    kRedoStroke,
    kSaveDrawings,
    kFadeMore,
    kFadeLess,
    // Reloads.
    kFullReload,
    kConfigurationReload,
    // Lessons.
    kNextStep,
    kPreviousStep,
    kFirstStep,
    kLastStep,
    kAddStep,

    kCount // not a command
};

// Where a command came from.
struct CommandInput {
    bool second_window = false; // from any window other than window 1
    int x = 0, y = 0;           // pointer in the window (keys), window pixels
};

// Window work left to the GLUT side after a command changed the state.
struct CommandResponse {
    bool quit = false;                // end the program with status 0
    bool rebuild_menu = false;        // renew the current window's pop-up menu
    bool redisplay = false;           // redraw the current window
    bool enter_full_screen = false;   // the current window goes full screen
    bool leave_full_screen = false;   // the current window goes back to its configured size
    bool request_full_reload = false; // reload_texture_init_file(): releases images and textures
    bool set_up_projections = false;  // every window: projection again, new menu, redraw
    bool press_at_pointer = false;    // a left-button press at (x, y) of the input
    int x = 0, y = 0;                 // where, window pixels
};

// One command. `change` does the state change and may ask for window work;
// it returns false when there was nothing to do, and then the command
// neither renews the menu nor asks for a redraw.
struct CommandEntry {
    Command command;
    const char* name;        // stable identifier, "play_forward"
    const char* description; // short text for a user, "Play forward / stop"
    bool rebuild_menu;       // after a change: the menu shows this state, or may
    bool redisplay;          // after a change: redraw the current window
    bool (*change)(const CommandInput& input, CommandResponse* work);
};

// The entry of a command; null for kCount or a value outside the table.
const CommandEntry* command_entry(Command command);

// Runs a command and returns the window work it asks for; nothing for a
// value outside the table. Called by the key, menu and icon handlers.
CommandResponse run_command(Command command, const CommandInput& input);

// ---------------------------------------------------------------------------
// GLUT side (command_table_glut.cpp).

// Does the window work of a response in the current window. Called by the
// key and menu callbacks and by effect_icon right after running a command.
void carry_out_command(const CommandResponse& response);

// Runs a command for the current GLUT window and carries out its response.
void perform_command(Command command);
