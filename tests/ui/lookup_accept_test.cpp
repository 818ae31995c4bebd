#include "support/lookup_fixture.h"
#include "support/test_pictures.h"

#include "archive/archive_line.h"
#include "browser/image_names.h"
#include "image/jpeg_codec.h"
#include "platform/files.h"
#include "ui/intake_tab.h"
#include "ui/jpeg_view.h"

#include <QApplication>
#include <QCheckBox>

#include <cstdlib>

namespace {

// The poster and the cover of the test's film: two pictures of different sizes.
const std::string kPosterPath = "/locand/mr2003.jpg";
const std::string kCoverPath = "/posters/loc/500/mr2003.jpg";

class LookupPictures : public LookupFixture
{
protected:
    const std::string poster = makeJpeg(120, 170);
    const std::string cover = makeJpeg(500, 360);

    void serveFilmWithPictures(const std::string& title = "Il nome della rosa")
    {
        serveSearch({{"rosa", title}});
        serveFilm("rosa", filmuppages::filmPage(title, "\n", "locand/mr2003.jpg"));
    }
    IntakeTab* intake() const { return main()->intakeTab(); }
    QStringList pictureLines() const
    {
        QStringList out;
        for (const QString& line : log())
            if (line.contains("Locandina") || line.contains("Copertina") || line.contains("locandina"))
                out << line;
        return out;
    }
    void clickActorBox(int line)
    {
        QListWidget* actors = window()->CLBATT;
        const QRect rect = actors->visualItemRect(actors->item(line));
        QTest::mouseClick(actors->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 10, rect.center().y()));
    }
};

// Mean difference per channel between two pictures of one size.
double meanDifference(const Bitmap& a, const Bitmap& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width() * 3; ++x)
            sum += std::abs(int(a.row(y)[x]) - int(b.row(y)[x]));
    return sum / (double(a.width()) * a.height() * 3);
}

} // namespace

TEST_F(LookupPictures, APosterThatFailsDoesNotStopTheCover)
{
    serveFilmWithPictures();
    serve(kCoverPath, cover);
    startAndOpen();
    search();

    EXPECT_EQ(pictureLines(), (QStringList{"Chiedo Locandina.", "ERR: Locandina NON ricevuta", "Chiedo Copertina.",
                                           QString("Copertina ricevuta.( %1 bytes)").arg(cover.size())}));
    EXPECT_EQ(log().last(), "Terminato !");
    EXPECT_FALSE(program.intake.draft().posterReceived);
    EXPECT_TRUE(program.intake.draft().coverReceived);
    EXPECT_TRUE(window()->LED1->isOn());
    EXPECT_TRUE(window()->WEBLOC->picture().isNull());
    EXPECT_EQ(intake()->JPEGImage1->picture().size(), QSize(500, 360));
    EXPECT_EQ(server.requests().at(2).target, kPosterPath);
    EXPECT_EQ(server.requests().at(3).target, kCoverPath);

    // The next search empties the views and puts the lamp out; a page without a reference then
    // leaves both flags down, though the last film's pictures had arrived.
    serve(kPosterPath, poster);
    search();
    ASSERT_TRUE(program.intake.draft().posterReceived && program.intake.draft().coverReceived);
    EXPECT_EQ(window()->WEBLOC->picture().size(), QSize(120, 170));
    serveFilm("rosa", filmuppages::filmPage("Il nome della rosa"));
    search();
    const int picturesAsked = requestsTo(kPosterPath) + requestsTo(kCoverPath);
    search();
    EXPECT_EQ(pictureLines(), (QStringList{"URL locandina e copertina NON trovata."}));
    EXPECT_EQ(requestsTo(kPosterPath) + requestsTo(kCoverPath), picturesAsked);
    EXPECT_FALSE(program.intake.draft().posterReceived);
    EXPECT_FALSE(program.intake.draft().coverReceived);
    EXPECT_FALSE(window()->LED1->isOn());
    EXPECT_TRUE(window()->WEBLOC->picture().isNull());
    EXPECT_TRUE(intake()->JPEGImage1->picture().isNull());
}

TEST_F(LookupPictures, BodiesThatAreNoPictureAreRefused)
{
    serveFilmWithPictures();
    startAndOpen();
    const struct
    {
        const char* name;
        std::string body;
    } cases[] = {
        {"an HTML page", "<html><body>Pagina non trovata</body></html>"},
        {"a picture announcing 60000 x 60000 pixels", withAnnouncedSize(makeJpeg(64, 64), 60000, 60000)},
        {"a picture cut in half", makeJpeg(120, 170).substr(0, 300)},
        {"nothing", ""},
    };
    for (const auto& c : cases) {
        serve(kPosterPath, c.body, "text/html");
        serve(kCoverPath, c.body, "text/html");
        search();
        EXPECT_EQ(pictureLines(),
                  (QStringList{"Chiedo Locandina.", QString("Locandina ricevuta.( %1 bytes)").arg(c.body.size()),
                               "ERR: Locandina NON ricevuta", "Chiedo Copertina.",
                               QString("Copertina ricevuta.( %1 bytes)").arg(c.body.size()),
                               "ERR: Copertina NON ricevuta"}))
            << c.name;
        EXPECT_FALSE(program.intake.draft().posterReceived) << c.name;
        EXPECT_FALSE(program.intake.draft().coverReceived) << c.name;
        EXPECT_FALSE(window()->LED1->isOn()) << c.name;
        EXPECT_EQ(log().last(), "Terminato !") << c.name;
    }
}

TEST_F(LookupPictures, UntickedOptionsRequestNoPicture)
{
    serveFilmWithPictures();
    serve(kPosterPath, poster);
    serve(kCoverPath, cover);
    start();
    main()->show();
    clickPage(2);
    QTest::mouseClick(control<QCheckBox>("CBSL"), Qt::LeftButton);
    QTest::mouseClick(control<QCheckBox>("CBSCOP"), Qt::LeftButton);
    ASSERT_FALSE(program.settings.CBSL || program.settings.CBSCOP);
    clickPage(1);
    clickIntakeLine(0);
    QTest::mouseClick(control<QPushButton>("Paste"), Qt::LeftButton);
    search();
    EXPECT_EQ(pictureLines(), QStringList{});
    EXPECT_EQ(requestsTo(kPosterPath) + requestsTo(kCoverPath), 0);
    EXPECT_EQ(log().last(), "Terminato !");
    EXPECT_FALSE(program.intake.draft().posterReceived || program.intake.draft().coverReceived);
}

TEST_F(LookupPictures, TickedActorsAreSplitInTwoHalves)
{
    serveFilmWithPictures();
    startAndOpen();
    search();
    // Sean Connery, Christian Slater, Michael Lonsdale, Ron Perlman ticked; F. Murray Abraham not.
    const struct
    {
        int click;
        const char* first;
        const char* second;
    } steps[] = {
        {3, "Sean Connery - Christian Slater -", "Michael Lonsdale -"},
        {4, "Sean Connery - Christian Slater -", "Michael Lonsdale - F. Murray Abraham -"},
        {3, "Sean Connery - Christian Slater - Michael Lonsdale -", "Ron Perlman - F. Murray Abraham -"},
        {0, "Christian Slater - Michael Lonsdale -", "Ron Perlman - F. Murray Abraham -"},
    };
    for (const auto& s : steps) {
        clickActorBox(s.click);
        EXPECT_EQ(field("WEBATT1"), s.first) << s.click;
        EXPECT_EQ(field("WEBATT2"), s.second) << s.click;
    }
    for (int line : {1, 2, 3})
        clickActorBox(line);
    EXPECT_EQ(field("WEBATT1"), "F. Murray Abraham -");
    EXPECT_EQ(field("WEBATT2"), "");
    clickActorBox(4);
    EXPECT_EQ(field("WEBATT1"), "");
    EXPECT_EQ(field("WEBATT2"), "");

    // A click on a genre, the one already selected included, puts it in the field.
    QListWidget* genres = window()->CLBGEN;
    QTest::mouseClick(genres->viewport(), Qt::LeftButton, {}, genres->visualItemRect(genres->item(1)).center());
    EXPECT_EQ(field("WEBGEN"), "GIALLO");
    window()->WEBGEN->setText("altro");
    QTest::mouseClick(genres->viewport(), Qt::LeftButton, {}, genres->visualItemRect(genres->item(1)).center());
    EXPECT_EQ(field("WEBGEN"), "GIALLO");
}

TEST_F(LookupPictures, AcceptingColoursTheTitleByItsFirstLetters)
{
    // A tool-tip colour of its own, so that it cannot pass for the default text colour.
    const QPalette original = QApplication::palette();
    QPalette tips = original;
    tips.setColor(QPalette::ToolTipText, QColor(0, 0, 170));
    QApplication::setPalette(tips);
    std::filesystem::remove(folder / "media/Il nome della rosa - CD1.avi");
    prepare("Matrix Reloaded.avi");
    for (const auto& [title, colour] :
         {std::pair{"The Matrix Reloaded", QColor(255, 0, 0)}, std::pair{"Matrix reloaded", QColor(0, 0, 170)},
          std::pair{"Reloaded", QColor(255, 0, 0)}}) {
        serveFilmWithPictures(title);
        if (!windows)
            startAndOpen();
        else
            QTest::mouseClick(control<QPushButton>("Paste"), Qt::LeftButton);
        search();
        QTest::mouseClick(window()->WEBOK, Qt::LeftButton);
        EXPECT_FALSE(window()->isVisible());
        EXPECT_EQ(intake()->EDTitolo->text(), title);
        EXPECT_EQ(intake()->EDTitolo->palette().color(QPalette::Text), colour) << title;
        EXPECT_EQ(intake()->EDNFLOC->text(), "lc_Matrix Reloaded.jpg");
        // No poster arrived: the intake's poster view is empty.
        EXPECT_TRUE(intake()->LOC->picture().isNull());
    }
    QApplication::setPalette(original);
}

TEST_F(LookupPictures, AnAccentedFileNameKeepsItsLetters)
{
    std::filesystem::remove(folder / "media/Il nome della rosa - CD1.avi");
    prepare("Citt\xC3\xA0 aperta.avi");
    serveFilmWithPictures("Citt\xE0 aperta");
    serve(kPosterPath, poster);
    startAndOpen();
    EXPECT_EQ(window()->WEBSEARCH->text(), QString::fromUtf8("CITT\xC3\xA0 APERTA"));
    search();
    EXPECT_NE(server.requests().front().target.find("q=CITT%E0+APERTA&"), std::string::npos);
    QTest::mouseClick(window()->WEBOK, Qt::LeftButton);
    EXPECT_EQ(intake()->EDNFLOC->text(), QString::fromUtf8("lc_Citt\xC3\xA0 aperta.jpg"));
    QTest::mouseClick(intake()->AssociaDati, Qt::LeftButton);
    EXPECT_TRUE(std::filesystem::exists(folder / "locandine" / "lc_Citt\xC3\xA0 aperta.jpg"));
}

TEST_F(LookupPictures, AcceptingWithoutASelectedLineKeepsTheData)
{
    serveFilmWithPictures();
    startAndOpen();
    search();
    auto* list = control<QListWidget>("CheckListBox1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(0)).center());
    ASSERT_FALSE(list->item(0)->isSelected());
    QTest::mouseClick(window()->WEBOK, Qt::LeftButton);
    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"beep"}));
    EXPECT_TRUE(window()->isVisible());
    EXPECT_EQ(field("WEBTIT"), "Il nome della rosa");
    EXPECT_EQ(intake()->EDTitolo->text(), "");
    EXPECT_FALSE(intake()->AssociaDati->isEnabled());
}

TEST_F(LookupPictures, AFilmTravelsFromTheMediaFolderToTheArchive)
{
    std::filesystem::remove(folder / "media/Il nome della rosa - CD1.avi");
    prepare("Matrix Reloaded.avi");
    serveSearch({{"matrix", "Matrix reloaded"}, {"rosa", "Matrix Reloaded (making of)"}});
    serveFilm("matrix", filmuppages::filmPage("Matrix reloaded", "\n", "locand/mr2003.jpg"));
    serve(kPosterPath, poster);
    serve(kCoverPath, cover);
    startAndOpen();
    EXPECT_EQ(window()->WEBSEARCH->text(), "MATRIX RELOADED");
    whenVisible(chooser(), [&] { QTest::mouseClick(chooser()->SQLOK, Qt::LeftButton); });
    search();
    ASSERT_TRUE(window()->WEBOK->isEnabled());
    EXPECT_EQ(window()->WEBLOC->picture().size(), QSize(120, 170));
    EXPECT_TRUE(window()->LED1->isOn());
    // Ron Perlman stays out.
    clickActorBox(3);
    QTest::mouseClick(window()->WEBOK, Qt::LeftButton);

    IntakeTab* in = intake();
    EXPECT_EQ(in->EDTitolo->text(), "Matrix reloaded");
    EXPECT_EQ(in->EDGenere->text(), "DRAMMATICO");
    EXPECT_EQ(in->EDDurata->text(), "130'");
    EXPECT_EQ(in->EDDataU->text(), "1986");
    EXPECT_EQ(in->EDAttore1->text(), "Sean Connery - Christian Slater -");
    EXPECT_EQ(in->EDAttore2->text(), "Michael Lonsdale -");
    EXPECT_EQ(in->EDRegia->text(), "Jean-Jacques Annaud");
    EXPECT_EQ(in->EDNFLOC->text(), "lc_Matrix Reloaded.jpg");
    EXPECT_EQ(in->LOC->picture().size(), QSize(120, 170));
    ASSERT_TRUE(in->AssociaDati->isEnabled());

    QTest::mouseClick(in->AssociaDati, Qt::LeftButton);
    dialogs.confirmAnswers = {true};
    QTest::mouseClick(in->AddToDB, Qt::LeftButton);
    ASSERT_EQ(dialogs.log.front(), "confirm: Aggiungo elementi con spunta a DataBase ?");

    const std::string archive = files::readWhole(folder / "films.txt", 1 << 20);
    const std::string line = archive.substr(0, archive.find("\r\n"));
    const dfilm record = archiveline::parse(line, RegionalSettings::italian());
    EXPECT_EQ(record.titolo, "MATRIX RELOADED.AVI");
    EXPECT_EQ(record.genere, "DRAMMATICO");
    EXPECT_EQ(record.durata, "130'");
    EXPECT_EQ(record.datau, "1986");
    EXPECT_EQ(record.attore1, "Sean Connery - Christian Slater -");
    EXPECT_EQ(record.attore2, "Michael Lonsdale -");
    EXPECT_EQ(record.regia, "Jean-Jacques Annaud");
    EXPECT_EQ(record.trama, "Nel 1327 un frate francescano indaga su morti misteriose in un'abbazia.");

    // The pictures as the server sent them, through the views' 256 colours and a new encoding:
    // close, not equal (another picture differs by 50 and more).
    const struct
    {
        std::filesystem::path file;
        const std::string& sent;
    } pictures[] = {{folder / "locandine" / "lc_Matrix Reloaded.jpg", poster},
                    {folder / "copertine" / images::imageName("MATRIX RELOADED.AVI"), cover}};
    jpeg::DecodeOptions rgb;
    rgb.numOfColors = jpeg::Colors::TrueColor;
    for (const auto& p : pictures) {
        ASSERT_TRUE(std::filesystem::exists(p.file)) << p.file;
        const Bitmap saved = jpeg::decode(files::readWhole(p.file, 1 << 24), rgb);
        const Bitmap original = jpeg::decode(p.sent, rgb);
        ASSERT_EQ(saved.width(), original.width()) << p.file;
        ASSERT_EQ(saved.height(), original.height()) << p.file;
        EXPECT_LT(meanDifference(saved, original), 12.0) << p.file;
    }
}
