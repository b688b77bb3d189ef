// command_line.h — options of the command line beyond the language file and
// "-n": the series export. No GL here.
#pragma once

#include <string>

// "--export-frames DIR" (or "--export-frames=DIR"): draw every frame of the
// series once and write it to DIR as a numbered PNG, then end.
struct ExportFramesOption {
    bool given = false;
    std::string folder; // DIR as given
    std::string error;  // why the option cannot be used; empty when it can
};

// Finds the option and takes it and its folder out of argv (argc shrinks,
// the rest keeps its order), so that the language rule and GLUT see the
// command line without it. Called by tyx_main first of all.
ExportFramesOption take_export_frames_option(int* argc, char** argv);
