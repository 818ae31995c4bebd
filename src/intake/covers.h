#pragma once

#include <string>
#include <vector>

// The covers folder of the intake: its JPEG files as the covers list shows them, and the renames
// that make a file a film's cover.
namespace covers {

struct CoverEntry
{
    std::string text;     // the name upper-cased (Windows-1252), as the list shows it
    std::string fileName; // the name as the file system spells it
};

// The "*.jpg" entries of the folder (matched ignoring case, folders included), sorted by the text
// they show. Empty when the folder is missing or holds none.
std::vector<CoverEntry> listCovers(const std::string& folder);

// The name a cover takes for a title: its image name without surrounding blanks and control
// characters ('MATRIX.AVI' gives 'MATRIX.jpg').
std::string coverNameFor(const std::string& title);

// The confirmation asked before a cover is renamed after a title.
std::string associationQuestion(const std::string& title, const std::string& entryText);

// Renames the entry's file to newName in the folder unless that name is taken, ignoring case.
bool renameCover(const std::string& folder, const CoverEntry& entry, const std::string& newName);

// folder/name, or the existing entry whose name differs from it only in case, so a picture
// saved for a title replaces its file instead of adding a second one beside it. A name that
// would leave the folder (a separator, "..") throws UserError.
std::string picturePath(const std::string& folder, const std::string& name);

} // namespace covers
