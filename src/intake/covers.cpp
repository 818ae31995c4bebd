#include "covers.h"

#include "base/cp1252.h"
#include "base/errors.h"
#include "base/text.h"
#include "browser/image_names.h"
#include "platform/files.h"
#include "platform/folder_listing.h"

#include <algorithm>

namespace covers {

std::vector<CoverEntry> listCovers(const std::string& folder)
{
    std::vector<CoverEntry> list;
    const auto matches = files::listMatching({folder + "/*.jpg"});
    for (const files::DirEntry& e : matches.front())
        list.push_back({text::upperAscii(cp1252::fromUtf8(e.name)), e.name});
    std::sort(list.begin(), list.end(), [](const CoverEntry& a, const CoverEntry& b) {
        return a.text != b.text ? a.text < b.text : a.fileName < b.fileName;
    });
    return list;
}

std::string coverNameFor(const std::string& title) { return text::trim(images::imageName(title)); }

std::string associationQuestion(const std::string& title, const std::string& entryText)
{
    return "Associo : \n\rFilm          : " + title + "\n\rCopertina : " + entryText;
}

bool renameCover(const std::string& folder, const CoverEntry& entry, const std::string& newName)
{
    return files::renameNoReplace(files::fromText(folder), entry.fileName, cp1252::toUtf8(newName));
}

std::string picturePath(const std::string& folder, const std::string& name)
{
    // The name comes from a title or a typed field: it may name a file of this folder only.
    if (!files::isPlainName(name))
        throw UserError("Nome file non valido per un'immagine: " + name);
    if (const auto found = files::findIgnoringCase(files::fromText(folder), cp1252::toUtf8(name)))
        return files::toText(*found);
    return folder + "/" + name;
}

} // namespace covers
