// command_line.h — the options that answer from the console instead of
// starting the viewer: help, the version, and an unknown long option.
//
// Every other argument keeps its start-up meaning: a single argument names
// the language file (startup.h: language_file_name) and "-n N" the starting
// frame (start_frame_option); GLUT takes its own options such as -display.
#pragma once

#include <string>

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

// Scans the arguments from the first; the first that asks for an answer
// decides. The value after "-n" is skipped, as start-up takes it as the
// frame number whatever it looks like.
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
