// command_line_test.cpp — the series export option taken out of the command line,
// and which arguments answer on the console (help, version, unknown long
// options) and which start the viewer as before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/command_line.h"
#include "core/startup.h"

namespace {

struct Parsed {
    ExportFramesOption option;
    std::vector<std::string> rest;
};

Parsed parse(std::vector<std::string> args, FolderOption (*take)(int*, char**))
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int argc = int(args.size());
    Parsed p;
    p.option = take(&argc, argv.data());
    for (int i = 0; i < argc; i++)
        p.rest.push_back(argv[i]);
    EXPECT_EQ(argv[argc], nullptr);
    return p;
}

TEST(CommandLine, FolderOptionsAreTakenOut)
{
    const auto exp = take_export_frames_option;
    const auto work = take_working_folder_option;
    const struct {
        FolderOption (*take)(int*, char**);
        std::vector<std::string> args;
        bool given;
        std::string folder;
        std::vector<std::string> rest;
    } cases[] = {
        {exp, {"tyx", "--export-frames", "out"}, true, "out", {"tyx"}},
        {exp, {"tyx", "--export-frames=a b"}, true, "a b", {"tyx"}},
        {exp,
         {"tyx", "english", "--export-frames", "out", "-n", "3"},
         true,
         "out",
         {"tyx", "english", "-n", "3"}},
        {exp, {"tyx", "--export-framesX", "out"}, false, "", {"tyx", "--export-framesX", "out"}},
        {exp, {"tyx", "-n", "3"}, false, "", {"tyx", "-n", "3"}},
        {work, {"tyx", "-C", "talk"}, true, "talk", {"tyx"}},
        {work, {"tyx", "english", "--folder", "a b"}, true, "a b", {"tyx", "english"}},
        {work, {"tyx", "--folder=talk"}, true, "talk", {"tyx"}},
        // A launcher without a folder: stay where started.
        {work, {"tyx", "--folder="}, true, "", {"tyx"}},
        {work, {"tyx", "-Ctalk", "--folders"}, false, "", {"tyx", "-Ctalk", "--folders"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        Parsed p = parse(c.args, c.take);
        EXPECT_EQ(p.option.given, c.given);
        EXPECT_EQ(p.option.folder, c.folder);
        EXPECT_EQ(p.option.error, "");
        EXPECT_EQ(p.rest, c.rest);
    }
    // Without their folder: told, and taken out all the same.
    const std::pair<std::vector<std::string>, const char*> incomplete[] = {
        {{"tyx", "--export-frames"}, "needs the folder"},
        {{"tyx", "--export-frames="}, "needs the folder"},
        {{"tyx", "-C"}, "need the folder"},
        {{"tyx", "--folder"}, "need the folder"},
    };
    for (const auto& [args, said] : incomplete) {
        Parsed p = parse(args, args[1].rfind("--export", 0) == 0 ? exp : work);
        EXPECT_TRUE(p.option.given);
        EXPECT_NE(p.option.error.find(said), std::string::npos) << args[1];
        EXPECT_EQ(p.rest, std::vector<std::string>{"tyx"});
    }
}

CommandLine read_args(std::vector<const char*> args)
{
    args.insert(args.begin(), "tyx");
    return read_command_line(static_cast<int>(args.size()), args.data());
}

} // namespace

TEST(CommandLine, AnswersHelpVersionAndUnknownLongOptions)
{
    using R = CommandLineRequest;
    struct Case {
        std::vector<const char*> args;
        R request;
        const char* option;
    };
    const Case cases[] = {
        {{"--help"}, R::kHelp, "--help"},
        {{"-h"}, R::kHelp, "-h"},
        {{"--version"}, R::kVersion, "--version"},
        {{"--export"}, R::kUnknownOption, "--export"},
        {{"--"}, R::kUnknownOption, "--"},
        {{"--help=all"}, R::kUnknownOption, "--help=all"},
        // The first argument that asks for an answer decides.
        {{"english", "-n", "3", "--bogus", "--help"}, R::kUnknownOption, "--bogus"},
        {{"-x", "--version", "--help"}, R::kVersion, "--version"},
        // Start-up arguments as before: the language, -n with its value
        // (whatever it looks like), other single-dash letters, GLUT's options.
        {{}, R::kRun, ""},
        {{"english"}, R::kRun, ""},
        {{"-n", "5"}, R::kRun, ""},
        {{"-n", "--help"}, R::kRun, ""},
        {{"-n", "-h"}, R::kRun, ""},
        {{"-x", "/n", "4"}, R::kRun, ""},
        {{"-display", ":1"}, R::kRun, ""},
        {{"-help"}, R::kRun, ""},
    };
    for (const Case& c : cases) {
        CommandLine line = read_args(c.args);
        std::string joined;
        for (const char* a : c.args)
            joined += std::string(a) + " ";
        EXPECT_EQ(line.request, c.request) << joined;
        EXPECT_EQ(line.option, c.option) << joined;
    }
    // The run cases keep their start-up meaning.
    const char* english[] = {"tyx", "english"};
    EXPECT_EQ(language_file_name(2, english), "data/conf/lang-english.txt");
    const char* frame[] = {"tyx", "-n", "5"};
    EXPECT_EQ(start_frame_option(3, frame), 5);
}

TEST(CommandLine, PrintsTheAnswerWithItsExitStatus)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(answer_command_line({CommandLineRequest::kHelp, "--help"}), 0);
    std::string help = testing::internal::GetCapturedStdout();
    EXPECT_EQ(help, usage_text());
    for (const char* needed : {"Usage: tyx", "data/conf/conf.txt", "press ?"})
        EXPECT_NE(help.find(needed), std::string::npos) << needed;
    for (const CommandLineOption& option : command_line_options())
        EXPECT_NE(help.find("\n  " + option_synopsis(option) + " "), std::string::npos)
            << option_synopsis(option);
    for (const DataFileEntry& file : data_files())
        EXPECT_NE(help.find(std::string("\n  ") + file.path), std::string::npos) << file.path;
    EXPECT_NE(help.find("-C DIR, --folder DIR"), std::string::npos);

    testing::internal::CaptureStdout();
    EXPECT_EQ(answer_command_line({CommandLineRequest::kVersion, "--version"}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "tyx 1.27\n");

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(answer_command_line({CommandLineRequest::kUnknownOption, "--frames"}), 2);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_NE(said.find("unknown option \"--frames\""), std::string::npos) << said;
    EXPECT_NE(said.find("tyx --help"), std::string::npos) << said;
}
