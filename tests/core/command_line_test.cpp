// command_line_test.cpp — the series export option taken out of the command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/command_line.h"

namespace {

struct Parsed {
    ExportFramesOption option;
    std::vector<std::string> rest;
};

Parsed parse(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int argc = int(args.size());
    Parsed p;
    p.option = take_export_frames_option(&argc, argv.data());
    for (int i = 0; i < argc; i++)
        p.rest.push_back(argv[i]);
    EXPECT_EQ(argv[argc], nullptr);
    return p;
}

TEST(CommandLine, ExportFramesOptionIsTakenOut)
{
    const struct {
        std::vector<std::string> args;
        bool given;
        std::string folder;
        std::vector<std::string> rest;
    } cases[] = {
        {{"tyx", "--export-frames", "out"}, true, "out", {"tyx"}},
        {{"tyx", "--export-frames=a b"}, true, "a b", {"tyx"}},
        {{"tyx", "english", "--export-frames", "out", "-n", "3"},
         true,
         "out",
         {"tyx", "english", "-n", "3"}},
        {{"tyx", "--export-framesX", "out"}, false, "", {"tyx", "--export-framesX", "out"}},
        {{"tyx", "-n", "3"}, false, "", {"tyx", "-n", "3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        Parsed p = parse(c.args);
        EXPECT_EQ(p.option.given, c.given);
        EXPECT_EQ(p.option.folder, c.folder);
        EXPECT_EQ(p.option.error, "");
        EXPECT_EQ(p.rest, c.rest);
    }
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"tyx", "--export-frames"}, {"tyx", "--export-frames="}}) {
        Parsed p = parse(args);
        EXPECT_TRUE(p.option.given);
        EXPECT_NE(p.option.error.find("needs the folder"), std::string::npos);
        EXPECT_EQ(p.rest, std::vector<std::string>{"tyx"});
    }
}

} // namespace
