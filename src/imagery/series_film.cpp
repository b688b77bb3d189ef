// series_film.cpp — film layers of the map series: names and discovery.
#include "imagery/series_film.h"

#include <cctype>
#include <cstdio>
#include <sys/stat.h>

#include "core/tyxparam.h"
#include "imagery/series_files.h"

namespace {

bool is_file(const std::string& path)
{
    struct stat file {};
    return stat(path.c_str(), &file) == 0 && !S_ISDIR(file.st_mode);
}

} // namespace

std::string find_series_film(const std::string& stem, const std::string& suffix,
                             long long first_number)
{
    if (!is_film_suffix(suffix))
        return "";
    std::string upper = suffix;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // Numbered files of a film suffix come first, as they always did.
    if (is_file(series_file_name(stem, first_number, suffix)) ||
        is_file(series_file_name(stem, first_number, upper)))
        return "";
    for (const std::string& name : {stem + "." + suffix, stem + "." + upper})
        if (is_file(name))
            return name;
    return "";
}

std::string series_map_film()
{
    return find_series_film(series.strtexfile, series.strtexfile_s, play.tex_start);
}

FilmScan scan_map_film()
{
    FilmScan scan;
    scan.path = series_map_film();
    if (scan.path.empty())
        return scan;
    FilmOptions options;
    options.threads = 1; // nothing is decoded
    FilmHandle film = open_film(scan.path, options, &scan.problem);
    if (!film)
        return scan;
    scan.opened = true;
    scan.info = film_info(*film);
    scan.problem = film_problem(*film);
    return scan;
}

std::string describe_film(const FilmInfo& info)
{
    std::string text = info.codec + " " + std::to_string(info.width) + "x" +
                       std::to_string(info.height);
    if (info.variable_rate || info.fps <= 0)
        return text + ", variable frame rate";
    char rate[32];
    std::snprintf(rate, sizeof rate, ", %.4g fps", info.fps);
    return text + rate;
}
