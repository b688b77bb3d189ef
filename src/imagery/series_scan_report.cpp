// series_scan_report.cpp — the lines that tell the user what the series scan
// found: the maps in use, or why there are none and what to change.
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "core/tyxparam.h"
#include "imagery/series_discovery.h"
#include "imagery/series_files.h"

namespace {

// Numbers beyond this many digits are no frame numbers anyone writes.
constexpr size_t kMaxNumberDigits = 12;

std::string upper_case(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string lower_case(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The name a frame's file was found under (the upper-case suffix when only
// that exists), or the configured name.
std::string found_name(const std::string& stem, int frame, const std::string& suffix)
{
    std::string name, reader_suffix;
    FILE* fp = open_series_file(stem, static_cast<long long>(frame) + play.tex_start, suffix, &name,
                                &reader_suffix);
    if (fp != nullptr)
        std::fclose(fp);
    return name;
}

// "first ... last", or the one name.
std::string name_range(const std::string& stem, const std::string& suffix, int first, int last)
{
    std::string text = found_name(stem, first, suffix);
    if (last != first)
        text += " ... " + found_name(stem, last, suffix);
    return text;
}

std::string counted(int n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// A file in a stem's folder named stem + digits + "." + suffix.
struct NumberedFile {
    std::string name;   // as the stem writes it, folder included
    std::string digits; // the number as written, leading zeros kept
    long long number = 0;
    std::string suffix;
};

std::string stem_folder(const std::string& stem)
{
    size_t slash = stem.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : stem.substr(0, slash);
}

// Every file of the stem's folder whose name continues the stem with a
// number and a suffix, in no particular order. Empty when the folder cannot
// be read.
std::vector<NumberedFile> numbered_files(const std::string& stem)
{
    namespace fs = std::filesystem;
    size_t slash = stem.find_last_of('/');
    const std::string prefix = slash == std::string::npos ? stem : stem.substr(slash + 1);
    const std::string shown = slash == std::string::npos ? "" : stem.substr(0, slash + 1);
    std::vector<NumberedFile> files;
    std::error_code error;
    fs::directory_iterator it(stem_folder(stem), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string file = it->path().filename().string();
        if (file.compare(0, prefix.size(), prefix) != 0)
            continue;
        size_t end = prefix.size();
        while (end < file.size() && std::isdigit(static_cast<unsigned char>(file[end])))
            end++;
        const size_t digits = end - prefix.size();
        if (digits == 0 || digits > kMaxNumberDigits || end >= file.size() || file[end] != '.')
            continue;
        NumberedFile f;
        f.name = shown + file;
        f.digits = file.substr(prefix.size(), digits);
        f.number = std::stoll(f.digits);
        f.suffix = file.substr(end + 1);
        files.push_back(f);
    }
    return files;
}

// Written as the series names its files: no leading zeros.
bool plain_number(const NumberedFile& f)
{
    return f.digits == std::to_string(f.number);
}

bool series_suffix_matches(const NumberedFile& f, const std::string& suffix)
{
    return f.suffix == suffix || f.suffix == upper_case(suffix);
}

// The series file with the smallest number above `number`, or null.
const NumberedFile* next_after(const std::vector<NumberedFile>& files, const std::string& suffix,
                               long long number)
{
    const NumberedFile* best = nullptr;
    for (const NumberedFile& f : files)
        if (plain_number(f) && series_suffix_matches(f, suffix) && f.number > number &&
            (best == nullptr || f.number < best->number))
            best = &f;
    return best;
}

// "tyx: 24 maps, map/sample1.jpg ... map/sample24.jpg"
std::string found_line(const SeriesScan& scan)
{
    const std::string& map_stem = series.strtexfile;
    const std::string& map_suffix = series.strtexfile_s;
    std::string line = "tyx: ";
    if (!scan.film.path.empty()) {
        line += counted(scan.frames, "map, ", "maps, ") + scan.film.path + " (" +
                describe_film(scan.film.info) + ")";
    } else if (scan.maps == scan.frames) {
        line += counted(scan.maps, "map, ", "maps, ") +
                name_range(map_stem, map_suffix, scan.first_map, scan.last_map);
    } else {
        line += counted(scan.frames, "frame", "frames");
        if (scan.maps > 0)
            line += ", " + std::to_string(scan.maps) + " with a map (" +
                    name_range(map_stem, map_suffix, scan.first_map, scan.last_map) + ")";
        else
            line += ", none with a map (looked for " + found_name(map_stem, 0, map_suffix) + ")";
    }
    if (scan.screens > 0)
        line += "; " + counted(scan.screens, "screen image, ", "screen images, ") +
                name_range(series.strscreenfile, series.strscreenfile_s, scan.first_screen,
                           scan.last_screen);
    return line + "\n";
}

// A number missing from the middle of the files: the series stops there and
// the files after it are never shown.
std::string gap_line(const SeriesScan& scan)
{
    const long long missing = static_cast<long long>(play.tex_start) + scan.run;
    const std::vector<NumberedFile> maps = numbered_files(series.strtexfile);
    const std::vector<NumberedFile> screens = numbered_files(series.strscreenfile);
    const NumberedFile* later = next_after(maps, series.strtexfile_s, missing);
    const NumberedFile* later_screen = next_after(screens, series.strscreenfile_s, missing);
    if (later == nullptr || (later_screen != nullptr && later_screen->number < later->number))
        later = later_screen;
    if (later == nullptr)
        return "";
    return "tyx: the series stops before number " + std::to_string(missing) + ": neither " +
           series_file_name(series.strtexfile, missing, series.strtexfile_s) + " nor " +
           series_file_name(series.strscreenfile, missing, series.strscreenfile_s) +
           " exists, but " + later->name + " does; fill the gap or renumber the files\n";
}

// What lies beside the missing first map that the user may have meant.
std::string first_map_hints()
{
    const std::string& stem = series.strtexfile;
    const std::string& suffix = series.strtexfile_s;
    const long long start = play.tex_start;
    const std::vector<NumberedFile> files = numbered_files(stem);
    std::string hints;

    // The first number under another suffix; a readable one first.
    const NumberedFile* other = nullptr;
    for (const NumberedFile& f : files) {
        if (f.number != start || !plain_number(f) || series_suffix_matches(f, suffix))
            continue;
        const std::string lower = lower_case(f.suffix);
        const bool readable = lower == "ppm" || lower == "jpg" || lower == "jpeg" || lower == "png";
        if (other == nullptr || readable)
            other = &f;
        if (readable)
            break;
    }
    if (other != nullptr) {
        const std::string lower = lower_case(other->suffix);
        if (lower == "ppm" || lower == "jpg" || lower == "jpeg" || lower == "png")
            hints += "tyx: found " + other->name + "; set #TextureSuffix " + lower + "\n";
        else
            hints += "tyx: found " + other->name +
                     "; tyx reads binary colour PPM, JPEG and PNG maps: convert the maps to one "
                     "of them\n";
    }

    // The first number written with leading zeros.
    for (const NumberedFile& f : files) {
        if (f.number == start && !plain_number(f) && series_suffix_matches(f, suffix)) {
            hints += "tyx: found " + f.name + "; numbers in map names have no leading zeros (" +
                     series_file_name(stem, start, f.suffix) + ")\n";
            break;
        }
    }

    // The series under its name and suffix, starting at another number.
    const NumberedFile* lowest = nullptr;
    for (const NumberedFile& f : files)
        if (plain_number(f) && series_suffix_matches(f, suffix) &&
            (lowest == nullptr || f.number < lowest->number))
            lowest = &f;
    if (lowest != nullptr && lowest->number != start)
        hints += "tyx: found " + lowest->name + "; set #TextureStart " +
                 std::to_string(lowest->number) + "\n";
    return hints;
}

// No frame at all: what was looked for, where, and what lies there instead.
std::string nothing_found_lines()
{
    namespace fs = std::filesystem;
    std::error_code error;
    std::string where = fs::current_path(error).string();
    if (error)
        where = "the working directory";
    std::string line =
        "tyx: no maps found: looked for " +
        series_file_name(series.strtexfile, play.tex_start, series.strtexfile_s) +
        " and the screen image " +
        series_file_name(series.strscreenfile, play.tex_start, series.strscreenfile_s) + " in " +
        where;
    const std::string folder = stem_folder(series.strtexfile);
    if (!fs::is_directory(folder, error))
        line += "; there is no folder " + folder;
    return line + "\n" + first_map_hints();
}

// Frames found, but "#TextureEnd" lets none be shown.
std::string texture_end_line()
{
    return "tyx: no maps used: #TextureEnd is " + std::to_string(play.tex_end) +
           "; set it to the number of maps to show\n";
}

// A map film that does not open, or is damaged.
std::string film_problem_line(const FilmScan& film)
{
    if (film.problem.empty())
        return "";
    return "tyx: " + film.path + ": " + film.problem +
           (film.opened && film.info.damaged ? "; the frames before play" : "") + "\n";
}

// A map film none of whose frames is shown.
std::string unused_film_line(const FilmScan& film)
{
    const long long start = play.tex_start;
    if (start >= 1 && start <= film.info.frames)
        return texture_end_line();
    return "tyx: " + film.path + " has " + counted(film.info.frames, "frame", "frames") +
           "; #TextureStart " + std::to_string(start) +
           " names none of them (film frames count from 1)\n";
}

} // namespace

std::string describe_series_scan(const SeriesScan& scan)
{
    if (!scan.film.path.empty()) {
        const std::string problem = film_problem_line(scan.film);
        if (scan.frames > 0)
            return found_line(scan) + problem;
        return problem + (scan.film.opened ? unused_film_line(scan.film) : "");
    }
    if (scan.frames > 0)
        return found_line(scan) + (scan.stopped_at_gap ? gap_line(scan) : "");
    if (scan.run > 0)
        return texture_end_line();
    return nothing_found_lines();
}
