#include "image/jpeg_codec.h"
#include "image/layout.h"

#include "support/temp_folder.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

namespace {

// The reference decoder: libjpeg's own djpeg, writing a PPM.
std::string djpeg(const TempFolder& dir, const std::string& jpegBytes, const std::string& options)
{
    dir.write("in.jpg", jpegBytes);
    const std::string cmd = "djpeg " + options + " -outfile '" + (dir / "out.ppm").string() + "' '" +
                            (dir / "in.jpg").string() + "'";
    if (std::system(cmd.c_str()) != 0)
        return {};
    const std::string ppm = dir.read("out.ppm");
    // P6\nW H\n255\n then the pixels.
    std::size_t pos = 0;
    for (int fields = 0; fields < 4; ++fields) {
        while (pos < ppm.size() && std::isspace(static_cast<unsigned char>(ppm[pos])))
            ++pos;
        while (pos < ppm.size() && !std::isspace(static_cast<unsigned char>(ppm[pos])))
            ++pos;
    }
    return ppm.substr(pos + 1);
}

std::string rgbOf(const Bitmap& b)
{
    std::string out;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) {
            if (b.bitsPerPixel() == 24) {
                out.append(reinterpret_cast<const char*>(b.row(y) + 3 * x), 3);
            } else {
                const std::uint32_t c = b.palette.at(b.row(y)[x]);
                out += static_cast<char>(c >> 16);
                out += static_cast<char>(c >> 8);
                out += static_cast<char>(c);
            }
        }
    return out;
}

} // namespace

TEST(JpegCodec, DecodesLikeLibjpegWithTheProgramsParameters)
{
    TempFolder dir;
    for (bool progressive : {false, true}) {
        const std::string bytes = makeJpeg(301, 217, progressive);
        const Bitmap b = jpeg::decode(bytes);
        ASSERT_EQ(b.width(), 301);
        ASSERT_EQ(b.height(), 217);
        EXPECT_EQ(b.bitsPerPixel(), 8);
        EXPECT_LE(b.palette.size(), 256u);
        EXPECT_GT(b.palette.size(), 16u);
        std::set<int> used;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                used.insert(b.row(y)[x]);
        EXPECT_LT(*used.rbegin(), static_cast<int>(b.palette.size()));
        const std::string reference = djpeg(dir, bytes, "-colors 256 -dither fs -dct int");
        ASSERT_FALSE(reference.empty()) << "djpeg (libjpeg-turbo-progs) is needed";
        EXPECT_TRUE(rgbOf(b) == reference) << "differs from djpeg -colors 256 -dither fs -dct int";
    }
}

TEST(JpegCodec, TrueColourAndSixteenColours)
{
    TempFolder dir;
    const std::string bytes = makeJpeg(120, 80);
    jpeg::DecodeOptions trueColour;
    trueColour.numOfColors = jpeg::Colors::TrueColor;
    const Bitmap full = jpeg::decode(bytes, trueColour);
    EXPECT_EQ(full.bitsPerPixel(), 24);
    EXPECT_TRUE(rgbOf(full) == djpeg(dir, bytes, "-dct int"));
    jpeg::DecodeOptions sixteen;
    sixteen.numOfColors = jpeg::Colors::Sixteen;
    EXPECT_LE(jpeg::decode(bytes, sixteen).palette.size(), 16u);
}

TEST(JpegCodec, CommentMarkersArePassedOver)
{
    const std::string bytes = makeJpeg(40, 30);
    const std::string comment = "Pellicorio \xE8 qui";
    std::string withComment = bytes.substr(0, 2) + "\xFF\xFE" + static_cast<char>(0) +
                              static_cast<char>(comment.size() + 2) + comment + bytes.substr(2);
    EXPECT_TRUE(rgbOf(jpeg::decode(withComment)) == rgbOf(jpeg::decode(bytes)));
}

TEST(JpegCodec, BadDataFailsWithLibjpegsMessage)
{
    const std::string bytes = makeJpeg(200, 150);
    const struct {
        std::string data;
        const char* message;
    } cases[] = {
        {bytes.substr(0, bytes.size() / 2), "Premature end of JPEG file"},
        {"not a picture at all", "Not a JPEG file: starts with 0x6e 0x6f"},
        {"", "Empty input file"},
        {withAnnouncedSize(bytes, 60000, 60000), "Immagine troppo grande: 60000 x 60000 pixel"},
    };
    for (const auto& c : cases) {
        try {
            jpeg::decode(c.data);
            ADD_FAILURE() << "decoded: " << c.message;
        } catch (const jpeg::JpegError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
    // The decoder is whole again after a failure.
    EXPECT_EQ(jpeg::decode(bytes).width(), 200);
}

TEST(JpegCodec, EncodesBaselineOrProgressiveAtTheGivenSize)
{
    const Bitmap source = jpeg::decode(makeJpeg(64, 48));
    jpeg::EncodeOptions baseline;
    const std::string a = jpeg::encode(source, baseline);
    EXPECT_NE(a.find("\xFF\xC0"), std::string::npos);
    EXPECT_EQ(a.find("\xFF\xC2"), std::string::npos);
    jpeg::EncodeOptions progressive;
    progressive.progressive = true;
    EXPECT_NE(jpeg::encode(source, progressive).find("\xFF\xC2"), std::string::npos);
    const Bitmap back = jpeg::decode(a);
    EXPECT_EQ(back.width(), 64);
    EXPECT_EQ(back.height(), 48);
    // Optimised tables make smaller files than the standard ones.
    jpeg::EncodeOptions fast;
    fast.fastProcessing = true;
    EXPECT_LT(a.size(), jpeg::encode(source, fast).size());
}

// Print pictures have four inks: every mode converts them to the right colours (and the rows
// they are decoded into are sized for what is written there).
TEST(JpegCodec, FourColourPicturesDecodeToTheirColoursInEveryMode)
{
    const int expected[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {200, 150, 100}};
    const struct {
        const char* name;
        jpeg::Colors colours;
        bool grey;
        int bits;
        int tolerance;
    } modes[] = {
        {"TrueColor", jpeg::Colors::TrueColor, false, 24, 6},
        {"256 colours", jpeg::Colors::TwoFiftySix, false, 8, 10},
        {"16 colours", jpeg::Colors::Sixteen, false, 8, 30},
        {"grey", jpeg::Colors::TrueColor, true, 8, 6},
        {"grey 256", jpeg::Colors::TwoFiftySix, true, 8, 6},
    };
    for (bool ycck : {false, true})
        for (const auto& m : modes) {
            SCOPED_TRACE(std::string(m.name) + (ycck ? " YCCK" : " CMYK"));
            jpeg::DecodeOptions o;
            o.numOfColors = m.colours;
            o.grayScale = m.grey;
            const Bitmap b = jpeg::decode(makeInkJpeg(96, 64, ycck), o);
            ASSERT_EQ(b.width(), 96);
            ASSERT_EQ(b.height(), 64);
            ASSERT_EQ(b.bitsPerPixel(), m.bits);
            if (m.bits == 8) {
                EXPECT_LE(b.palette.size(), m.colours == jpeg::Colors::Sixteen ? 16u : 256u);
                for (int y = 0; y < b.height(); ++y)
                    for (int x = 0; x < b.width(); ++x)
                        ASSERT_LT(b.row(y)[x], b.palette.size());
            }
            // The mean colour of a block well inside each quadrant; dithering averages out.
            const std::string rgb = rgbOf(b);
            for (int q = 0; q < 4; ++q) {
                double sum[3] = {0, 0, 0};
                int n = 0;
                for (int y = 8 + 32 * (q / 2); y < 24 + 32 * (q / 2); ++y)
                    for (int x = 8 + 48 * (q % 2); x < 40 + 48 * (q % 2); ++x, ++n)
                        for (int c = 0; c < 3; ++c)
                            sum[c] += static_cast<unsigned char>(rgb[static_cast<std::size_t>(3 * (y * 96 + x) + c)]);
                const int* want = expected[q];
                const double grey = (want[0] * 77 + want[1] * 150 + want[2] * 29) / 256.0;
                for (int c = 0; c < 3; ++c)
                    EXPECT_NEAR(sum[c] / n, m.grey ? grey : want[c], m.tolerance) << "quadrant " << q << " channel " << c;
            }
        }
}

// A failed encode gives back all it took (the sanitizer build's leak check sees to it).
TEST(JpegCodec, AFailedEncodeFailsWithLibjpegsMessageAndLeaksNothing)
{
    Bitmap wide(70000, 1, 24, Bitmap::strideFor(70000, 24),
                static_cast<std::uint8_t*>(std::calloc(Bitmap::strideFor(70000, 24), 1)));
    try {
        jpeg::encode(wide);
        FAIL() << "encoded a picture wider than JPEG allows";
    } catch (const jpeg::JpegError& e) {
        EXPECT_EQ(std::string(e.what()), "Maximum supported image dimension is 65500 pixels");
    }
    EXPECT_FALSE(jpeg::encode(makeRgbPicture(20, 10)).empty()) << "the encoder is whole again";
}

TEST(PictureLayout, FitsCentresAndStretchesByTheFlags)
{
    const struct {
        int w, h, cw, ch;
        bool stretch;
        DrawRect expected;
    } cases[] = {
        {1000, 500, 492, 473, true, {0, 113, 492, 246}},
        {300, 600, 492, 473, true, {128, 0, 236, 473}},
        {100, 50, 492, 473, true, {0, 113, 492, 246}},
        {100, 50, 492, 473, false, {196, 211, 100, 50}},
        {1000, 500, 492, 473, false, {0, 113, 492, 246}},
        {300, 600, 492, 473, false, {128, 0, 236, 473}},
        {473, 473, 492, 473, true, {9, 0, 473, 473}},
        {2000, 100, 492, 473, true, {0, 224, 492, 24}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(layoutPicture(c.w, c.h, c.cw, c.ch, true, true, c.stretch), c.expected)
            << c.w << "x" << c.h << (c.stretch ? " stretched" : "");
    EXPECT_EQ(layoutPicture(100, 50, 492, 473, false, false, true), (DrawRect{0, 0, 492, 473}));
}
