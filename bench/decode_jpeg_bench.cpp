// decode_jpeg_bench.cpp — load_image_jpeg against libjpeg's bare decode loop
// on the same 2048 x 1024 file; prints both times and their ratio (target:
// at most 1.1). The file is the xplanet earth map when installed, otherwise a
// map-like pattern written here with libjpeg.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

// clang-format off
#include <jpeglib.h>
// clang-format on

#include "imagery/image_readers.h"

namespace {

const char* const kEarthMap = "/usr/share/xplanet/images/earth.jpg";
std::string jpeg_path;

// Writes a 2048 x 1024 picture with smooth areas, edges and fine texture, as
// maps have, at quality 90.
std::string write_pattern_jpeg()
{
    const std::string path = std::string(TYX_BUILD_DIR) + "/decode_jpeg_bench.jpg";
    FILE* fp = std::fopen(path.c_str(), "wb");
    if (!fp)
        return "";
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, fp);
    cinfo.image_width = 2048;
    cinfo.image_height = 1024;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(2048 * 3);
    unsigned noise = 12345;
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = int(cinfo.next_scanline);
        for (int x = 0; x < 2048; x++) {
            noise = noise * 1103515245 + 12345;
            const double land =
                std::sin(x * 0.006) * std::cos(y * 0.011) + std::sin(x * 0.031 + y * 0.017) * 0.3;
            const int grain = int(noise >> 27) - 16;
            unsigned char* p = &row[size_t(x) * 3];
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
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(fp);
    return path;
}

// The reference: libjpeg's decode loop, one row at a time into one buffer
// allocated per decode, as any reader that hands out images must.
std::unique_ptr<unsigned char[]> bare_decode(FILE* fp, int* width, int* height)
{
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, fp);
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    const size_t stride = size_t(cinfo.output_width) * cinfo.output_components;
    std::unique_ptr<unsigned char[]> pixels(new unsigned char[stride * cinfo.output_height]);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = &pixels[cinfo.output_scanline * stride];
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    *width = int(cinfo.output_width);
    *height = int(cinfo.output_height);
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return pixels;
}

template <typename Decode> void time_decode(benchmark::State& state, Decode decode)
{
    int width = 0, height = 0;
    for (auto _ : state) {
        FILE* fp = std::fopen(jpeg_path.c_str(), "rb");
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
    time_decode(state, load_image_jpeg);
}

void BM_libjpeg_bare(benchmark::State& state)
{
    time_decode(state, bare_decode);
}

BENCHMARK(BM_load_image_jpeg)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_libjpeg_bare)->Unit(benchmark::kMillisecond)->Repetitions(5);

// Console output as usual; keeps the fastest repetition of each benchmark.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            double& best = fastest_[run.run_name.function_name];
            const double t = run.GetAdjustedCPUTime();
            best = best == 0 ? t : std::min(best, t);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    double fastest(const std::string& name) const
    {
        auto it = fastest_.find(name);
        return it == fastest_.end() ? 0 : it->second;
    }

  private:
    std::map<std::string, double> fastest_;
};

} // namespace

int main(int argc, char** argv)
{
    if (FILE* fp = std::fopen(kEarthMap, "rb")) {
        std::fclose(fp);
        jpeg_path = kEarthMap;
    } else {
        jpeg_path = write_pattern_jpeg();
    }
    std::printf("decoding %s\n", jpeg_path.c_str());
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double ours = reporter.fastest("BM_load_image_jpeg");
    const double bare = reporter.fastest("BM_libjpeg_bare");
    if (ours > 0 && bare > 0)
        std::printf("load_image_jpeg %.2f ms, libjpeg alone %.2f ms: ratio %.3f (target <= 1.1)\n",
                    ours, bare, ours / bare);
    benchmark::Shutdown();
    return 0;
}
