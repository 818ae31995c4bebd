#include "session/archive_session.h"
#include "session/intake_session.h"

#include "archive/archive_file.h"
#include "base/errors.h"
#include "support/archives.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

namespace {

const RegionalSettings kItalian = RegionalSettings::italian();

// A session on films.txt holding ALIEN, MATRIX and ZORRO, recording what it announces.
struct OpenSession
{
    TempFolder folder;
    ArchiveSession archive;
    std::vector<ArchiveChange> changes;

    OpenSession()
    {
        folder.write("films.txt", archiveLines({archivedFilm("ALIEN.MPG"), archivedFilm("MATRIX.AVI"),
                                                archivedFilm("ZORRO.DIVX")}));
        ScriptedDialogs dialogs;
        LoadArchive(archive.model(), path(), kItalian, dialogs);
        archive.setArchivePath(path());
        QObject::connect(&archive, &ArchiveSession::changed, [this](const ArchiveChange& c) { changes.push_back(c); });
    }
    std::string path() const { return (folder / "films.txt").string(); }
    std::string memory() const
    {
        const ArchiveModel& m = archive.model();
        return formatArchive(m.ArchiveTable, m.ArchiveCount, kItalian) + "|" +
               formatArchive(m.ViewTable, m.ViewCount, kItalian);
    }
};

IntakeModel intakeWith(const std::string& title)
{
    IntakeModel intake;
    intake.IntakeTable.edit(++intake.IntakeCount) = archivedFilm(title);
    return intake;
}

struct Change
{
    const char* name;
    std::function<void(OpenSession&, const IntakeModel&)> make;
    ArchiveChange::Kind kind;
    int viewRow;
    int archiveCount;
};

const Change kChanges[] = {
    {"update",
     [](OpenSession& s, const IntakeModel&) {
         s.archive.update(2, {"DRAMMATICO", "136'", "1999", "Keanu", "Carrie", "Wachowski", "Gino-CD9", "Trama"});
     },
     ArchiveChange::Kind::Updated, 2, 3},
    {"deletion", [](OpenSession& s, const IntakeModel&) { s.archive.remove(1); }, ArchiveChange::Kind::Removed, 1, 2},
    {"addition",
     [](OpenSession& s, const IntakeModel& intake) { s.archive.add(intake, {1}, {}); },
     ArchiveChange::Kind::Added, 0, 4},
    {"merge",
     [](OpenSession& s, const IntakeModel&) {
         s.folder.write("altro.txt", archiveLines({archivedFilm("BLOW UP.AVI")}));
         s.archive.merge((s.folder / "altro.txt").string(), {});
     },
     ArchiveChange::Kind::Merged, 0, 4},
};

} // namespace

// Each change is saved and announced once, with what the views need to redraw.
TEST(ArchiveSession, EachChangeIsSavedAndAnnouncedOnce)
{
    const IntakeModel intake = intakeWith("BLADE RUNNER.AVI");
    for (const Change& c : kChanges) {
        SCOPED_TRACE(c.name);
        OpenSession s;
        s.archive.setPendingData(true);
        c.make(s, intake);
        ASSERT_EQ(s.changes.size(), 1u);
        EXPECT_EQ(s.changes[0].kind, c.kind);
        EXPECT_EQ(s.changes[0].viewRow, c.viewRow);
        EXPECT_EQ(s.archive.model().ArchiveCount, c.archiveCount);
        const ArchiveModel& m = s.archive.model();
        EXPECT_EQ(s.folder.read("films.txt"), formatArchive(m.ArchiveTable, m.ArchiveCount, kItalian));
        // An addition or a merge leaves nothing pending; an edit of the archive changes nothing there.
        const bool drained = c.kind == ArchiveChange::Kind::Added || c.kind == ArchiveChange::Kind::Merged;
        EXPECT_EQ(s.archive.pendingData(), !drained);
    }
}

// A change whose save fails leaves memory and films.txt as they were and announces nothing: the
// next save that works must not write a change the user was told had failed.
TEST(ArchiveSession, AFailedSaveRollsBackAndAnnouncesNothing)
{
    const IntakeModel intake = intakeWith("BLADE RUNNER.AVI");
    for (const Change& c : kChanges) {
        SCOPED_TRACE(c.name);
        OpenSession s;
        // A backup name taken by a folder: the save stops before films.txt is replaced.
        std::filesystem::create_directories(s.folder / "films.txt.bak" / "occupato");
        const std::string file = s.folder.read("films.txt");
        const std::string before = s.memory();
        EXPECT_THROW(c.make(s, intake), UserError);
        EXPECT_TRUE(s.changes.empty());
        EXPECT_EQ(s.memory(), before);
        EXPECT_EQ(s.folder.read("films.txt"), file);

        // Once the disk takes saves again, the next change writes only itself.
        std::filesystem::remove_all(s.folder / "films.txt.bak");
        s.archive.update(3, {"G", "D", "U", "A", "B", "R", "Gino-CD1", "T"});
        ArchiveModel saved;
        ScriptedDialogs dialogs;
        LoadArchive(saved, s.path(), kItalian, dialogs);
        ASSERT_EQ(saved.ArchiveCount, 3);
        EXPECT_EQ(saved.ArchiveTable.row(1).titolo, "ALIEN.MPG");
        EXPECT_EQ(saved.ArchiveTable.row(2).genere, "AZIONE");
        EXPECT_EQ(saved.ArchiveTable.row(3).genere, "G");
    }
}

TEST(ArchiveSession, ARecordThatIsNoLongerThereChangesNothing)
{
    OpenSession s;
    const std::string file = s.folder.read("films.txt");
    // The view shows a title the archive no longer has.
    s.archive.model().ViewTable.edit(2).titolo = "PERDUTO.AVI";
    const std::string before = s.memory();
    EXPECT_THROW(s.archive.remove(2), UserError);
    EXPECT_THROW(s.archive.update(2, {}), UserError);
    EXPECT_TRUE(s.changes.empty());
    EXPECT_EQ(s.memory(), before);
    EXPECT_EQ(s.folder.read("films.txt"), file);
}

// What the lookup, the clipboard and typing put in the draft is what the association stores;
// the draft is redrawn only for what the user did not type.
TEST(IntakeSession, TheDraftRoundTripsThroughTheAssociation)
{
    IntakeSession intake;
    int redraws = 0, tickRedraws = 0;
    QObject::connect(&intake, &IntakeSession::draftChanged, [&] { ++redraws; });
    QObject::connect(&intake, &IntakeSession::ticksChanged, [&] { ++tickRedraws; });
    IntakeModel& m = intake.model();
    for (const char* title : {"ALIEN.MPG", "MATRIX.AVI"}) {
        m.IntakeTable.edit(++m.IntakeCount) = archivedFilm(title);
        m.IntakeTable.edit(m.IntakeCount).genere.clear();
    }
    intake.resetTicks();
    intake.showEntry(2, kItalian);
    EXPECT_EQ(intake.draft().dataa, "01/03/2005");
    EXPECT_EQ(intake.draft().posizione, "Gino-CD1");

    intake.takeLookup({"Matrix", "Fantascienza", "136'", "1999", "Keanu - Laurence -", "Carrie -", "Wachowski",
                       "Un mondo\tsimulato"},
                      "lc_Matrix.jpg");
    EXPECT_EQ(intake.draft().genere, "FANTASCIENZA");
    EXPECT_EQ(intake.draft().posterName, "lc_Matrix.jpg");
    intake.edit(IntakeSession::Field::regia, "Lana e Lilly Wachowski");
    EXPECT_EQ(redraws, 2);

    intake.associate(2);
    const dfilm& stored = m.IntakeTable.row(2);
    EXPECT_EQ(stored.titolo, "MATRIX.AVI"); // the file's title stays
    EXPECT_EQ(stored.genere, "FANTASCIENZA");
    EXPECT_EQ(stored.durata, "136'");
    EXPECT_EQ(stored.datau, "1999");
    EXPECT_EQ(stored.attore1, "Keanu - Laurence -");
    EXPECT_EQ(stored.attore2, "Carrie -");
    EXPECT_EQ(stored.regia, "Lana e Lilly Wachowski");
    EXPECT_EQ(stored.trama, "Un mondo simulato");
    EXPECT_EQ(intake.tickedSlots(), std::vector<int>{2});

    // Shown again, the entry gives back what was stored.
    intake.showEntry(2, kItalian);
    EXPECT_EQ(intake.draft().regia, "Lana e Lilly Wachowski");
    EXPECT_EQ(intake.draft().trama, "Un mondo simulato");
    EXPECT_TRUE(intake.draft().titolo.empty());

    intake.setTicked(1, true);
    EXPECT_EQ(intake.tickedSlots(), (std::vector<int>{1, 2}));
    intake.untickAll();
    EXPECT_TRUE(intake.tickedSlots().empty());
    EXPECT_EQ(tickRedraws, 3);
}
