// drawing_files.cpp — the drawing files: the protected layer and the user's
// strokes read at start-up, and the save that replaces the user's file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "core/tyxparam.h"
#include "drawing/drawing_store.h"

namespace {

constexpr double kPi = 3.1415926535;
constexpr double kRadiansToDegrees = 57.2957795131;

bool within_half_turn(double angle)
{
    return angle >= 0 && angle <= kPi; // false for not-a-number
}

// Latitude, longitude (degrees) and height (globe radii) of a stored point.
// The guards settle the poles and rounding just past the ends of acos.
void point_to_lat_lon(const double p[3], double out[3])
{
    double x = p[0], y = p[1], z = p[2];
    double r = std::sqrt(x * x + y * y + z * z);
    double theta = std::acos(z / r);
    if (!within_half_turn(theta))
        theta = z >= 0 ? 0 : kPi;
    double phi;
    if (y >= 0) {
        phi = std::acos(x / (std::sin(theta) * r));
        if (!within_half_turn(phi))
            phi = x >= 0 ? 0 : kPi;
    } else {
        double back = std::acos(-x / (std::sin(theta) * r));
        if (!within_half_turn(back))
            back = x >= 0 ? kPi : 0;
        phi = kPi + back;
    }
    out[0] = 90 - theta * kRadiansToDegrees;
    out[1] = phi * kRadiansToDegrees - 180;
    out[2] = r / drawing.d_radius;
}

void report_not_saved(const char* path, int error)
{
    std::fprintf(stderr, "tyx: %s: not saved: %s\n", path, std::strerror(error));
}

// Creates `folder` and its parents where missing; errors show at the write.
void make_folders(const std::string& folder)
{
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        mkdir(folder.substr(0, slash).c_str(), 0777);
        if (slash == std::string::npos)
            return;
    }
}

// The permissions the saved file gets: those of the file it replaces, or the
// usual ones for a new file.
mode_t saved_file_mode(const char* path)
{
    struct stat old;
    if (stat(path, &old) == 0 && S_ISREG(old.st_mode))
        return old.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Makes the rename itself durable; a failure here loses nothing written.
void sync_folder(const std::string& folder)
{
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

} // namespace

LineStore drawing_line_store()
{
    LineStore store;
    store.points = drawing.d_zahyo;
    store.ranges = drawing.lines;
    store.widths = drawing.mat_line_width_drawing;
    store.colors = drawing.mat_color_drawing;
    store.point_count = &drawing.pointnum;
    store.line_count = &drawing.linenum;
    // The whole store: capture refuses to start a stroke once it is full.
    store.point_capacity = kMaxDrawPoints;
    store.line_capacity = kMaxStrokes;
    return store;
}

void read_drawing_files()
{
    read_lines(kProtectedDrawingFile, drawing_line_store(), drawing.d_radius);
    drawing.min_linenum_undo = drawing.linenum;
    read_lines(kUserDrawingFile, drawing_line_store(), drawing.d_radius);
    drawing.saved_num_line = drawing.linenum;
}

bool write_drawings(FILE* out)
{
    int n = drawing.linenum + (drawing.line_continue == 1 ? 1 : 0);
    if (n > kMaxStrokes)
        n = kMaxStrokes;
    for (int k = drawing.min_linenum_undo; k < n; k++) {
        float width, color[4];
        stroke_pen(k, &width, color);
        std::fprintf(out, "#, %g,%g,%g,%g,%g\n", width, color[0], color[1], color[2], color[3]);
        int first = drawing.lines[k][0] < 0 ? 0 : drawing.lines[k][0];
        int last = drawing.lines[k][1] < kMaxDrawPoints ? drawing.lines[k][1] : kMaxDrawPoints - 1;
        for (int i = first; i <= last; i++) {
            double place[3];
            point_to_lat_lon(drawing.d_zahyo[i], place);
            std::fprintf(out, " %g,%g,%g\n", place[0], place[1], place[2]);
        }
        std::fputs("/\n", out);
    }
    return std::ferror(out) == 0;
}

bool save_drawings_as(const char* path)
{
    std::string target = path;
    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? "."
                         : slash == 0               ? "/"
                                                    : target.substr(0, slash);
    if (slash != std::string::npos && slash > 0)
        make_folders(folder);

    std::string pattern = target + ".tmp-XXXXXX";
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    int fd = mkstemp(temp.data());
    if (fd < 0) {
        report_not_saved(path, errno);
        return false;
    }
    fchmod(fd, saved_file_mode(path));
    FILE* out = fdopen(fd, "w");
    if (out == nullptr) {
        int error = errno;
        close(fd);
        unlink(temp.data());
        report_not_saved(path, error);
        return false;
    }

    int error = 0;
    errno = 0;
    if (!write_drawings(out) || std::fflush(out) != 0 || fsync(fd) != 0)
        error = errno != 0 ? errno : EIO;
    if (std::fclose(out) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(temp.data(), path) != 0)
        error = errno;
    if (error != 0) {
        unlink(temp.data());
        report_not_saved(path, error);
        return false;
    }
    sync_folder(folder);
    return true;
}

bool save_drawings()
{
    return save_drawings_as(kUserDrawingFile);
}
