// startup.cpp — start-up in its fixed order: language file, configuration,
// saved drawings, base plot files, series discovery, windows, options, loop.
#include "core/startup.h"

#include <GL/freeglut.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "config/readinitfile.h"
#include "core/tyxparam.h"
#include "core/window.h"
#include "drawing/drawing_store.h"
#include "imagery/series_discovery.h"
#include "platform/platform.h"
#include "plot/plot_files.h"

std::string language_file_name(int argc, const char* const* argv)
{
    // The file name buffer holds 32 bytes: 15 for the prefix, 5 for ".txt"
    // and its terminator, so at most 12 characters of the argument fit.
    constexpr size_t kMaxLanguageChars = 32 - 15 - 5;
    if (argc != 2 || argv[1] == nullptr)
        return "data/conf/lang-japanese.txt";
    return "data/conf/lang-" + std::string(argv[1], strnlen(argv[1], kMaxLanguageChars)) + ".txt";
}

int start_frame_option(int argc, const char* const* argv)
{
    int frame = -1;
    for (int i = 1; i < argc; i++) {
        const char* arg = argv[i];
        if (arg == nullptr || arg[0] != '-')
            continue;
        if (arg[1] != 'n')
            continue;
        if (i + 1 >= argc) {
            frame = -1;
            break;
        }
        const char* value = argv[++i];
        char* end = nullptr;
        errno = 0;
        long n = std::strtol(value, &end, 10);
        bool whole = end != value && *end == '\0';
        frame = (whole && errno == 0 && n >= 0 && n <= INT_MAX) ? static_cast<int>(n) : -1;
    }
    return frame;
}

int tyx_main(int argc, char** argv)
{
    static std::string language_file;
    language_file = language_file_name(argc, argv);
    series.init_file[2] = language_file;

    if (run_or_focus() == 1)
        return 0;

    series.readinit_file = 1;
    func_readinit_file();
    series.readinit_file = 0;

    read_drawing_files();
    read_base_plot_files();
    fileornot();

    for (int i = 0; i < kIconPlaces; i++)
        icons.icon_onoff[i] = icons.icon_onoff_permanent[i];

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    // Closing a window ends the program like the quit command does.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_EXIT);

    if (wnd.nsphere == 2)
        create_globe_window(2, argv[0]);
    create_globe_window(1, argv[0]);

    int frame = start_frame_option(argc, argv);
    if (frame >= 0)
        play.ntime = frame;

    series.time_previous = std::time(nullptr) / 60.0;
    glutMainLoop();
    return 0;
}
