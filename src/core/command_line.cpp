// command_line.cpp — the series export option, taken out of the command line.
#include "core/command_line.h"

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

ExportFramesOption take_export_frames_option(int* argc, char** argv)
{
    ExportFramesOption option;
    const size_t length = std::strlen(kOption);
    for (int i = 1; i < *argc;) {
        const char* arg = argv[i];
        if (arg == nullptr || std::strncmp(arg, kOption, length) != 0 ||
            (arg[length] != '\0' && arg[length] != '=')) {
            i++;
            continue;
        }
        option.given = true;
        if (arg[length] == '=') {
            option.folder = arg + length + 1;
            remove_arguments(argc, argv, i, 1);
        } else if (i + 1 < *argc && argv[i + 1] != nullptr) {
            option.folder = argv[i + 1];
            remove_arguments(argc, argv, i, 2);
        } else {
            option.folder.clear();
            remove_arguments(argc, argv, i, 1);
        }
    }
    if (option.given && option.folder.empty())
        option.error = "tyx: --export-frames needs the folder to write the frames to, as in "
                       "tyx --export-frames frames";
    return option;
}
