// Every reader of outside input, fed the same hostile files: each ends with a clear error or a
// sound result, and no file it read is changed.
#include "archive/archive_file.h"
#include "archive/config_file.h"
#include "base/errors.h"
#include "help/rtf_reader.h"
#include "intake/archive_merge.h"
#include "intake/title_list.h"
#include "support/archives.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"
#include "ui/jpeg_view.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const RegionalSettings kItalian = RegionalSettings::italian();
const std::string kGoodLine = "MATRIX.AVI\tFANTASCIENZA\t\t\tWachowski\tGino-FILM01\t\t1999\t10/03/2005\t734,0032\t0\ttrama";

constexpr int kRefused = -1;

// A hostile file and what each reader makes of it: the records or entries it takes, or kRefused
// when it refuses the whole file.
struct Hostile
{
    const char* name;
    std::string bytes;
    int archiveRecords = kRefused;
    int recordsAfterMerge = kRefused; // merged into an archive of one other record
    int importedEntries = kRefused;
};

const std::vector<Hostile>& hostileFiles()
{
    static const std::vector<Hostile> files = [] {
        std::vector<Hostile> f;
        // An empty file is an empty archive, merges nothing and lists nothing.
        f.push_back({"empty", "", 0, 1, 0});
        f.push_back({"line of 50 MB", std::string(50u << 20, 'x')});
        // A whole archive line is no title list line: the import refuses the files below.
        f.push_back({"plot of 50 MB", kGoodLine + std::string(50u << 20, 'y') + "\r\n", 1, 2});
        f.push_back({"NUL bytes",
                     std::string("MA\0TRIX.AVI\t\t\t\t\tP\0S\t\t\t10/03/2005\t700\t0\t\0\r\n", 40) +
                         std::string(8, '\0'),
                     1, 2});
        // Two lines, the same record twice: the merge keeps one.
        f.push_back({"lone CR", kGoodLine + "\r" + kGoodLine + "\r", 2, 2});
        f.push_back({"undefined Windows-1252 bytes",
                     "\x81\x8D\x8F\x90\x9D.AVI\t\x81\t\x8D\t\x8F\t\x90\tGino-\x9D\t\t\t10/03/2005\t1\t0\t\x81\x9D\r\n", 1, 2});
        f.push_back({"JPEG announcing 60000 x 60000", withAnnouncedSize(makeJpeg(64, 48), 60000, 60000)});
        const std::string jpeg = makeJpeg(64, 48);
        f.push_back({"truncated JPEG", jpeg.substr(0, jpeg.size() / 2)});
        return f;
    }();
    return files;
}

// Runs a reader on the file; an error must carry a text for the user. Returns the error text,
// empty when it read the file.
std::string outcome(const std::function<void()>& read)
{
    try {
        read();
        return {};
    } catch (const UserError& e) {
        EXPECT_FALSE(std::string(e.what()).empty());
        return e.what();
    }
}

class HostileInputs : public ::testing::TestWithParam<std::size_t>
{
protected:
    TempFolder folder;
    const Hostile& input() const { return hostileFiles()[GetParam()]; }
    std::string write(const std::string& name) const
    {
        folder.write(name, input().bytes);
        return folder.text() + name;
    }
    void expectUnchanged(const std::string& name) const
    {
        EXPECT_TRUE(folder.read(name) == input().bytes) << name << " changed";
    }
};

} // namespace

TEST_P(HostileInputs, ArchiveLoadProtectsWhatItCannotRead)
{
    const std::string path = write("films.txt");
    ArchiveModel m;
    ScriptedDialogs dialogs;
    const LoadResult r = LoadArchive(m, path, kItalian, dialogs);
    if (input().archiveRecords == kRefused) {
        EXPECT_EQ(r.outcome, LoadResult::Outcome::Damaged);
        EXPECT_FALSE(r.error.empty());
        // Nothing may overwrite a file that was not read whole.
        EXPECT_THROW(SaveArchive(m, path, kItalian), UserError);
    } else {
        EXPECT_NE(r.outcome, LoadResult::Outcome::Damaged) << r.error;
        ASSERT_EQ(m.ArchiveCount, input().archiveRecords);
        // What loads saves back and loads again to the same records.
        SaveArchive(m, folder.text() + "copy.txt", kItalian);
        ArchiveModel again;
        LoadArchive(again, folder.text() + "copy.txt", kItalian, dialogs);
        ASSERT_EQ(again.ArchiveCount, m.ArchiveCount);
        for (int k = 1; k <= m.ArchiveCount; ++k)
            EXPECT_EQ(again.ArchiveTable.row(k), m.ArchiveTable.row(k)) << k;
    }
    expectUnchanged("films.txt");
}

TEST_P(HostileInputs, MergeTakesAllOrNothing)
{
    const std::string path = write("altro.txt");
    dfilm archived;
    archived.titolo = "ALIEN.MPG";
    ArchiveModel m = archiveOf({archived});
    const std::string error = outcome([&] { MergeArchiveFile(m, path, kItalian, {}); });
    if (input().recordsAfterMerge == kRefused) {
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(m.ArchiveCount, 1);
        EXPECT_EQ(m.ArchiveTable.row(1), archived);
        EXPECT_EQ(m.ArchiveTable.row(2), dfilm());
    } else {
        EXPECT_EQ(error, "");
        EXPECT_EQ(m.ArchiveCount, input().recordsAfterMerge);
    }
    expectUnchanged("altro.txt");
}

TEST_P(HostileInputs, TitleListImportTakesAllOrNothing)
{
    const std::string path = write("lista.txt");
    IntakeModel intake;
    intake.IntakeTable.edit(1).titolo = "PRIMA.AVI";
    intake.IntakeCount = 1;
    const std::string error = outcome([&] { ImportTitleList(intake, path, kItalian); });
    if (input().importedEntries == kRefused) {
        EXPECT_NE(error.find("riga"), std::string::npos) << error;
        EXPECT_EQ(intake.IntakeCount, 1);
        EXPECT_EQ(intake.IntakeTable.row(1).titolo, "PRIMA.AVI");
    } else {
        EXPECT_EQ(error, "");
        EXPECT_EQ(intake.IntakeCount, input().importedEntries);
    }
    expectUnchanged("lista.txt");
}

TEST_P(HostileInputs, ConfigurationOfThisVersionIsReadAndKept)
{
    const std::string bytes = "4.4.0\r\n" + input().bytes;
    folder.write("Zenfo_conf.CFG", bytes);
    Settings s = Settings::defaults(folder.text());
    ScriptedDialogs dialogs;
    ReadConfig(s, dialogs);
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_TRUE(folder.read("Zenfo_conf.CFG") == bytes);
    // What was read writes back as a configuration that reads the same.
    s.ConfigPath = folder.text() + "copia.CFG";
    WriteConfig(s);
    Settings again = Settings::defaults(folder.text());
    again.ConfigPath = s.ConfigPath;
    ReadConfig(again, dialogs);
    EXPECT_EQ(again.NickName, s.NickName);
    EXPECT_EQ(again.CkBRimappa, s.CkBRimappa);
}

TEST_P(HostileInputs, HelpReaderMakesTextOfAnything)
{
    const std::string html = rtf::toHtml(input().bytes);
    EXPECT_EQ(html.find('\0'), std::string::npos);
    EXPECT_TRUE(QString::fromUtf8(html.data(), static_cast<qsizetype>(html.size())).isValidUtf16());
}

TEST_P(HostileInputs, PictureDecodeFailsCleanly)
{
    const std::string error = outcome([&] { decodeToImage(input().bytes, {}); });
    // None of these files holds a whole picture.
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(Robustness, HostileInputs, ::testing::Range<std::size_t>(0, 8), [](const auto& info) {
    std::string name;
    for (const char c : std::string(hostileFiles()[info.param].name))
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
    return name;
});

TEST(HostileJpeg, AHugeAnnouncedPictureIsRefusedBeforeAnyAllocation)
{
    const std::string bytes = withAnnouncedSize(makeJpeg(64, 48), 60000, 60000);
    try {
        decodeToImage(bytes, {});
        FAIL() << "decoded";
    } catch (const jpeg::JpegError& e) {
        EXPECT_NE(std::string(e.what()).find("60000"), std::string::npos) << e.what();
    }
}
