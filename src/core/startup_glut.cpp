// startup_glut.cpp — start-up in its fixed order: the working folder, console
// options, language file, the files read before any window (with the hand-off
// to a running copy), then GLUT, the windows, the options and the main loop.
#include <GL/freeglut.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "core/command_line.h"
#include "core/startup.h"
#include "core/tyxparam.h"
#include "core/window.h"
#include "imagery/series_stats.h"
#include "lesson/lesson_steps.h"
#include "render/series_export.h"

int tyx_main(int argc, char** argv)
{
    // Everything after this is found relative to the folder worked in.
    const FolderOption folder = take_working_folder_option(&argc, argv);
    if (!folder.error.empty()) {
        std::fprintf(stderr, "%s\n", folder.error.c_str());
        return 2;
    }
    if (!folder.folder.empty() && chdir(folder.folder.c_str()) != 0) {
        std::fprintf(stderr, "tyx: cannot work in %s: %s\n", folder.folder.c_str(),
                     std::strerror(errno));
        return 2;
    }
    const ExportFramesOption export_frames = take_export_frames_option(&argc, argv);
    if (!export_frames.error.empty()) {
        std::fprintf(stderr, "%s\n", export_frames.error.c_str());
        return 2;
    }
    if (take_flag_option(&argc, argv, kStatsOption))
        play.print_stats = 1;
    print_statistics_at_exit();
    const LessonOptions lesson_options = take_lesson_options(&argc, argv);
    if (!lesson_options.error.empty()) {
        std::fprintf(stderr, "%s\n", lesson_options.error.c_str());
        return 2;
    }
    lesson.lesson_option = lesson_options.lesson;
    lesson.view_option = lesson_options.view_given ? 1 : 0;
    lesson.view_latitude = lesson_options.view.latitude;
    lesson.view_longitude = lesson_options.view.longitude;
    lesson.view_zoom = lesson_options.view.zoom;
    // Help, version and unknown options answer on the console and open nothing.
    CommandLine line = read_command_line(argc, argv);
    if (line.request != CommandLineRequest::kRun)
        return answer_command_line(line);

    series.init_file[kLanguageConfig] = language_file_name(argc, argv);

    // An export run is never handed to a viewer that is already running.
    if (!read_startup_files(/*allow_hand_off=*/!export_frames.given))
        return 0; // another copy is running and was brought to the front
    if (export_frames.given && !begin_series_export(export_frames.folder))
        return 1;

    glutInit(&argc, argv);
    // An alpha channel, so that the finished frame can be made opaque there
    // (cover_window): without one, what blending leaves in the pixels' spare
    // byte makes screenshots show the desktop through translucent parts.
    glutInitDisplayMode(GLUT_RGBA | GLUT_ALPHA | GLUT_DOUBLE | GLUT_DEPTH);
    // Closing a window ends the program like the quit command does.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_EXIT);

    if (wnd.nsphere == 2)
        create_globe_window(2, argv[0]);
    create_globe_window(1, argv[0]);
    // An export shows the start's view as it is, without flying there.
    if (!export_frames.given)
        show_start_view();

    int frame = start_frame_option(argc, argv);
    if (frame >= 0)
        play.ntime = frame;

    series.time_previous = std::time(nullptr) / 60.0;
    glutMainLoop();
    return 0;
}
