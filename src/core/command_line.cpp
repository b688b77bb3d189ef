// command_line.cpp — the option and file tables that help texts come from,
// the folder options taken out of the command line, and help, version and
// unknown long options.
#include "core/command_line.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char kExportFramesOption[] = "--export-frames";
constexpr const char kFolderOption[] = "--folder";
constexpr const char kFolderShortOption[] = "-C";

const std::vector<CommandLineOption> kOptions = {
    {"", "", "LANGUAGE",
     "as the only argument: read data/conf/lang-LANGUAGE.txt (at most 12 characters of it) "
     "instead of data/conf/lang-japanese.txt"},
    {"-n", "", "FRAME",
     "start on frame FRAME of the series, counted from 0: -n 5 shows the sixth map"},
    {kFolderShortOption, kFolderOption, "DIR",
     "work in DIR as if started there: DIR is the presentation folder that the files below "
     "are found in"},
    {"", kExportFramesOption, "DIR",
     "write every frame of the series to DIR as DIR/frame-00001.png, ... and end; it needs an "
     "X display, without one: xvfb-run -a -s \"-screen 0 1920x1080x24\" tyx --export-frames "
     "DIR"},
    {"", kStatsOption, "",
     "at exit, print how many maps were shown, how many came late and the most memory the "
     "decoded maps took"},
    {"", "--lesson", "FILE",
     "step through the lesson FILE (PageDown, PageUp, Home, End); k adds the view shown to it "
     "as a step"},
    {"", "--view", "LAT,LON[,ZOOM]",
     "fly to latitude LAT, longitude LON (degrees), and zoom ZOOM, at start: --view "
     "35.7,139.7,2"},
    {"-h", "--help", "", "print the options and files and exit"},
    {"", "--version", "", "print the version and exit"},
};

const std::vector<DataFileEntry> kDataFiles = {
    {"data/conf/init_conf.txt",
     "base configuration; where the folder has none, the installed one is read and its icon "
     "pictures are used"},
    {"$XDG_CONFIG_HOME/tyx/conf.txt",
     "your settings for every folder, read after the base (~/.config/tyx/conf.txt when "
     "XDG_CONFIG_HOME is not set)"},
    {"data/conf/conf.txt", "the folder's settings, read after yours"},
    {"data/conf/lang-*.txt", "language file, read last"},
    {"data/icons/*.ppm", "icon pictures"},
    {"map/sample1.ppm, ...",
     "the map series (PPM, JPEG or PNG; name, suffix and first number are settings); a "
     "folder without a base configuration and without maps shows the installed demo"},
    {"logo/sample1.ppm, ...", "screen images drawn over the globe"},
    {"data/plot/points/points.csv, data/plot/lines/lines.csv, data/plot/arrows/arrows.csv",
     "plot data shown with every map"},
    {"data/points/points0.txt, data/lines/lines0.txt, data/arrows/arrows0.txt, ...",
     "plot data of one map each, by frame from 0"},
    {"data/draw/lines.txt", "the saved drawing (written by key v)"},
    {"export/", "pictures saved by key S"},
};

// Removes `count` arguments from position `at` of argv.
void remove_arguments(int* argc, char** argv, int at, int count)
{
    for (int i = at; i + count <= *argc; i++)
        argv[i] = argv[i + count];
    *argc -= count;
}

// Takes every "NAME VALUE", "NAME=VALUE" (long names) and a bare NAME at the
// end out of argv; the last one given counts. `empty_ok` marks "NAME=" as
// given with an empty value rather than as missing its value.
FolderOption take_option(int* argc, char** argv, const char* long_name, const char* short_name,
                         bool empty_ok)
{
    FolderOption option;
    bool missing = false;
    const size_t length = std::strlen(long_name);
    for (int i = 1; i < *argc;) {
        const char* arg = argv[i];
        const bool is_short =
            arg != nullptr && short_name != nullptr && std::strcmp(arg, short_name) == 0;
        const bool is_long = arg != nullptr && std::strncmp(arg, long_name, length) == 0 &&
                             (arg[length] == '\0' || arg[length] == '=');
        if (!is_short && !is_long) {
            i++;
            continue;
        }
        option.given = true;
        if (is_long && arg[length] == '=') {
            option.folder = arg + length + 1;
            missing = option.folder.empty() && !empty_ok;
            remove_arguments(argc, argv, i, 1);
        } else if (i + 1 < *argc && argv[i + 1] != nullptr) {
            option.folder = argv[i + 1];
            missing = option.folder.empty();
            remove_arguments(argc, argv, i, 2);
        } else {
            option.folder.clear();
            missing = true;
            remove_arguments(argc, argv, i, 1);
        }
    }
    if (missing)
        option.error = std::string("tyx: ") + (short_name != nullptr ? short_name : long_name) +
                       " needs a folder";
    return option;
}

// `left` in a column of `width` characters, then `text` filled to the
// 79th; a `left` too wide for the column puts the text on the next line.
std::string two_columns(const std::string& left, const std::string& text, size_t width)
{
    constexpr size_t kLineWidth = 79;
    std::string out = "  " + left;
    if (out.size() + 1 > width)
        out += "\n" + std::string(width, ' ');
    else
        out += std::string(width - out.size(), ' ');
    size_t column = width;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find(' ', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(at, end - at);
        if (column > width && column + 1 + word.size() > kLineWidth) {
            out += "\n" + std::string(width, ' ');
            column = width;
        } else if (column > width) {
            out += ' ';
            column++;
        }
        out += word;
        column += word.size();
        at = end + 1;
    }
    return out + "\n";
}

} // namespace

const std::vector<CommandLineOption>& command_line_options()
{
    return kOptions;
}

std::string option_synopsis(const CommandLineOption& option)
{
    const std::string argument = option.argument;
    std::string names;
    for (const char* name : {option.short_name, option.long_name}) {
        if (name[0] == '\0')
            continue;
        if (!names.empty())
            names += ", ";
        names += name;
        if (!argument.empty())
            names += " " + argument;
    }
    return names.empty() ? argument : names;
}

const std::vector<DataFileEntry>& data_files()
{
    return kDataFiles;
}

ExportFramesOption take_export_frames_option(int* argc, char** argv)
{
    FolderOption option = take_option(argc, argv, kExportFramesOption, nullptr, false);
    if (!option.error.empty())
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

FolderOption take_working_folder_option(int* argc, char** argv)
{
    FolderOption option = take_option(argc, argv, kFolderOption, kFolderShortOption, true);
    if (!option.error.empty())
        option.error = "tyx: -C and --folder need the folder to work in, as in tyx -C ~/globe";
    return option;
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
    const FolderOption lesson = take_option(argc, argv, "--lesson", nullptr, true);
    if (lesson.given) {
        if (lesson.folder.empty())
            options.error = "tyx: --lesson needs the lesson file, as in tyx --lesson lesson.txt";
        options.lesson = lesson.folder;
    }
    const FolderOption view = take_option(argc, argv, "--view", nullptr, true);
    if (view.given) {
        options.view_given = true;
        if (!parse_view_place(view.folder, &options.view) && options.error.empty())
            options.error = "tyx: --view needs LAT,LON or LAT,LON,ZOOM in degrees (latitude "
                            "-90 to 90, a zoom above 0), as in --view 35.7,139.7,2; not \"" +
                            view.folder + "\"";
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
    std::string text = "Usage: tyx [OPTION]... [LANGUAGE]\n"
                       "       tyx -h | --help | --version\n"
                       "\n"
                       "tyx shows the numbered maps of the working directory on a globe that "
                       "you\nturn with the mouse, the keyboard or a presentation clicker.\n"
                       "\n"
                       "Options:\n";
    for (const CommandLineOption& option : kOptions)
        text += two_columns(option_synopsis(option), option.help, 24);
    text += "  X options such as -display and -geometry work as in other X programs.\n"
            "\n"
            "Files, in the presentation folder (the working directory) unless told:\n";
    for (const DataFileEntry& file : kDataFiles)
        text += two_columns(file.path, file.help, 32);
    return text + "\n"
                  "Keys: press ? in the viewer window for the key and mouse reference; "
                  "\"man tyx\"\nand the README list it too. q quits.\n";
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
