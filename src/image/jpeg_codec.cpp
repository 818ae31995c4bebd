#include "jpeg_codec.h"

#include <csetjmp>
#include <cstdio>
#include <algorithm>
#include <cstring>

#include <jpeglib.h>

// libjpeg reports errors by longjmp, which skips C++ destructors: between each setjmp below and
// the end of the libjpeg work only C structs and raw pointers live; C++ objects are made after.

namespace jpeg {
namespace {

struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void errorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (level -1) fail the load too; trace messages are dropped.
void emitMessage(j_common_ptr cinfo, int level)
{
    if (level < 0)
        errorExit(cinfo);
}

void installErrors(ErrorManager& err)
{
    jpeg_std_error(&err.pub);
    err.pub.error_exit = errorExit;
    err.pub.emit_message = emitMessage;
    err.message[0] = 0;
}

J_DCT_METHOD dctOf(Dct d)
{
    switch (d) {
    case Dct::FastInteg:
        return JDCT_IFAST;
    case Dct::FloatingPoint:
        return JDCT_FLOAT;
    case Dct::Integ:
        break;
    }
    return JDCT_ISLOW;
}

void applyOptions(jpeg_decompress_struct& c, const DecodeOptions& o)
{
    c.quantize_colors = o.numOfColors != Colors::TrueColor;
    c.desired_number_of_colors = o.numOfColors == Colors::Sixteen ? 16 : 256;
    c.dct_method = dctOf(o.dctMethod);
    c.dither_mode = o.dither == Dither::None ? JDITHER_NONE : o.dither == Dither::FS ? JDITHER_FS : JDITHER_ORDERED;
    c.two_pass_quantize = TRUE;
    c.do_fancy_upsampling = TRUE;
    if (o.fastProcessing) {
        c.two_pass_quantize = FALSE;
        c.dither_mode = JDITHER_ORDERED;
        c.dct_method = JDCT_IFAST;
        c.do_fancy_upsampling = FALSE;
    }
    if (o.grayScale)
        c.out_color_space = JCS_GRAYSCALE;
    if (o.noSmooth)
        c.do_fancy_upsampling = FALSE;
    if (o.onePass)
        c.two_pass_quantize = FALSE;
}

struct DecodeState
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    std::uint8_t* volatile pixels;
    int width, height, bits, stride;
    int colours;
    std::uint32_t palette[256];
    bool tooLarge;
};

// Returns false with state.err.message (or tooLarge) set on failure.
bool runDecode(DecodeState& s, const unsigned char* data, unsigned long size, const DecodeOptions& o)
{
    s.pixels = nullptr;
    s.tooLarge = false;
    s.colours = 0;
    installErrors(s.err);
    s.cinfo.err = &s.err.pub;
    if (setjmp(s.err.jump)) {
        jpeg_destroy_decompress(&s.cinfo);
        std::free(s.pixels);
        s.pixels = nullptr;
        return false;
    }
    jpeg_create_decompress(&s.cinfo);
    s.cinfo.mem->max_memory_to_use = 1L << 30;
    jpeg_mem_src(&s.cinfo, data, size);
    applyOptions(s.cinfo, o);
    jpeg_read_header(&s.cinfo, TRUE);
    if (static_cast<std::uint64_t>(s.cinfo.image_width) * s.cinfo.image_height > kMaxPixels) {
        s.tooLarge = true;
        s.width = static_cast<int>(s.cinfo.image_width);
        s.height = static_cast<int>(s.cinfo.image_height);
        jpeg_destroy_decompress(&s.cinfo);
        return false;
    }
    applyOptions(s.cinfo, o); // reading the header resets them
    jpeg_start_decompress(&s.cinfo);

    s.width = static_cast<int>(s.cinfo.output_width);
    s.height = static_cast<int>(s.cinfo.output_height);
    s.bits = s.cinfo.output_components == 3 ? 24 : 8;
    s.stride = Bitmap::strideFor(s.width, s.bits);
    s.pixels = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(s.stride) * s.height + 1));
    if (!s.pixels) {
        std::snprintf(s.err.message, sizeof s.err.message, "Out of memory");
        jpeg_destroy_decompress(&s.cinfo);
        return false;
    }
    while (s.cinfo.output_scanline < s.cinfo.output_height) {
        JSAMPROW rows[8];
        const int n = std::min<int>(8, static_cast<int>(s.cinfo.output_height - s.cinfo.output_scanline));
        for (int k = 0; k < n; ++k)
            rows[k] = s.pixels + static_cast<std::size_t>(s.cinfo.output_scanline + k) * s.stride;
        jpeg_read_scanlines(&s.cinfo, rows, static_cast<JDIMENSION>(n));
    }
    if (s.cinfo.quantize_colors) {
        s.colours = s.cinfo.actual_number_of_colors;
        for (int i = 0; i < s.colours && i < 256; ++i) {
            const int r = s.cinfo.colormap[0][i];
            const int g = s.cinfo.out_color_components == 3 ? s.cinfo.colormap[1][i] : r;
            const int b = s.cinfo.out_color_components == 3 ? s.cinfo.colormap[2][i] : r;
            s.palette[i] = 0xFF000000u | (r << 16) | (g << 8) | b;
        }
    } else if (s.bits == 8) {
        s.colours = 256;
        for (int i = 0; i < 256; ++i)
            s.palette[i] = 0xFF000000u | (i << 16) | (i << 8) | i;
    }
    jpeg_finish_decompress(&s.cinfo);
    jpeg_destroy_decompress(&s.cinfo);
    return true;
}

struct EncodeState
{
    jpeg_compress_struct cinfo;
    ErrorManager err;
    unsigned char* volatile out;
    unsigned long outSize;
};

bool runEncode(EncodeState& s, const Bitmap& p, const EncodeOptions& o)
{
    s.out = nullptr;
    s.outSize = 0;
    installErrors(s.err);
    s.cinfo.err = &s.err.pub;
    if (setjmp(s.err.jump)) {
        jpeg_destroy_compress(&s.cinfo);
        std::free(s.out);
        s.out = nullptr;
        return false;
    }
    jpeg_create_compress(&s.cinfo);
    unsigned char* out = nullptr;
    jpeg_mem_dest(&s.cinfo, &out, &s.outSize);
    s.cinfo.image_width = static_cast<JDIMENSION>(p.width());
    s.cinfo.image_height = static_cast<JDIMENSION>(p.height());
    s.cinfo.input_components = 3;
    s.cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&s.cinfo);
    jpeg_default_colorspace(&s.cinfo);
    if (o.grayScale)
        jpeg_set_colorspace(&s.cinfo, JCS_GRAYSCALE);
    s.cinfo.dct_method = dctOf(o.dctMethod);
    s.cinfo.optimize_coding = o.fastProcessing ? FALSE : TRUE;
    jpeg_set_quality(&s.cinfo, o.quality, FALSE);
    if (o.progressive)
        jpeg_simple_progression(&s.cinfo);
    jpeg_start_compress(&s.cinfo, TRUE);
    JSAMPARRAY rgb = (*s.cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&s.cinfo), JPOOL_IMAGE,
                                                  static_cast<JDIMENSION>(p.width()) * 3, 1);
    while (s.cinfo.next_scanline < s.cinfo.image_height) {
        const std::uint8_t* src = p.row(static_cast<int>(s.cinfo.next_scanline));
        if (p.bitsPerPixel() == 24) {
            std::memcpy(rgb[0], src, static_cast<std::size_t>(p.width()) * 3);
        } else {
            for (int x = 0; x < p.width(); ++x) {
                const std::uint32_t c = src[x] < p.palette.size() ? p.palette[src[x]] : 0;
                rgb[0][3 * x] = static_cast<JSAMPLE>(c >> 16);
                rgb[0][3 * x + 1] = static_cast<JSAMPLE>(c >> 8);
                rgb[0][3 * x + 2] = static_cast<JSAMPLE>(c);
            }
        }
        jpeg_write_scanlines(&s.cinfo, rgb, 1);
    }
    jpeg_finish_compress(&s.cinfo);
    s.out = out;
    jpeg_destroy_compress(&s.cinfo);
    return true;
}

} // namespace

Bitmap decode(std::string_view bytes, const DecodeOptions& options)
{
    if (bytes.empty())
        throw JpegError("Empty input file");
    static thread_local DecodeState s; // large and plain; kept off the stack
    if (!runDecode(s, reinterpret_cast<const unsigned char*>(bytes.data()),
                   static_cast<unsigned long>(bytes.size()), options)) {
        if (s.tooLarge)
            throw JpegError("Immagine troppo grande: " + std::to_string(s.width) + " x " + std::to_string(s.height) +
                            " pixel");
        throw JpegError(s.err.message);
    }
    Bitmap out(s.width, s.height, s.bits, s.stride, s.pixels);
    s.pixels = nullptr;
    out.palette.assign(s.palette, s.palette + s.colours);
    return out;
}

std::string encode(const Bitmap& picture, const EncodeOptions& options)
{
    if (picture.isEmpty())
        throw JpegError("Nessuna immagine da salvare");
    static thread_local EncodeState s;
    if (!runEncode(s, picture, options))
        throw JpegError(s.err.message);
    std::string bytes(reinterpret_cast<const char*>(s.out), s.outSize);
    std::free(s.out);
    s.out = nullptr;
    return bytes;
}

} // namespace jpeg
