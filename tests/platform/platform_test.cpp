// platform_test.cpp — the hand-off to a running copy: the companion beside
// the program gets the program path and the two compiled-in titles, and its
// exit status is the answer; a missing or broken companion lets the program
// start.
#include "platform/platform.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

TEST(HandOff, CompanionGetsTheProgramPathAndTheCompiledInTitles)
{
    TempDir dir;
    std::string program = dir.path() + "/tyx";
    std::vector<std::string> line = focus_command_line(program);
    EXPECT_EQ(line, (std::vector<std::string>{dir.path() + "/tyx-focus", program, "TYX 1.27",
                                              "TYX 1.27(2)"}));

    // The arguments arrive one by one, blanks included, without a shell.
    std::string companion = dir.write("tyx-focus", "#!/bin/sh\n"
                                                   "printf '%s\\n' \"$@\" > \"$0.args\"\n"
                                                   "exit 1\n");
    chmod(companion.c_str(), 0755);
    EXPECT_EQ(run_or_focus_from(program), 1);
    std::ifstream in(companion + ".args");
    std::stringstream got;
    got << in.rdbuf();
    EXPECT_EQ(got.str(), program + "\nTYX 1.27\nTYX 1.27(2)\n");
}

TEST(HandOff, ExitStatusOfTheCompanionIsTheAnswer)
{
    struct Case {
        const char* what;
        const char* script; // null: no companion at all
        mode_t mode;
        int expected;
    };
    const Case cases[] = {
        {"missing companion", nullptr, 0, 0},
        {"no copy running", "#!/bin/sh\nexit 0\n", 0755, 0},
        {"other status", "#!/bin/sh\nexit 3\n", 0755, 3},
        {"killed by a signal", "#!/bin/sh\nkill -9 $$\n", 0755, 0},
        {"not executable", "#!/bin/sh\nexit 1\n", 0644, 0},
    };
    for (const Case& c : cases) {
        TempDir dir;
        if (c.script != nullptr)
            chmod(dir.write("tyx-focus", c.script).c_str(), c.mode);
        EXPECT_EQ(run_or_focus_from(dir.path() + "/tyx"), c.expected) << c.what;
    }
}
