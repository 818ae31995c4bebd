// The configuration file: read from disk as start-up reads it, and its lines written back and read
// again to the same settings.
#include "archive/config_file.h"
#include "fuzz_support.h"
#include "platform/dialogs.h"

namespace {

// A configuration of this version is read without a question; any question is a fault here.
class NoDialogs : public Dialogs
{
public:
    void message(Kind, const std::string&) override { __builtin_trap(); }
    bool confirm(Kind, const std::string&) override { __builtin_trap(); }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override
    {
        __builtin_trap();
    }
    std::optional<std::string> chooseFolder(const std::string&) override { __builtin_trap(); }
    std::optional<std::string> chooseFile(const std::string&, const std::string&) override { __builtin_trap(); }
    std::optional<std::string> chooseSaveFile(const SaveFile&) override { __builtin_trap(); }
    void beep() override { __builtin_trap(); }
    void setClipboardText(const std::string&) override { __builtin_trap(); }
    void openUrl(const std::string&) override { __builtin_trap(); }
};

bool sameSaved(const Settings& a, const Settings& b)
{
    return a.MediaFolder == b.MediaFolder && a.CoverListFolder == b.CoverListFolder &&
           a.CoverArchiveFolder == b.CoverArchiveFolder && a.PosterArchiveFolder == b.PosterArchiveFolder &&
           a.NickName == b.NickName && a.CkBRimappa == b.CkBRimappa && a.CBSL == b.CBSL &&
           a.CBSALVALOC == b.CBSALVALOC && a.CBSCOP == b.CBSCOP;
}

bool oneLine(const std::string& s) { return s.find_first_of("\r\n") == std::string::npos; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    NoDialogs dialogs;
    const std::string path = scratchFile("4.4.0\r\n" + std::string(asText(data, size)), "Zenfo_conf.CFG");
    Settings s = Settings::defaults(path.substr(0, path.rfind('/')));
    ReadConfig(s, dialogs);

    Settings again = Settings::defaults("/");
    config::applyLines(config::format(s), again);
    if (config::firstLine(config::format(s)) != s.ProgramVersion || !oneLine(s.MediaFolder) ||
        !oneLine(s.NickName) || !sameSaved(again, s))
        __builtin_trap();
    return 0;
}
