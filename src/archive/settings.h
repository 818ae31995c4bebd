#pragma once

#include <string>
#include <vector>

// Paths, saved settings and options of the program. Folder texts are Windows-1252; "/" is the
// path separator.
struct Settings
{
    std::string ProgramFolder; // ends with the separator
    std::string ConfigPath;
    std::string ArchivePath;
    std::string ProgramVersion = "4.4.0";
    std::string MediaFolder;
    // Wildcards appended to MediaFolder by the scan, in their order; an empty one is skipped.
    std::vector<std::string> MediaPatterns;
    std::string CoverListFolder;
    std::string CoverArchiveFolder;
    std::string PosterArchiveFolder;
    std::string NickName;

    // Saved options.
    bool CkBRimappa = false;
    bool CBSL = true;
    bool CBSALVALOC = true;
    bool CBSCOP = true;
    // Temporary options, never saved.
    bool CBIPMARCA = false;
    bool CBIPRCD = false;
    bool CBIDRCD = false;

    // The start-up defaults for a program folder (with or without its trailing separator).
    static Settings defaults(std::string programFolder);
    // Back to the defaults of the saved folders and options; paths and nick name stay.
    void resetSavedToDefaults();
};
