// data_folders.cpp — finds the installed data tree and the user's
// configuration, and chooses where the base configuration, the icons and
// the maps come from.
#include "core/data_folders.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/tyxparam.h"
#include "imagery/series_files.h"

// The installed data tree as seen from the installed program's folder; the
// build gives the one of its install layout.
#ifndef TYX_DATA_TREE_FROM_BINARY
#define TYX_DATA_TREE_FROM_BINARY "../share/tyx"
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char kBaseConfigName[] = "data/conf/init_conf.txt";
constexpr const char kDemoFolder[] = "demo";
constexpr const char kDemoConfigName[] = "data/conf/conf.txt";

bool is_file(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool holds_base_config(const fs::path& tree)
{
    return is_file(tree / kBaseConfigName);
}

std::string working_directory()
{
    std::error_code error;
    const fs::path here = fs::current_path(error);
    return error ? std::string("the working directory") : here.string();
}

// The first number of a series opens under the configured names.
bool first_file_opens(const std::string& stem, const std::string& suffix)
{
    std::string name, reader_suffix;
    FILE* fp = open_series_file(stem, play.tex_start, suffix, &name, &reader_suffix);
    if (fp == nullptr)
        return false;
    std::fclose(fp);
    return true;
}

} // namespace

std::string find_data_tree(const std::string& program_path)
{
    if (program_path.empty())
        return "";
    const fs::path folder = fs::path(program_path).parent_path();
    if (holds_base_config(folder))
        return folder.string();
    const fs::path installed = (folder / TYX_DATA_TREE_FROM_BINARY).lexically_normal();
    if (holds_base_config(installed))
        return installed.string();
    return "";
}

std::string user_config_file(const char* xdg_config_home, const char* home)
{
    if (xdg_config_home != nullptr && xdg_config_home[0] == '/')
        return std::string(xdg_config_home) + "/tyx/conf.txt";
    if (home != nullptr && home[0] != '\0')
        return std::string(home) + "/.config/tyx/conf.txt";
    return "";
}

std::string in_folder(const std::string& folder, const std::string& relative)
{
    if (folder.empty() || (!relative.empty() && relative[0] == '/'))
        return relative;
    return (fs::path(folder) / relative).string();
}

void choose_configuration_files(const std::string& tree)
{
    series.init_file[kUserConfig] =
        user_config_file(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    series.init_file[kBaseConfig] = kBaseConfigName;
    series.init_file[kDemoConfig].clear();
    series.base_folder.clear();
    series.content_folder.clear();
    if (is_file(kBaseConfigName))
        return;
    // Started from a launcher or a new terminal: without this line the
    // globe would come up without icons or settings and nothing would say
    // why.
    if (tree.empty()) {
        std::fprintf(stderr,
                     "tyx: %s has no %s, and no installed data lies beside the program: the "
                     "viewer starts without base settings and icons\n",
                     working_directory().c_str(), kBaseConfigName);
        return;
    }
    series.base_folder = tree;
    series.init_file[kBaseConfig] = in_folder(tree, kBaseConfigName);
    std::fprintf(stderr, "tyx: %s has no %s: the base configuration and the icons come from %s\n",
                 working_directory().c_str(), kBaseConfigName, tree.c_str());
}

bool choose_demo(const std::string& tree)
{
    if (series.base_folder.empty() || tree.empty())
        return false;
    if (first_file_opens(series.strtexfile, series.strtexfile_s) ||
        first_file_opens(series.strscreenfile, series.strscreenfile_s))
        return false;
    const std::string demo = in_folder(tree, kDemoFolder);
    const std::string demo_config = in_folder(demo, kDemoConfigName);
    if (!is_file(demo_config))
        return false; // no demo installed: series discovery tells what is missing
    series.init_file[kDemoConfig] = demo_config;
    series.content_folder = demo;
    std::fprintf(stderr, "tyx: no maps here: showing the demo of %s\n", demo.c_str());
    return true;
}

void place_content_names()
{
    if (series.content_folder.empty())
        return;
    std::string* names[] = {
        &series.strtexfile,
        &series.strtexfile2,
        &series.strdoubletexfile,
        &series.strdoubletexfile2,
        &series.strscreenfile,
        &series.strscreenfile2,
        &series.strdoublescreenfile,
        &series.strdoublescreenfile2,
        &plot.str_points,
        &plot.str_arrows,
        &plot.str_senga,
        &txt.caption_file,
    };
    // An empty name (no caption file) names nothing, not the folder.
    for (std::string* name : names)
        if (!name->empty())
            *name = in_folder(series.content_folder, *name);
}
