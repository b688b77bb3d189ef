// data_folders.h — where tyx finds its files: the presentation folder (the
// working directory), the installed data tree with the base configuration,
// the icon pictures and the demo, and the user's own configuration. No GL.
//
// The installed data tree holds data/conf/init_conf.txt, data/icons/ and
// demo/ (a presentation folder of its own: map/, data/captions.txt,
// data/conf/conf.txt, data/plot/). A build folder is one (build/data, build/demo), and so is
// share/tyx of an installation.
#pragma once

#include <string>

// The data tree for the program file `program_path`: the program's own
// folder when it holds data/conf/init_conf.txt (a build folder), else
// share/tyx beside the program's bin folder (an installation) when that does;
// "" when neither does. The result is absolute when `program_path` is.
std::string find_data_tree(const std::string& program_path);

// The user's configuration for every folder: `xdg_config_home`/tyx/conf.txt,
// or `home`/.config/tyx/conf.txt when xdg_config_home is null, empty or
// relative (as the XDG base directory rules say); "" without either.
std::string user_config_file(const char* xdg_config_home, const char* home);

// `relative` inside `folder`; unchanged when `folder` is empty or `relative`
// is absolute.
std::string in_folder(const std::string& folder, const std::string& relative);

// Start-up, before the configuration is read: chooses the configuration
// files of series.init_file (all but the language file) and
// series.base_folder. A working directory without data/conf/init_conf.txt
// takes the base configuration and the icons from `tree`, and says so on
// standard error; without a tree either, it says what is missing.
void choose_configuration_files(const std::string& tree);

// Start-up, after the first reading: a working directory that took its base
// from `tree` and holds neither the first map nor the first screen image
// under the configured names shows the demo of `tree` instead: the demo's
// configuration joins series.init_file and series.content_folder points at
// the demo. Says so on standard error. True when the demo was taken, and the
// configuration must then be read again from kDemoConfig on.
bool choose_demo(const std::string& tree);

// Puts the relative names of the map series, the plot files and the caption
// file into series.content_folder, where that is set. Called after every reading
// of the configuration; names already placed are absolute and stay.
void place_content_names();
