// command_line.cpp — help, version and unknown long options.
#include "core/command_line.h"

#include <cstdio>
#include <cstring>

CommandLine read_command_line(int argc, const char* const* argv)
{
    CommandLine line;
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (arg == nullptr || arg[0] != '-')
            continue;
        if (arg[1] == 'n') {
            i++; // the frame number, even when it starts with '-'
            continue;
        }
        if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0)
            line.request = CommandLineRequest::kHelp;
        else if (std::strcmp(arg, "--version") == 0)
            line.request = CommandLineRequest::kVersion;
        else if (std::strncmp(arg, "--", 2) == 0)
            line.request = CommandLineRequest::kUnknownOption;
        else
            continue;
        line.option = arg;
        return line;
    }
    return line;
}

std::string usage_text()
{
    return "Usage: tyx [LANGUAGE] [-n FRAME]\n"
           "       tyx -h | --help | --version\n"
           "\n"
           "tyx shows the numbered maps of the working directory on a globe that you\n"
           "turn with the mouse, the keyboard or a presentation clicker.\n"
           "\n"
           "Options:\n"
           "  LANGUAGE     as the only argument: read data/conf/lang-LANGUAGE.txt (at\n"
           "               most 12 characters of it) instead of data/conf/lang-japanese.txt\n"
           "  -n FRAME     start on frame FRAME of the series (0 is the first map)\n"
           "  -h, --help   print this help and exit\n"
           "  --version    print the version and exit\n"
           "  X options such as -display and -geometry work as in other X programs.\n"
           "\n"
           "Files, relative to the working directory:\n"
           "  data/conf/init_conf.txt    base configuration\n"
           "  data/conf/conf.txt         your settings, read after the base\n"
           "  data/conf/lang-*.txt       language file, read last\n"
           "  data/icons/*.ppm           icon pictures\n"
           "  map/sample1.ppm, ...       the map series (PPM or JPEG; name, suffix and\n"
           "                             first number are settings)\n"
           "  logo/sample1.ppm, ...      screen images drawn over the globe\n"
           "  data/plot/, data/lines/, data/points/, data/arrows/   plot data\n"
           "  data/draw/lines.txt        the saved drawing (written by key v)\n"
           "\n"
           "Keys: press ? in the viewer window for the key and mouse reference; the\n"
           "README lists it too. q quits.\n";
}

std::string version_text()
{
    return std::string("tyx ") + kTyxVersion + "\n";
}

int answer_command_line(const CommandLine& line)
{
    switch (line.request) {
    case CommandLineRequest::kHelp:
        std::fputs(usage_text().c_str(), stdout);
        std::fflush(stdout);
        return kExitAnswered;
    case CommandLineRequest::kVersion:
        std::fputs(version_text().c_str(), stdout);
        std::fflush(stdout);
        return kExitAnswered;
    case CommandLineRequest::kUnknownOption:
        std::fprintf(stderr, "tyx: unknown option \"%s\"\nTry \"tyx --help\" for the options.\n",
                     line.option.c_str());
        return kExitUnknownOption;
    case CommandLineRequest::kRun:
        break;
    }
    return kExitAnswered;
}
