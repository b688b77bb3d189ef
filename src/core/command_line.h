// command_line.h — the table of command-line options that help texts show,
// the options beyond the language file and "-n" (the working folder, the
// series export) and the options that answer from the console instead of
// starting the viewer (help, the version, an unknown long option). No GL here.
//
// Every other argument keeps its start-up meaning: a single argument names
// the language file (startup.h: language_file_name) and "-n N" the starting
// frame (start_frame_option); GLUT takes its own options such as -display.
#pragma once

#include <string>
#include <vector>

// One option as "--help" and the manual page show it. Every option the
// program takes has its entry here; help texts are made from this table only.
struct CommandLineOption {
    const char* short_name; // "-C"; "" when there is none
    const char* long_name;  // "--folder"; "" when there is none
    const char* argument;   // "DIR"; "" when it takes none (alone: a plain argument)
    const char* help;       // what it does, one or two sentences
};

// Every option, in the order help texts list them.
const std::vector<CommandLineOption>& command_line_options();

// "-C DIR, --folder DIR" and the like: how help texts name an option.
std::string option_synopsis(const CommandLineOption& option);

// A file or folder that tyx reads or writes, as help texts list them.
struct DataFileEntry {
    const char* path; // relative to the presentation folder unless it starts with ~ or $
    const char* help;
};

// Every such file, in reading order.
const std::vector<DataFileEntry>& data_files();

// An option that names a folder.
struct FolderOption {
    bool given = false;
    std::string folder; // as given; may be empty (see take_working_folder_option)
    std::string error;  // why the option cannot be used; empty when it can
};
using ExportFramesOption = FolderOption;

// "--export-frames DIR" (or "--export-frames=DIR"): draw every frame of the
// series once and write it to DIR as a numbered PNG, then end. Finds the
// option and takes it and its folder out of argv (argc shrinks, the rest
// keeps its order), so that the language rule and GLUT see the command line
// without it. Called by tyx_main.
ExportFramesOption take_export_frames_option(int* argc, char** argv);

// "--stats": print the playback figures on standard error at exit. Takes
// every copy of `flag` out of argv as take_export_frames_option does; true
// when there was one.
constexpr const char* kStatsOption = "--stats";
bool take_flag_option(int* argc, char** argv, const char* flag);

// "-C DIR", "--folder DIR" or "--folder=DIR": work in DIR as if started
// there. Taken out of argv as above. "--folder=" with nothing after it (what
// a launcher passes without a folder) is given with an empty folder: stay in
// the working directory. Called by tyx_main first of all.
FolderOption take_working_folder_option(int* argc, char** argv);

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

constexpr const char* kTyxVersion = TYX_VERSION;

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

// What "--help" prints: the options and the files from the tables above, and
// where the key list is.
std::string usage_text();

// What "--version" prints.
std::string version_text();

// Prints the answer to a request other than kRun (help and version on
// standard output, an unknown option on standard error) and returns the exit
// status. Called by tyx_main before anything is read.
int answer_command_line(const CommandLine& line);
