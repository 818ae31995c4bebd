#include "support/archives.h"
#include "support/program_fixture.h"
#include "support/test_pictures.h"

#include "ui/jpeg_view.h"
#include "ui/zoom_window.h"

#include <QListView>
#include <QPushButton>
#include <QTimer>

#include <fstream>

namespace {

std::string jpegFile(const TempFolder& dir, const std::string& name, int w, int h)
{
    dir.write(name, makeJpeg(w, h));
    return (dir / name).string();
}

QString q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

TEST(JpegView, FailedLoadsKeepWhatTheViewShows)
{
    TempFolder dir;
    JpegView view;
    view.resize(492, 473);
    const std::string good = jpegFile(dir, "good.jpg", 1000, 500);
    view.setFileName(q(good));
    ASSERT_EQ(view.picture().size(), QSize(1000, 500));
    EXPECT_EQ(view.picture().format(), QImage::Format_Indexed8);
    EXPECT_LE(view.picture().colorCount(), 256);
    EXPECT_EQ(view.drawRect(), QRect(0, 113, 492, 246));
    const std::string goodBytes = view.buffer();

    // Half a file: the new bytes are taken, the picture stays.
    const std::string whole = makeJpeg(300, 600);
    dir.write("half.jpg", whole.substr(0, whole.size() / 2));
    EXPECT_THROW(view.setFileName(q((dir / "half.jpg").string())), jpeg::JpegError);
    EXPECT_EQ(view.picture().size(), QSize(1000, 500));
    EXPECT_EQ(view.buffer().size(), whole.size() / 2);
    EXPECT_EQ(view.fileName(), q((dir / "half.jpg").string()));

    // A missing file: buffer and picture stay; the error names the file.
    view.setFileName(q(good));
    try {
        view.setFileName(q((dir / "none.jpg").string()));
        FAIL();
    } catch (const UserError& e) {
        EXPECT_EQ(std::string(e.what()), "File not found\n" + (dir / "none.jpg").string());
    }
    EXPECT_EQ(view.buffer(), goodBytes);
    EXPECT_EQ(view.picture().size(), QSize(1000, 500));

    // A file far larger than any picture the view accepts is not read at all.
    {
        std::ofstream huge(dir / "huge.jpg", std::ios::binary);
        huge.seekp(static_cast<std::streamoff>(jpeg::kMaxFileBytes));
        huge.put('\xD9');
    }
    try {
        view.setFileName(q((dir / "huge.jpg").string()));
        FAIL();
    } catch (const UserError& e) {
        EXPECT_EQ(std::string(e.what()), "File troppo grande (oltre 268 MB)\n" + (dir / "huge.jpg").string());
    }
    EXPECT_EQ(view.buffer(), goodBytes);
    EXPECT_EQ(view.picture().size(), QSize(1000, 500));

    jpeg::DecodeOptions trueColour;
    trueColour.numOfColors = jpeg::Colors::TrueColor;
    view.setDecodeOptions(trueColour); // decodes the held bytes again
    EXPECT_EQ(view.picture().format(), QImage::Format_RGB888);

    view.setFileName(QString());
    EXPECT_TRUE(view.picture().isNull());
    EXPECT_TRUE(view.buffer().empty());
}

TEST(JpegView, LoadedFileMayGoAwayAndStillBeSaved)
{
    TempFolder dir;
    JpegView view;
    const std::string path = jpegFile(dir, "loctmp.jpg", 300, 600);
    view.setFileName(q(path));
    std::filesystem::remove(path);
    EXPECT_EQ(view.picture().size(), QSize(300, 600));
    view.saveAsJpeg(q((dir / "lc_MATRIX.jpg").string()));
    const Bitmap saved = jpeg::decode(dir.read("lc_MATRIX.jpg"));
    EXPECT_EQ(saved.width(), 300);
    EXPECT_EQ(saved.height(), 600);

    EXPECT_THROW(view.saveAsJpeg(q((dir / "missing" / "x.jpg").string())), UserError);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    JpegView empty; // no picture: nothing is written
    empty.saveAsJpeg(q((dir / "empty.jpg").string()));
    EXPECT_FALSE(std::filesystem::exists(dir / "empty.jpg"));
}

TEST(JpegView, NotStretchedOnlyShrinks)
{
    TempFolder dir;
    JpegView webloc;
    webloc.setStretch(false);
    webloc.resize(492, 473);
    webloc.setFileName(q(jpegFile(dir, "small.jpg", 100, 50)));
    EXPECT_EQ(webloc.drawRect(), QRect(196, 211, 100, 50));
    webloc.setPicture(QImage());
    EXPECT_TRUE(webloc.drawRect().isNull());
}

using Zoom = ProgramFixture;

TEST_F(Zoom, ShowsTheCoverOrThePosterUnderItsCaption)
{
    writeConfig();
    std::filesystem::create_directories(folder / "copertine");
    std::filesystem::create_directories(folder / "locandine");
    const std::string coverPath = jpegFile(folder, "copertine/MATRIX.jpg", 1000, 500);
    jpegFile(folder, "locandine/lc_MATRIX.jpg", 300, 600);
    folder.write("films.txt", archiveLines({archivedFilm("MATRIX.AVI")}));
    start();
    main()->show();
    // The pictures are those of the title the user chose.
    auto* list = control<QListView>("DBLBresult");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    ZoomWindow* zoom = windows->form2.get();
    EXPECT_EQ(zoom->windowTitle(), "Zenfo - ZOOM COPERTINA");
    EXPECT_EQ(zoom->size(), QSize(492, 473));

    const auto zoomWith = [&](const char* button) {
        QTimer::singleShot(0, zoom, [zoom] { zoom->close(); });
        control<QPushButton>(button)->click();
    };
    zoomWith("CoverZoom");
    EXPECT_EQ(zoom->choice(), ZoomWindow::Choice::Cover);
    EXPECT_EQ(zoom->windowTitle(), "Copertina del film : MATRIX.jpg");
    EXPECT_EQ(zoom->CoverZ->picture().size(), QSize(1000, 500));
    EXPECT_EQ(zoom->CoverZ->drawRect(), QRect(0, 113, 492, 246));

    zoomWith("LCZOOM");
    EXPECT_EQ(zoom->choice(), ZoomWindow::Choice::Poster);
    EXPECT_EQ(zoom->windowTitle(), "Localdina del film : MATRIX.jpg");
    EXPECT_EQ(zoom->CoverZ->picture().size(), QSize(300, 600));
    EXPECT_TRUE(dialogs.log.empty());

    // A file that does not load is reported; the window opens as it was last time.
    std::filesystem::remove(coverPath);
    zoomWith("CoverZoom");
    ASSERT_EQ(dialogs.log.size(), 1u);
    EXPECT_EQ(dialogs.log[0], "error: File not found\n" + coverPath);
    EXPECT_EQ(zoom->windowTitle(), "Localdina del film : MATRIX.jpg");
    EXPECT_EQ(zoom->CoverZ->picture().size(), QSize(300, 600));
}

TEST_F(Zoom, BeforeAnyTitleTheWindowOpensEmpty)
{
    writeConfig();
    folder.write("films.txt", "");
    start();
    ZoomWindow* zoom = windows->form2.get();
    QTimer::singleShot(0, zoom, [zoom] { zoom->close(); });
    control<QPushButton>("LCZOOM")->click();
    EXPECT_EQ(zoom->windowTitle(), "Localdina del film : ");
    EXPECT_TRUE(zoom->CoverZ->picture().isNull());
    EXPECT_TRUE(dialogs.log.empty());
}
