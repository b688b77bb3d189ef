// startup_glut.cpp — start-up in its fixed order: console options, language file, the files
// read before any window (with the hand-off to a running copy), then GLUT, the
// windows, the options and the main loop.
#include <GL/freeglut.h>

#include <ctime>

#include "core/command_line.h"
#include "core/startup.h"
#include "core/tyxparam.h"
#include "core/window.h"

int tyx_main(int argc, char** argv)
{
    // Help, version and unknown options answer on the console and open nothing.
    CommandLine line = read_command_line(argc, argv);
    if (line.request != CommandLineRequest::kRun)
        return answer_command_line(line);

    series.init_file[2] = language_file_name(argc, argv);

    if (!read_startup_files())
        return 0; // another copy is running and was brought to the front

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
