// Peak memory of the largest picture the view accepts (10,000 x 10,000 pixels): the view's whole
// load and the scaled copy it draws, each measured in a process of its own. The toolkit's smooth
// scaling is measured beside ours, as the baseline it replaces.
//   build/bench/picture_memory [SIDE]
#include "image/bitmap.h"
#include "image/jpeg_codec.h"
#include "platform/files.h"
#include "ui/jpeg_view.h"


#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long peakKiB()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Runs work in a child process and returns the child's peak resident memory in MiB.
template <typename Work>
double peakOf(Work work)
{
    int fds[2];
    if (::pipe(fds) != 0)
        std::exit(1);
    const pid_t child = ::fork();
    if (child == 0) {
        work();
        const long kib = peakKiB();
        (void)!::write(fds[1], &kib, sizeof kib);
        ::_exit(0);
    }
    long kib = 0;
    (void)!::read(fds[0], &kib, sizeof kib);
    ::waitpid(child, nullptr, 0);
    ::close(fds[0]);
    ::close(fds[1]);
    return kib / 1024.0;
}

} // namespace

int main(int argc, char** argv)
{
    const int side = argc > 1 ? std::atoi(argv[1]) : 10000;
    const std::string path = "/tmp/pellicorio-largest-" + std::to_string(::getpid()) + ".jpg";
    const double making = peakOf([&] {
        const int stride = Bitmap::strideFor(side, 24);
        Bitmap b(side, side, 24, stride, static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(stride) * side)));
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                std::uint8_t* p = b.row(y) + 3 * x;
                p[0] = static_cast<std::uint8_t>(128 + 120 * std::sin(x / 37.0) * std::cos(y / 53.0));
                p[1] = static_cast<std::uint8_t>((x ^ y) & 0xFF);
                p[2] = static_cast<std::uint8_t>(255 * y / side);
            }
        files::writeAtomically(path, jpeg::encode(b));
    });
    std::printf("picture %d x %d, file %.1f MB (made in %.0f MiB)\n", side, side,
                static_cast<double>(files::readWhole(path).size()) / 1e6, making);

    const double baseline = peakOf([] {});
    const QSize view(492, 473);
    for (const jpeg::Colors colours : {jpeg::Colors::TwoFiftySix, jpeg::Colors::TrueColor}) {
        jpeg::DecodeOptions options;
        options.numOfColors = colours;
        const auto load = [&] {
            return decodeToImage(files::readWhole(path, jpeg::kMaxFileBytes), options);
        };
        const double loaded = peakOf([&] { load(); });
        const double ours = peakOf([&] { const QImage image = load(); scaledPicture(image, view); });
        const double toolkit = peakOf([&] {
            const QImage image = load();
            image.scaled(view, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        });
        std::printf("%-10s load %7.0f MiB   shown (ours) %7.0f MiB   shown (toolkit smooth) %7.0f MiB   "
                    "[empty process %.0f MiB]\n",
                    colours == jpeg::Colors::TrueColor ? "TrueColor" : "256", loaded, ours, toolkit, baseline);
    }
    ::unlink(path.c_str());
    return 0;
}
