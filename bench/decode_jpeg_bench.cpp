// decode_jpeg_bench.cpp — load_image_jpeg against libjpeg's bare decode loop
// on the same 2048 x 1024 file, and load_image_png against libpng's on the
// same picture written as a PNG; prints the times and their ratios (target:
// at most 1.1 each). The picture is the xplanet earth map when installed,
// otherwise a map-like pattern written here with libjpeg.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench_jpeg.h"
#include "bench_png.h"
#include "bench_report.h"
#include "imagery/image_readers.h"
#include "imagery/png_writer.h"

namespace {

const char* const kEarthMap = "/usr/share/xplanet/images/earth.jpg";
std::string jpeg_path;
std::string png_path;

// The JPEG's picture as an RGB PNG.
std::string write_png_copy()
{
    const std::string path = std::string(TYX_BUILD_DIR) + "/decode_png_bench.png";
    int width = 0, height = 0;
    auto rgb = libjpeg_decode(jpeg_path, &width, &height);
    std::string error;
    if (!rgb || !write_png_file(path, rgb.get(), width, height, 3, false, &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.c_str());
        return "";
    }
    return path;
}

// Writes a 2048 x 1024 picture with smooth areas, edges and fine texture, as
// maps have, at quality 90.
std::string write_pattern_jpeg()
{
    const std::string path = std::string(TYX_BUILD_DIR) + "/decode_jpeg_bench.jpg";
    const int width = 2048, height = 1024;
    std::vector<unsigned char> rgb(size_t(width) * height * 3);
    unsigned noise = 12345;
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            noise = noise * 1103515245 + 12345;
            const double land =
                std::sin(x * 0.006) * std::cos(y * 0.011) + std::sin(x * 0.031 + y * 0.017) * 0.3;
            const int grain = int(noise >> 27) - 16;
            unsigned char* p = &rgb[(size_t(y) * width + x) * 3];
            if (land > 0.1) {
                p[0] = static_cast<unsigned char>(std::clamp(90 + int(land * 80) + grain, 0, 255));
                p[1] = static_cast<unsigned char>(std::clamp(120 + int(land * 40) + grain, 0, 255));
                p[2] = static_cast<unsigned char>(std::clamp(50 + grain, 0, 255));
            } else {
                p[0] = 10;
                p[1] = static_cast<unsigned char>(std::clamp(40 + int(land * 30), 0, 255));
                p[2] = static_cast<unsigned char>(
                    std::clamp(120 + int(land * 60) + grain / 4, 0, 255));
            }
        }
    }
    return write_rgb_jpeg(path, rgb, width, height, 90) ? path : "";
}

template <typename Decode>
void time_decode(benchmark::State& state, const std::string& path, Decode decode)
{
    int width = 0, height = 0;
    for (auto _ : state) {
        FILE* fp = std::fopen(path.c_str(), "rb");
        if (!fp) {
            state.SkipWithError("cannot open the test file");
            break;
        }
        auto pixels = decode(fp, &width, &height);
        std::fclose(fp);
        benchmark::DoNotOptimize(pixels.get());
    }
    state.SetLabel(std::to_string(width) + " x " + std::to_string(height));
}

void BM_load_image_jpeg(benchmark::State& state)
{
    time_decode(state, jpeg_path, load_image_jpeg);
}

void BM_libjpeg_bare(benchmark::State& state)
{
    time_decode(state, jpeg_path,
                [](FILE* fp, int* w, int* h) { return libjpeg_decode(fp, w, h); });
}

void BM_load_image_png(benchmark::State& state)
{
    time_decode(state, png_path, load_image_png);
}

void BM_libpng_bare(benchmark::State& state)
{
    time_decode(state, png_path, [](FILE* fp, int* w, int* h) { return libpng_decode(fp, w, h); });
}

BENCHMARK(BM_load_image_jpeg)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_libjpeg_bare)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_load_image_png)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_libpng_bare)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace

int main(int argc, char** argv)
{
    if (FILE* fp = std::fopen(kEarthMap, "rb")) {
        std::fclose(fp);
        jpeg_path = kEarthMap;
    } else {
        jpeg_path = write_pattern_jpeg();
    }
    png_path = write_png_copy();
    std::printf("decoding %s and %s\n", jpeg_path.c_str(), png_path.c_str());
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double ours = reporter.fastest("BM_load_image_jpeg");
    const double bare = reporter.fastest("BM_libjpeg_bare");
    if (ours > 0 && bare > 0)
        std::printf("load_image_jpeg %.2f ms, libjpeg alone %.2f ms: ratio %.3f (target <= 1.1)\n",
                    ours, bare, ours / bare);
    const double ours_png = reporter.fastest("BM_load_image_png");
    const double bare_png = reporter.fastest("BM_libpng_bare");
    if (ours_png > 0 && bare_png > 0)
        std::printf("load_image_png %.2f ms, libpng alone %.2f ms: ratio %.3f (target <= 1.1)\n",
                    ours_png, bare_png, ours_png / bare_png);
    benchmark::Shutdown();
    return 0;
}
