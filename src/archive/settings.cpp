#include "settings.h"

#include "platform/files.h"

namespace {

// Name of an existing file in folder whose name differs only in case, else name itself: a
// file copied from a case-insensitive disk is still found and rewritten in place.
std::string existingName(const std::string& folder, const std::string& name)
{
    if (const auto found = files::findIgnoringCase(files::fromText(folder), name))
        return files::toText(found->filename());
    return name;
}

} // namespace

Settings Settings::defaults(std::string programFolder)
{
    if (programFolder.empty() || programFolder.back() != '/')
        programFolder += '/';
    Settings s;
    s.ProgramFolder = programFolder;
    s.ConfigPath = programFolder + existingName(programFolder, "Zenfo_conf.CFG");
    s.ArchivePath = programFolder + existingName(programFolder, "films.txt");
    // The classic seven first, in their order; then today's containers.
    s.MediaPatterns = {"/*.avi", "/*.mpg",  "/*.divx", "/*.mpeg", "/*.wmv", "/*.wmf",
                       "/*.asf", "/*.mkv",  "/*.mp4",  "/*.m4v",  "/*.mov", "/*.webm",
                       "/*.ts",  "/*.m2ts", "/*.vob",  "/*.ogv",  "/*.flv", "/*.3gp"};
    s.resetSavedToDefaults();
    return s;
}

void Settings::resetSavedToDefaults()
{
    Settings design;
    MediaFolder = ProgramFolder;
    CoverListFolder = MediaFolder + "copertine/";
    CoverArchiveFolder = CoverListFolder;
    PosterArchiveFolder = MediaFolder + "locandine/";
    CkBRimappa = design.CkBRimappa;
    CBSL = design.CBSL;
    CBSALVALOC = design.CBSALVALOC;
    CBSCOP = design.CBSCOP;
}
