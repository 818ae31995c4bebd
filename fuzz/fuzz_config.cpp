// The configuration file, of this version and of any other.
#include "archive/config_file.h"
#include "fuzz_support.h"
#include "platform/dialogs.h"

namespace {

class AnsweringDialogs : public Dialogs
{
public:
    void message(Kind, const std::string&) override {}
    bool confirm(const std::string&) override { return false; }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override
    {
        return std::string("Fuzz");
    }
    std::optional<std::string> chooseFolder(const std::string&) override { return std::nullopt; }
    std::optional<std::string> chooseFile(const std::string&, const std::string&) override { return std::nullopt; }
    void beep() override {}
    void setClipboardText(const std::string&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    AnsweringDialogs dialogs;
    for (const std::string prefix : {"", "4.4.0\r\n"}) {
        const std::string path = scratchFile(prefix + std::string(asText(data, size)), "Zenfo_conf.CFG");
        Settings s = Settings::defaults(path.substr(0, path.rfind('/')));
        ReadConfig(s, dialogs);
        // Whatever was read is written back as ten lines that read back the same.
        WriteConfig(s);
        Settings again = Settings::defaults(path.substr(0, path.rfind('/')));
        ReadConfig(again, dialogs);
        if (again.MediaFolder != s.MediaFolder && s.MediaFolder.find_first_of("\r\n") == std::string::npos)
            __builtin_trap();
    }
    return 0;
}
