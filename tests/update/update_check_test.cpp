#include "support/version_files.h"
#include "update/package_store.h"
#include "update/update_check.h"
#include "update/update_site.h"
#include "update/version_file.h"

#include "base/errors.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The window as the check leaves it.
struct RecordingScreen : update::Screen
{
    std::string status, caption;
    std::vector<std::string> log;
    int bar = 0, closes = 0;

    void setStatus(const std::string& text) override { status = text; }
    void appendLog(const std::string& line) override { log.push_back(line); }
    void clearLog() override { log.clear(); }
    void setCaption(const std::string& text) override { caption = text; }
    void setBarPosition(int position) override { bar = position; }
    void close() override { ++closes; }
    // What the transfers are told: the check's state as it changes.
    int state = 0;
    void stateChanged(int s) override { state = s; }
};

// A site of fixed answers; a missing path fails like a 404.
struct FakeSite
{
    std::map<std::string, std::string> files;
    std::vector<std::pair<std::string, std::size_t>> requests;
    std::function<void()> during; // runs inside the next GET

    update::Get get()
    {
        return [this](const std::string& url, std::size_t maxBytes) {
            requests.emplace_back(url, maxBytes);
            if (during)
                std::exchange(during, nullptr)();
            const auto it = files.find(url);
            if (it == files.end())
                throw UserError("HTTP 404");
            return it->second;
        };
    }
};

const std::string kBase = "http://aggiornamenti.test/";

struct Updater
{
    RecordingScreen screen;
    FakeSite site;
    update::UpdateCheck check;
    const int& state;
    const std::string& fileName;

    explicit Updater(std::vector<fs::path> folders = {})
        : check({"4.4.0", kBase, std::move(folders)}, site.get(), screen), state(screen.state), fileName(check.fileName())
    {
        check.reset();
    }
    void offer(const std::string& version, const std::string& name = "update.zip")
    {
        site.files[kBase + "Zenfo2VER.txt"] = versionFile(name, version);
    }
};

} // namespace

TEST(VersionNumber, DigitsOneThreeAndFiveOrTheConversionError)
{
    const struct
    {
        const char* version;
        int number;
        const char* error;
    } cases[] = {
        {"4.4.0", 440, nullptr},
        {"4.4.1", 441, nullptr},
        {"4.3.9", 439, nullptr},
        {"5.0.0", 500, nullptr},
        {"0.0.7", 7, nullptr},
        {"4.4.1 beta", 441, nullptr}, // what follows character 5 does not count
        // A shorter text joins the characters it has.
        {"4.4", 44, nullptr},
        {"4.", 4, nullptr},
        {"7", 7, nullptr},
        {"4.10.0", 0, "'41.' non \xE8 un numero intero valido"},
        {"", 0, "'' non \xE8 un numero intero valido"},
        {"4.x", 0, "'4x' non \xE8 un numero intero valido"},
        {"a.b.c", 0, "'abc' non \xE8 un numero intero valido"},
        {"-.1.2", 0, "'-12' non \xE8 un numero intero valido"},
    };
    for (const auto& c : cases) {
        if (!c.error) {
            EXPECT_EQ(update::versionNumber(c.version), c.number) << c.version;
            continue;
        }
        try {
            update::versionNumber(c.version);
            ADD_FAILURE() << c.version << " converted";
        } catch (const ConversionError& e) {
            EXPECT_STREQ(e.what(), c.error) << c.version;
        }
    }
}

TEST(VersionFile, ThreeFixedColumnsTrimmed)
{
    const struct
    {
        const char* name;
        std::string body;
        update::VersionFile expected;
    } cases[] = {
        {"padded to 19 and 10", versionFile("update.zip", "4.4.1"), {"update.zip", "4.4.1", "15/03/2012"}},
        {"no line end, exact width",
         "update.zip         4.4.1     15/03/2012",
         {"update.zip", "4.4.1", "15/03/2012"}},
        {"shorter than 39 columns", "update.zip         4.4.1", {"update.zip", "4.4.1", ""}},
        {"only a name", "update.zip", {"update.zip", "", ""}},
        {"empty", "", {"", "", ""}},
        // One field a line: the line ends stay inside the columns, the trim only takes the outer ones.
        {"CR LF inside the columns",
         "update.zip\r\n4.4.1\r\n15/03/2012\r\n",
         {"update.zip\r\n4.4.1", "15/03/2012", ""}},
        {"tabs and blanks around",
         "\tupdate.zip        \t 4.4.1  \t15/03/2012\r\nseconda riga",
         {"update.zip", "4.4.1", "15/03/2012"}},
        {"a longer date is cut at 39",
         versionFile("u.zip", "4.4.1", "15 marzo 2012"),
         {"u.zip", "4.4.1", "15 marzo 2"}},
    };
    for (const auto& c : cases) {
        const update::VersionFile f = update::readVersionFile(c.body);
        EXPECT_EQ(f.UpdateFileName, c.expected.UpdateFileName) << c.name;
        EXPECT_EQ(f.version, c.expected.version) << c.name;
        EXPECT_EQ(f.date, c.expected.date) << c.name;
    }
}

TEST(PackageName, OnlyPlainZipNamesPass)
{
    for (const char* name : {"update.zip", "Zenfo2_4.4.1.zip", "UPDATE.ZIP", "9-a.Zip"})
        EXPECT_TRUE(update::isPackageName(name)) << name;
    for (const char* name : {"../x.zip", "/tmp/x", "a/b.zip", ".hidden", "", "x\\y", "x\\y.zip", "..zip",
                             "a..zip", "-x.zip", "_x.zip", ".zip", "x .zip", "update.zip\r\n4.4.1",
                             "\xE9t\xE9.zip", "films.txt", "Zenfo_conf.CFG", "pellicorio", "update.zip.exe"})
        EXPECT_FALSE(update::isPackageName(name)) << name;
}

TEST(UpdateSite, DefaultUnderExampleAndTheEnvironmentWithItsSlash)
{
    ::unsetenv("PELLICORIO_UPDATE_URL");
    const std::string fallback = update::baseUrl();
    EXPECT_EQ(fallback.substr(0, 7), "http://");
    EXPECT_NE(fallback.find(".example/"), std::string::npos) << fallback;
    EXPECT_EQ(fallback.back(), '/');
    for (const auto& [value, url] : std::vector<std::pair<std::string, std::string>>{
             {"http://127.0.0.1:8080/agg", "http://127.0.0.1:8080/agg/"},
             {"http://127.0.0.1:8080/agg/", "http://127.0.0.1:8080/agg/"},
             {"", fallback}}) {
        ::setenv("PELLICORIO_UPDATE_URL", value.c_str(), 1);
        EXPECT_EQ(update::baseUrl(), url) << value;
    }
    ::unsetenv("PELLICORIO_UPDATE_URL");
}

TEST(UpdateCheck, TheAvailableVersionDecidesTheOffer)
{
    const struct
    {
        const char* available;
        int state;
        const char* caption;
        const char* verdict;
    } cases[] = {
        {"4.4.1", 2, "Scarica aggiornamento", "Premi il pulsante per scaricare la versione nuova"},
        {"5.0.0", 2, "Scarica aggiornamento", "Premi il pulsante per scaricare la versione nuova"},
        {"4.4.0", 1, "Esci da Web UpDate", "Nessun aggiornamento"},
        {"4.3.9", 1, "Esci da Web UpDate", "Nessun aggiornamento"},
        {"4.4", 1, "Esci da Web UpDate", "Nessun aggiornamento"}, // 44
    };
    for (const auto& c : cases) {
        Updater u;
        u.offer(c.available, "update.zip");
        u.check.press();
        EXPECT_EQ(u.state, c.state) << c.available;
        EXPECT_EQ(u.screen.caption, c.caption) << c.available;
        EXPECT_EQ(u.screen.status, "Fatto !") << c.available;
        EXPECT_EQ(u.screen.bar, 100) << c.available;
        EXPECT_EQ(u.fileName, "update.zip") << c.available;
        EXPECT_EQ(u.screen.log, (std::vector<std::string>{"Versione corrente   : 4.4.0", "",
                                                          std::string("Versione disponibile: ") +
                                                              c.available + "  del : 15/03/2012",
                                                          "", c.verdict}))
            << c.available;
        ASSERT_EQ(u.site.requests.size(), 1u);
        EXPECT_EQ(u.site.requests[0].first, kBase + "Zenfo2VER.txt");
        EXPECT_EQ(u.site.requests[0].second, update::kVersionFileMaxBytes);
    }
}

TEST(UpdateCheck, AMalformedVersionThrowsAndLeavesStateZeroAndNoLog)
{
    Updater u;
    u.offer("4.10.0");
    EXPECT_THROW(u.check.press(), ConversionError);
    EXPECT_EQ(u.state, 0);
    EXPECT_EQ(u.screen.caption, "Controlla");
    EXPECT_TRUE(u.screen.log.empty());
    EXPECT_EQ(u.fileName, "");
}

TEST(UpdateCheck, AFailedCheckStaysInStateZeroAndThePressRepeatsIt)
{
    Updater u;
    u.check.press();
    EXPECT_EQ(u.screen.log, (std::vector<std::string>{"Sito non risponde. Riprovare pi\xF9 tardi."}));
    EXPECT_EQ(u.screen.status, "Errore");
    EXPECT_EQ(u.screen.caption, "Controlla");
    EXPECT_EQ(u.state, 0);
    EXPECT_EQ(u.screen.bar, 0);

    u.offer("4.4.1");
    u.check.press();
    EXPECT_EQ(u.site.requests.size(), 2u);
    EXPECT_EQ(u.state, 2);
    EXPECT_EQ(u.screen.log.back(), "Premi il pulsante per scaricare la versione nuova");
}

TEST(UpdateCheck, TheDownloadIsSavedByteForByteInTheProgramFolder)
{
    TempFolder program, data;
    program.write("update.zip", "the old package");
    Updater u({program.path(), data.path()});
    u.offer("4.4.1");
    const std::string package("PK\x03\x04\0\r\n\x1A\xFF", 9);
    u.site.files[kBase + "update.zip"] = package;
    u.check.press();
    u.check.press();

    EXPECT_EQ(u.site.requests.back(), std::make_pair(kBase + "update.zip", update::kPackageMaxBytes));
    EXPECT_EQ(program.read("update.zip"), package);
    EXPECT_FALSE(fs::exists(data / "update.zip"));
    EXPECT_EQ(u.screen.log, (std::vector<std::string>{
                                "Aggiornamento salvato nel file: " + program.text() + "update.zip",
                                "Unzippare il file nella dir. stessa, sovrascrivendo il file presente."}));
    EXPECT_EQ(u.screen.status, "Attendi...");
    EXPECT_EQ(u.screen.caption, "Fine");
    EXPECT_EQ(u.state, 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(program.path()), fs::directory_iterator()), 1)
        << "a temporary file was left behind";

    u.check.press();
    EXPECT_EQ(u.state, 0);
    EXPECT_EQ(u.screen.caption, "Controlla");
    EXPECT_EQ(u.screen.closes, 1);
}

TEST(UpdateCheck, AMissingOrRefusedPackageIsNotFound)
{
    const struct
    {
        const char* name;
        bool requested;
    } cases[] = {{"update.zip", true}, {"../x.zip", false}, {".hidden", false}, {"films.txt", false}};
    for (const auto& c : cases) {
        TempFolder program;
        Updater u({program.path()});
        u.offer("4.4.1", c.name);
        u.check.press();
        u.check.press();
        std::vector<std::string> log{"File non trovato sul sito."};
        if (!c.requested)
            log.insert(log.begin(),
                       std::string("Nome del file di aggiornamento rifiutato: \"") + c.name + "\"");
        EXPECT_EQ(u.screen.log, log) << c.name;
        EXPECT_EQ(u.site.requests.size(), c.requested ? 2u : 1u) << c.name;
        EXPECT_EQ(u.screen.status, "Errore") << c.name;
        EXPECT_EQ(u.screen.caption, "Esci da Web UpDate") << c.name;
        EXPECT_EQ(u.state, 1) << c.name;
        EXPECT_TRUE(fs::is_empty(program.path())) << c.name;
    }
}

TEST(UpdateCheck, AProgramFolderThatTakesNoFileSendsThePackageToTheDataFolder)
{
    TempFolder home;
    home.write("programma", "a file where the folder should be");
    fs::create_directory(home / "dati");
    Updater u({home / "programma", home / "dati"});
    u.offer("4.4.1");
    u.site.files[kBase + "update.zip"] = "PK";
    u.check.press();
    u.check.press();
    EXPECT_EQ(home.read("dati/update.zip"), "PK");
    EXPECT_EQ(u.screen.log, (std::vector<std::string>{
                                "Impossibile salvare il file: " + home.text() +
                                    "programma/update.zip (cartella non trovata)",
                                "Aggiornamento salvato nel file: " + home.text() + "dati/update.zip",
                                "Unzippare il file nella dir. stessa, sovrascrivendo il file presente."}));
    EXPECT_EQ(u.screen.caption, "Fine");
    EXPECT_EQ(u.state, 1);
}

// Root may write anywhere: the check runs in a child that has given up root, and the program and
// data folders are its own but read-only.
TEST(UpdateCheck, ReadOnlyFoldersReportTheFailedWrite)
{
    TempFolder home;
    fs::permissions(home.path(), fs::perms::owner_all | fs::perms::others_exec | fs::perms::group_exec);
    const fs::path program = home / "programma", data = home / "dati";
    fs::create_directory(program);
    fs::create_directory(data);
    const std::string programDenied =
        "Impossibile salvare il file: " + program.string() + "/update.zip (accesso negato)";
    const std::string dataDenied =
        "Impossibile salvare il file: " + data.string() + "/update.zip (accesso negato)";
    const std::string unzip = "Unzippare il file nella dir. stessa, sovrascrivendo il file presente.";
    const struct
    {
        const char* name;
        std::vector<fs::path> folders;
        bool dataWritable;
        std::string outcome; // status, caption, state and the log lines
    } cases[] = {
        {"both read-only",
         {program, data},
         false,
         "Errore|Esci da Web UpDate|1|" + programDenied + "|" + dataDenied},
        {"program folder read-only",
         {program, data},
         true,
         "Attendi...|Fine|1|" + programDenied + "|Aggiornamento salvato nel file: " + data.string() +
             "/update.zip|" + unzip},
        // The portable layout: one folder in both roles is tried once.
        {"one read-only folder for both",
         {program, program},
         false,
         "Errore|Esci da Web UpDate|1|" + programDenied},
    };
    for (const auto& c : cases) {
        ::chown(program.c_str(), 65534, 65534);
        ::chown(data.c_str(), 65534, 65534);
        ::chmod(program.c_str(), 0555);
        ::chmod(data.c_str(), c.dataWritable ? 0755 : 0555);
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeFds[0]);
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(2);
            Updater u(c.folders);
            u.offer("4.4.1");
            u.site.files[kBase + "update.zip"] = "PK";
            u.check.press();
            u.check.press();
            std::string out = u.screen.status + "|" + u.screen.caption + "|" + std::to_string(u.state);
            for (const std::string& line : u.screen.log)
                out += "|" + line;
            (void)!::write(pipeFds[1], out.data(), out.size());
            ::_exit(0);
        }
        ::close(pipeFds[1]);
        std::string got;
        char buffer[512];
        for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
            got.append(buffer, static_cast<std::size_t>(n));
        ::close(pipeFds[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.name;

        EXPECT_EQ(got, c.outcome) << c.name;
        EXPECT_TRUE(fs::is_empty(program)) << c.name;
        if (c.dataWritable) {
            EXPECT_EQ(home.read("dati/update.zip"), "PK") << c.name;
        } else {
            EXPECT_TRUE(fs::is_empty(data)) << c.name;
        }
        ::chmod(data.c_str(), 0755);
        fs::remove(data / "update.zip");
    }
}

TEST(UpdateCheck, ClosingDuringARequestAbandonsIt)
{
    for (const bool duringDownload : {false, true}) {
        TempFolder program;
        Updater u({program.path()});
        u.offer("4.4.1");
        u.site.files[kBase + "update.zip"] = "PK";
        if (duringDownload)
            u.check.press();
        u.site.during = [&] { u.check.closed(); };
        u.check.press();
        EXPECT_EQ(u.state, 0) << duringDownload;
        EXPECT_EQ(u.screen.caption, "Controlla") << duringDownload;
        EXPECT_TRUE(fs::is_empty(program.path())) << duringDownload;
        // Nothing of what came back reached the window.
        EXPECT_TRUE(u.screen.log.empty()) << duringDownload;
    }
}
