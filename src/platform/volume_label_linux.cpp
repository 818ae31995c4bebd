#include "volume_label.h"

#include "base/cp1252.h"
#include "base/text.h"
#include "files.h"

#include <blkid/blkid.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstdlib>
#include <sstream>
#include <vector>

namespace volume {
namespace {

// mountinfo writes blanks and other awkward bytes as \ooo.
std::string unescapeOctal(std::string_view s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size()) {
            const char a = s[i + 1], b = s[i + 2], c = s[i + 3];
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
                out += static_cast<char>((a - '0') * 64 + (b - '0') * 8 + (c - '0'));
                i += 3;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

// udev writes a label's blanks and slashes as \xHH in its link names.
std::string unescapeHex(std::string_view s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x') {
            const int hi = text::hexDigitValue(s[i + 2]), lo = text::hexDigitValue(s[i + 3]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 3;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

std::string readText(const fs::path& path)
{
    try {
        return files::readWhole(path);
    } catch (...) {
        return {};
    }
}

std::string blkidLabel(const std::string& device)
{
    char* value = blkid_get_tag_value(nullptr, "LABEL", device.c_str());
    if (!value)
        return {};
    std::string label = value;
    std::free(value);
    return label;
}

} // namespace

std::string mountSource(std::string_view mountinfo, unsigned major, unsigned minor)
{
    const std::string wanted = std::to_string(major) + ":" + std::to_string(minor);
    std::istringstream lines{std::string(mountinfo)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::vector<std::string> f;
        for (std::string w; fields >> w;)
            f.push_back(w);
        if (f.size() < 3 || f[2] != wanted)
            continue;
        // After the optional fields a lone "-" comes, then the type and the source.
        for (std::size_t i = 6; i + 2 < f.size(); ++i)
            if (f[i] == "-")
                return unescapeOctal(f[i + 2]);
    }
    return {};
}

std::string labelFromLinks(const fs::path& byLabel, const fs::path& device)
{
    std::error_code ec;
    const fs::path target = fs::canonical(device, ec);
    if (ec)
        return {};
    for (fs::directory_iterator it(byLabel, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code linkError;
        if (fs::canonical(it->path(), linkError) == target && !linkError)
            return unescapeHex(it->path().filename().string());
    }
    return {};
}

std::string ReadVolumeLabel(const std::string& folderText, const Sources& sources)
{
    const fs::path folder = files::fromText(folderText.empty() ? "." : folderText);
    struct stat st {};
    if (!files::isFolder(folder) || ::stat(folder.c_str(), &st) != 0)
        return {};
    const std::string source = mountSource(readText(sources.mountinfo), major(st.st_dev), minor(st.st_dev));
    if (source.empty() || source.front() != '/')
        return {}; // memory, network and layered file systems carry no label
    std::string label = labelFromLinks(sources.byLabel, source);
    if (label.empty() && sources.probe)
        label = blkidLabel(source);
    std::string text = cp1252::fromUtf8(label);
    if (text.size() > 260)
        text.resize(260);
    return text;
}

} // namespace volume
