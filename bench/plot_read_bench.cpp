// plot_read_bench.cpp — the plot readers against a floor: reading the same
// file's bytes with fread and its numbers with strtod. Reads a points file of
// 10 000 points and a lines file of 20 000 points and prints each ratio
// (target: at most 3); then times a step change with 1 000-entry step files
// for lines, points and arrows against one frame at 60 Hz.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_report.h"
#include "core/tyxparam.h"
#include "plot/plot_files.h"

namespace {

const std::string kDir = std::string(TYX_BUILD_DIR) + "/plot_read_bench";
const std::string kPointsFile = kDir + "/points.csv";
const std::string kLinesFile = kDir + "/lines.csv";

// A number with the digits a data file usually carries.
std::string number(unsigned& seed, double low, double high)
{
    seed = seed * 1103515245 + 12345;
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", low + (high - low) * (seed >> 8) / double(1 << 24));
    return text;
}

std::string point_line(unsigned& seed)
{
    return number(seed, -90, 90) + ", " + number(seed, -180, 180) + ", 1.0, 0.05, " +
           std::to_string(seed % 11) + ", " + number(seed, 0, 1) + ", " + number(seed, 0, 1) +
           ", " + number(seed, 0, 1) + ", 1.0\n";
}

std::string arrow_line(unsigned& seed)
{
    return number(seed, -90, 90) + ", " + number(seed, -180, 180) + ", 1.0, " +
           number(seed, -20, 20) + ", " + number(seed, -20, 20) + ", 1.0, 0.8, 0.2, 1.0\n";
}

// Lines of `per_line` points each, `points` points in all.
std::string lines_text(unsigned& seed, int points, int per_line)
{
    std::string text;
    for (int i = 0; i < points; i++) {
        if (i % per_line == 0)
            text += "#, 3.0, " + number(seed, 0, 1) + ", 0.5, 0.2, 1.0\n";
        text += " " + number(seed, -90, 90) + ", " + number(seed, -180, 180) + ", 1\n";
        if (i % per_line == per_line - 1 || i == points - 1)
            text += "/\n";
    }
    return text;
}

void write_file(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    FILE* fp = std::fopen(path.c_str(), "wb");
    if (fp) {
        std::fwrite(text.data(), 1, text.size(), fp);
        std::fclose(fp);
    }
}

void write_files()
{
    unsigned seed = 7;
    std::string points;
    for (int i = 0; i < kMaxPoints; i++)
        points += point_line(seed);
    write_file(kPointsFile, points);
    write_file(kLinesFile, lines_text(seed, kMaxSengaPoints, 200));
    // Step files 0 and 1 of every data set, 1 000 entries each.
    for (int step = 0; step < 2; step++) {
        const std::string n = std::to_string(step);
        std::string step_points, step_arrows = "# 10, 0.6, 0.4, 0.1, 0.3\n";
        for (int i = 0; i < 1000; i++) {
            step_points += point_line(seed);
            step_arrows += arrow_line(seed);
        }
        write_file(kDir + "/data/points/points" + n + ".txt", step_points);
        write_file(kDir + "/data/arrows/arrows" + n + ".txt", step_arrows + "/\n");
        write_file(kDir + "/data/lines/lines" + n + ".txt", lines_text(seed, 1000, 100));
    }
}

// The floor: the file's bytes into memory, then every number through strtod.
double fread_and_strtod(const std::string& path, std::vector<char>& bytes)
{
    FILE* fp = std::fopen(path.c_str(), "rb");
    if (!fp)
        return 0;
    const size_t size = std::fread(bytes.data(), 1, bytes.size() - 1, fp);
    std::fclose(fp);
    bytes[size] = '\0';
    double sum = 0;
    const char* p = bytes.data();
    const char* const end = p + size;
    while (p < end) {
        char* after = nullptr;
        const double value = std::strtod(p, &after);
        if (after == p) {
            p++;
        } else {
            sum += value;
            p = after;
        }
    }
    return sum;
}

void time_floor(benchmark::State& state, const std::string& path)
{
    std::vector<char> bytes(std::filesystem::file_size(path) + 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(fread_and_strtod(path, bytes));
}

void BM_read_point(benchmark::State& state)
{
    for (auto _ : state) {
        plot.num_point = 0;
        read_point(kPointsFile.c_str(), plot_point_store(), plot.d_radius_point);
    }
    state.SetLabel(std::to_string(plot.num_point) + " points");
}

void BM_points_floor(benchmark::State& state)
{
    time_floor(state, kPointsFile);
}

void BM_read_lines(benchmark::State& state)
{
    for (auto _ : state) {
        plot.pointnum_senga = plot.linenum_senga = 0;
        read_lines(kLinesFile.c_str(), senga_line_store(), plot.d_radius_senga);
    }
    state.SetLabel(std::to_string(plot.pointnum_senga) + " points");
}

void BM_lines_floor(benchmark::State& state)
{
    time_floor(state, kLinesFile);
}

void BM_step_change(benchmark::State& state)
{
    plot.senga_mode_onoff = plot.point_mode_onoff = plot.arrow_mode_onoff = 1;
    int step = 0;
    for (auto _ : state)
        read_step_plot_files(step++ & 1);
    state.SetLabel(std::to_string(plot.pointnum_senga) + " line points, " +
                   std::to_string(plot.num_point) + " points, " + std::to_string(plot.num_arrow) +
                   " arrows");
}

BENCHMARK(BM_read_point)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_points_floor)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_read_lines)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_lines_floor)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_step_change)->Unit(benchmark::kMicrosecond)->Repetitions(5);

void print_ratio(const RatioReporter& reporter, const char* what, const std::string& ours,
                 const std::string& floor)
{
    const double t = reporter.fastest(ours), f = reporter.fastest(floor);
    if (t > 0 && f > 0)
        std::printf("%s: reader %.0f us, fread + strtod %.0f us: ratio %.2f (target <= 3)\n", what,
                    t, f, t / f);
}

} // namespace

int main(int argc, char** argv)
{
    write_files();
    if (chdir(kDir.c_str()) != 0)
        return 1;
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    print_ratio(reporter, "points file, 10000 points", "BM_read_point", "BM_points_floor");
    print_ratio(reporter, "lines file, 20000 points", "BM_read_lines", "BM_lines_floor");
    const double step = reporter.fastest("BM_step_change");
    if (step > 0)
        std::printf("step change, 1000 line points + 1000 points + 1000 arrows: %.0f us "
                    "(%.1f %% of a 16.7 ms frame)\n",
                    step, step / 16667 * 100);
    benchmark::Shutdown();
    return 0;
}
