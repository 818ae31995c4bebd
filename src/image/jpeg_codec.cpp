#include "jpeg_codec.h"

#include <csetjmp>
#include <cstdio>
#include <algorithm>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

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

// Four-colour (print) pictures: libjpeg gives CMYK and no conversion to RGB, so the rows are
// converted here, and quantized here for the palette modes.
struct InkConversion
{
    bool inverted;      // Adobe writes the inks inverted
    int channels;       // of the output: 3 RGB, 1 grey
    int levels[3];      // palette steps per channel; 0 for TrueColor
    bool dither;        // Floyd-Steinberg
    JSAMPARRAY inkRow;  // one CMYK row
    int* error;         // two rows of diffusion errors, (width + 2) * channels each
};

void inkToRgb(const JSAMPLE* ink, bool inverted, int& r, int& g, int& b)
{
    int c = ink[0], m = ink[1], y = ink[2], k = ink[3];
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    r = (c * k + 127) / 255;
    g = (m * k + 127) / 255;
    b = (y * k + 127) / 255;
}

void setupInkPalette(DecodeState& s, const InkConversion& ink)
{
    if (ink.levels[0] == 0) {
        s.colours = ink.channels == 1 ? 256 : 0;
        for (int i = 0; i < s.colours; ++i)
            s.palette[i] = 0xFF000000u | (i << 16) | (i << 8) | i;
        return;
    }
    const auto step = [](int i, int n) { return n > 1 ? i * 255 / (n - 1) : 0; };
    s.colours = 0;
    if (ink.channels == 1) {
        for (int i = 0; i < ink.levels[0]; ++i) {
            const int v = step(i, ink.levels[0]);
            s.palette[s.colours++] = 0xFF000000u | (v << 16) | (v << 8) | v;
        }
        return;
    }
    for (int r = 0; r < ink.levels[0]; ++r)
        for (int g = 0; g < ink.levels[1]; ++g)
            for (int b = 0; b < ink.levels[2]; ++b)
                s.palette[s.colours++] = 0xFF000000u | (step(r, ink.levels[0]) << 16) |
                                         (step(g, ink.levels[1]) << 8) | step(b, ink.levels[2]);
}

// One CMYK row into the picture's row: RGB, grey, or palette indexes with the error of each
// pixel carried to its neighbours.
void convertInkRow(const DecodeState& s, InkConversion& ink, int y, std::uint8_t* out)
{
    const int w = s.width, ch = ink.channels;
    int* cur = ink.error + ((y & 1) ? (w + 2) * ch : 0);
    int* next = ink.error + ((y & 1) ? 0 : (w + 2) * ch);
    if (ink.dither)
        for (int i = 0; i < (w + 2) * ch; ++i)
            next[i] = 0;
    for (int x = 0; x < w; ++x) {
        int v[3];
        inkToRgb(ink.inkRow[0] + 4 * x, ink.inverted, v[0], v[1], v[2]);
        if (ch == 1)
            v[0] = (v[0] * 77 + v[1] * 150 + v[2] * 29 + 128) >> 8;
        if (ink.levels[0] == 0) {
            for (int c = 0; c < ch; ++c)
                out[ch * x + c] = static_cast<std::uint8_t>(v[c]);
            continue;
        }
        int index = 0;
        for (int c = 0; c < ch; ++c) {
            const int n = ink.levels[c];
            int want = v[c] + (ink.dither ? cur[(x + 1) * ch + c] / 16 : 0);
            want = want < 0 ? 0 : want > 255 ? 255 : want;
            const int level = (want * (n - 1) + 127) / 255;
            const int got = level * 255 / (n - 1);
            index = index * n + level;
            if (ink.dither) {
                const int e = want - got;
                cur[(x + 2) * ch + c] += e * 7;
                next[x * ch + c] += e * 3;
                next[(x + 1) * ch + c] += e * 5;
                next[(x + 2) * ch + c] += e;
            }
        }
        out[x] = static_cast<std::uint8_t>(index);
    }
}

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
    const bool inks = s.cinfo.jpeg_color_space == JCS_CMYK || s.cinfo.jpeg_color_space == JCS_YCCK;
    InkConversion ink{};
    if (inks) {
        ink.inverted = s.cinfo.saw_Adobe_marker;
        ink.channels = o.grayScale ? 1 : 3;
        if (o.numOfColors != Colors::TrueColor) {
            const bool sixteen = o.numOfColors == Colors::Sixteen;
            ink.levels[0] = o.grayScale ? (sixteen ? 16 : 0) : (sixteen ? 2 : 6);
            ink.levels[1] = sixteen ? 4 : 7;
            ink.levels[2] = sixteen ? 2 : 6;
        }
        ink.dither = ink.levels[0] != 0 && o.dither != Dither::None;
        s.cinfo.out_color_space = JCS_CMYK;
        s.cinfo.quantize_colors = FALSE;
    }
    jpeg_start_decompress(&s.cinfo);

    s.width = static_cast<int>(s.cinfo.output_width);
    s.height = static_cast<int>(s.cinfo.output_height);
    const int components = inks ? (ink.channels == 3 && ink.levels[0] == 0 ? 3 : 1) : s.cinfo.output_components;
    if (components != 3 && components != 1) {
        std::snprintf(s.err.message, sizeof s.err.message, "Unsupported color conversion request");
        jpeg_destroy_decompress(&s.cinfo);
        return false;
    }
    s.bits = components == 3 ? 24 : 8;
    s.stride = Bitmap::strideFor(s.width, s.bits);
    s.pixels = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(s.stride) * s.height + 1));
    if (!s.pixels) {
        std::snprintf(s.err.message, sizeof s.err.message, "Out of memory");
        jpeg_destroy_decompress(&s.cinfo);
        return false;
    }
    if (inks) {
        const auto common = reinterpret_cast<j_common_ptr>(&s.cinfo);
        ink.inkRow = (*s.cinfo.mem->alloc_sarray)(common, JPOOL_IMAGE, s.cinfo.output_width * 4, 1);
        ink.error = static_cast<int*>((*s.cinfo.mem->alloc_large)(
            common, JPOOL_IMAGE, sizeof(int) * 2 * (static_cast<std::size_t>(s.width) + 2) * ink.channels));
        std::memset(ink.error, 0, sizeof(int) * 2 * (static_cast<std::size_t>(s.width) + 2) * ink.channels);
        while (s.cinfo.output_scanline < s.cinfo.output_height) {
            const int y = static_cast<int>(s.cinfo.output_scanline);
            jpeg_read_scanlines(&s.cinfo, ink.inkRow, 1);
            convertInkRow(s, ink, y, s.pixels + static_cast<std::size_t>(y) * s.stride);
        }
        setupInkPalette(s, ink);
        jpeg_finish_decompress(&s.cinfo);
        jpeg_destroy_decompress(&s.cinfo);
        return true;
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

// The output goes to a buffer of our own, so that a failure half-way can free it (libjpeg's
// memory destination keeps its grown buffer where we cannot reach it).
struct EncodeState
{
    jpeg_compress_struct cinfo;
    ErrorManager err;
    jpeg_destination_mgr dest;
    unsigned char* out;
    std::size_t capacity;
    std::size_t outSize;
};

void initOutput(j_compress_ptr cinfo)
{
    auto* s = static_cast<EncodeState*>(cinfo->client_data);
    s->dest.next_output_byte = s->out;
    s->dest.free_in_buffer = s->capacity;
}

boolean growOutput(j_compress_ptr cinfo)
{
    auto* s = static_cast<EncodeState*>(cinfo->client_data);
    auto* bigger = static_cast<unsigned char*>(std::realloc(s->out, s->capacity * 2));
    if (!bigger)
        ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    s->out = bigger;
    s->dest.next_output_byte = bigger + s->capacity;
    s->dest.free_in_buffer = s->capacity;
    s->capacity *= 2;
    return TRUE;
}

void termOutput(j_compress_ptr cinfo)
{
    auto* s = static_cast<EncodeState*>(cinfo->client_data);
    s->outSize = s->capacity - s->dest.free_in_buffer;
}

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
    s.cinfo.client_data = &s;
    s.capacity = 64 * 1024;
    s.out = static_cast<unsigned char*>(std::malloc(s.capacity));
    if (!s.out)
        ERREXIT(&s.cinfo, JERR_OUT_OF_MEMORY);
    s.dest.init_destination = initOutput;
    s.dest.empty_output_buffer = growOutput;
    s.dest.term_destination = termOutput;
    s.cinfo.dest = &s.dest;
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
