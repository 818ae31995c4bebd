// Picture decoding: the view's whole load (bytes to the image it draws) against bare libjpeg with
// the same parameters, as djpeg -colors 256 -dither fs -dct int runs it, rows into a scratch buffer.
#include "image/jpeg_codec.h"
#include "ui/jpeg_view.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

// One 1000 x 1500 colour picture, made once.
const std::string& picture()
{
    static const std::string bytes = [] {
        const int w = 1000, h = 1500, stride = Bitmap::strideFor(w, 24);
        Bitmap b(w, h, 24, stride, static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(stride) * h)));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                std::uint8_t* p = b.row(y) + 3 * x;
                p[0] = static_cast<std::uint8_t>(128 + 120 * std::sin(x / 37.0) * std::cos(y / 53.0));
                p[1] = static_cast<std::uint8_t>((x * y) / 97 % 256);
                p[2] = static_cast<std::uint8_t>(255 * y / h);
            }
        return jpeg::encode(b, jpeg::EncodeOptions{});
    }();
    return bytes;
}

void BM_ViewDecode(benchmark::State& state)
{
    const std::string& bytes = picture();
    const jpeg::DecodeOptions options;
    for (auto _ : state) {
        QImage image = decodeToImage(bytes, options);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}

struct BareError
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void BM_LibjpegDecode(benchmark::State& state)
{
    const std::string& bytes = picture();
    std::vector<JSAMPLE> scratch(1000 * 3);
    for (auto _ : state) {
        jpeg_decompress_struct cinfo;
        BareError err;
        cinfo.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<BareError*>(c->err)->jump, 1); };
        if (setjmp(err.jump)) {
            jpeg_destroy_decompress(&cinfo);
            state.SkipWithError("decode failed");
            break;
        }
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        jpeg_read_header(&cinfo, TRUE);
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = 256;
        cinfo.two_pass_quantize = TRUE;
        cinfo.dither_mode = JDITHER_FS;
        cinfo.dct_method = JDCT_ISLOW;
        cinfo.do_fancy_upsampling = TRUE;
        jpeg_start_decompress(&cinfo);
        JSAMPROW row = scratch.data();
        while (cinfo.output_scanline < cinfo.output_height)
            jpeg_read_scanlines(&cinfo, &row, 1);
        benchmark::DoNotOptimize(scratch.data());
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}

BENCHMARK(BM_ViewDecode)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_LibjpegDecode)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
