// command_line_test.cpp — which arguments answer on the console (help,
// version, unknown long options) and which start the viewer as before.
#include "core/command_line.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/startup.h"

namespace {

CommandLine read(std::vector<const char*> args)
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
        CommandLine line = read(c.args);
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
    for (const char* needed : {"Usage: tyx", "--version", "-n FRAME", "data/conf/conf.txt",
                               "map/sample1.ppm", "press ?"})
        EXPECT_NE(help.find(needed), std::string::npos) << needed;

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
