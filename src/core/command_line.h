// command_line.h — options of the command line beyond the language file and
// "-n": the series export, and the options that answer from the console
// instead of starting the viewer (help, the version, an unknown long option).
// No GL here.
//
// Every other argument keeps its start-up meaning: a single argument names
// the language file (startup.h: language_file_name) and "-n N" the starting
// frame (start_frame_option); GLUT takes its own options such as -display.
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

// "--stats": print the playback figures on standard error at exit. Takes
// every copy of `flag` out of argv as take_export_frames_option does; true
// when there was one.
constexpr const char* kStatsOption = "--stats";
bool take_flag_option(int* argc, char** argv, const char* flag);

// "--lesson FILE" and "--view LAT,LON[,ZOOM]" (also with "="), taken out
// of argv the same way.
struct ViewPlace {
    double latitude = 0, longitude = 0; // degrees
    double zoom = 0;                    // 0 when not given
};
struct LessonOptions {
    std::string lesson; // FILE; "" when not given
    bool view_given = false;
    ViewPlace view;
    std::string error; // why an option cannot be used; empty when both can
};
LessonOptions take_lesson_options(int* argc, char** argv);

// "LAT,LON" or "LAT,LON,ZOOM": decimal degrees, latitude within -90 .. 90,
// longitude within -360 .. 360, a zoom above 0. False for anything else.
bool parse_view_place(const std::string& text, ViewPlace* place);

constexpr const char* kTyxVersion = "1.27";

// Exit statuses of the console answers: help and version, and a bad option.
constexpr int kExitAnswered = 0;
constexpr int kExitUnknownOption = 2;

enum class CommandLineRequest {
    kRun,           // start the viewer
    kHelp,          // "-h" or "--help"
    kVersion,       // "--version"
    kUnknownOption, // any other argument starting with "--"
};

struct CommandLine {
    CommandLineRequest request = CommandLineRequest::kRun;
    std::string option; // the argument that asked for it; empty for kRun
};

// Scans the arguments left after take_export_frames_option from the first;
// the first that asks for an answer decides. The value after "-n" is skipped,
// as start-up takes it as the frame number whatever it looks like.
CommandLine read_command_line(int argc, const char* const* argv);

// What "--help" prints: the options, the files read relative to the working
// directory and where the key list is.
std::string usage_text();

// What "--version" prints.
std::string version_text();

// Prints the answer to a request other than kRun (help and version on
// standard output, an unknown option on standard error) and returns the exit
// status. Called by tyx_main before anything is read.
int answer_command_line(const CommandLine& line);
