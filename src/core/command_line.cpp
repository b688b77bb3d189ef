// command_line.cpp — the series export option, taken out of the command line,
// and help, version and unknown long options.
#include "core/command_line.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char kOption[] = "--export-frames";

// Removes `count` arguments from position `at` of argv.
void remove_arguments(int* argc, char** argv, int at, int count)
{
    for (int i = at; i + count <= *argc; i++)
        argv[i] = argv[i + count];
    *argc -= count;
}

} // namespace

namespace {

// Takes every "NAME VALUE" and "NAME=VALUE" out of argv; the last one given
// counts. `value` is empty when the last one had none.
bool take_option(int* argc, char** argv, const char* name, std::string* value)
{
    bool given = false;
    const size_t length = std::strlen(name);
    for (int i = 1; i < *argc;) {
        const char* arg = argv[i];
        if (arg == nullptr || std::strncmp(arg, name, length) != 0 ||
            (arg[length] != '\0' && arg[length] != '=')) {
            i++;
            continue;
        }
        given = true;
        if (arg[length] == '=') {
            *value = arg + length + 1;
            remove_arguments(argc, argv, i, 1);
        } else if (i + 1 < *argc && argv[i + 1] != nullptr) {
            *value = argv[i + 1];
            remove_arguments(argc, argv, i, 2);
        } else {
            value->clear();
            remove_arguments(argc, argv, i, 1);
        }
    }
    return given;
}

} // namespace

ExportFramesOption take_export_frames_option(int* argc, char** argv)
{
    ExportFramesOption option;
    option.given = take_option(argc, argv, kOption, &option.folder);
    if (option.given && option.folder.empty())
        option.error = "tyx: --export-frames needs the folder to write the frames to, as in "
                       "tyx --export-frames frames";
    return option;
}

bool take_flag_option(int* argc, char** argv, const char* flag)
{
    bool given = false;
    for (int i = 1; i < *argc;) {
        if (argv[i] != nullptr && std::strcmp(argv[i], flag) == 0) {
            remove_arguments(argc, argv, i, 1);
            given = true;
        } else {
            i++;
        }
    }
    return given;
}

bool parse_view_place(const std::string& text, ViewPlace* place)
{
    double values[3] = {0, 0, 0};
    int count = 0;
    const char* at = text.c_str();
    while (count < 3) {
        char* end = nullptr;
        errno = 0;
        double v = std::strtod(at, &end);
        if (end == at || errno != 0 || !std::isfinite(v))
            return false;
        values[count++] = v;
        at = end;
        if (*at == '\0')
            break;
        if (*at != ',')
            return false;
        at++;
    }
    if (*at != '\0' || count < 2 || std::fabs(values[0]) > 90 || std::fabs(values[1]) > 360 ||
        (count == 3 && !(values[2] > 0)))
        return false;
    place->latitude = values[0];
    place->longitude = values[1];
    place->zoom = count == 3 ? values[2] : 0;
    return true;
}

LessonOptions take_lesson_options(int* argc, char** argv)
{
    LessonOptions options;
    std::string value;
    if (take_option(argc, argv, "--lesson", &value)) {
        if (value.empty())
            options.error = "tyx: --lesson needs the lesson file, as in tyx --lesson lesson.txt";
        options.lesson = value;
    }
    if (take_option(argc, argv, "--view", &value)) {
        options.view_given = true;
        if (!parse_view_place(value, &options.view) && options.error.empty())
            options.error = "tyx: --view needs LAT,LON or LAT,LON,ZOOM in degrees (latitude "
                            "-90 to 90, a zoom above 0), as in --view 35.7,139.7,2; not \"" +
                            value + "\"";
    }
    return options;
}

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
    return "Usage: tyx [LANGUAGE] [-n FRAME] [--stats] [--lesson FILE]\n"
           "                  [--view LAT,LON[,ZOOM]]\n"
           "       tyx -h | --help | --version\n"
           "\n"
           "tyx shows the numbered maps of the working directory on a globe that you\n"
           "turn with the mouse, the keyboard or a presentation clicker.\n"
           "\n"
           "Options:\n"
           "  LANGUAGE     as the only argument: read data/conf/lang-LANGUAGE.txt (at\n"
           "               most 12 characters of it) instead of data/conf/lang-japanese.txt\n"
           "  -n FRAME     start on frame FRAME of the series, counted from 0: -n 5\n"
           "               shows the sixth map\n"
           "  --export-frames DIR  write every frame of the series to DIR as\n"
           "               DIR/frame-00001.png, ... and end; it needs an X display,\n"
           "               without one: xvfb-run -a -s \"-screen 0 1920x1080x24\" \\\n"
           "               tyx --export-frames DIR\n"
           "  --stats      at exit, print how many maps were shown, how many came late\n"
           "               and the most memory the decoded maps took\n"
           "  --lesson FILE  step through the lesson FILE (PageDown, PageUp, Home,\n"
           "               End); k adds the view shown to it as a step\n"
           "  --view LAT,LON[,ZOOM]  fly to latitude LAT, longitude LON (degrees),\n"
           "               and zoom ZOOM, at start: --view 35.7,139.7,2\n"
           "  -h, --help   print this help and exit\n"
           "  --version    print the version and exit\n"
           "  X options such as -display and -geometry work as in other X programs.\n"
           "\n"
           "Files, relative to the working directory:\n"
           "  data/conf/init_conf.txt    base configuration\n"
           "  data/conf/conf.txt         your settings, read after the base\n"
           "  data/conf/lang-*.txt       language file, read last\n"
           "  data/icons/*.ppm           icon pictures\n"
           "  map/sample1.ppm, ...       the map series (PPM, JPEG or PNG; name, suffix\n"
           "                             and first number are settings)\n"
           "  logo/sample1.ppm, ...      screen images drawn over the globe\n"
           "  data/plot/points/points.csv, data/plot/lines/lines.csv,\n"
           "  data/plot/arrows/arrows.csv  plot data shown with every map\n"
           "  data/points/points0.txt, data/lines/lines0.txt, data/arrows/arrows0.txt, ...\n"
           "                             plot data of one map each, by frame from 0\n"
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
