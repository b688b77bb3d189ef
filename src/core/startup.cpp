// startup.cpp — the command-line rules and the start-up steps that come
// before any window exists: configuration, saved drawings, base plot files,
// series discovery.
#include "core/startup.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "config/readinitfile.h"
#include "core/data_folders.h"
#include "core/tyxparam.h"
#include "drawing/drawing_store.h"
#include "imagery/series_discovery.h"
#include "platform/click_lock.h"
#include "platform/platform.h"
#include "plot/plot_files.h"
#include "text/captions.h"

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

bool read_startup_files(bool allow_hand_off)
{
    const std::string tree = find_data_tree(executable_path());
    choose_configuration_files(tree);
    series.readinit_file = 1;
    func_readinit_file();
    // The demo's settings come before the folder's own, which are read again.
    if (choose_demo(tree))
        func_readinit_file(kDemoConfig);
    series.readinit_file = 0;
    load_caption_file();

    // The hand-off comes after the configuration, which decides whether to
    // look for a running copy at all, and before anything else is read or
    // shown.
    if (allow_hand_off && wnd.single_instance == 1 && run_or_focus() == 1)
        return false;

    read_drawing_files();
    read_base_plot_files();
    glutSetClickLock(icons.ClickLock);
    fileornot();

    for (int i = 0; i < kIconPlaces; i++)
        icons.icon_onoff[i] = icons.icon_onoff_permanent[i];
    return true;
}
